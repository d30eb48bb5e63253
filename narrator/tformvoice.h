// The voice screen, where the player gives the narrator another voice.
#pragma once

#include <QDialog>

class TFormVoice : public QDialog {
    Q_OBJECT
public:
    explicit TFormVoice(QWidget* parent = nullptr);
};
