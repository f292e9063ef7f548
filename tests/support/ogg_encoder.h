#pragma once
// OGG Vorbis files for the music tests, encoded here from generated samples.
#include <string>

// A sine tone of `frames` frames at `rate` with `channels` channels (the right channel, if
// any, at half the left's amplitude). True when the file was written.
bool WriteOggTone(const std::string& hostPath, int rate, int channels, int frames, double hz = 440.0,
                  double amplitude = 0.5);
