// The set-target, status-2, vanish, get-item, sound, music and arrange commands run on a
// subject character, as a flow or the player's item commands call them.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "app/main_window_handle.h"
#include "data/flow/flow_enumerations.h"
#include "flow/vanish_cmd.h"
#include "objects/chara.h"
#include "objects/player.h"
#include "objects/shot.h"
#include "platform/message_queue.h"
#include "shell/game_requests.h"
#include "stage/stage_world.h"
#include "tests/stage/flow_test_fixture.h"

namespace {

std::vector<std::pair<UINT, LPARAM>> g_Sent;
LRESULT RecordingProc(HWND, UINT message, WPARAM, LPARAM lParam) {
  g_Sent.emplace_back(message, lParam);
  return 0;
}
HWND FakeWindow() { return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(0x52)); }

class FlowTargetItemTest : public FlowWorldTest {
 protected:
  void SetUp() override {
    FlowWorldTest::SetUp();
    m_pScene->m_vGroupList.assign(kGroupCount, {});
    m_pScene->m_vGroupShotList.assign(kGroupCount, {});
    g_vPlayer.resize(1);
    g_vPlayer[0].m_nHp = 10;
    g_vPlayer[0].m_vTarget.assign(kTargetSlots, nullptr);
    g_StageData.m_vItemDef.assign(2, cPaletteItem());
    MarkMainThread();
    g_hWnd = FakeWindow();
    SetMainWindowHandle(FakeWindow());
    SetMainWindowProc(RecordingProc);
    g_Sent.clear();
  }
  void TearDown() override {
    SetMainWindowProc(nullptr);
    SetMainWindowHandle(nullptr);
    g_hWnd = nullptr;
    m_pScene->m_lstShot.clear();
    g_vPlayer.clear();
    g_StageData.m_vItemDef.clear();
    FlowWorldTest::TearDown();
  }

  // A character of `group` taking part, with its sprite cell at a screen position.
  static void Place(cFlowTestChara& c, int group, int left, bool onScreen, int objId) {
    c.m_nLayer = group;
    c.m_nObjId = objId;
    c.m_bActive = 1;
    c.m_bOnScreen = onScreen ? 1 : 0;
    c.m_nCellW = c.m_nCellH = 32;
    c.m_rcScreen.left = left;
    c.m_rcScreen.top = 100;
  }
  void Join(cFlowTestChara& c) { m_pScene->m_vGroupList[static_cast<std::size_t>(c.m_nLayer)].push_back(&c); }

  // A set-target command: slot 0, the choice, the group, all groups, the range, then
  // parameter 15 (what happens when nothing is found).
  static cFlowCmd SetTargetCmd(int choice, int group = 1, int allGroups = 0, int range = 0, int whenNone = 0) {
    cFlowCmd cmd = Cmd(FLOWCMD_SET_TARGET);
    cmd.m_vParam[1] = choice;
    cmd.m_vParam[2] = group;
    cmd.m_vParam[3] = allGroups;
    cmd.m_vParam[4] = range;
    cmd.m_vParam[15] = whenNone;
    return cmd;
  }

  static int BackLinks(const cCharaBase& object, const cCharaBase& subject, int slot) {
    int n = 0;
    for (const cObjLink& l : object.m_vLinkedBy) n += (l.m_pObj == &subject && l.m_nSlot == slot) ? 1 : 0;
    return n;
  }
};

