// The side screens as the flow shows them.
#include "screens/ecrans_de_cote.h"

#include "base/dialogues.h"
#include "base/scene.h"
#include "screens/tformabout.h"
#include "screens/tformvoice.h"

namespace {
const Scene& sceneDe(VueEcran& ecran) {
    return *ecran.fenetre()->findChild<Scene*>();
}
} // namespace

std::optional<EcransDeCote::ChoixVoix> EcransDeCoteQt::choisirVoix(VueEcran& devant) {
    voice_.ajuster(sceneDe(devant));
    voice_.setResult(QDialog::Rejected);
    dialogues_.executer(&voice_);
    if (voice_.result() != QDialog::Accepted)
        return std::nullopt;
    const TFormVoice::Choix& choix = voice_.choix();
    return ChoixVoix{choix.mode, choix.reglages.vitesse, choix.reglages.hauteur, choix.reglages.volume,
                     choix.sons};
}

void EcransDeCoteQt::aPropos(VueEcran& devant) {
    about_.ajuster(sceneDe(devant));
    dialogues_.executer(&about_);
}

QString EcransDeCoteQt::sansVoix() const {
    return voice_.sansVoix();
}
