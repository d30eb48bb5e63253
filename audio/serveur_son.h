// Whether the player's sound server answers, asked once as the game starts.
#pragma once

#include <QString>

// Empty when the desktop's sound server (PulseAudio, or PipeWire's pulse server) answers within attenteMs;
// otherwise why not, in French, for the terminal and the balloon. Never starts a server.
QString serveurDeSonInjoignable(int attenteMs = 1000);
