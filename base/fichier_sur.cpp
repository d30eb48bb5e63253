// Writing one of the game's files whole or not at all.
#include "base/fichier_sur.h"

#include <QFileInfo>

#include <algorithm>
#include <cerrno>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString raisonDe(int erreur) {
    switch (erreur) {
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("le disque est plein");
    case EROFS:
        return QStringLiteral("le disque est en lecture seule");
    case EACCES:
    case EPERM:
        return QStringLiteral("le dossier n'est pas accessible en écriture");
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("le dossier n'existe plus");
    default:
        return QStringLiteral("erreur d'écriture n°%1").arg(erreur);
    }
}

EcritureSure echec(int erreur) {
    return {false, raisonDe(erreur)};
}

// What a write cut short by a crash or a kill left behind: only the game's own temporary files of this
// file, none a minute old or less, so that a write still under way elsewhere is never cut short.
void effacerRestes(const QByteArray& prefixe, const QByteArray& enCours, time_t debut) {
    const qsizetype barre = prefixe.lastIndexOf('/');
    const QByteArray dossier = prefixe.left(barre);
    const QByteArray nom = prefixe.mid(barre + 1);
    DIR* d = ::opendir(dossier.constData());
    if (!d)
        return;
    while (const dirent* entree = ::readdir(d)) {
        const QByteArray reste = dossier + '/' + entree->d_name;
        const QByteArray suffixe = QByteArray(entree->d_name).mid(nom.size());
        if (!QByteArray(entree->d_name).startsWith(nom) || suffixe.size() != 6 || reste == enCours ||
            !std::all_of(suffixe.begin(), suffixe.end(), [](char c) {
                return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
            }))
            continue;
        struct stat info {};
        if (::lstat(reste.constData(), &info) == 0 && S_ISREG(info.st_mode) &&
            info.st_mtim.tv_sec < debut - 60)
            ::unlink(reste.constData());
    }
    ::closedir(d);
}

// Writes the whole of contenu and syncs it to the disk: 0, or the reason it could not.
int ecrireTout(int fd, const QByteArray& contenu) {
    const char* octets = contenu.constData();
    qsizetype reste = contenu.size();
    while (reste > 0) {
        const ssize_t n = ::write(fd, octets, static_cast<size_t>(reste));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? errno : ENOSPC;
        octets += n;
        reste -= n;
    }
    // on some file systems a full disk only shows here
    return ::fsync(fd) == 0 ? 0 : errno;
}

} // namespace

QString nomTemporaire(const QString& nom) {
    return QStringLiteral(".corsabord-en-cours.") + nom;
}

bool estUnLien(const QString& chemin) {
    struct stat info {};
    return ::lstat(QFile::encodeName(chemin).constData(), &info) == 0 && S_ISLNK(info.st_mode);
}

EcritureSure ecrireFichierSur(const QString& chemin, const QByteArray& contenu) {
    const QByteArray cible = QFile::encodeName(chemin);
    struct stat ancien {};
    const bool existe = ::lstat(cible.constData(), &ancien) == 0;
    if (existe && S_ISLNK(ancien.st_mode))
        return {false, QStringLiteral("le fichier est un lien symbolique")};
    if (existe && !S_ISREG(ancien.st_mode))
        return {false, QStringLiteral("ce n'est pas un fichier ordinaire")};

    const QFileInfo info(chemin);
    const QByteArray prefixe = QFile::encodeName(info.absolutePath()) + '/' +
                               QFile::encodeName(nomTemporaire(info.fileName())) + '.';
    QByteArray modele = prefixe + "XXXXXX";
    const int fd = ::mkstemp(modele.data());
    if (fd < 0)
        return echec(errno);
    struct stat debut {};
    if (::fstat(fd, &debut) == 0)
        effacerRestes(prefixe, modele, debut.st_mtim.tv_sec);
    auto abandonner = [&](int erreur) {
        ::close(fd);
        ::unlink(modele.constData());
        return echec(erreur);
    };
    // mkstemp makes the file private; the game's files are the player's as any other file is
    mode_t mode = 0666;
    if (existe) {
        mode = ancien.st_mode & 07777;
    } else {
        const mode_t masque = ::umask(0);
        ::umask(masque);
        mode &= ~masque;
    }
    if (::fchmod(fd, mode) != 0)
        return abandonner(errno);
    if (const int erreur = ecrireTout(fd, contenu))
        return abandonner(erreur);
    if (::close(fd) != 0) {
        const int erreur = errno;
        ::unlink(modele.constData());
        return echec(erreur);
    }
    if (::rename(modele.constData(), cible.constData()) != 0) {
        const int erreur = errno;
        ::unlink(modele.constData());
        return echec(erreur);
    }
    return {true, {}};
}
