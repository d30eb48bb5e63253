// How the player hears the parrot: speed, pitch and volume from Config.txt.
#include "audio/reglages_parole.h"

#include <QRegularExpression>
#include <QtEndian>

#include <algorithm>
#include <cmath>

namespace {
// The values Config.txt is created with: the voice as it speaks.
constexpr int VITESSE_PREMIERE = 156;
constexpr int HAUTEUR_PREMIERE = 159;
constexpr int VOLUME_PLEIN = 65535;

constexpr int PAS_VITESSE = 25;
constexpr int PAS_VOLUME = 10;

// The value of "\cle=123\"; empty when the line is not that tag.
std::optional<int> valeurTag(const QStringList& lignes, int index, const char* cle) {
    if (index >= lignes.size())
        return std::nullopt;
    static const QRegularExpression tag(QStringLiteral("^\\\\([a-z]{3})=(\\d{1,9})\\\\$"));
    const QRegularExpressionMatch m = tag.match(lignes.at(index).trimmed());
    if (!m.hasMatch() || m.captured(1) != QLatin1String(cle))
        return std::nullopt;
    return m.captured(2).toInt();
}
} // namespace

TagsParole lireTagsParole(const QStringList& lignes) {
    TagsParole tags;
    if (const auto v = valeurTag(lignes, 2, "spd"); v && *v != VITESSE_PREMIERE && *v > 0)
        tags.vitesse = std::clamp(*v, VITESSE_MIN, VITESSE_MAX);
    if (const auto h = valeurTag(lignes, 3, "pit"); h && *h <= 100)
        tags.hauteur = *h;
    if (const auto v = valeurTag(lignes, 4, "vol"); v && *v != VOLUME_PLEIN)
        tags.volume = *v <= 200 ? *v : std::min(100, int(std::lround(*v * 100.0 / VOLUME_PLEIN)));
    return tags;
}

int vitesseSuivante(int vitesse, int sens) {
    // on the steps of 25 from the voice's usual 175, whatever the value came from
    const int base = 175;
    int pas = (vitesse - base) / PAS_VITESSE;
    if (sens > 0 && base + pas * PAS_VITESSE <= vitesse)
        ++pas;
    else if (sens < 0 && base + pas * PAS_VITESSE >= vitesse)
        --pas;
    return std::clamp(base + pas * PAS_VITESSE, VITESSE_MIN, VITESSE_MAX);
}

int hauteurSuivante(int hauteur, int sens) {
    // On the steps of ten, as the volume: a pitch between two steps goes to the next one that way.
    const int pas = sens > 0 ? hauteur / 10 + 1 : (hauteur + 9) / 10 - 1;
    return std::clamp(pas * 10, 0, 100);
}

int volumeSuivant(int volume, int sens) {
    int pas = volume / PAS_VOLUME;
    if (sens > 0)
        ++pas;
    else if (pas * PAS_VOLUME >= volume)
        --pas;
    return std::clamp(pas * PAS_VOLUME, VOLUME_MIN, VOLUME_MAX);
}

void appliquerVolume(QByteArray& pcm, int volume) {
    if (volume == 100)
        return;
    const double gain = std::max(0, volume) / 100.0;
    auto* p = reinterpret_cast<uchar*>(pcm.data());
    for (qsizetype i = 0; i + 1 < pcm.size(); i += 2) {
        const double v = qFromLittleEndian<qint16>(p + i) * gain;
        qToLittleEndian<qint16>(qint16(std::lround(std::clamp(v, -32768.0, 32767.0))), p + i);
    }
}
