// Reading the battle's clips: the samples of a RIFF WAVE image held in memory, and how to play them.
#pragma once

#include <QByteArray>

#include <optional>

// The samples of a RIFF WAVE image and how to play them.
struct ClipPcm {
    int frequence = 0;
    int canaux = 0;
    int bits = 0; // 8: unsigned samples; 16: signed little-endian samples
    QByteArray echantillons;
};

// Finds the "fmt " and "data" chunks of a RIFF WAVE image held in memory. Nothing when the image is
// not uncompressed 8- or 16-bit PCM, or holds no samples.
std::optional<ClipPcm> lireRiff(const QByteArray& riff);