TEST_F(FlowTargetItemTest, SetTargetChoosesByItsChoice) {
  cFlowTestChara subject, nearOff, farOn, parent, child1, child2;
  Place(subject, 0, 100, true, 1);
  Place(nearOff, 1, 120, false, 2);
  Place(farOn, 1, 400, true, 3);
  Join(nearOff);
  Join(farOn);
  farOn.m_Def.m_nCharaId = 7;
  subject.m_pParent = &parent;
  child1.m_nLayer = child2.m_nLayer = 2;
  child1.m_Def.m_nCharaId = 5;
  subject.m_vLinkedBy = {{&child1, kParentLinkSlot}, {&farOn, 0}, {&child2, kParentLinkSlot}};
  subject.m_vTarget[2] = &nearOff;

  cFlowCmd childCond = SetTargetCmd(SETTGT_CHILD_COND, 2);
  childCond.m_vParam[9] = 1;  // by chara ID 5
  childCond.m_vParam[10] = 5;
  cFlowCmd byId = SetTargetCmd(SETTGT_BY_ID, 1);
  byId.m_vParam[9] = 1;
  byId.m_vParam[10] = 7;
  struct Case {
    const char* name;
    cFlowCmd cmd;
    const cCharaBase* expected;
  };
  const std::vector<Case> cases = {
      {"hero", SetTargetCmd(SETTGT_HERO), &g_vPlayer[0]},
      {"self", SetTargetCmd(SETTGT_SELF), &subject},
      {"nearest, on screen first", SetTargetCmd(SETTGT_NEAREST, 1, 0, 0), &farOn},
      {"nearest, whole stage", SetTargetCmd(SETTGT_NEAREST, 1, 0, 1), &nearOff},
      {"nearest of all groups", SetTargetCmd(SETTGT_NEAREST, 5, 1, 1), &nearOff},
      {"nearest in an empty group", SetTargetCmd(SETTGT_NEAREST, 4, 0, 1), nullptr},
      {"by id", byId, &farOn},
      {"parent", SetTargetCmd(SETTGT_PARENT), &parent},
      {"last child", SetTargetCmd(SETTGT_LAST_CHILD), &child2},
      {"child by condition", childCond, &child1},
      {"target 3", SetTargetCmd(SETTGT_TARGET1 + 2), &nearOff},
      {"no such choice", SetTargetCmd(11), nullptr},
  };
  for (const Case& c : cases) {
    cFlowCmd cmd = c.cmd;
    subject.CmdSetTarget(cmd);
    EXPECT_EQ(subject.m_vTarget[0], c.expected) << c.name;
  }
}

TEST_F(FlowTargetItemTest, SetTargetWhenNothingIsFoundClearsOrKeepsTheSlotWithItsBackLink) {
  cFlowTestChara subject, old;
  Place(subject, 0, 100, true, 1);
  struct Case {
    int whenNone;
    bool kept;
  };
  for (const Case& c : {Case{0, false}, Case{1, true}, Case{2, true}}) {
    // `old` in slot 0, with its back-link, taken from slot 1.
    subject.m_vTarget[0] = nullptr;
    old.m_vLinkedBy.clear();
    subject.m_vTarget[1] = &old;
    cFlowCmd toOld = SetTargetCmd(SETTGT_TARGET2);
    subject.CmdSetTarget(toOld);
    ASSERT_EQ(subject.m_vTarget[0], &old);
    ASSERT_EQ(BackLinks(old, subject, 0), 1);
    // Nothing in any group.
    cFlowCmd nearest = SetTargetCmd(SETTGT_NEAREST, 1, 1, 1, c.whenNone);
    subject.CmdSetTarget(nearest);
    EXPECT_EQ(subject.m_vTarget[0], c.kept ? &old : nullptr) << c.whenNone;
    EXPECT_EQ(BackLinks(old, subject, 0), c.kept ? 1 : 0) << c.whenNone;
  }
  // A value other than 0 and 1 does nothing even when a character is found.
  cFlowCmd selfOther = SetTargetCmd(SETTGT_SELF, 1, 0, 0, 2);
  subject.CmdSetTarget(selfOther);
  EXPECT_EQ(subject.m_vTarget[0], &old);
  // Setting the same target again leaves one back-link.
  cFlowCmd again = SetTargetCmd(SETTGT_TARGET2);
  subject.CmdSetTarget(again);
  subject.CmdSetTarget(again);
  EXPECT_EQ(BackLinks(old, subject, 0), 1);
}

