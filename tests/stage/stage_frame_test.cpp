// Stage frames drawn on a display and checked pixel by pixel: the frame without a visible
// background, a background picture repeated across the screen from a wrapped origin (and
// a ninth background, which has no picture row, never drawn), the order the layers of a
// frame cover each other in, the status bar's backdrop shown only while an item is
// enabled, the screen colour over the finished frame (Direct3D) or in the display palette
// (DirectDraw at 8 bits), and the shakes and the blink of the screen effects frame by frame.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "data/database/database.h"
#include "data/palette/palette_block.h"
#include "data/palette/palette_chara.h"
#include "data/palette/palette_item.h"
#include "data/save/progress.h"
#include "data/stage/stage_data.h"
#include "data/system/sys_status_item.h"
#include "data/system/system_data.h"
#include "media/draw/dd_colour.h"
#include "media/draw/dd_pixels.h"
#include "media/draw/font.h"
#include "media/draw/glyph_ink.h"
#include "media/input/input.h"
#include "objects/chara.h"
#include "objects/part_graphic.h"
#include "objects/shot.h"
#include "shell/game_mgr.h"
#include "stage/effect_records.h"
#include "stage/effect_run_tables.h"
#include "stage/scene_game.h"
#include "stage/stage_world.h"
#include "tests/media/draw_test_util.h"
#include "tests/support/box_glyph_source.h"

namespace {

constexpr int kBackRow = 55;
constexpr int kStatusWindowRow = 46;
constexpr int kNoBackColour = 16;
constexpr int kLeftColour = 20;
constexpr int kRightColour = 40;
constexpr int kNinthColour = 60;
constexpr int kStatusColour = 70;
constexpr int kFloorColour = 50;
constexpr int kHeroColour = 30;
constexpr int kItemColour = 90;
constexpr int kTextColour = 5;
constexpr int kShotColour = 100;
constexpr int kFrontColour = 110;

// The display modes the frames are checked in: both back ends, palette and true colour.
const DisplayConfig kFrameConfigs[] = {kAllConfigs[0], kAllConfigs[1], kAllConfigs[3], kAllConfigs[5]};

std::uint32_t Rgb(int x, int y) {
  const cPixelBuffer& px = Pixels(&g_BackBuffer);
  const std::uint32_t p = px.Get(x, y);
  if (px.format == ePixelFormat::kP8) {
    const PALETTEENTRY& e = g_DispPalette[p & 255];
    return (static_cast<std::uint32_t>(e.peRed) << 16) | (e.peGreen << 8) | e.peBlue;
  }
  return PixelToArgb(px.format, p) & 0xFFFFFF;
}

// Equal within what a 16-bit format keeps of each channel.
bool Near(std::uint32_t a, std::uint32_t b) {
  for (int shift = 0; shift < 24; shift += 8) {
    const int ca = static_cast<int>((a >> shift) & 255);
    const int cb = static_cast<int>((b >> shift) & 255);
    if (std::abs(ca - cb) > 8) return false;
  }
  return true;
}

class StageFrameTest : public cDisplayTest {
 protected:
  void SetUp() override {
    cDisplayTest::SetUp();
    m_SavedStage = g_StageData;
    m_SavedStageOrg = g_StageDataOrg;
    m_SavedSystem = g_SystemData;
    m_SavedProgress = g_Progress;
    m_nSavedTitleSel = g_GameMgr.m_nTitleSel;
    m_nSavedPlayMode = g_GameMgr.m_nPlayMode;
    g_StageData = cStageData();
    g_SystemData.m_StatusItems.assign(STATUSITEM_COUNT, cSysStatusItem());
    g_SystemData.m_bRecordReplay = 0;
    g_Input.assign(1, cInput());
    g_Progress.NewGame();
    g_Progress.m_Vars.assign(1001, 0);
    g_GameMgr.m_nTitleSel = TITLEITEM_FREE;
    g_GameMgr.m_nPlayMode = 2;
  }
  void TearDown() override {
    g_lpSceneGame = nullptr;
    delete m_pScene;
    m_pScene = nullptr;
    g_StageData = m_SavedStage;
    g_StageDataOrg = m_SavedStageOrg;
    g_SystemData = m_SavedSystem;
    g_Progress = m_SavedProgress;
    g_GameMgr.m_nTitleSel = m_nSavedTitleSel;
    g_GameMgr.m_nPlayMode = m_nSavedPlayMode;
    cDisplayTest::TearDown();
  }

