// The world-map menu driven frame by frame: saving to a slot and the slot list's opening
// place, a save that fails, the auto save, and the ways back to the map and the title.
#include "frontend/map_menu_scene.h"

#include <gtest/gtest.h>

#include "platform/simulated_disk.h"
#include "shell/game_mgr.h"
#include "stage/menu_cursor.h"
#include "tests/frontend/map_scene_fixture.h"

namespace {

using MenuScene = cSceneMapMenu;

class MapMenuScene : public cMapSceneTest {
 protected:
  void TearDown() override {
    EndDiskSpaceSimulation();
    cMapSceneTest::TearDown();
  }
  // Opens menu item `item` (0 save, 1 auto save, 2 back, 3 to title) of a menu with all
  // four items.
  static void Choose(MenuScene& scene, int item) {
    ASSERT_TRUE(RunUntilState(scene, MenuScene::STATE_MENU));
    for (int i = 0; i < item; ++i) Press(scene, kDirDown);
    Press(scene, 0, kDecide);
  }
};

TEST_F(MapMenuScene, TheSlotListOpensScrolledToTheSlotSavedLast) {
  struct Case {
    int saveSlot;
    int row, top;
  } const cases[] = {{-1, 0, 0}, {0, 0, 0}, {56, 56, 56}, {94, 94, 89}, {98, 98, 89}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.saveSlot);
    g_Progress.m_nSaveSlot = c.saveSlot;
    MenuScene scene;
    Choose(scene, 0);
    ASSERT_EQ(scene.m_nState, MenuScene::STATE_SAVE);
    EXPECT_EQ(g_MenuCursor.m_pCur->nRow, c.row);
    EXPECT_EQ(scene.m_nSlotTop, c.top);
    EXPECT_EQ(scene.m_nSlotRows, 10);
    EXPECT_EQ(g_MenuCursor.m_pCur->y, 160 + 16 * (c.row - c.top));
  }
}

TEST_F(MapMenuScene, SavingWritesTheSlotUnderTheListCursorOrSaysWhyNot) {
  MenuScene scene;
  Choose(scene, 0);
  Press(scene, kDirDown);
  Press(scene, kDirDown);  // slot 3
  Press(scene, 0, kDecide);
  ASSERT_EQ(g_MenuCursor.m_pCur->nRow, 1);  // the prompt starts on "stop"
  Press(scene, 0, kDecide);
  EXPECT_FALSE(Exists("user_data/story/Story03.dat"));
  EXPECT_EQ(g_Progress.m_nSaveSlot, -1);

  Press(scene, 0, kDecide);
  Press(scene, kDirUp);
  SimulateDiskSpace(10);
  Press(scene, 0, kDecide);
  EndDiskSpaceSimulation();
  EXPECT_EQ(BoxesSaying("Story03.dat").size(), 1u);
  EXPECT_EQ(g_SlotList[2].m_bUsed, 0);
  EXPECT_EQ(g_Progress.m_nSaveSlot, -1);  // the auto save has no target yet
  EXPECT_EQ(scene.m_nSubState, 1);        // back in the list

  Press(scene, 0, kDecide);
  Press(scene, kDirUp);
  Press(scene, 0, kDecide);
  EXPECT_TRUE(Exists("user_data/story/Story03.dat"));
  EXPECT_EQ(g_SlotList[2].m_bUsed, 1);
  EXPECT_EQ(g_Progress.m_nSaveSlot, 2);
  EXPECT_EQ(BoxesSaying("Story03.dat").size(), 1u);

  Press(scene, 0, kBack);
  EXPECT_EQ(scene.m_nState, MenuScene::STATE_MENU);
  EXPECT_EQ(g_MenuCursor.m_vLevel.size(), 1u);
}

