// The parrot's requests in their order.
#include "narrator/file_requetes.h"

#include <utility>

FileRequetes::FileRequetes(std::function<void(Requete&)> commencer, std::function<void(int)> signaler)
    : commencer_(std::move(commencer))
    , signaler_(std::move(signaler)) {}

int FileRequetes::ajouter(Requete r, bool enScene) {
    r.id = ++prochaine_;
    const int id = r.id;
    if (!enScene) {
        // nothing on the screen to do it: done at once
        signaler_(id);
        return id;
    }
    file_.append(std::move(r));
    avancer();
    return id;
}

bool FileRequetes::cache(const Animation* animation) {
    if (!animation)
        return false;
    double opacite = 1;
    for (const ImageAnimation& image : animation->images)
        opacite = image.pose.valeur(QStringLiteral("opacite"), opacite);
    return opacite <= 0.01;
}

int FileRequetes::paroleAnticipable() const {
    if (file_.isEmpty() || file_.first().genre != Genre::Animation || cache(file_.first().animation))
        return -1;
    for (int i = 1; i < file_.size(); ++i) {
        const Requete& r = file_.at(i);
        if (r.genre == Genre::Animation) {
            if (cache(r.animation))
                return -1;
            continue;
        }
        if (!r.commencee)
            return i;
        if (!r.finie)
            return -1; // one text at a time
    }
    return -1;
}

void FileRequetes::avancer() {
    for (;;) {
        while (!file_.isEmpty() && file_.first().finie)
            signaler_(file_.takeFirst().id);
        if (file_.isEmpty())
            return;
        int i = 0;
        if (file_.first().commencee) {
            // a text does not wait for the gestures before it: the player hears it at once
            i = paroleAnticipable();
            if (i < 0)
                return;
        }
        Requete& r = file_[i];
        r.commencee = true;
        r.ecoule = 0;
        commencer_(r);
    }
}

FileRequetes::Requete* FileRequetes::parleuse() {
    for (Requete& r : file_)
        if (r.genre == Genre::Parole && r.commencee && !r.finie)
            return &r;
    return nullptr;
}

FileRequetes::Requete* FileRequetes::parole(int id) {
    Requete* r = parleuse();
    return r && r->id == id ? r : nullptr;
}

bool FileRequetes::arreter(int id, const std::function<void(Requete&)>& couper) {
    for (int i = 0; i < file_.size(); ++i) {
        if (file_.at(i).id != id)
            continue;
        const bool avantLaFin = !file_.at(i).finie;
        if (file_.at(i).commencee && avantLaFin)
            couper(file_[i]);
        file_.removeAt(i);
        signaler_(id);
        avancer();
        return avantLaFin;
    }
    return false;
}

void FileRequetes::abandonner(const std::function<void(Requete&)>& couper) {
    for (Requete& r : file_)
        if (r.commencee && !r.finie)
            couper(r);
    const QList<Requete> restes = std::exchange(file_, {});
    for (const Requete& r : restes)
        signaler_(r.id);
}
