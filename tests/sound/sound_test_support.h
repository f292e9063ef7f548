#pragma once
// Sound tests run with no audio device: the mixer is pulled by the test itself, so every
// sample is known.
#include <filesystem>
#include <string>
#include <vector>

#include "app/report_log.h"
#include "media/sound/sound.h"
#include "platform/audio_device.h"
#include "platform/audio_mixer.h"
#include "platform/host_files.h"
#include "tests/support/temp_dir.h"

class cSoundTest : public cTempDirTest {
 protected:
  void SetUp() override {
    cTempDirTest::SetUp();
    ASSERT_EQ(OpenReportLog("Report_Game.txt"), 1);
    SetECLog(1, "EC_Game.txt");
    UseNullAudioOutput();
    ASSERT_TRUE(DS_Init(nullptr, 22050, 8, 1));
  }
  void TearDown() override {
    DSRelease();
    SetECLog(0, "EC_Game.txt");
    cTempDirTest::TearDown();
  }

  // Renders `frames` stereo frames of the whole mix.
  static std::vector<float> Pull(int frames) {
    std::vector<float> out(static_cast<std::size_t>(frames) * kMixChannels);
    GetAudioMixer().Render(out.data(), frames);
    return out;
  }
  // Starts the report log afresh, for tables of cases that each look at it.
  static void ResetReport() {
    std::filesystem::remove("Report_Game.txt");
    ForgetDirectoryListings();
    ASSERT_EQ(OpenReportLog("Report_Game.txt"), 1);
  }
  static std::string Report() { return ReadBytes("Report_Game.txt"); }
  static std::string ECLog() { return ReadBytes("EC_Game.txt"); }
};
