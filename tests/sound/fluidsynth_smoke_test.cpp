// One song through the real synthesiser and the Debian SoundFont.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "media/sound/midi.h"
#include "platform/midi_synth.h"
#include "tests/sound/sound_test_support.h"
#include "tests/support/midi_builder.h"

namespace {

using FluidSynthSmokeTest = cSoundTest;

double Rms(const std::vector<float>& samples) {
  double sum = 0;
  for (float s : samples) sum += static_cast<double>(s) * s;
  return std::sqrt(sum / static_cast<double>(samples.size()));
}

TEST_F(FluidSynthSmokeTest, ASongSoundsAndStopsSilencingIt) {
  if (!std::filesystem::exists(DefaultMidiSoundFontPath())) GTEST_SKIP() << "no SoundFont installed";
  cMidiLayout layout;
  cMidiTrack track;
  track.Raw(0, {0xC0, 0})  // piano
      .SysEx(0, {0x7E, 0x7F, 0x09, 0x01, 0xF7})  // GM on
      .Raw(0, {0xC0, 0})
      .NoteOn(0, 0, 60, 110)
      .NoteOn(0, 0, 64, 110)
      .NoteOn(0, 0, 67, 110)
      .Raw(1920, {0x80, 60, 0})
      .End(0);
  layout.vTracks.push_back(std::move(track));
  WriteTestFile("song.mid", BuildMidi(layout));
  cMidiList list;
  list.Resize(1);
  ASSERT_EQ(list.Play(0, "song.mid", 0), 1);
  const std::vector<float> chord = Pull(kMixRate / 2);
  EXPECT_GT(Rms(chord), 0.01);
  for (float s : chord) ASSERT_LT(std::fabs(s), 1.0f);
  list.Stop(0);
  Pull(kMixRate);  // the release and the reverb fade
  EXPECT_LT(Rms(Pull(kMixRate / 10)), 1e-4);
}

}  // namespace
