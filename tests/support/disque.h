// A small disk of the test's own (a tmpfs mounted on a folder), to fill up or turn read-only.
#pragma once

#include <QString>

// Mounting needs root (or the right to mount); without it monte() is false and pourquoiPas() says why,
// for the test to skip with that reason.
class DisqueEssai {
public:
    explicit DisqueEssai(const QString& dossier, int kio = 64);
    ~DisqueEssai();
    DisqueEssai(const DisqueEssai&) = delete;
    DisqueEssai& operator=(const DisqueEssai&) = delete;

    bool monte() const { return monte_; }
    const QString& pourquoiPas() const { return pourquoi_; }

    // Fills the disk with a hidden file until nothing more fits; true when it is full.
    bool remplir();
    // Remounts the disk read-only; true when done.
    bool lectureSeule();

private:
    QString dossier_;
    int kio_;
    bool monte_ = false;
    QString pourquoi_;
};