  // A scene over no blocks and no objects, the view at the stage's top-left.
  bool BringScene(const DisplayConfig& config) {
    if (!Bring(config)) return false;
    m_pScene = new cSceneGame();
    g_lpSceneGame = m_pScene;
    m_pScene->m_ScrollX.m_nMargin = 10;
    m_pScene->m_ScrollY.m_nMargin = 10;
    m_pScene->m_ScrollX.m_dPos = 320;
    m_pScene->m_ScrollY.m_dPos = 320;
    m_pScene->m_bNoTimeLimit = 1;
    m_pScene->m_nState = GAMESTATE_PLAY;
    return true;
  }

  // Background picture: 64 x 64, its left half kLeftColour, its right half kRightColour.
  static bool MakeBackgroundPicture() {
    DDSURFACEDATA* sd = &g_FixedSurface[kBackRow];
    if (!DDCreateSurface(sd, 64, 64, 1, 0, 0, 0, 0)) return false;
    DDFillRect(sd, 0, 0, 32, 64, kLeftColour);
    DDFillRect(sd, 32, 0, 32, 64, kRightColour);
    return true;
  }

  cSceneGame* m_pScene = nullptr;
  cStageData m_SavedStage;
  cStageData m_SavedStageOrg;
  cSystemData m_SavedSystem;
  cProgress m_SavedProgress;
  int m_nSavedTitleSel = 0;
  int m_nSavedPlayMode = 0;
};

TEST_F(StageFrameTest, WithoutAVisibleBackgroundTheFrameIsFilled) {
  for (const DisplayConfig& config : kFrameConfigs) {
    SCOPED_TRACE(config.name);
    ASSERT_TRUE(BringScene(config));
    g_StageData.m_vBack.assign(2, cStageBack());  // none visible
    m_pScene->Draw(1, 0, 0, 0);
    const std::uint32_t fill = TestPaletteColour(kNoBackColour);
    for (const auto& [x, y] : {std::pair{0, 0}, std::pair{639, 479}, std::pair{320, 240}})
      EXPECT_TRUE(Near(Rgb(x, y), fill));
    TearDown();
    SetUp();
  }
}

TEST_F(StageFrameTest, ABackgroundRepeatsFromItsWrappedOriginAndANinthIsNeverDrawn) {
  for (const DisplayConfig& config : kFrameConfigs) {
    SCOPED_TRACE(config.name);
    ASSERT_TRUE(BringScene(config));
    ASSERT_TRUE(MakeBackgroundPicture());
    g_StageData.m_vBack.assign(9, cStageBack());
    cStageBack& back = g_StageData.m_vBack[0];
    back.m_bVisible = 1;
    // Following the view fully from 20 dots left of the stage's first column: the origin
    // x = (300 - 320) x 1 = -20 wraps to picture column 44; y follows at factor 0.
    m_pScene->m_ScrollX.m_dPos = 300;
    back.m_dSpeedX = 1.0;
    back.m_dSpeedY = 0;
    // The ninth: a front fill that would cover the frame if it were drawn.
    cStageBack& ninth = g_StageData.m_vBack[8];
    ninth.m_bVisible = 1;
    ninth.m_bFill = 1;
    ninth.m_nFillColour = kNinthColour;
    ninth.m_nLayer = 1;
    m_pScene->Draw(1, 0, 0, 0);
    struct Probe {
      int x, y, colour;
    };
    // Picture column = (x + 44) mod 64.
    const Probe probes[] = {{0, 0, kRightColour},  {19, 5, kRightColour}, {20, 5, kLeftColour},
                            {51, 70, kLeftColour}, {52, 70, kRightColour}, {639, 479, kRightColour}};
    for (const Probe& p : probes) {
      SCOPED_TRACE(testing::Message() << p.x << "," << p.y);
      EXPECT_TRUE(Near(Rgb(p.x, p.y), TestPaletteColour(p.colour)))
          << std::hex << Rgb(p.x, p.y) << " "
          << DumpPixels(std::string("background_") + config.name, Pixels(&g_BackBuffer));
    }
    TearDown();
    SetUp();
  }
}

// Shots cover the characters of their layer; front blocks cover the characters and are
// covered by the front background, which shows what lies behind through its transparent
// pixels; the first back background is opaque.
TEST_F(StageFrameTest, TheLayersOfAFrameCoverEachOtherInOrder) {
  for (const DisplayConfig& config : {kAllConfigs[0], kAllConfigs[5]}) {
    SCOPED_TRACE(config.name);
    ASSERT_TRUE(BringScene(config));
    // Block graphic 1: the block sheet's cell (0, 32); character graphic 1: the first
    // character sheet; shot graphic 0: the shot sheet's first cell.
    for (const int row : {2, 3}) {
      ASSERT_TRUE(DDCreateSurface(&g_FixedSurface[row], 64, 480, 1, 0, 0, 0, 0));
      DDFillRect(&g_FixedSurface[row], 0, 32, 32, 32, kFloorColour);
    }
    for (const int row : {4, 5}) {
      ASSERT_TRUE(DDCreateSurface(&g_FixedSurface[row], 640, 480, 1, 0, 0, 0, 0));
      DDFillSurface(&g_FixedSurface[row], kHeroColour);
    }
    for (const int row : {20, 21}) {
      ASSERT_TRUE(DDCreateSurface(&g_FixedSurface[row], 128, 480, 1, 0, 0, 0, 0));
      DDFillSurface(&g_FixedSurface[row], kShotColour);
    }
    cStageData& stage = g_StageData;
    stage.m_nWidth = 20;
    stage.m_nHeight = 15;
    stage.m_nCollisionLevel = 2;
    stage.m_nStageFps = 60;
    stage.m_bLayeredDraw = 1;
    cPaletteChara hero;
    hero.m_nController = CHARACTRL_PLAYER;
    hero.m_nGraphic = 1;
    hero.m_nCellX = 12;
    hero.m_nCellY = 5;
    hero.m_nCarryItem = -1;
    cPaletteChara shotAt = hero;
    shotAt.m_nController = CHARACTRL_COMPUTER;
    shotAt.m_nCellX = 4;
    cPaletteChara underBlock = shotAt;
    underBlock.m_nCellX = 8;
    stage.m_vCharaPlace = {hero, shotAt, underBlock};
    // Front blocks: one behind an opaque column of the front background, one behind a
    // transparent column, one over the second character.
    for (const auto& [x, y] : {std::pair{5, 8}, std::pair{6, 8}, std::pair{8, 5}}) {
      cPaletteBlock block;
      block.m_nGraphic = 1;
      block.m_nLayer = 1;
      block.m_nHit = 0;
      block.m_nCellX = static_cast<std::int16_t>(x);
      block.m_nCellY = static_cast<std::int16_t>(y);
      stage.m_vBlockPlace.push_back(block);
    }
    // The back picture is one colour; the front one repeats every 64 dots, its left half
    // transparent. Both stand still on the screen.
    stage.m_vBack.assign(2, cStageBack());
    for (int i = 0; i < 2; ++i) {
      stage.m_vBack[i].m_bVisible = 1;
      stage.m_vBack[i].m_nLayer = i;
      stage.m_vBack[i].m_dSpeedX = 0;
      stage.m_vBack[i].m_dSpeedY = 0;
    }
    g_StageDataOrg = stage;
    ASSERT_EQ(m_pScene->SetStage(0, 1), SETSTAGE_READY);
    ASSERT_TRUE(DDCreateSurface(&g_FixedSurface[kBackRow], 64, 64, 1, 0, 0, 0, 0));
    DDFillSurface(&g_FixedSurface[kBackRow], kLeftColour);
    ASSERT_TRUE(DDCreateSurface(&g_FixedSurface[kBackRow + 1], 64, 64, 1, 0, 0, 0, 0));
    DDFillRect(&g_FixedSurface[kBackRow + 1], 0, 0, 32, 64, 0);
    DDFillRect(&g_FixedSurface[kBackRow + 1], 32, 0, 32, 64, kFrontColour);
    ASSERT_EQ(g_listChara.size(), 2u);
    for (cChara& chara : g_listChara) chara.m_bOnScreen = 1;
    const cChara& target = g_listChara.front();
    cShot shot;
    shot.m_bFlying = 1;
    shot.m_bOnScreen = 1;
    shot.m_nCellW = shot.m_nCellH = 16;
    shot.m_dX = target.m_dX + 8;
    shot.m_dY = target.m_dY + 8;
    shot.m_dRight = shot.m_dX + 15;
    shot.m_dBottom = shot.m_dY + 15;
    shot.m_EdShot.m_nZ = target.m_Def.m_nZ;  // the character's layer
    m_pScene->m_lstShot.push_back(shot);
    m_pScene->Draw(1, 0, 0, 0);
    // The first character stands at 128-159, 160-191, in a transparent column.
    ASSERT_EQ(target.m_rcScreen.left, 128);
    ASSERT_EQ(target.m_rcScreen.top, 160);
    struct Probe {
      const char* what;
      int x, y, colour;
    };
    const Probe probes[] = {
        {"the back picture through the front one", 10, 100, kLeftColour},
        {"the front picture", 40, 100, kFrontColour},
        {"the character beside the shot", 130, 162, kHeroColour},
        {"the shot over the character", 145, 177, kShotColour},
        {"a front block under the front picture", 175, 270, kFrontColour},
        {"a front block through the front picture", 205, 270, kFloorColour},
        {"a front block over a character", 270, 175, kFloorColour},
    };
    for (const Probe& p : probes) {
      SCOPED_TRACE(p.what);
      EXPECT_TRUE(Near(Rgb(p.x, p.y), TestPaletteColour(p.colour)))
          << std::hex << Rgb(p.x, p.y) << " "
          << DumpPixels(std::string("layers_") + config.name, Pixels(&g_BackBuffer));
    }
    m_pScene->m_lstShot.clear();
    TearDown();
    SetUp();
  }
}

TEST_F(StageFrameTest, TheStatusBackdropShowsOnlyWithAnEnabledItem) {
  for (const bool bEnabled : {false, true}) {
    SCOPED_TRACE(bEnabled);
    ASSERT_TRUE(BringScene(kAllConfigs[0]));
    ASSERT_TRUE(DDCreateSurface(&g_FixedSurface[kStatusWindowRow], 640, 20, 1, 0, 0, 0, 0));
    DDFillSurface(&g_FixedSurface[kStatusWindowRow], kStatusColour);
    m_pScene->m_bShowStatus = 1;
    // The HP gauge with its icon: no text, and no hero to read, so only the backdrop and
    // the icon are drawn.
    g_SystemData.m_StatusItems[STATUSITEM_HP].m_bShow = bEnabled ? 1 : 0;
    g_SystemData.m_StatusItems[STATUSITEM_HP].m_bIcon = 1;
    m_pScene->Draw(1, 0, 0, 0);
    EXPECT_TRUE(Near(Rgb(1, 1), TestPaletteColour(bEnabled ? kStatusColour : kNoBackColour)));
    EXPECT_TRUE(Near(Rgb(1, 21), TestPaletteColour(kNoBackColour)));
    TearDown();
    SetUp();
  }
}

TEST_F(StageFrameTest, AFullScreenColourTintsTheFinishedFrame) {
  ASSERT_TRUE(BringScene(kAllConfigs[0]));
  // A filled background of colour 21 (0xA04000).
  g_StageData.m_vBack.assign(1, cStageBack());
  g_StageData.m_vBack[0].m_bVisible = 1;
  g_StageData.m_vBack[0].m_bFill = 1;
  g_StageData.m_vBack[0].m_nFillColour = 21;
  const std::uint32_t fill = TestPaletteColour(21);
  // Full red: the picture seen through red, its red channel alone.
  m_pScene->SetScreenColor({255, 0, 0, 100, 0, 0, 0, 0});
  m_pScene->Draw(1, 0, 0, 0);
  EXPECT_TRUE(Near(Rgb(320, 240), fill & 0xFF0000)) << std::hex << Rgb(320, 240);
  // Half strength toward black: half of the picture stays.
  m_pScene->SetScreenColor({0, 0, 0, 50, 0, 0, 0, 0});
  m_pScene->Draw(1, 0, 0, 0);
  const std::uint32_t half = ((fill >> 17) & 0x7F) << 16 | ((fill >> 9) & 0x7F) << 8 | ((fill >> 1) & 0x7F);
  EXPECT_TRUE(Near(Rgb(320, 240), half)) << std::hex << Rgb(320, 240) << " " << half;
}

TEST_F(StageFrameTest, AtEightBitsTheScreenColourBlendsTheDisplayPalette) {
  ASSERT_TRUE(BringScene(kAllConfigs[3]));
  m_pScene->SetScreenColor({255, 0, 0, 100, 0, 0, 0, 0});
  m_pScene->Draw(1, 0, 0, 0);
  EXPECT_EQ(g_DispPalette[kNoBackColour].peRed, 255);
  EXPECT_EQ(g_DispPalette[kNoBackColour].peGreen, 0);
  EXPECT_EQ(g_DispPalette[kNoBackColour].peBlue, 0);
  EXPECT_TRUE(Near(Rgb(320, 240), 0xFF0000));
  // At another depth DirectDraw drops the change.
  TearDown();
  SetUp();
  ASSERT_TRUE(BringScene(kAllConfigs[5]));
  m_pScene->SetScreenColor({255, 0, 0, 100, 0, 0, 0, 0});
  m_pScene->Draw(1, 0, 0, 0);
  EXPECT_EQ(m_pScene->m_ScreenColor.m_bActive, 0);
  EXPECT_TRUE(Near(Rgb(320, 240), TestPaletteColour(kNoBackColour)));
}

TEST_F(StageFrameTest, ScriptedPlayFramesShowTheFloorTheHeroStandingOnItAndAnItem) {
  for (const DisplayConfig& config : {kAllConfigs[0], kAllConfigs[5]}) {
    SCOPED_TRACE(config.name);
    ASSERT_TRUE(BringScene(config));
    // Block graphic 1 is the block sheet's cell (0, 32) (the sheet and its copy);
    // character graphic 1 lies on the first character sheet, plain and mirrored.
    for (const int row : {2, 3}) {
      ASSERT_TRUE(DDCreateSurface(&g_FixedSurface[row], 64, 480, 1, 0, 0, 0, 0));
      DDFillRect(&g_FixedSurface[row], 0, 32, 32, 32, kFloorColour);
    }
    for (const int row : {4, 5}) {
      ASSERT_TRUE(DDCreateSurface(&g_FixedSurface[row], 640, 480, 1, 0, 0, 0, 0));
      DDFillSurface(&g_FixedSurface[row], kHeroColour);
    }
    // Item graphic 1: the item sheet (and its copy) at (frame x 32, 32).
    for (const int row : {40, 41}) {
      ASSERT_TRUE(DDCreateSurface(&g_FixedSurface[row], 128, 480, 1, 0, 0, 0, 0));
      DDFillSurface(&g_FixedSurface[row], kItemColour);
    }
    cStageData& stage = g_StageData;
    stage.m_nWidth = 20;
    stage.m_nHeight = 15;
    stage.m_nCollisionLevel = 2;
    stage.m_dGravity = 0.4;
    stage.m_nStageFps = 60;
    cPaletteChara hero;
    hero.m_nController = CHARACTRL_PLAYER;
    hero.m_nGraphic = 1;
    hero.m_nCellX = 3;
    hero.m_nCellY = 9;
    hero.m_nCarryItem = -1;
    stage.m_vCharaPlace.assign(1, hero);
    for (int x = 0; x < stage.m_nWidth; ++x) {
      cPaletteBlock block;
      block.m_nGraphic = 1;
      block.m_nHit = 1;
      block.m_nCellX = static_cast<std::int16_t>(x);
      block.m_nCellY = 11;
      stage.m_vBlockPlace.push_back(block);
    }
    cPaletteItem item;
    item.m_nGraphic = 1;
    item.m_nCellX = 12;
    item.m_nCellY = 10;
    stage.m_vItemPlace.assign(1, item);
    g_StageDataOrg = stage;
    ASSERT_EQ(m_pScene->SetStage(0, 1), SETSTAGE_READY);
    m_pScene->m_nState = GAMESTATE_PLAY;
    // The hero falls a cell onto the floor and stands there.
    for (int frame = 0; frame < 60; ++frame) m_pScene->StatePlay();
    ASSERT_EQ(m_pScene->m_nState, GAMESTATE_PLAY);
    struct Probe {
      int x, y, colour;
    };
    const Probe probes[] = {{5, 360, kFloorColour},   {630, 383, kFloorColour}, {100, 340, kHeroColour},
                            {100, 300, kNoBackColour}, {300, 200, kNoBackColour}, {400, 336, kItemColour}};
    for (const Probe& p : probes) {
      SCOPED_TRACE(testing::Message() << p.x << "," << p.y);
      EXPECT_TRUE(Near(Rgb(p.x, p.y), TestPaletteColour(p.colour)))
          << std::hex << Rgb(p.x, p.y) << " "
          << DumpPixels(std::string("scripted_") + config.name, Pixels(&g_BackBuffer));
    }
    TearDown();
    SetUp();
  }
}

TEST_F(StageFrameTest, InfiniteLivesShowADash) {
  cBoxGlyphSource glyphs;
  SetFontGlyphSource(&glyphs);
  ASSERT_TRUE(BringScene(kAllConfigs[0]));
  ASSERT_EQ(g_Font[1].Init("x", 0, 16, 16, 16, kTextColour, nullptr, 1, 0, nullptr, 1), 1);
  ASSERT_TRUE(DDCreateSurface(&g_FixedSurface[kStatusWindowRow], 640, 20, 1, 0, 0, 0, 0));
  DDFillSurface(&g_FixedSurface[kStatusWindowRow], kStatusColour);
  m_pScene->m_bShowStatus = 1;
  cSysStatusItem& lives = g_SystemData.m_StatusItems[STATUSITEM_LIVES];
  lives.m_bShow = 1;
  lives.m_strLabel = "L";
  lives.m_nDigits = 2;
  // One item 16 + 2 x 16 wide: the gap, and so its x, is (638 - 48) / 2.
  constexpr int kItemX = 295;
  struct Case {
    std::int32_t nLives;
    const char* lpShown;
  };
  for (const Case& c : {Case{999999, "L-"}, Case{3, "L3"}, Case{0, "L0"}}) {
    SCOPED_TRACE(c.lpShown);
    g_Progress.m_nLives = c.nLives;
    m_pScene->Draw(1, 0, 0, 0);
    const cPixelBuffer drawn = Pixels(&g_BackBuffer);
    // The same bar drawn by hand with the text expected.
    DDFillRect(&g_BackBuffer, 0, 0, 640, 480, kNoBackColour);
    DDBlt(&g_BackBuffer, 0, 0, 640, 20, &g_FixedSurface[kStatusWindowRow], 0, 0, 1);
    g_Font[1].DrawText(&g_BackBuffer, kItemX, 3, c.lpShown);
    const cPixelBuffer& expected = Pixels(&g_BackBuffer);
    int differences = 0;
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 640; ++x) differences += drawn.Get(x, y) != expected.Get(x, y) ? 1 : 0;
    EXPECT_EQ(differences, 0) << DumpPixels("lives", drawn);
  }
  g_Font[1].Release();
  SetFontGlyphSource(nullptr);
}

