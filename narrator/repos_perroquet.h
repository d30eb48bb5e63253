// The parrot's idle moves: a blink or a look around now and then while nothing is asked of him, and
// when the frames of a move fall. Pure: it counts the milliseconds it is told have passed.
#pragma once

#include "narrator/personnage.h"

#include <QList>

#include <limits>

class ReposPerroquet {
public:
    // Between idle moves, in turn.
    static constexpr int ATTENTES[] = {2600, 4100, 3300, 5200};
    // With nothing asked for this long, the idle moves stop until the next request.
    static constexpr int ASSOUPI_MS = 20000;
    // No wake-up is needed: the parrot dozes.
    static constexpr int JAMAIS = std::numeric_limits<int>::max();

    // image: the ms between two frames of the parrot's clock, on which the frames of a move fall.
    explicit ReposPerroquet(int image)
        : image_(image) {}

    // The character's idle moves, played in turn.
    void setMouvements(QList<const Animation*> mouvements) { mouvements_ = std::move(mouvements); }
    // The game asks for something: a move under way jumps to its end, and the parrot is wide awake.
    void interrompre(Pose& pose);
    // The character is unloaded: no move under way.
    void arreter() { mouvement_ = nullptr; }
    // A character is loaded: the wait for the next move starts again.
    void relancerAttente() { attente_ = 0; }

    // ms have passed with nothing asked and the parrot in view: the move under way goes on, or the next
    // one starts once its wait is over. True when the pose has changed.
    bool avancer(int ms, Pose& pose);
    // ms until the parrot has something new to show from pose: the next frame of the move under way that
    // differs from it (or the move's end), or the end of the wait for the next move; JAMAIS once he
    // dozes.
    int prochainReveil(const Pose& pose) const;
    // The move under way, nullptr between moves.
    const Animation* enCours() const { return mouvement_; }

private:
    int image_;
    QList<const Animation*> mouvements_;
    const Animation* mouvement_ = nullptr;
    Pose depart_;
    int ecoule_ = 0;  // ms into the move under way
    int attente_ = 0; // ms waited for the next move
    int calme_ = 0;   // ms at rest since the last request
    int prochain_ = 0;
};
