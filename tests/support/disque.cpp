// A small disk of the test's own.
#include "support/disque.h"

#include <QFile>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

DisqueEssai::DisqueEssai(const QString& dossier, int kio)
    : dossier_(dossier)
    , kio_(kio) {
    const QByteArray options = "size=" + QByteArray::number(kio_) + "k,mode=0755";
    if (::mount("tmpfs", QFile::encodeName(dossier_).constData(), "tmpfs", 0, options.constData()) == 0)
        monte_ = true;
    else
        pourquoi_ =
            QStringLiteral("no tmpfs can be mounted here (%1): run as root to test a full or read-only "
                           "disk")
                .arg(QString::fromLocal8Bit(std::strerror(errno)));
}

DisqueEssai::~DisqueEssai() {
    if (monte_)
        ::umount2(QFile::encodeName(dossier_).constData(), MNT_DETACH);
}

bool DisqueEssai::remplir() {
    const QByteArray chemin = QFile::encodeName(dossier_ + QStringLiteral("/.plein"));
    const int fd = ::open(chemin.constData(), O_WRONLY | O_CREAT | O_APPEND, 0600);
    if (fd < 0)
        return false;
    const QByteArray bloc(4096, 'x');
    int erreur = 0;
    for (int i = 0; i < 4 * kio_ && erreur == 0; ++i) {
        if (::write(fd, bloc.constData(), size_t(bloc.size())) < 0)
            erreur = errno;
    }
    // the last bytes a block could not take
    while (erreur == ENOSPC && ::write(fd, "x", 1) == 1) {
    }
    ::close(fd);
    return erreur == ENOSPC;
}

bool DisqueEssai::lectureSeule() {
    const QByteArray options = "size=" + QByteArray::number(kio_) + "k";
    return ::mount(nullptr, QFile::encodeName(dossier_).constData(), nullptr, MS_REMOUNT | MS_RDONLY,
                   options.constData()) == 0;
}
