// The game's one random generator.
#include "model/hasard.h"

quint32 Hasard::tirage(quint32 n) {
    etat_ = etat_ * 134775813u + 1u; // wraps modulo 2^32
    return static_cast<quint32>((static_cast<quint64>(etat_) * n) >> 32);
}
