#include "media/sound/sound.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "tests/sound/sound_test_support.h"
#include "tests/support/wave_builder.h"

namespace {

// A 16-bit mono sound at the mixer's rate holding one value for `frames` frames, so that
// the mix shows how many copies sound at each frame.
void WriteDcWave(const std::string& name, int frames, std::int16_t value = 8192) {
  cWaveLayout layout;
  layout.nRate = 44100;
  layout.nBits = 16;
  layout.vSamples = Pcm16Bytes(std::vector<std::int16_t>(static_cast<std::size_t>(frames), value));
  WriteTestFile(name, BuildWave(layout));
}

SOUNDSRC Source(const char* file, int copies, int volume) {
  SOUNDSRC src{};
  std::strcpy(src.szFile, file);
  src.nNum = copies;
  src.nVolume = volume;
  return src;
}

using SoundEffectsTest = cSoundTest;

TEST_F(SoundEffectsTest, EachPlayTakesTheNextCopyAndTheFourthRestartsTheFirst) {
  WriteDcWave("se.wav", 300);
  cSound sound;
  ASSERT_TRUE(DSLoadSound(&sound, "se.wav", 3, 0));
  ASSERT_EQ(sound.m_nBufferNum, 3);
  EXPECT_STREQ(sound.m_szFile, "se.wav");
  for (int i = 0; i < 3; ++i) DSPlay(&sound, 0);
  EXPECT_EQ(sound.m_nNextCopy, 0);
  const float one = 8192.0f / 32768.0f;
  auto first = Pull(100);
  EXPECT_FLOAT_EQ(first[0], 3 * one);
  EXPECT_FLOAT_EQ(first[199], 3 * one);

  DSPlay(&sound, 0);  // copy 0 again, from its first sample
  EXPECT_EQ(sound.m_nNextCopy, 1);
  auto second = Pull(250);
  EXPECT_FLOAT_EQ(second[2 * 199], 3 * one);  // copies 1 and 2 end after 200 frames
  EXPECT_FLOAT_EQ(second[2 * 200], one);      // copy 0 goes on to 300
  EXPECT_FLOAT_EQ(second[2 * 249 + 1], one);
  auto rest = Pull(100);
  EXPECT_FLOAT_EQ(rest[2 * 49], one);
  EXPECT_FLOAT_EQ(rest[2 * 50], 0.0f);
  DSReleaseSound(&sound);
}

TEST_F(SoundEffectsTest, VolumesClampAndScaleTheMix) {
  WriteDcWave("se.wav", 1000);
  cSound sound;
  ASSERT_TRUE(DSLoadSound(&sound, "se.wav", 2, -9800));
  EXPECT_EQ(DSGetVolume(&sound, 0), -9800);
  EXPECT_EQ(DSGetVolume(&sound, 1), -9800);
  struct {
    int copy;
    LONG volume;
    int relative;
    LONG expected;
  } const cases[] = {
      {0, -500, 1, -10000}, {0, 200, 0, 0},         {0, -2000, 0, -2000}, {1, 300, 1, -9500},
      {1, -2147483647, 1, -10000}, {2, -100, 0, 0}, {-1, -100, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "copy " << c.copy << " volume " << c.volume << " relative " << c.relative);
    EXPECT_EQ(DSSetVolume(&sound, c.copy, c.volume, c.relative), c.expected);
  }
  EXPECT_EQ(DSGetVolume(&sound, 0), -2000);
  EXPECT_EQ(DSGetVolume(&sound, 5), 0);

  // -2000 is a tenth of the amplitude; -10000 is silence, not a very quiet sound.
  DSSetVolume(&sound, 1, -10000, 0);
  DSPlay(&sound, 0);
  DSPlay(&sound, 0);
  auto mix = Pull(10);
  EXPECT_NEAR(mix[0], 0.1f * 8192.0f / 32768.0f, 1e-6);
  EXPECT_NEAR(mix[1], 0.1f * 8192.0f / 32768.0f, 1e-6);
  DSReleaseSound(&sound);
}

TEST_F(SoundEffectsTest, CreateTakesTheStepVolumeOrEachSourcesOwn) {
  WriteDcWave("a.wav", 10);
  WriteDcWave("b.wav", 10);
  std::vector<SOUNDSRC> sources = {Source("a.wav", 1, -300), Source("missing.wav", 1, 0), Source("b.wav", 2, -800),
                                   Source("a.wav", 0, 0)};
  struct {
    LONG step;
    LONG a;
    LONG b;
  } const cases[] = {{SE_VOLUME_STEPS[10], -300, -800}, {SE_VOLUME_STEPS[0], -10000, -10000}, {SE_VOLUME_STEPS[5], -500, -500}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.step);
    std::vector<cSound> sounds(4);
    EXPECT_EQ(DSCreate(&sounds, &sources, c.step), 1);
    EXPECT_EQ(DSGetVolume(&sounds[0], 0), c.a);
    EXPECT_EQ(sounds[1].m_ppBuffer, nullptr);  // missing file: silent, the rest still made
    EXPECT_EQ(DSGetVolume(&sounds[2], 1), c.b);
    EXPECT_EQ(sounds[3].m_ppBuffer, nullptr);  // a zeroed source makes nothing
    for (auto& s : sounds) DSPlay(&s, 0);
    DSRelease();
    ASSERT_TRUE(DS_Init(nullptr, 22050, 8, 1));
  }
  EXPECT_NE(Report().find("missing.wav の読み込みに失敗しました！"), std::string::npos);
}

