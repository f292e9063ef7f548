// Media files that are not what they should be: a folder or a named pipe where a sound,
// a song (MIDI or OGG) or a picture should be is refused at once and named in the report log, and a
// picture or a sound that is there but cannot be used leaves a report line too (the
// error-check log, where these failures also go, is off in the player); so does a missing
// picture that its reader cannot do without.
#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/report_log.h"
#include "media/draw/dd_colour.h"
#include "media/draw/dd_surface.h"
#include "media/sound/midi_file.h"
#include "media/sound/sound.h"
#include "media/sound/vox.h"
#include "media/sound/wave_file.h"
#include "platform/audio_device.h"
#include "platform/host_files.h"
#include "platform/sound_buffer.h"
#include "tests/media/draw_test_util.h"
#include "tests/support/wave_builder.h"

namespace {

class UnfitMediaFilesTest : public cDisplayTest {
 protected:
  void SetUp() override {
    cDisplayTest::SetUp();
    ASSERT_EQ(OpenReportLog("Report_Game.txt"), 1);
  }
  void ResetReport() {
    std::filesystem::remove("Report_Game.txt");
    ForgetDirectoryListings();
    ASSERT_EQ(OpenReportLog("Report_Game.txt"), 1);
  }
  static std::string Report() { return ReadBytes("Report_Game.txt"); }
};

TEST_F(UnfitMediaFilesTest, WhatStandsInPlaceOfAMediaFileIsNamed) {
  ASSERT_TRUE(Bring(kAllConfigs[6]));
  UseNullAudioOutput();
  struct Loader {
    const char* name;
    std::function<bool(const char*)> load;  // true when the file loaded
  };
  const std::vector<Loader> loaders = {
      {"se.wav",
       [](const char* path) {
         WAVEDATA wave;
         return DSLoadWave(path, &wave);
       }},
      {"song.mid", [](const char* path) { return cMidiFile(path).HasImage(); }},
      {"song.ogg",
       [](const char* path) {
         cVox vox;
         vox.Init();
         vox.Create(1);
         return vox.Play(0, path, 0) != 0;
       }},
      {"picture.bmp",
       [](const char* path) {
         DDSURFACEDATA surface;
         const int code = DDCreateSurfaceFromFile(&surface, path, 1, g_nBpp, 0, 0, 0, 0, 0, 0, 0);
         DDReleaseSurface(&surface);
         return code == 0;
       }},
  };
  struct Case {
    const char* what;
    std::function<void(const std::string&)> make;
    std::string report;
  };
  const std::vector<Case> cases = {
      {"folder", [](const std::string& p) { std::filesystem::create_directory(p); }, "ファイルではなくフォルダです"},
      {"named pipe", [](const std::string& p) { ASSERT_EQ(mkfifo(p.c_str(), 0600), 0); },
       "ファイルではなく名前付きパイプです"},
  };
  for (const Case& c : cases) {
    for (const Loader& loader : loaders) {
      SCOPED_TRACE(std::string(c.what) + " as " + loader.name);
      c.make(loader.name);
      ForgetDirectoryListings();
      ResetReport();
      EXPECT_FALSE(loader.load(loader.name));
      EXPECT_NE(Report().find(c.report), std::string::npos) << Report();
      EXPECT_NE(Report().find(loader.name), std::string::npos) << Report();
      std::filesystem::remove(loader.name);
    }
  }
}

TEST_F(UnfitMediaFilesTest, APictureThatIsThereButUnreadableIsReportedAndAMissingOneIsNot) {
  for (const DisplayConfig& config : {kAllConfigs[0], kAllConfigs[6]}) {
    SCOPED_TRACE(config.name);
    ASSERT_TRUE(Bring(config));
    WriteFile("text.bmp", std::string(200, 'x'));
    ResetReport();
    DDSURFACEDATA surface;
    EXPECT_EQ(DDCreateSurfaceFromFile(&surface, "text.bmp", 1, g_nBpp, 0, 0, 0, 0, 0, 0, 0), 8);
    EXPECT_NE(Report().find("text.bmp : ビットマップとして読み込めません"), std::string::npos) << Report();
    ResetReport();
    EXPECT_EQ(DDCreateSurfaceFromFile(&surface, "missing.bmp", 1, g_nBpp, 0, 0, 0, 0, 0, 0, 0), 8);
    EXPECT_EQ(Report(), "");
    DDReleaseSurface(&surface);
    DDEnd();
  }
}

TEST_F(UnfitMediaFilesTest, APictureReadForItsPaletteACopyOrItsSizeNamesTheFileAndWhy) {
  // DirectDraw: DDIsBitmapLarger reads the file only there.
  ASSERT_TRUE(Bring(kAllConfigs[6]));
  struct Caller {
    const char* name;
    std::function<bool(const char*)> load;  // true when the picture was read
  };
  const std::vector<Caller> callers = {
      {"DDLoadPaletteFromFile",
       [](const char* path) {
         PALETTEENTRY palette[256] = {};
         return DDLoadPaletteFromFile(palette, path, 1);
       }},
      {"CopyBitmap",
       [](const char* path) {
         DDSURFACEDATA surface;
         return CopyBitmap(&surface, path, g_nBpp, 0, 0, 0);
       }},
      {"DDIsBitmapLarger",
       [](const char* path) {
         int larger = 1;
         const int read = DDIsBitmapLarger(&larger, path, 640, 480);
         EXPECT_EQ(larger, 0);
         return read != 0;
       }},
  };
  struct Case {
    const char* what;
    std::function<void(const std::string&)> make;
    std::string report;
  };
  const std::vector<Case> cases = {
      {"missing", [](const std::string&) {}, "ファイルが見つかりません"},
      {"folder", [](const std::string& p) { std::filesystem::create_directory(p); }, "ファイルではなくフォルダです"},
      {"text", [](const std::string& p) { WriteFile(p, std::string(200, 'x')); }, "ビットマップとして読み込めません"},
  };
  for (const Caller& caller : callers) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(caller.name) + ", " + c.what);
      c.make("picture.bmp");
      ForgetDirectoryListings();
      ResetReport();
      EXPECT_FALSE(caller.load("picture.bmp"));
      EXPECT_NE(Report().find(std::string("picture.bmp : ") + c.report), std::string::npos) << Report();
      std::filesystem::remove("picture.bmp");
    }
  }
  // A stage background slot without a picture has a blank name: nothing to report.
  ResetReport();
  int larger = 1;
  EXPECT_EQ(DDIsBitmapLarger(&larger, "", 640, 480), 0);
  EXPECT_EQ(Report(), "");
  DDEnd();
}

TEST_F(UnfitMediaFilesTest, ASoundWhoseFormatCannotPlaySaysWhy) {
  UseNullAudioOutput();
  ASSERT_TRUE(DS_Init(nullptr, 22050, 8, 1));
  cWaveLayout layout;
  layout.nChannels = 3;  // PCM, so the reader takes it; no buffer plays three channels
  layout.vSamples = std::vector<std::uint8_t>(30, 0x80);
  const std::vector<std::uint8_t> bytes = BuildWave(layout);
  WriteFile("se.wav", std::string(bytes.begin(), bytes.end()));
  ResetReport();
  std::unique_ptr<cSoundBuffer> buffer;
  EXPECT_FALSE(DSCreateBuffer(&buffer, "se.wav"));
  EXPECT_NE(Report().find("se.wav生成失敗！"), std::string::npos) << Report();
  DSRelease();
}

}  // namespace
