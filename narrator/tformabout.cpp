// The About screen.
#include "narrator/tformabout.h"

TFormAbout::TFormAbout(QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("FormAbout"));
    setWindowTitle(QStringLiteral("A propos"));
}