// The screen effects of the database for one test, put back afterwards.
class cScrEffectEntries {
 public:
  explicit cScrEffectEntries(const cScrEffectData& entry)
      : m_Saved(g_Database.m_ScrEffect), m_SavedWork(g_Database.m_ScrEffectWork) {
    g_Database.m_ScrEffect = {cScrEffectData(), entry};
    g_Database.m_ScrEffectWork = g_Database.m_ScrEffect;
    BuildScrEffectTables(g_ScrEffectFwd, g_ScrEffectRev);
  }
  ~cScrEffectEntries() {
    g_Database.m_ScrEffect = m_Saved;
    g_Database.m_ScrEffectWork = m_SavedWork;
    BuildScrEffectTables(g_ScrEffectFwd, g_ScrEffectRev);
  }
  cScrEffectEntries(const cScrEffectEntries&) = delete;
  cScrEffectEntries& operator=(const cScrEffectEntries&) = delete;

 private:
  std::vector<cScrEffectData> m_Saved;
  std::vector<cScrEffectData> m_SavedWork;
};

cScrEffectData ScreenEffect(std::int32_t nKind, std::int32_t p0, std::int32_t p1, std::int32_t p2) {
  cScrEffectData entry;
  entry.m_nKind = nKind;
  entry.m_nParam[0] = p0;
  entry.m_nParam[1] = p1;
  entry.m_nParam[2] = p2;
  return entry;
}

