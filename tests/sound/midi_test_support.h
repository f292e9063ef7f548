#pragma once
// MIDI player tests: a synthesiser that records what reaches it and when (in samples of
// the mix), in place of FluidSynth.
#include <cstdint>
#include <thread>
#include <vector>

#include "media/sound/midi.h"
#include "platform/midi_synth.h"
#include "tests/sound/sound_test_support.h"
#include "tests/support/midi_builder.h"

class cRecordingSynth : public cMidiSynth {
 public:
  struct cEntry {
    std::uint64_t nTime;
    std::vector<std::uint8_t> vBytes;
  };
  void ShortMessage(std::uint32_t message) override {
    m_vEntries.push_back({m_nFrames, {static_cast<std::uint8_t>(message), static_cast<std::uint8_t>(message >> 8),
                                      static_cast<std::uint8_t>(message >> 16)}});
  }
  void LongMessage(const std::uint8_t* bytes, std::size_t count) override {
    m_vEntries.push_back({m_nFrames, std::vector<std::uint8_t>(bytes, bytes + count)});
  }
  void Silence(bool) override { ++m_nSilences; }
  void Render(float*, int frames) override { m_nFrames += static_cast<std::uint64_t>(frames); }

  // Times at which a message with this first byte arrived.
  std::vector<std::uint64_t> TimesOf(std::uint8_t status) const {
    std::vector<std::uint64_t> times;
    for (const auto& e : m_vEntries)
      if (e.vBytes[0] == status) times.push_back(e.nTime);
    return times;
  }

  std::vector<cEntry> m_vEntries;
  std::uint64_t m_nFrames = 0;
  int m_nSilences = 0;
};

class cMidiTest : public cSoundTest {
 protected:
  void SetUp() override {
    cSoundTest::SetUp();
    SetMidiSynthOverride(&m_Synth);
  }
  void TearDown() override {
    SetMidiSynthOverride(nullptr);
    cSoundTest::TearDown();
  }

  // Renders `frames` in blocks, letting the player's callback thread handle every
  // callback of a block before the next is rendered, as it would in real time.
  static void PullSong(const cMidi& player, int frames, int block = 256) {
    std::vector<float> out(static_cast<std::size_t>(block) * kMixChannels);
    while (frames > 0) {
      while (!player.CallbacksDrained()) std::this_thread::yield();
      const int n = frames < block ? frames : block;
      GetAudioMixer().Render(out.data(), n);
      frames -= n;
    }
    while (!player.CallbacksDrained()) std::this_thread::yield();
  }

  static void WriteSong(const char* name, const cMidiLayout& layout) { WriteTestFile(name, BuildMidi(layout)); }

  cRecordingSynth m_Synth;
};
