// The player's braille display through BrlAPI.
#include "audio/braille_brlapi.h"

#include <QSocketNotifier>
#include <QtGlobal>

#include <brlapi.h>

#include <string>

namespace {
// The display's keys for the previous and next window, as BRLTTY names its commands.
constexpr brlapi_keyCode_t FENETRE_GAUCHE = BRLAPI_KEY_TYPE_CMD | BRLAPI_KEY_CMD_FWINLT;
constexpr brlapi_keyCode_t FENETRE_DROITE = BRLAPI_KEY_TYPE_CMD | BRLAPI_KEY_CMD_FWINRT;

// BrlAPI's reasons are English: the player is told which BRLTTY was asked.
QString sansBrltty() {
    const QString hote = qEnvironmentVariable("BRLAPI_HOST");
    return hote.isEmpty() ? QStringLiteral("aucun BRLTTY ne répond sur cette machine")
                          : QStringLiteral("aucun BRLTTY ne répond en %1").arg(hote);
}
} // namespace

BrailleBrlapi::BrailleBrlapi(int descripteur, int largeur)
    : largeur_(largeur)
    , touches_(new QSocketNotifier(descripteur, QSocketNotifier::Read, this)) {
    connect(touches_, &QSocketNotifier::activated, this, &BrailleBrlapi::lireTouches);
}

BrailleBrlapi::~BrailleBrlapi() {
    delete touches_;
    brlapi_leaveTtyMode();
    brlapi_closeConnection();
}

std::unique_ptr<BrailleBrlapi> BrailleBrlapi::ouvrir(QString* erreur) {
    const int descripteur = brlapi_openConnection(nullptr, nullptr);
    if (descripteur < 0) {
        if (erreur)
            *erreur = sansBrltty();
        return nullptr;
    }
    unsigned int x = 0, y = 0;
    // The game's own terminal when it has one (WINDOWID, CONTROLVT); under a desktop, the root of the
    // terminals BRLTTY knows, as a screen reader takes it.
    if ((brlapi_enterTtyMode(BRLAPI_TTY_DEFAULT, nullptr) < 0 &&
         brlapi_enterTtyModeWithPath(nullptr, 0, nullptr) < 0) ||
        brlapi_getDisplaySize(&x, &y) < 0 || x == 0) {
        if (erreur)
            *erreur = QStringLiteral("BRLTTY ne sert aucune plage braille à ce jeu");
        brlapi_closeConnection();
        return nullptr;
    }
    // Only the keys for the previous and next window come to the game; BRLTTY keeps the others.
    const brlapi_keyCode_t fenetres[] = {FENETRE_GAUCHE, FENETRE_DROITE};
    brlapi_ignoreAllKeys();
    brlapi_acceptKeys(brlapi_rangeType_key, fenetres, 2);
    return std::unique_ptr<BrailleBrlapi>(new BrailleBrlapi(descripteur, int(x)));
}

void BrailleBrlapi::afficher(const QString& texte) {
    fenetres_.afficher(texte, largeur_);
    ecrire();
}

void BrailleBrlapi::ecrire() {
    const std::wstring ligne = fenetres_.fenetre().toStdWString();
    brlapi_writeWText(BRLAPI_CURSOR_OFF, ligne.c_str());
}

void BrailleBrlapi::lireTouches() {
    brlapi_keyCode_t touche = 0;
    while (brlapi_readKey(0, &touche) > 0) {
        const brlapi_keyCode_t commande = touche & (BRLAPI_KEY_TYPE_MASK | BRLAPI_KEY_CODE_MASK);
        if ((commande == FENETRE_DROITE && fenetres_.avancer()) ||
            (commande == FENETRE_GAUCHE && fenetres_.reculer()))
            ecrire();
    }
}
