// The demo game as the player meets it: every file it writes loads with the program's own
// readers, the pictures come up on both back ends, and no file start-up needs is missing.
#include "demo/demo_game.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <sstream>
#include <string>
#include <vector>

#include "app/report_log.h"
#include "data/database/database.h"
#include "data/palette/palette.h"
#include "data/stage/stage_data.h"
#include "data/system/system_data.h"
#include "data/system/system_ini_keys.h"
#include "data/worldmap/world_map.h"
#include "demo/demo_blend_tables.h"
#include "demo/demo_stage.h"
#include "media/draw/dd_colour.h"
#include "media/sound/midi_file.h"
#include "media/sound/wave_file.h"
#include "platform/host_files.h"
#include "shell/startup_files.h"
#include "tests/media/draw_test_util.h"
#include "writers/game_writer.h"

namespace {

class DemoGameTest : public cDisplayTest {
 protected:
  void SetUp() override {
    cDisplayTest::SetUp();
    ASSERT_EQ(WriteDemoGame(), 1);
    ForgetDirectoryListings();
  }
};

TEST_F(DemoGameTest, EveryFileStartUpNeedsIsWritten) {
  const std::vector<std::string> written = DemoGameFiles();
  for (const std::string& path : written) EXPECT_NE(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES) << path;
  const std::vector<std::string> mandatory = MandatoryGameFiles();
  EXPECT_EQ(mandatory.size(), 29u);  // ten databases, System.dat, 16 pictures, the map, the palette
  for (const std::string& path : mandatory)
    EXPECT_NE(std::find(written.begin(), written.end(), path), written.end()) << path << " is needed at start";
}

TEST_F(DemoGameTest, TheGameDataLoadsWithTheRecordsReaders) {
  EXPECT_EQ(g_Database.Load(), 1);
  EXPECT_EQ(g_Database.m_Bgm[1].m_strFile, "bgm\\Title.mid");
  EXPECT_EQ(g_SystemData.LoadFromFile("data\\System.dat"), 1);
  EXPECT_EQ(g_SystemData.m_strTitle, kDemoGameTitle);
  EXPECT_EQ(g_WorldMap.LoadFromFile(kWorldMapPath), 1);
  EXPECT_EQ(LoadCommonPalette(), 1);
  cStageData stage;
  EXPECT_EQ(stage.LoadFromFile(GameStagePath("stage1").c_str()), 1);
  // Every sound the game names is a file that is there.
  for (const std::string& file : g_SystemData.m_SystemSounds)
    EXPECT_NE(GetFileAttributesA(file.c_str()), INVALID_FILE_ATTRIBUTES) << file;
}

// The demo's numbers are those of a game made with care: reading them repairs nothing.
TEST_F(DemoGameTest, TheGameDataLoadsWithoutARangeRepair) {
  ASSERT_EQ(OpenReportLog("Report_Game.txt"), 1);
  EXPECT_EQ(g_Database.Load(), 1);
  EXPECT_EQ(g_SystemData.LoadFromFile("data\\System.dat"), 1);
  EXPECT_EQ(g_WorldMap.LoadFromFile(kWorldMapPath), 1);
  EXPECT_EQ(LoadCommonPalette(), 1);
  int stages = 0;
  for (const std::string& path : DemoGameFiles()) {
    if (path.find(".stg4_") == std::string::npos) continue;
    cStageData stage;
    EXPECT_EQ(stage.LoadFromFile(path.c_str()), 1) << path;
    ++stages;
  }
  EXPECT_GE(stages, 2);
  std::istringstream lines(ReadBytes("Report_Game.txt"));
  std::string line;
  while (std::getline(lines, line)) {
    EXPECT_EQ(line.find("の外のため"), std::string::npos) << line;
    EXPECT_EQ(line.find("有限の数ではないため"), std::string::npos) << line;
  }
}

TEST_F(DemoGameTest, SystemIniHoldsTheKeyTableAndEndsWithExit) {
  std::istringstream lines(ReadBytes("System.ini"));
  std::vector<std::string> keys;
  std::string line, last;
  int direct3D = -1, windowMode = -1;
  while (std::getline(lines, line)) {
    last = line;
    EXPECT_EQ(line.find('\r'), std::string::npos);
    const std::size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    const std::string key = line.substr(0, eq);
    keys.push_back(key);
    if (key == "Direct3D") direct3D = std::stoi(line.substr(eq + 1));
    if (key == "WindowMode") windowMode = std::stoi(line.substr(eq + 1));
  }
  EXPECT_EQ(last, "Exit");
  EXPECT_EQ(direct3D, 1);  // no start-up dialog
  EXPECT_EQ(windowMode, 1);
  // Every key of the table but the empty FreeStage, in the table's order.
  std::vector<std::string> expected;
  for (int i = 0; i < INIKEY_COUNT; ++i)
    if (i != INIKEY_FREE_STAGE) expected.push_back(SystemIniKeys[i].lpKey);
  EXPECT_EQ(keys, expected);
}

TEST_F(DemoGameTest, ThePicturesComeUpOnBothBackEnds) {
  std::vector<int> rows(kFixedSurfaceCount);
  std::iota(rows.begin(), rows.end(), 0);
  for (const DisplayConfig& config : {kAllConfigs[0], kAllConfigs[3]}) {
    ASSERT_TRUE(DDInit(config.bDirect3D, nullptr, 640, 480, config.nBpp, 0, config.bWindow, 1, 60, 0, g_FixedSurface,
                       g_FixedSurfaceDef, kFixedSurfaceCount, 0))
        << config.name;
    ASSERT_TRUE(DDLoadPaletteFromFile(g_Palette, "bmp\\plt\\Palette.bmp", config.bWindow)) << config.name;
    EXPECT_EQ(g_Palette[0].peRed, 255);  // entry 0 is the transparent magenta
    EXPECT_EQ(g_Palette[0].peBlue, 255);
    EXPECT_EQ(SetTrans("bmp\\plt\\Palette.bmp"), 1);
    EXPECT_TRUE(DDLoadSurfaces(g_FixedSurface, rows.data(), kFixedSurfaceCount)) << config.name;
    EXPECT_EQ(g_FixedSurface[47].nWidth, 640);  // the title picture
    EXPECT_EQ(g_FixedSurface[47].nHeight, 480);
    for (DDSURFACEDATA& sd : g_FixedSurface) DDReleaseSurface(&sd);
    DDEnd();
  }
}

// At 8 bits the player reads the blend table of the palette variant the options chose and
// turns the palette as that variant says; each table must blend in the palette it goes
// with: entry a x 256 + b a colour nearest the average of a and b, never the transparent 0.
TEST_F(DemoGameTest, EachBlendTableBlendsInItsVariantsPalette) {
  const DisplayConfig& config = kAllConfigs[3];  // DirectDraw at 8 bits
  ASSERT_TRUE(DDInit(config.bDirect3D, nullptr, 640, 480, config.nBpp, 0, config.bWindow, 1, 60, 0, g_FixedSurface,
                     g_FixedSurfaceDef, kFixedSurfaceCount, 0));
  const auto distance = [](const PALETTEENTRY& e, const int mean[3]) {
    const int d[3] = {e.peRed - mean[0], e.peGreen - mean[1], e.peBlue - mean[2]};
    return d[0] * d[0] + d[1] * d[1] + d[2] * d[2];
  };
  for (int n = 0; n < kDemoPaletteVariants; ++n) {
    SCOPED_TRACE(n);
    ASSERT_EQ(SetPaletteVariant(n), 1);
    for (int a = 0; a < 256; a += 5) {
      for (int b = 0; b < 256; b += 3) {
        const PALETTEENTRY& ea = g_DispPalette[a];
        const PALETTEENTRY& eb = g_DispPalette[b];
        const int mean[3] = {(ea.peRed + eb.peRed) / 2, (ea.peGreen + eb.peGreen) / 2, (ea.peBlue + eb.peBlue) / 2};
        int best = INT32_MAX;
        for (int i = 1; i < 256; ++i) best = std::min(best, distance(g_DispPalette[i], mean));
        const int blended = g_BlendTable[a * 256 + b];
        ASSERT_NE(blended, 0) << a << " " << b;
        ASSERT_EQ(distance(g_DispPalette[blended], mean), best) << a << " " << b << " gave " << blended;
      }
    }
  }
  DDEnd();
}

TEST_F(DemoGameTest, TheSoundsAreWhatThePlayerPlays) {
  for (const char* path : {"se\\cursor.wav", "se\\decide.wav", "se\\cancel.wav", "se\\jump.wav", "se\\coin.wav"}) {
    WAVEDATA wave;
    ASSERT_TRUE(DSLoadWave(path, &wave)) << path;
    EXPECT_EQ(wave.wfx.nSamplesPerSec, 22050u) << path;
    EXPECT_EQ(wave.wfx.wBitsPerSample, 8) << path;
    EXPECT_EQ(wave.wfx.nChannels, 1) << path;
    EXPECT_GT(wave.dwDataSize, 500u) << path;
    DSFreeWave(&wave);
  }
  const cMidiFile song("bgm\\Title.mid");
  EXPECT_TRUE(song.HasImage());
}

// Stages written elsewhere (the tests' own) play under the rules of a new game: the demo
// keeps every rule switch as a new system record has it.
TEST_F(DemoGameTest, SystemDatKeepsEveryRuleSwitchAtItsDefault) {
  ASSERT_EQ(g_SystemData.LoadFromFile("data\\System.dat"), 1);
  const cSystemData fresh;
  const std::int32_t cSystemData::*rules[] = {
      &cSystemData::m_bRuleScrollSync,
      &cSystemData::m_bRuleChara261,
      &cSystemData::m_bRuleDefeat272,
      &cSystemData::m_bRuleTrigger525,
      &cSystemData::m_bRuleShot555,
      &cSystemData::m_bRuleBlockSpawn637,
      &cSystemData::m_bRuleKeySeq669,
      &cSystemData::m_bRuleLanding677,
      &cSystemData::m_bRuleMoveTime695,
      &cSystemData::m_bRule696,
      &cSystemData::m_bRuleSetStage697,
      &cSystemData::m_bRuleWarp721,
      &cSystemData::m_bRuleCharge728,
      &cSystemData::m_bRuleDistance733,
      &cSystemData::m_bRuleTrigger744,
      &cSystemData::m_bRule749,
      &cSystemData::m_bRuleCode752,
      &cSystemData::m_bRuleHitGroups763a,
      &cSystemData::m_bRuleHitGroups763b,
      &cSystemData::m_bRulePlaceChara768,
      &cSystemData::m_bRuleMoveStraight773,
      &cSystemData::m_bRuleBlockAbove781,
      &cSystemData::m_bRuleDistanceCond782,
      &cSystemData::m_bRuleMoveStraight783,
      &cSystemData::m_bRuleGroundStick793,
      &cSystemData::m_bRuleGroundTurn805,
      &cSystemData::m_bRuleSolidChara808,
  };
  for (const auto rule : rules) EXPECT_EQ(g_SystemData.*rule, fresh.*rule);
}

// The first stage is a walk through the stage of DemoFirstStage: wider than the screen,
// with the hero's walk, jump and shot and gaps in the floor.
TEST_F(DemoGameTest, TheFirstStageIsTheWalkWithGaps) {
  cStageData stage;
  ASSERT_EQ(stage.LoadFromFile(GameStagePath("stage1").c_str()), 1);
  const cStagePlan plan = DemoFirstStage();
  EXPECT_EQ(stage.m_nWidth, PlanWidth(plan));
  EXPECT_GT(stage.m_nWidth * 32, 640);
  ASSERT_EQ(stage.HasHero(), 1);
  const cPaletteChara& hero = stage.m_vCharaPlace[static_cast<std::size_t>(stage.GetHeroIndex())];
  EXPECT_EQ(hero.m_vFlow.size(), 4u);  // walk, jump, shot and the greeting
  int floorCells = 0;
  for (const cPaletteBlock& block : stage.m_vBlockPlace)
    if (block.m_nCellY == stage.m_nHeight - 1) ++floorCells;
  EXPECT_LT(floorCells, stage.m_nWidth);
}

}  // namespace
