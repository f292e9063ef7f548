// The option scene: values from a damaged option file brought into range when the scene
// starts, the visible items, and editing a value with wrap, decision and cancel.
#include "frontend/option_scene.h"

#include <gtest/gtest.h>

#include <climits>

#include "data/option/option_data.h"
#include "data/system/system_data.h"
#include "media/input/input.h"
#include "platform/message_queue.h"
#include "stage/menu_cursor.h"

namespace {

TEST(OptionSceneTest, DamagedValuesAreClampedIntoTheirRanges) {
  struct Case {
    std::int32_t palette, bgm, se, rank;
    std::int32_t expectPalette, expectBgm, expectSe, expectRank;
  } const cases[] = {
      {5, 1, 7, 2, 5, 1, 7, 2},            // in range: untouched
      {99, 7, 50, 9, 23, 1, 10, 3},        // too large: the top of the range
      {-5, -1, -1, -4, 0, 0, 0, 0},        // negative: the bottom
      {INT_MIN, INT_MAX, INT_MAX, INT_MIN, 0, 1, 10, 0},
  };
  for (const Case& c : cases) {
    cOptionData option;
    option.m_nPaletteVariant = c.palette;
    option.m_bBgm = c.bgm;
    option.m_nSeLevel = c.se;
    option.m_nRankRegMode = c.rank;
    ClampOptionValues(option);
    EXPECT_EQ(option.m_nPaletteVariant, c.expectPalette) << c.palette;
    EXPECT_EQ(option.m_bBgm, c.expectBgm) << c.bgm;
    EXPECT_EQ(option.m_nSeLevel, c.expectSe) << c.se;
    EXPECT_EQ(option.m_nRankRegMode, c.expectRank) << c.rank;
  }
}

TEST(OptionSceneTest, VisibleItemsAreTheEnabledEntriesAtMostSix) {
  std::vector<cCmdItem> menu(9);
  for (cCmdItem& item : menu) item.m_bEnabled = 1;
  std::array<std::int32_t, OPTITEM_COUNT> items{};
  EXPECT_EQ(CollectOptionItems(menu, items), 6);  // a longer list in a damaged file is cut
  EXPECT_EQ(items[5], 5);
  menu[1].m_bEnabled = 0;
  EXPECT_EQ(CollectOptionItems(menu, items), 6);
  EXPECT_EQ(items[1], 2);
  for (cCmdItem& item : menu) item.m_bEnabled = 0;
  EXPECT_EQ(CollectOptionItems(menu, items), 1);
  EXPECT_EQ(items[0], 0);
  EXPECT_EQ(CollectOptionItems({}, items), 1);
}

TEST(OptionSceneTest, RankModeLabelOfAShortLabelListIsEmpty) {
  const std::vector<std::string> saved = g_SystemData.m_RankRegLabels;
  g_SystemData.m_RankRegLabels = {"a", "b"};
  cOptionData option;
  option.m_nRankRegMode = 1;
  EXPECT_EQ(OptionValueText(option, OPTITEM_RANKMODE), "b");
  option.m_nRankRegMode = 3;
  EXPECT_EQ(OptionValueText(option, OPTITEM_RANKMODE), "");
  option.m_bBgm = 0;
  EXPECT_EQ(OptionValueText(option, OPTITEM_BGM), "OFF");
  option.m_nPaletteVariant = 23;
  EXPECT_EQ(OptionValueText(option, OPTITEM_PALETTE), "23");
  g_SystemData.m_RankRegLabels = saved;
}

class OptionSceneFrames : public ::testing::Test {
 protected:
  void SetUp() override {
    m_Saved.CopyFrom(g_OptionData);
    m_SavedMenu = g_SystemData.m_OptionMenu;
    g_SystemData.m_OptionMenu.assign(6, cCmdItem());
    if (g_Input.empty()) g_Input.resize(1);
    ClearPostedMessages();
  }
  void TearDown() override {
    g_OptionData.CopyFrom(m_Saved);
    g_SystemData.m_OptionMenu = m_SavedMenu;
    g_Input[0].m_wDir = g_Input[0].m_wButton = 0;
    ClearPostedMessages();
  }
  // One frame of the menu state with these words.
  void Frame(cSceneOption& scene, WORD dir, WORD buttons) {
    g_Input[0].m_wDir = dir;
    g_Input[0].m_wButton = buttons;
    scene.Menu();
  }
  cOptionData m_Saved;
  std::vector<cCmdItem> m_SavedMenu;
};

TEST_F(OptionSceneFrames, ADamagedVariantIsEditedFromItsClampedValue) {
  g_OptionData.m_nPaletteVariant = 1000;  // a damaged file
  g_OptionData.m_nSeLevel = 3;
  cSceneOption scene;
  scene.Init();
  EXPECT_EQ(g_OptionData.m_nPaletteVariant, 23);
  scene.m_nState = cSceneOption::STATE_MENU;

  Frame(scene, 0, 0);
  Frame(scene, 0, 1);  // row 0: the colour variant
  ASSERT_EQ(scene.m_nSubState, cSceneOption::MENU_EDIT);
  EXPECT_EQ(g_MenuCursor.m_vLevel.size(), 2u);
  Frame(scene, kDirUp, 0);  // 23 + 1 wraps to 0
  EXPECT_EQ(g_OptionData.m_nPaletteVariant, 0);
  Frame(scene, kDirDown, 0);
  Frame(scene, kDirDown, 0);
  EXPECT_EQ(g_OptionData.m_nPaletteVariant, 22);
  Frame(scene, kDirUp | kDirDown, 0);  // both, one after the other
  EXPECT_EQ(g_OptionData.m_nPaletteVariant, 22);
  Frame(scene, 0, 2);  // cancel: the value before editing
  EXPECT_EQ(g_OptionData.m_nPaletteVariant, 23);
  EXPECT_EQ(scene.m_nSubState, cSceneOption::MENU_LIST);
  EXPECT_EQ(g_MenuCursor.m_vLevel.size(), 1u);

  Frame(scene, kDirDown, 0);
  Frame(scene, kDirDown, 0);  // row 2: the sound-effect level
  Frame(scene, 0, 1);
  Frame(scene, kDirUp, 0);
  Frame(scene, 0, 1);  // decision keeps the value
  EXPECT_EQ(g_OptionData.m_nSeLevel, 4);
  EXPECT_EQ(g_MenuCursor.m_pCur->nRow, 2);  // the list comes back on its row

  Frame(scene, 0, 2);  // cancel in the list: back to the title
  EXPECT_EQ(scene.m_nState, cSceneOption::STATE_FADEOUT);
}

}  // namespace