TEST_F(FlowTargetItemTest, StatusTwoOnCharactersAndTheScroll) {
  cFlowTestChara subject, target;
  subject.m_vTarget[1] = &target;
  auto status2 = [&](int who, int status, int value) {
    cFlowCmd cmd = Cmd(FLOWCMD_STATUS2);
    cmd.m_vParam = {who, status, value};
    subject.CmdStatus2(cmd);
  };
  status2(2, 1, 1);
  EXPECT_EQ(target.m_Def.m_bHidden, 1);
  status2(2, 2, 1);
  EXPECT_EQ(target.m_Def.m_bFixedFacing, 1);
  status2(2, 4, 2);
  EXPECT_EQ(target.m_Def.m_nInvincible, 2);
  status2(2, 6, 1);
  EXPECT_EQ(target.m_bScrollSync, 1);
  EXPECT_EQ(target.m_Def.m_bScrollSync, 1);
  status2(3, 1, 1);  // slot 3 is empty: nothing
  EXPECT_EQ(subject.m_Def.m_bHidden, 0);
  status2(0, 1, 1);  // the subject itself
  EXPECT_EQ(subject.m_Def.m_bHidden, 1);

  // Flying is the hero's alone: a computer character keeps its mode.
  const std::int32_t flyingBefore = target.m_bNoGravity;
  status2(2, 3, 1);
  EXPECT_EQ(target.m_bNoGravity, flyingBefore);

  // Giant: rescaled from the current factor; a damaged factor is kept within 1-10.
  target.m_nBaseCellW = target.m_nBaseCellH = 32;
  status2(2, 5, 3);
  EXPECT_EQ(target.m_Def.m_nSize, 3);
  EXPECT_EQ(target.m_nCellW, 96);
  status2(2, 5, 1000000);
  EXPECT_EQ(target.m_Def.m_nSize, 10);
  EXPECT_EQ(target.m_nCellW, 320);

  // Vanish: another character's removal is announced to the play step, the subject's own
  // is found by its flow run.
  status2(2, 0, 0);
  EXPECT_EQ(target.m_bRemove, 1);
  EXPECT_EQ(m_pScene->m_bKilled, 1);
  m_pScene->m_bKilled = 0;
  status2(0, 0, 0);
  EXPECT_EQ(subject.m_bRemove, 1);
  EXPECT_EQ(m_pScene->m_bKilled, 0);

  // The system's automatic scroll, switched on and off by axis.
  g_StageData.m_nAutoScrollX = 20;
  status2(5, 0, 1);
  EXPECT_EQ(g_StageData.m_nScrollModeX, 1);
  EXPECT_DOUBLE_EQ(m_pScene->m_ScrollX.m_dSpeed, 2.0);
  status2(5, 0, 0);
  EXPECT_EQ(m_pScene->m_ScrollX.m_dSpeed, 0.0);
}

// The play step may erase a character whose flows ended it; no pointer of the scene may
// lead into its runs afterwards.
TEST_F(FlowTargetItemTest, ACharacterThatVanishesItselfMidRunLeavesNoFlowPointers) {
  cChara chara;
  chara.m_bNoLinkRelease = 1;
  chara.m_vTarget.assign(kTargetSlots, nullptr);
  chara.m_vSwitch.assign(kSwitchCount, 0);
  chara.m_vSwitchClear.assign(kSwitchCount, 0);
  chara.m_vSwitchFrame.assign(kSwitchCount, 0);
  chara.m_vCharaVar.assign(kCharaVarCount, 0);
  chara.m_nKind = 1;
  chara.m_nHp = 1;
  cFlowCmd vanish = Cmd(FLOWCMD_STATUS2, 0, 1);
  vanish.m_vParam = {0, 0, 0};
  chara.m_Def.m_vFlow = std::vector<cFlow>{Flow({vanish, Cmd(FLOWCMD_WAIT, 10)})};
  chara.SetFlows(chara.m_Def.m_vFlow.Edit(), 0, -1);
  chara.FireTrigger(FLOWTRIG_ALWAYS);
  EXPECT_EQ(chara.RunFlows(0), 1);
  EXPECT_EQ(chara.m_bRemove, 1);
  EXPECT_EQ(m_pScene->m_pFlowChara, nullptr);
  EXPECT_EQ(m_pScene->m_pFlowRun, nullptr);
  EXPECT_EQ(m_pScene->m_pFlowCmdRun, nullptr);
}