TEST_F(SoundEffectsTest, CreateMakesOnlyTheMissingSounds) {
  WriteDcWave("a.wav", 10);
  std::vector<SOUNDSRC> sources = {Source("a.wav", 1, 0), Source("b.wav", 1, 0)};
  std::vector<cSound> sounds(2);
  DSCreate(&sounds, &sources, 0);
  cSoundBuffer* first = sounds[0].m_ppBuffer[0].get();
  ASSERT_EQ(sounds[1].m_ppBuffer, nullptr);
  WriteDcWave("b.wav", 10);
  DSCreate(&sounds, &sources, 0);
  EXPECT_EQ(sounds[0].m_ppBuffer[0].get(), first);
  EXPECT_NE(sounds[1].m_ppBuffer, nullptr);
  DSRelease();  // releases the registered table while it still exists
}

TEST_F(SoundEffectsTest, CopyCountBelowOneMakesNothing) {
  WriteDcWave("se.wav", 10);
  for (int copies : {0, -1, -2147483647 - 1}) {
    SCOPED_TRACE(copies);
    cSound sound;
    EXPECT_FALSE(DSLoadSound(&sound, "se.wav", copies, 0));
    EXPECT_EQ(sound.m_ppBuffer, nullptr);
    EXPECT_EQ(sound.m_nBufferNum, 0);
    DSPlay(&sound, 0);
    EXPECT_EQ(DSSetVolume(&sound, 0, -100, 0), 0);
    DSReleaseSound(&sound);
  }
}

TEST_F(SoundEffectsTest, UnplayableFormatsMakeNoBufferAndReleaseTouchesNothing) {
  struct {
    const char* name;
    std::uint16_t channels;
    std::uint32_t rate;
    std::uint16_t bits;
    std::size_t bytes;
  } const cases[] = {
      {"24-bit", 1, 22050, 24, 30},
      {"three channels", 3, 22050, 8, 30},
      {"no channels", 0, 22050, 8, 30},
      {"rate 50", 1, 50, 8, 30},
      // 100 Hz is playable, but 700 s of it would become 31 million frames at the mix rate:
      // the converted length is bounded, not the file's.
      {"too long once converted", 1, 100, 8, 70000},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    cWaveLayout layout;
    layout.nChannels = c.channels;
    layout.nRate = c.rate;
    layout.nBits = c.bits;
    layout.vSamples = std::vector<std::uint8_t>(c.bytes, 1);
    WriteTestFile("se.wav", BuildWave(layout));
    cSound sound;
    EXPECT_FALSE(DSLoadSound(&sound, "se.wav", 4, 0));
    EXPECT_EQ(sound.m_nBufferNum, 0);
    EXPECT_EQ(sound.m_ppBuffer, nullptr);
    DSPlay(&sound, 0);
    DSReleaseSound(&sound);
  }
  EXPECT_NE(ECLog().find("se.wav生成失敗！"), std::string::npos);
}

TEST_F(SoundEffectsTest, FormatsConvertToTheMixRate) {
  struct {
    std::uint16_t channels;
    std::uint32_t rate;
    std::uint16_t bits;
    std::size_t bytes;
    std::uint32_t frames;
  } const cases[] = {
      {1, 22050, 8, 100, 200},
      {2, 44100, 16, 400, 100},
      {1, 11025, 16, 50, 100},
      {2, 48000, 8, 96, 45},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.channels << "ch " << c.rate << "Hz " << c.bits << "bit");
    cWaveLayout layout;
    layout.nChannels = c.channels;
    layout.nRate = c.rate;
    layout.nBits = c.bits;
    layout.vSamples = std::vector<std::uint8_t>(c.bytes, 0x80);
    WriteTestFile("se.wav", BuildWave(layout));
    std::unique_ptr<cSoundBuffer> buffer;
    ASSERT_TRUE(DSCreateBuffer(&buffer, "se.wav"));
    EXPECT_EQ(buffer->FrameCount(), c.frames);
  }
}

TEST_F(SoundEffectsTest, StereoKeepsItsSides) {
  cWaveLayout layout;
  layout.nChannels = 2;
  layout.nRate = 44100;
  layout.nBits = 16;
  layout.vSamples = Pcm16Bytes({16384, -16384, 16384, -16384});
  WriteTestFile("se.wav", BuildWave(layout));
  cSound sound;
  ASSERT_TRUE(DSLoadSound(&sound, "se.wav", 1, 0));
  DSPlay(&sound, 0);
  auto mix = Pull(3);
  EXPECT_FLOAT_EQ(mix[0], 0.5f);
  EXPECT_FLOAT_EQ(mix[1], -0.5f);
  EXPECT_FLOAT_EQ(mix[4], 0.0f);
  DSReleaseSound(&sound);
}

TEST_F(SoundEffectsTest, NothingHappensWithoutTheOutput) {
  WriteDcWave("se.wav", 100);
  cSound sound;
  ASSERT_TRUE(DSLoadSound(&sound, "se.wav", 1, 0));
  DSRelease();
  DSPlay(&sound, 0);
  EXPECT_EQ(DSSetVolume(&sound, 0, -100, 0), 0);
  EXPECT_EQ(DSGetVolume(&sound, 0), 0);
  // The loaders report success and make nothing.
  cSound other;
  EXPECT_TRUE(DSLoadSound(&other, "se.wav", 1, 0));
  EXPECT_EQ(other.m_ppBuffer, nullptr);
  DSReleaseSound(&sound);
}

}  // namespace