TEST_F(MapMenuScene, TheAutoSave) {
  struct Case {
    const char* what;
    std::int32_t saveSlot, autoSave;
    WORD dir;  // to the line chosen
    bool fullDisk;
    std::int32_t autoSaveAfter;
    bool written;
  } const cases[] = {
      {"no slot yet: only the message", -1, 0, 0, false, 0, false},
      {"switched on: the slot is written first", 4, 0, kDirUp, false, 1, true},
      {"switched on but the slot cannot be written", 4, 0, kDirUp, true, 0, false},
      {"switched off", 4, 1, kDirDown, false, 0, false},
      // A slot number past the list (a damaged save) counts as no slot.
      {"a slot that does not exist", 500, 1, 0, false, 1, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    g_Progress.m_nSaveSlot = c.saveSlot;
    g_Progress.m_bAutoSave = c.autoSave;
    g_SlotList.assign(kStorySlotCount, cSlotInfo());
    boxes.shown.clear();
    MenuScene scene;
    Choose(scene, 1);
    ASSERT_EQ(scene.m_nState, MenuScene::STATE_AUTOSAVE);
    if (c.dir != 0) Press(scene, c.dir);
    if (c.fullDisk) SimulateDiskSpace(10);
    Press(scene, 0, kDecide);
    EndDiskSpaceSimulation();
    EXPECT_EQ(scene.m_nState, MenuScene::STATE_MENU);
    EXPECT_EQ(g_Progress.m_bAutoSave, c.autoSaveAfter);
    EXPECT_EQ(g_SlotList[4].m_bUsed, c.written ? 1 : 0);
    EXPECT_EQ(BoxesSaying("Story").size(), c.fullDisk ? 1u : 0u);
    EXPECT_EQ(g_MenuCursor.m_vLevel.size(), 1u);
  }
}

TEST_F(MapMenuScene, BackToTheMapOrToTheTitle) {
  struct Case {
    const char* what;
    int item;  // -1: none, the menu itself
    std::vector<std::pair<WORD, WORD>> presses;  // direction, button
    int state;
    int next;
  } const cases[] = {
      {"cancel in the menu", -1, {{0, kBack}}, MenuScene::STATE_FADEOUT, SCENE_WORLDMAP},
      {"the back item", 2, {}, MenuScene::STATE_FADEOUT, SCENE_WORLDMAP},
      {"to the title: the prompt starts on stop", 3, {{0, kDecide}}, MenuScene::STATE_MENU, -1},
      {"to the title confirmed", 3, {{kDirUp, 0}, {0, kDecide}}, MenuScene::STATE_FADEOUT, SCENE_TITLE},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    g_GameMgr.m_nNextScene = -1;
    MenuScene scene;
    if (c.item >= 0)
      Choose(scene, c.item);
    else
      ASSERT_TRUE(RunUntilState(scene, MenuScene::STATE_MENU));
    for (const auto& [dir, button] : c.presses) Press(scene, dir, button);
    RunUntilState(scene, MenuScene::STATE_FADEOUT, 2);
    EXPECT_EQ(scene.m_nState, c.state);
    EXPECT_EQ(g_GameMgr.m_nNextScene, c.next);
  }
  // The fade-out leaves the menu to start afresh when entered again.
  MenuScene scene;
  Choose(scene, 2);
  for (int i = 0; i < 4 && scene.m_nState != -1; ++i) Frame(scene);
  EXPECT_EQ(scene.m_nState, -1);
  EXPECT_EQ(g_GameMgr.m_nScene, SCENE_WORLDMAP);
  EXPECT_EQ(g_GameMgr.m_nPrevScene, SCENE_MAPMENU);
}

TEST_F(MapMenuScene, TheMenuOffersTheEnabledItemsOfTheFourTypes) {
  struct Case {
    const char* what;
    std::vector<int> enabled;  // per entry of the System data's list
    std::vector<int> items;
  } const cases[] = {
      {"all four", {1, 1, 1, 1}, {0, 1, 2, 3}},
      {"save hidden", {0, 1, 1, 1}, {1, 2, 3}},
      {"none enabled: the first", {0, 0, 0, 0}, {0}},
      // A damaged System file's longer list: entries past the four types name no state.
      {"a longer list", {0, 0, 1, 0, 1, 1}, {2}},
      {"a shorter list", {1, 0}, {0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    g_SystemData.m_MapMenu.resize(c.enabled.size());
    for (std::size_t i = 0; i < c.enabled.size(); ++i) g_SystemData.m_MapMenu[i].m_bEnabled = c.enabled[i];
    MenuScene scene;
    ASSERT_TRUE(RunUntilState(scene, MenuScene::STATE_MENU));
    ASSERT_EQ(scene.m_nItemCount, static_cast<int>(c.items.size()));
    for (std::size_t i = 0; i < c.items.size(); ++i) EXPECT_EQ(scene.m_anItem[i], c.items[i]);
    // Whatever the list, the last item chosen leads to a state of the menu.
    for (std::size_t i = 1; i < c.items.size(); ++i) Press(scene, kDirDown);
    Press(scene, 0, kDecide);
    EXPECT_GE(scene.m_nState, MenuScene::STATE_SAVE);
    EXPECT_LT(scene.m_nState, MenuScene::STATE_COUNT);
  }
}

}  // namespace