TEST_F(FlowTargetItemTest, VanishDescendantsAndGroups) {
  cFlowTestChara subject, child, grandchild, idle, idleChild, other, offScreen;
  for (cFlowTestChara* c : {&child, &grandchild, &idleChild}) c->m_bActive = 1;
  subject.m_vLinkedBy = {{&child, kParentLinkSlot}, {&other, 0}, {&idle, kParentLinkSlot}};
  child.m_vLinkedBy = {{&grandchild, kParentLinkSlot}};
  idle.m_vLinkedBy = {{&idleChild, kParentLinkSlot}};  // idle takes no part: its line stays
  cFlowCmd vanish = Cmd(FLOWCMD_VANISH);
  vanish.m_vParam = {2, 0, 0};
  subject.CmdVanish(vanish);
  EXPECT_EQ(child.m_bRemove, 1);
  EXPECT_EQ(grandchild.m_bRemove, 1);
  EXPECT_EQ(idle.m_bRemove, 0);
  EXPECT_EQ(idleChild.m_bRemove, 0);
  EXPECT_EQ(other.m_bRemove, 0);
  EXPECT_EQ(subject.m_bRemove, 0);
  EXPECT_EQ(m_pScene->m_bKilled, 1);

  // A group's characters: on screen only, or all; a player loses its HP instead.
  Place(other, 3, 0, true, 5);
  Place(offScreen, 3, 0, false, 6);
  offScreen.m_nKind = 0;
  offScreen.m_nHp = 5;
  Join(other);
  Join(offScreen);
  other.m_bRemove = 0;
  vanish.m_vParam = {0, 3, 0};
  subject.CmdVanish(vanish);
  EXPECT_EQ(other.m_bRemove, 1);
  EXPECT_EQ(offScreen.m_nHp, 5);
  vanish.m_vParam = {0, 3, 1};
  subject.CmdVanish(vanish);
  EXPECT_EQ(offScreen.m_nHp, 0);
  // A group number past the eight groups is reported and reads group 0.
  const int closes = PostedCloses();
  vanish.m_vParam = {0, 99, 1};
  subject.CmdVanish(vanish);
  EXPECT_EQ(PostedCloses(), closes + 1);
}

TEST_F(FlowTargetItemTest, VanishOfShotsFlagsThemDuringTheHitPassAndErasesThemOtherwise) {
  cFlowTestChara owner;
  auto addShot = [&](int group) {
    cShot& shot = m_pScene->m_lstShot.emplace_back();
    shot.m_nLayer = group;
    shot.m_bActive = 1;
    shot.m_bOnScreen = 1;
    shot.m_pOwner = &owner;
    owner.m_vShotLinkedBy.push_back({&shot, kParentLinkSlot});
    m_pScene->m_vGroupShotList[static_cast<std::size_t>(group)].push_back(&shot);
    return &shot;
  };
  cShot* a = addShot(2);
  cShot* b = addShot(2);
  b->m_pTarget = &owner;  // aimed at its own owner: two links in the owner's list
  owner.m_vShotLinkedBy.push_back({b, 0});
  addShot(3);

  cFlowCmd vanish = Cmd(FLOWCMD_VANISH);
  vanish.m_vParam = {1, 2, 0};
  m_pScene->m_bShotHitPass = 1;
  owner.CmdVanish(vanish);
  EXPECT_EQ(a->m_bRemovePending, 1);
  EXPECT_EQ(b->m_bRemovePending, 1);
  EXPECT_EQ(m_pScene->m_lstShot.size(), 3u);

  m_pScene->m_bShotHitPass = 0;
  owner.CmdVanish(vanish);
  EXPECT_EQ(m_pScene->m_lstShot.size(), 1u);
  EXPECT_TRUE(m_pScene->m_vGroupShotList[2].empty());
  ASSERT_EQ(owner.m_vShotLinkedBy.size(), 1u);

  // The owner's own shots, whatever their group.
  vanish.m_vParam = {3, 0, 0};
  owner.CmdVanish(vanish);
  EXPECT_TRUE(m_pScene->m_lstShot.empty());
  EXPECT_TRUE(owner.m_vShotLinkedBy.empty());
}