// A shake of 4 dots, 4 swings in a second: the frame moves by 16/15 of a dot a frame,
// truncated, turning at the bounds; along its own axis only, the side it leaves filled.
TEST_F(StageFrameTest, AShakeMovesTheFrameAlongItsOwnAxisOnly) {
  constexpr int kOffsets[] = {0, 1, 2, 3, 4, 2, 1, 0, 0, -1, -2, -3, -4, -2};
  struct Case {
    const char* what;
    std::int32_t nKind;
    int dx, dy;
  } const cases[] = {{"sideways", SCREFFECT_SHAKEX, 1, 0}, {"up and down", SCREFFECT_SHAKEY, 0, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    cScrEffectEntries entries(ScreenEffect(c.nKind, 10, 4, 4));
    ASSERT_TRUE(BringScene(kAllConfigs[5]));
    ASSERT_TRUE(DDCreateSurface(&g_FixedSurface[kBlank640Row], 640, 480, 1, 0, 0, 0, 0));
    // A picture of four colours in quarters of 32 dots: a move of a dot either way shows.
    DDSURFACEDATA* picture = &g_FixedSurface[kBackRow];
    ASSERT_TRUE(DDCreateSurface(picture, 64, 64, 1, 0, 0, 0, 0));
    DDFillRect(picture, 0, 0, 32, 32, kLeftColour);
    DDFillRect(picture, 32, 0, 32, 32, kRightColour);
    DDFillRect(picture, 0, 32, 32, 32, kFloorColour);
    DDFillRect(picture, 32, 32, 32, 32, kItemColour);
    g_StageData.m_vBack.assign(1, cStageBack());
    g_StageData.m_vBack[0].m_bVisible = 1;
    m_pScene->Draw(1, 0, 0, 0);
    const cPixelBuffer still = Pixels(&g_BackBuffer);
    DDFillSurface(&g_BackBuffer, kNoBackColour);
    const std::uint32_t fill = Pixels(&g_BackBuffer).Get(0, 0);

    m_pScene->m_ScrEffect.Start(1, 0, 0);
    for (std::size_t frame = 0; frame < std::size(kOffsets); ++frame) {
      SCOPED_TRACE(frame + 1);
      m_pScene->Draw(1, 0, 0, 0);
      const int ox = kOffsets[frame] * c.dx;
      const int oy = kOffsets[frame] * c.dy;
      const std::string name = std::string("shake_") + std::to_string(c.dx) + "_" + std::to_string(frame + 1);
      ExpectPixels(name, Pixels(&g_BackBuffer), [&](int x, int y) -> std::uint32_t {
        const int sx = x - ox;
        const int sy = y - oy;
        return sx >= 0 && sx < 640 && sy >= 0 && sy < 480 ? still.Get(sx, sy) : fill;
      });
    }
    EXPECT_EQ(m_pScene->m_ScrEffect.m_nId, 1);
    TearDown();
    SetUp();
  }
}

// A blink of half-period 3 hides the stage behind its backgrounds for three frames, shows
// it for three, and so on.
TEST_F(StageFrameTest, ABlinkHidesAndShowsTheStageForItsHalfPeriodInTurn) {
  cScrEffectEntries entries(ScreenEffect(SCREFFECT_BLINK, 10, 3, 0));
  ASSERT_TRUE(BringScene(kAllConfigs[5]));
  ASSERT_TRUE(DDCreateSurface(&g_FixedSurface[kStatusWindowRow], 640, 20, 1, 0, 0, 0, 0));
  DDFillSurface(&g_FixedSurface[kStatusWindowRow], kStatusColour);
  // The stage: the status bar, drawn after the effect, and under it a filled background.
  m_pScene->m_bShowStatus = 1;
  g_SystemData.m_StatusItems[STATUSITEM_HP].m_bShow = 1;
  g_SystemData.m_StatusItems[STATUSITEM_HP].m_bIcon = 1;
  g_StageData.m_vBack.assign(1, cStageBack());
  g_StageData.m_vBack[0].m_bVisible = 1;
  g_StageData.m_vBack[0].m_bFill = 1;
  g_StageData.m_vBack[0].m_nFillColour = kLeftColour;
  // A block of the stage over the background.
  for (const int row : {2, 3}) {
    ASSERT_TRUE(DDCreateSurface(&g_FixedSurface[row], 64, 480, 1, 0, 0, 0, 0));
    DDFillRect(&g_FixedSurface[row], 0, 32, 32, 32, kFloorColour);
  }
  cStageData& stage = g_StageData;
  stage.m_nWidth = 20;
  stage.m_nHeight = 15;
  cPaletteBlock block;
  block.m_nGraphic = 1;
  block.m_nCellX = 5;
  block.m_nCellY = 5;
  stage.m_vBlockPlace.assign(1, block);
  g_StageDataOrg = stage;
  ASSERT_EQ(m_pScene->SetStage(0, 1), SETSTAGE_READY);
  m_pScene->m_bShowStatus = 1;
  m_pScene->m_bNoTimeLimit = 1;
  m_pScene->Draw(1, 0, 0, 0);
  ASSERT_TRUE(Near(Rgb(170, 170), TestPaletteColour(kFloorColour)));

  m_pScene->m_ScrEffect.Start(1, 0, 0);
  const bool shown[] = {false, false, false, true, true, true, false, false, false, true, true, true, false};
  for (std::size_t frame = 0; frame < std::size(shown); ++frame) {
    SCOPED_TRACE(frame + 1);
    m_pScene->Draw(1, 0, 0, 0);
    EXPECT_TRUE(Near(Rgb(170, 170), TestPaletteColour(shown[frame] ? kFloorColour : kLeftColour)));
    EXPECT_TRUE(Near(Rgb(1, 1), TestPaletteColour(kStatusColour)));
  }
  EXPECT_EQ(m_pScene->m_ScrEffect.m_nId, 1);
}

}  // namespace
