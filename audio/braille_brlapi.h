// The player's braille display, served by BRLTTY through BrlAPI: each text of the parrot on it, a long one
// in windows that the display's own keys for the previous and next window move through.
#pragma once

#include "audio/lecteur_ecran.h"
#include "audio/suivi_lecteur.h"

#include <QObject>

#include <memory>

class QSocketNotifier;

class BrailleBrlapi : public QObject, public SortieBraille {
    Q_OBJECT
public:
    ~BrailleBrlapi() override;

    // The display BRLTTY serves (BRLAPI_HOST, else the local one), taken for the game's window; nullptr
    // and why, in French words, when there is none.
    static std::unique_ptr<BrailleBrlapi> ouvrir(QString* erreur);

    void afficher(const QString& texte) override;

private:
    BrailleBrlapi(int descripteur, int largeur);
    void lireTouches();
    void ecrire();

    int largeur_;
    FenetresBraille fenetres_;
    QSocketNotifier* touches_;
};