TEST_F(FlowTargetItemTest, GetItemRunsTheItemsCommandsOnPlayerOneAndEndsAListThatTakesItself) {
  // Item 1 of the stage palette adds 1 to common variable 5, then takes item 1 again.
  cFlowCmd add = Cmd(FLOWCMD_STATUS);
  add.m_bItemCmd = 1;
  add.m_nKind = ITEMCMD_STATUS;
  add.m_vParam = {1, 0, 5, 0, 0, VAROP_ADD, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  cFlowCmd again = Cmd(FLOWCMD_GET_ITEM);
  again.m_bItemCmd = 1;
  again.m_nKind = ITEMCMD_GET_ITEM;
  again.m_vParam = {1, 1};
  g_StageData.m_vItemDef[1].m_vItemCmd = std::vector<cFlowCmd>{add, again};

  cFlowTestChara subject;
  cFlowCmd get = Cmd(FLOWCMD_GET_ITEM);
  get.m_vParam = {1, 1};
  subject.CmdGetItem(get);
  // Sixteen nested runs, then the innermost get-item does nothing.
  EXPECT_EQ(g_Progress.m_Vars[5], 16);
  EXPECT_EQ(m_pScene->m_nCmdResult, 0);

  // An item number past the palette is reported and item 0 (no commands) is used; a
  // palette the tool does not offer runs nothing and asks for nothing.
  const int closes = PostedCloses();
  m_pScene->m_nCmdResult = 1;
  get.m_vParam = {1, 9};
  subject.CmdGetItem(get);
  EXPECT_EQ(PostedCloses(), closes + 1);
  EXPECT_EQ(m_pScene->m_nCmdResult, 0);
  m_pScene->m_nCmdResult = 1;
  get.m_vParam = {2, 1};
  subject.CmdGetItem(get);
  EXPECT_EQ(m_pScene->m_nCmdResult, 0);
  EXPECT_EQ(g_Progress.m_Vars[5], 16);

  // An item that empties the player's HP answers 2.
  g_vPlayer[0].m_nHp = 0;
  get.m_vParam = {1, 1};
  subject.CmdGetItem(get);
  EXPECT_EQ(m_pScene->m_nCmdResult, 2);
}

TEST_F(FlowTargetItemTest, SoundAndMusicRequests) {
  cFlowTestChara subject;
  cFlowCmd se = Cmd(FLOWCMD_SE);
  se.m_vParam = {3};
  se.m_bSoundCond = 1;
  subject.m_bOnScreen = 0;
  subject.CmdSe(se);
  EXPECT_TRUE(g_Sent.empty()) << "off screen with the on-screen flag: silent";
  se.m_bSoundCond = 0;
  subject.CmdSe(se);
  ASSERT_EQ(g_Sent.size(), 1u);
  EXPECT_EQ(g_Sent[0].first, WM_GAME_PLAYSE);

  g_Sent.clear();
  cFlowCmd bgm = Cmd(FLOWCMD_BGM);
  bgm.m_vParam = {6, 1};
  subject.CmdBgm(bgm);
  ASSERT_EQ(g_Sent.size(), 1u);
  EXPECT_EQ(g_Sent[0], std::make_pair(WM_GAME_PLAYBGM, LPARAM{6}));
  EXPECT_EQ(g_Progress.m_bStageBgmLoop, 1);
}

TEST_F(FlowTargetItemTest, ArrangeRecordsItsBindingForTheRunningFlowOrThePlayersItemList) {
  cFlowTestChara subject;
  cFlowCmd arrange = Cmd(FLOWCMD_ARRANGE);
  arrange.m_vParam = {FLOWCMD_SHOT, 18, VAROP_SET, 0, 12};
  subject.CmdArrange(arrange);  // no flow runs: nothing is recorded
  cFlowRun run;
  m_pScene->m_pFlowRun = &run;
  subject.CmdArrange(arrange);
  subject.CmdArrange(arrange);
  EXPECT_EQ(run.m_listArrange.size(), 2u);
  EXPECT_EQ(run.m_listArrange.back(), arrange.m_vParam);
  m_pScene->m_pFlowRun = nullptr;

  arrange.m_bItemCmd = 1;
  arrange.m_nKind = ITEMCMD_ARRANGE;
  subject.CmdArrange(arrange);
  EXPECT_EQ(g_vPlayer[0].m_lstItemBinding.size(), 1u);
  EXPECT_EQ(run.m_listArrange.size(), 2u);
}

}  // namespace
