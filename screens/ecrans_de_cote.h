// The side screens for the flow: the voice screen and the About card, shown modally over the screen in
// front at its scale.
#pragma once

#include "base/demandes.h"

class Dialogues;
class TFormAbout;
class TFormVoice;

class EcransDeCoteQt : public EcransDeCote {
public:
    EcransDeCoteQt(TFormVoice& voice, TFormAbout& about, Dialogues& dialogues)
        : voice_(voice)
        , about_(about)
        , dialogues_(dialogues) {}

    std::optional<ChoixVoix> choisirVoix(VueEcran& devant) override;
    void aPropos(VueEcran& devant) override;
    QString sansVoix() const override;

private:
    TFormVoice& voice_;
    TFormAbout& about_;
    Dialogues& dialogues_;
};
