// Fuzzer of the character file reader: any bytes as the parrot's file, and what it accepts must stay
// within the bounds the parrot's placement and balloon rely on, through every pose of every animation.
#include "narrator/personnage.h"

#include <cmath>
#include <cstdlib>

namespace {

using namespace bornes_personnage;

bool borne(double v) {
    return std::isfinite(v) && std::abs(v) <= NOMBRE_MAX;
}

void verifierPose(const Pose& pose) {
    for (auto it = pose.valeurs.cbegin(); it != pose.valeurs.cend(); ++it)
        if (!borne(it.value()))
            std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille) {
    const QByteArray json(reinterpret_cast<const char*>(donnees), static_cast<qsizetype>(taille));
    // The game's own folder, so that a file naming its drawing is read to the end.
    const std::optional<Personnage> p =
        Personnage::depuisJson(json, QStringLiteral(CORSABORD_SOURCE_DIR "/assets/narrateur"));
    if (!p)
        return 0;
    const QSizeF t = p->taille();
    if (!(t.width() > 0 && t.width() <= LARGEUR_MAX && t.height() > 0 && t.height() <= HAUTEUR_MAX) ||
        !borne(p->becMax()))
        std::abort();
    for (const GroupeDessin& g : p->groupes())
        if (!borne(g.pivot.x()) || !borne(g.pivot.y()))
            std::abort();
    for (const PartieDessin& partie : p->parties())
        if (!borne(partie.pivot.x()) || !borne(partie.pivot.y()))
            std::abort();
    verifierPose(p->poseInitiale());
    QStringList noms = ANIMATIONS_REQUISES + p->animationsDeRepos();
    for (const QString& nom : noms) {
        const Animation* a = p->animation(nom);
        if (!a)
            std::abort();
        const int duree = a->duree();
        if (duree < 0 || duree > DUREE_ANIMATION_MAX)
            std::abort();
        for (int instant : {0, duree / 3, duree / 2, duree, duree + 1})
            verifierPose(a->poseA(p->poseInitiale(), instant));
    }
    return 0;
}
