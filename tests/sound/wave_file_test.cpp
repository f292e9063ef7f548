#include "media/sound/wave_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "tests/sound/sound_test_support.h"
#include "tests/support/wave_builder.h"

namespace {

using WaveFileTest = cSoundTest;

struct cWaveCase {
  const char* name;
  std::function<std::vector<std::uint8_t>()> build;
  bool bLoads;
  // Expected in the report log; null when the failure is silent or there is none.
  const char* report;
};

std::vector<std::uint8_t> Samples(std::size_t n) { return std::vector<std::uint8_t>(n, 0x90); }

cWaveLayout WaveLayout(std::uint16_t channels, std::uint32_t rate, std::uint16_t bits, std::uint32_t fmtSize, std::size_t bytes) {
  cWaveLayout layout;
  layout.nChannels = channels;
  layout.nRate = rate;
  layout.nBits = bits;
  layout.nFmtSize = fmtSize;
  layout.vSamples = Samples(bytes);
  return layout;
}

TEST_F(WaveFileTest, ChunksAreCheckedAgainstTheFile) {
  const char* kBadFile = "不正なファイルです";
  const char* kNotPcmShape = "対応していない形式か";
  const cWaveCase cases[] = {
      {"8-bit mono, 16-byte fmt", [] { return BuildWave(WaveLayout(1, 22050, 8, 16, 100)); }, true, nullptr},
      {"16-bit stereo, 18-byte fmt", [] { return BuildWave(WaveLayout(2, 44100, 16, 18, 400)); }, true, nullptr},
      {"odd fmt and a chunk before data",
       [] {
         cWaveLayout s = WaveLayout(1, 22050, 8, 17, 3);
         s.bExtraChunk = true;
         return BuildWave(s);
       },
       true, nullptr},
      {"20-byte fmt", [] { return BuildWave(WaveLayout(1, 22050, 8, 20, 100)); }, false, kNotPcmShape},
      {"compressed format",
       [] {
         cWaveLayout s = WaveLayout(1, 22050, 8, 16, 100);
         s.nFormatTag = 2;
         return BuildWave(s);
       },
       false, "PCM形式以外の形式です"},
      {"not RIFF",
       [] {
         auto bytes = BuildWave(WaveLayout(1, 22050, 8, 16, 100));
         bytes[0] = 'X';
         return bytes;
       },
       false, kBadFile},
      {"RIFF of another form",
       [] {
         auto bytes = BuildWave(WaveLayout(1, 22050, 8, 16, 100));
         bytes[8] = 'A';
         return bytes;
       },
       false, kBadFile},
      {"shorter than a RIFF head", [] { return std::vector<std::uint8_t>{'R', 'I', 'F', 'F', 0}; }, false, kBadFile},
      {"file ends inside the fmt chunk",
       [] {
         auto bytes = BuildWave(WaveLayout(1, 22050, 8, 16, 100));
         bytes.resize(28);
         return bytes;
       },
       false, kNotPcmShape},
      {"data size past the end (truncated file)",
       [] {
         cWaveLayout s = WaveLayout(1, 22050, 8, 16, 100);
         s.nDataSizeClaim = 101;
         return BuildWave(s);
       },
       false, kBadFile},
      {"data size of 4 GB",
       [] {
         cWaveLayout s = WaveLayout(1, 22050, 8, 16, 100);
         s.nDataSizeClaim = 0xFFFFFFF0u;
         return BuildWave(s);
       },
       false, kBadFile},
      {"empty data chunk", [] { return BuildWave(WaveLayout(1, 22050, 8, 16, 0)); }, false, nullptr},
      {"no data chunk",
       [] {
         auto bytes = BuildWave(WaveLayout(1, 22050, 8, 16, 0));
         bytes.resize(bytes.size() - 8);
         return bytes;
       },
       false, nullptr},
  };
  for (const cWaveCase& c : cases) {
    SCOPED_TRACE(c.name);
    WriteTestFile("se.wav", c.build());
    ResetReport();
    WAVEDATA wave;
    EXPECT_EQ(DSLoadWave("se.wav", &wave), c.bLoads);
    EXPECT_EQ(wave.pData != nullptr, c.bLoads);
    if (c.report != nullptr) {
      EXPECT_NE(Report().find(c.report), std::string::npos) << Report();
      EXPECT_NE(Report().find("se.wav"), std::string::npos);
    } else {
      EXPECT_EQ(Report(), "");
    }
  }
}

TEST_F(WaveFileTest, FormatAndSamplesAreKept) {
  cWaveLayout layout = WaveLayout(2, 44100, 16, 18, 0);
  layout.vSamples = Pcm16Bytes({1, -2, 300, -400});
  WriteTestFile("se.wav", BuildWave(layout));
  WAVEDATA wave;
  ASSERT_TRUE(DSLoadWave("se.wav", &wave));
  EXPECT_EQ(wave.wfx.nChannels, 2);
  EXPECT_EQ(wave.wfx.nSamplesPerSec, 44100u);
  EXPECT_EQ(wave.wfx.wBitsPerSample, 16);
  EXPECT_EQ(wave.wfx.nBlockAlign, 4);
  EXPECT_EQ(wave.wfx.cbSize, 0);
  ASSERT_EQ(wave.dwDataSize, 8u);
  EXPECT_EQ(std::vector<std::uint8_t>(wave.pData.get(), wave.pData.get() + 8), layout.vSamples);
  DSFreeWave(&wave);
  EXPECT_EQ(wave.pData, nullptr);
}

TEST_F(WaveFileTest, MissingFileFailsWithoutAMessage) {
  WAVEDATA wave;
  EXPECT_FALSE(DSLoadWave("nothing.wav", &wave));
  EXPECT_EQ(Report(), "");
}

}  // namespace
