#pragma once
// WAVE files of sound effects: a RIFF reader of our own, PCM only. Every chunk size is
// checked against the file before anything is read or allocated.
#include <cstdint>
#include <memory>

#include "platform/sound_buffer.h"

// One WAVE file in memory: the fmt chunk's fields (a 16-byte chunk leaves cbSize 0) and
// the sample bytes of the data chunk.
struct WAVEDATA {
  WAVEFORMATEX wfx{};
  std::unique_ptr<BYTE[]> pData;
  DWORD dwDataSize = 0;
};

// Reads a PCM WAVE file (a program path). False when it cannot be opened, is not a WAVE
// file, is not PCM, or holds no samples; the reasons the user may need are logged.
bool DSLoadWave(const char* path, WAVEDATA* wave);
// Frees the sample bytes.
void DSFreeWave(WAVEDATA* wave);
