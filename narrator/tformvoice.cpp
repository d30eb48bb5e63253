// The voice screen.
#include "narrator/tformvoice.h"

TFormVoice::TFormVoice(QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("FormVoice"));
    setWindowTitle(QStringLiteral("Voix"));
}
