#include "platform/audio_device.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "app/report_log.h"
#include "media/sound/sound.h"
#include "platform/win_time.h"
#include "tests/support/temp_dir.h"
#include "tests/support/wave_builder.h"

namespace {

class AudioOutputTest : public cTempDirTest {
 protected:
  void SetUp() override {
    cTempDirTest::SetUp();
    ASSERT_EQ(OpenReportLog("Report_Game.txt"), 1);
    UseNullAudioOutput(false);
  }
  void TearDown() override {
    DSRelease();
    unsetenv("SDL_AUDIODRIVER");
    cTempDirTest::TearDown();
  }
};

TEST_F(AudioOutputTest, WithoutASoundDeviceStartUpGoesOnSilently) {
  // A driver that does not exist stands for a machine with no sound server and no card.
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  ASSERT_TRUE(DS_Init(nullptr, 22050, 8, 1));
  EXPECT_EQ(CurrentAudioOutput(), eAudioOutput::kDummy);
  EXPECT_NE(ReadBytes("Report_Game.txt").find("playing silently"), std::string::npos) << ReadBytes("Report_Game.txt");

  // Sounds load and play through the dummy device's callback, in real time.
  cWaveLayout layout;
  layout.vSamples.assign(2205, 0xC0);
  WriteTestFile("se.wav", BuildWave(layout));
  cSound sound;
  ASSERT_TRUE(DSLoadSound(&sound, "se.wav", 1, 0));
  DSPlay(&sound, 0);
  // The play is taken up by the next callback and lasts 0.1 s; 5 s is far beyond both.
  const DWORD start = timeGetTime();
  while (GetAudioMixer().FramesRendered() < 2 * 4410 && static_cast<LONG>(timeGetTime() - start) < 5000) Sleep(1);
  while (sound.m_ppBuffer[0]->IsPlaying() && static_cast<LONG>(timeGetTime() - start) < 5000) Sleep(1);
  EXPECT_FALSE(sound.m_ppBuffer[0]->IsPlaying());
  EXPECT_GT(GetAudioMixer().FramesRendered(), 0u);
  DSReleaseSound(&sound);
}

}  // namespace
