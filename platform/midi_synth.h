#pragma once
// The synthesiser that MIDI streams play into: FluidSynth with the General MIDI SoundFont
// that Debian installs. Only the audio thread plays notes and renders; the SoundFont is
// loaded when the first stream opens, never at start-up.
#include <cstddef>
#include <cstdint>
#include <string>

class cMidiSynth {
 public:
  virtual ~cMidiSynth() = default;
  // Audio thread only. A channel message: status | data1 << 8 | data2 << 16.
  virtual void ShortMessage(std::uint32_t message) = 0;
  // Audio thread only. A system-exclusive message as it stands in the file (F0 ... F7).
  virtual void LongMessage(const std::uint8_t* bytes, std::size_t count) = 0;
  // Audio thread only. Every note off at once (stop and pause), or a full reset of the
  // channels' controllers and programs as well (reset).
  virtual void Silence(bool resetControllers) = 0;
  // Audio thread only. Adds `frames` stereo frames (at most kMixBlockFrames) into `mix`.
  virtual void Render(float* mix, int frames) = 0;
};

// The one synthesiser, for one stream at a time (like a MIDI device, a second open stream
// is refused until the first is closed). Loads the SoundFont on first use; null with
// `why` when it cannot be loaded or is in use.
cMidiSynth* AcquireMidiSynth(std::string* why);
void ReleaseMidiSynth(cMidiSynth* synth);

// The SoundFont file to load (a host path); tests point it elsewhere.
void SetMidiSoundFontPath(const std::string& path);
const char* DefaultMidiSoundFontPath();
// Tests: a synthesiser that stands in for FluidSynth; null restores FluidSynth.
void SetMidiSynthOverride(cMidiSynth* synth);
