// The parrot's idle moves and their clock.
#include "narrator/repos_perroquet.h"

#include <algorithm>

void ReposPerroquet::interrompre(Pose& pose) {
    if (mouvement_) {
        // an idle move gives way at once to what the game asks
        pose.appliquer(mouvement_->poseA(depart_, mouvement_->duree()));
        mouvement_ = nullptr;
    }
    attente_ = 0;
    calme_ = 0;
}

bool ReposPerroquet::avancer(int ms, Pose& pose) {
    if (mouvement_) {
        ecoule_ += ms;
        pose = mouvement_->poseA(depart_, ecoule_);
        if (ecoule_ >= mouvement_->duree())
            mouvement_ = nullptr;
        return true;
    }
    calme_ += ms;
    attente_ += ms;
    if (attente_ < ATTENTES[prochain_ % 4] || calme_ >= ASSOUPI_MS)
        return false;
    attente_ = 0;
    if (mouvements_.isEmpty())
        return false;
    mouvement_ = mouvements_.at(prochain_ % mouvements_.size());
    ++prochain_;
    depart_ = pose;
    ecoule_ = 0;
    return false;
}

int ReposPerroquet::prochainReveil(const Pose& pose) const {
    if (mouvement_) {
        // The frames of an idle move fall every frame from its start, as they always did; those that
        // would show the pose he already holds (a look held, eyes kept shut) are skipped, up to its end.
        const int fin = mouvement_->duree();
        int t = ecoule_ + image_;
        while (t < fin && mouvement_->poseA(depart_, t) == pose)
            t += image_;
        return t - ecoule_;
    }
    if (calme_ >= ASSOUPI_MS)
        return JAMAIS;
    return std::max(image_, std::min(ATTENTES[prochain_ % 4] - attente_, ASSOUPI_MS - calme_));
}
