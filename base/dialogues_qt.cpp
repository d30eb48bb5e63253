// The real boxes.
#include "base/dialogues.h"

#include <QDialog>
#include <QMessageBox>
#include <QPushButton>

bool DialoguesQt::ouiNon(QWidget* parent, const QString& titre, const QString& texte) {
    QMessageBox boite(QMessageBox::NoIcon, titre, texte, QMessageBox::NoButton, parent);
    // O and N answer the box, as the narrator's question says.
    QPushButton* oui = boite.addButton(QStringLiteral("&Oui"), QMessageBox::YesRole);
    QPushButton* non = boite.addButton(QStringLiteral("&Non"), QMessageBox::NoRole);
    boite.setDefaultButton(non);
    boite.setEscapeButton(non);
    boite.exec();
    return boite.clickedButton() == oui;
}

void DialoguesQt::avertir(QWidget* parent, const QString& texte) {
    QMessageBox boite(QMessageBox::NoIcon, QStringLiteral("Corsabord"), texte, QMessageBox::Ok, parent);
    boite.exec();
}

void DialoguesQt::executer(QDialog* ecran) {
    ecran->exec();
}
