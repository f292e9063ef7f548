#include "demo/demo_sounds.h"

#include <cmath>

#include "writers/midi_builder.h"
#include "writers/wave_builder.h"

namespace {

constexpr std::uint32_t kRate = 22050;
constexpr double kPi = 3.14159265358979323846;

// One tone sweeping from `from` to `to` Hz over `ms` milliseconds, square-ish and fading
// out, as 8-bit unsigned samples.
void Tone(std::vector<std::uint8_t>& samples, double from, double to, int ms, double volume = 0.5) {
  const int count = static_cast<int>(kRate * ms / 1000);
  double phase = 0;
  for (int i = 0; i < count; ++i) {
    const double t = static_cast<double>(i) / count;
    phase += 2 * kPi * (from + (to - from) * t) / kRate;
    const double wave = std::sin(phase) + 0.3 * std::sin(3 * phase);
    const double value = 128 + 127 * volume * (1 - t) * wave / 1.3;
    samples.push_back(static_cast<std::uint8_t>(std::lround(value)));
  }
}

std::vector<std::uint8_t> Wave(const std::vector<std::uint8_t>& samples) {
  cWaveLayout layout;
  layout.nRate = kRate;
  layout.nBits = 8;
  layout.nChannels = 1;
  layout.vSamples = samples;
  return BuildWave(layout);
}

}  // namespace

std::vector<cDemoSound> MakeDemoEffects() {
  std::vector<cDemoSound> sounds;
  std::vector<std::uint8_t> s;
  Tone(s, 1320, 1320, 40);
  sounds.push_back({"se\\cursor.wav", Wave(s)});
  s.clear();
  Tone(s, 880, 880, 60);
  Tone(s, 1320, 1320, 90);
  sounds.push_back({"se\\decide.wav", Wave(s)});
  s.clear();
  Tone(s, 660, 330, 120);
  sounds.push_back({"se\\cancel.wav", Wave(s)});
  s.clear();
  Tone(s, 300, 900, 150);
  sounds.push_back({"se\\jump.wav", Wave(s)});
  s.clear();
  Tone(s, 1568, 1568, 60, 0.4);
  Tone(s, 2093, 2093, 160, 0.4);
  sounds.push_back({"se\\coin.wav", Wave(s)});
  return sounds;
}

std::vector<std::uint8_t> MakeDemoSong() {
  constexpr int kQuarter = 480;
  // Melody (channel 0, a square lead) and bass (channel 1), in eighths; 0 is a rest.
  const int melody[] = {72, 76, 79, 76, 77, 74, 71, 74, 72, 76, 79, 84, 83, 79, 77, 74,
                        76, 72, 74, 71, 72, 67, 69, 71, 72, 76, 74, 71, 72, 0, 72, 0};
  const int bass[] = {48, 43, 45, 43, 48, 43, 41, 43};
  cMidiTrack track;
  track.Tempo(0, 500000);                       // 120 beats a minute
  track.Raw(0, {0xC0, 80});                     // lead: square
  track.Raw(0, {0xC1, 33});                     // bass: electric bass
  track.Raw(0, {0xB0, 7, 100});
  track.Raw(0, {0xB1, 7, 110});
  const int eighth = kQuarter / 2;
  std::uint32_t pending = 0;  // delta before the next event
  for (int i = 0; i < 32; ++i) {
    const bool bassNote = i % 4 == 0;
    const int b = bass[(i / 4) % 8];
    if (bassNote) {
      track.NoteOn(pending, 1, b, 90);
      pending = 0;
    }
    if (melody[i] != 0) {
      track.NoteOn(pending, 0, melody[i], 100);
      pending = 0;
    }
    pending += static_cast<std::uint32_t>(eighth);
    if (melody[i] != 0) {
      track.NoteOn(pending, 0, melody[i], 0);  // note off as velocity 0
      pending = 0;
    }
    if (i % 4 == 3) {
      track.NoteOn(pending, 1, b, 0);
      pending = 0;
    }
  }
  track.End(pending);
  cMidiLayout layout;
  layout.nFormat = 0;
  layout.nDivision = kQuarter;
  layout.vTracks.push_back(track);
  return BuildMidi(layout);
}
