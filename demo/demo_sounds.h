#pragma once
// The demo game's sounds, made by the program: short effects as 8-bit mono WAVE files at
// 22050 Hz (the format the player opens its output in) and a short MIDI song.
#include <cstdint>
#include <string>
#include <vector>

struct cDemoSound {
  const char* lpPath;  // program path inside the game folder
  std::vector<std::uint8_t> Bytes;
};

std::vector<cDemoSound> MakeDemoEffects();
// A format-0 song of one melody and a bass line, about eight seconds long.
std::vector<std::uint8_t> MakeDemoSong();
