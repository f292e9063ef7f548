// Items taken by touch: the pick-up modes, the ignore list of items kept in contact, the
// results of an item's commands, and the use of an item by anything else.
#include <gtest/gtest.h>

#include "tests/stage/hits_fixture.h"

namespace {

class ItemPickUpTest : public HitsTest {
 protected:
  // One item on the stage whose commands add a flow to the player.
  void StartWithItem(std::int8_t mode, std::vector<cFlowCmd> commands = {ItemCommand(ITEMCMD_CHANGE_FLOW)}) {
    cPaletteItem item = Item(8, 5);
    item.m_nTakeMode = mode;
    item.m_vItemCmd = std::move(commands);
    g_StageData.m_vItemPlace.push_back(item);
    Start();
    ASSERT_EQ(g_listItem.size(), 1U);
    m_nFlows = Hero().m_vFlowRun.size();
  }

  // The player's pick-up area over the item, or away from it.
  void Touch(bool bOn) {
    const cItem& item = g_listItem.front();
    const double x = bOn ? item.m_dX : item.m_dX - 200;
    Hero().m_HitExtra.m_rc = cDoubleRect{x, item.m_dY, x + 7, item.m_dY + 7};
  }

  std::size_t Uses() { return Hero().m_vFlowRun.size() - m_nFlows; }

  std::size_t m_nFlows = 0;
};

TEST_F(ItemPickUpTest, TakeModes) {
  struct Case {
    std::int8_t mode;
    bool active;
    std::size_t expectUses;   // after three sub-steps on, one off, one on again
    bool expectItemStays;
  } const cases[] = {
      {0, true, 1, false},  // taken and removed
      {1, true, 2, true},   // once per contact, again after stepping off and back on
      {2, true, 0, true},   // never taken by touch
      {0, false, 0, true},  // an inactive item is not taken
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "mode " << int{c.mode} << " active " << c.active);
    TearDown();
    SetUp();
    StartWithItem(c.mode);
    const std::int32_t id = g_listItem.front().m_nObjId;
    const bool touches[] = {true, true, true, false, true};
    for (const bool on : touches) {
      if (!g_listItem.empty()) {
        Touch(on);
        g_listItem.front().m_bActive = c.active ? 1 : 0;
      }
      EXPECT_EQ(m_pScene->PickUpItems(Hero()), STEP_CONTINUE);
    }
    EXPECT_EQ(Uses(), c.expectUses);
    EXPECT_EQ(!g_listItem.empty(), c.expectItemStays);
    // An item that is gone leaves nothing behind in the ignore list.
    if (!g_listItem.empty()) m_pScene->EraseItem(g_listItem.begin());
    EXPECT_TRUE(std::find(Hero().m_lstIgnore.begin(), Hero().m_lstIgnore.end(), id) == Hero().m_lstIgnore.end());
  }
}

TEST_F(ItemPickUpTest, CommandResultsEndThePickUp) {
  struct Case {
    int kind;
    int hp;
    std::int32_t expect;
  } const cases[] = {
      {ITEMCMD_NONE, 10, STEP_CONTINUE},
      {ITEMCMD_STAGE_CLEAR, 10, STEP_CLEAR},
      {ITEMCMD_NONE, 0, STEP_DEFEAT},  // commands that leave the player without HP
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    TearDown();
    SetUp();
    StartWithItem(0, {ItemCommand(c.kind)});
    Hero().m_nHp = c.hp;
    Touch(true);
    EXPECT_EQ(m_pScene->PickUpItems(Hero()), c.expect);
    EXPECT_TRUE(g_listItem.empty());
  }
}

TEST_F(ItemPickUpTest, UseRefusesWhatIsNoItem) {
  StartWithItem(0);
  struct Case {
    std::int16_t graphic;
    std::int8_t mode;
    std::int32_t active;
    std::size_t expectUses;
  } const cases[] = {
      {1, 0, 1, 1},
      {0, 0, 1, 0},  // graphic 0: no item
      {1, 2, 1, 0},  // never taken
      {1, 0, 0, 0},  // inactive
  };
  for (const Case& c : cases) {
    cItem item = g_listItem.front();
    item.m_nGraphic = c.graphic;
    item.m_ItemDef.m_nTakeMode = c.mode;
    item.m_bActive = c.active;
    const std::size_t before = Uses();
    EXPECT_EQ(m_pScene->UseItem(item, Hero()), STEP_CONTINUE);
    EXPECT_EQ(Uses() - before, c.expectUses) << c.graphic << " " << int{c.mode} << " " << c.active;
  }
}

}  // namespace
