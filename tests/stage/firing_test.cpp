// Volleys and summons through the commands: how many objects a shot or summon command
// creates, with which ids, where and how fast, copy by copy.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "app/random.h"
#include "data/flow/flow.h"
#include "data/flow/flow_command.h"
#include "data/flow/flow_enumerations.h"
#include "data/flow/flow_command_kinds.h"
#include "data/flow/shot_block.h"
#include "data/flow/shot_parameter_tables.h"
#include "data/database/database.h"
#include "data/palette/palette.h"
#include "flow/flow_run.h"
#include "objects/chara.h"
#include "objects/firing.h"
#include "objects/item.h"
#include "objects/move_support.h"
#include "objects/player.h"
#include "objects/shot.h"
#include "platform/message_queue.h"
#include "tests/stage/object_world.h"

namespace {

// The firer stands at screen (100, 84), 32 x 32, on a view scrolled to the stage's
// origin (320, 320): its centre is at world (436, 420).
class FiringTest : public ObjectWorldTest {
 protected:
  void SetUp() override {
    ObjectWorldTest::SetUp();
    Scene().m_vGroupList.assign(kGroupCount, {});
    Scene().m_vGroupShotList.assign(kGroupCount, {});
    g_StageData.m_nCharaWalkW = 32;
    g_StageData.m_nCharaWalkH = 32;
    g_StageData.m_nItemW = 32;
    g_StageData.m_nItemH = 32;
    m_SavedCommon = g_CommonPalette;
    m_Firer.m_vTarget.assign(kTargetSlots, nullptr);
    m_Firer.m_nObjId = 77;
    m_Firer.m_nKind = 0;
    m_Firer.m_dX = 420;
    m_Firer.m_dY = 404;
    m_Firer.m_nCellW = m_Firer.m_nCellH = 32;
    m_Firer.UpdateScreenRect();
    m_Firer.m_bNoLinkRelease = 1;
    ClearPostedMessages();
  }
  void TearDown() override {
    Scene().m_lstShot.clear();
    g_CommonPalette = m_SavedCommon;
    ClearPostedMessages();
    ObjectWorldTest::TearDown();
  }

  cEdShot& Command(int kind) {
    m_Cmd.m_nKind = static_cast<std::int8_t>(kind);
    CreateEdShot(m_Cmd.m_pShot);
    m_Run.m_lpCmd = &m_Cmd;
    return *m_Cmd.m_pShot;
  }

  std::vector<const cShot*> Shots() {
    std::vector<const cShot*> shots;
    for (const cShot& shot : Scene().m_lstShot) shots.push_back(&shot);
    return shots;
  }

  cCharaBase m_Firer;
  cFlowCmd m_Cmd;
  cFlowCmdRun m_Run;
  cPalette m_SavedCommon;
};

TEST_F(FiringTest, CopiesFireWithTheirOwnSpeedOffsetAndIds) {
  cEdShot& block = Command(FLOWCMD_SHOT);
  block.m_nFormation = SHOTFORM_STRAIGHT_A;
  block.m_nCount = 1;
  block.m_nDir = MOVEDIR_LEFT;
  block.m_nCopies = 2;  // three copies
  block.m_nSpeed = 20;
  block.m_nSpeedStep = 10;
  block.m_nOffsetX = 4;
  block.m_nOffsetXStep = -2;
  block.m_nOffsetY = 10;
  const double n = g_StageData.m_dSubSteps;
  FireShots(Scene().m_lstShot, m_Firer, m_Run, block);
  const std::vector<const cShot*> shots = Shots();
  ASSERT_EQ(shots.size(), 3U);
  EXPECT_EQ(Scene().m_nNextShotId, 3);
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    const cShot& shot = *shots[static_cast<std::size_t>(i)];
    EXPECT_EQ(shot.m_nObjId, i);
    EXPECT_EQ(shot.m_nCopyIndex, i);
    // Left of the firer (x 320 + 100 - 16 + 1), centred on its centre line, moved by the
    // copy's offset.
    EXPECT_EQ(shot.m_dX, 405 + 4 - 2 * i);
    EXPECT_EQ(shot.m_dY, 412 + 10);
    EXPECT_DOUBLE_EQ(shot.m_dBaseVx, -(2.0 + i) / n);
    EXPECT_EQ(shot.m_dBaseVy, 0);
    EXPECT_EQ(shot.m_pOwner, &m_Firer);
  }
  EXPECT_EQ(m_Firer.m_vShotLinkedBy.size(), 3U);
  Scene().m_lstShot.clear();
  EXPECT_TRUE(m_Firer.m_vShotLinkedBy.empty());

  // No copies, or no shots per copy: nothing, and no id is taken.
  for (int copies : {-1, -5}) {
    block.m_nCopies = static_cast<std::int8_t>(copies);
    FireShots(Scene().m_lstShot, m_Firer, m_Run, block);
  }
  block.m_nCopies = 0;
  block.m_nCount = 0;
  FireShots(Scene().m_lstShot, m_Firer, m_Run, block);
  EXPECT_TRUE(Scene().m_lstShot.empty());
  EXPECT_EQ(Scene().m_nNextShotId, 3);
}

TEST_F(FiringTest, CopyAnglesMirrorForARightFacingFirerAndSpreadAnew) {
  cEdShot& block = Command(FLOWCMD_SHOT);
  block.m_nFormation = SHOTFORM_EXPLOSION;
  block.m_nCount = 1;
  block.m_nDir = MOVEDIR_LEFT;
  block.m_nSpeed = 10;
  block.m_nAngle = 30;
  block.m_nAngleStep = 10;
  block.m_nCopies = 1;
  const auto angleOf = [](const cShot& shot) {
    double a = std::atan2(-shot.m_dBaseVy, -shot.m_dBaseVx) * 57.29577951308232;
    if (a < 0) a += 360;
    return std::lround(a);
  };
  const struct {
    int facing;
    int mirror;
    long first, second;
  } cases[] = {{0, 1, 30, 40}, {1, 1, 330, 320}, {1, 0, 30, 40}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.facing * 10 + c.mirror);
    Scene().m_lstShot.clear();
    m_Firer.m_nFacing = c.facing;
    block.m_bMirrorAngle = static_cast<std::int8_t>(c.mirror);
    FireShots(Scene().m_lstShot, m_Firer, m_Run, block);
    const std::vector<const cShot*> shots = Shots();
    ASSERT_EQ(shots.size(), 2U);
    EXPECT_EQ(angleOf(*shots[0]), c.first);
    EXPECT_EQ(angleOf(*shots[1]), c.second);
  }

  // A spread scatters each copy on its own around the block's angle; the scatter of one
  // copy does not carry into the next.
  Scene().m_lstShot.clear();
  m_Firer.m_nFacing = 0;
  block.m_nAngle = 90;
  block.m_nAngleStep = 0;
  block.m_nSpread = 5;
  block.m_nCopies = 19;
  SeedRand(7);
  FireShots(Scene().m_lstShot, m_Firer, m_Run, block);
  std::vector<long> angles;
  for (const cShot* shot : Shots()) angles.push_back(angleOf(*shot));
  ASSERT_EQ(angles.size(), 20U);
  for (long a : angles) {
    EXPECT_GE(a, 85);
    EXPECT_LE(a, 95);
  }
  EXPECT_NE(*std::min_element(angles.begin(), angles.end()), *std::max_element(angles.begin(), angles.end()));
}

TEST_F(FiringTest, SummonsCreatePaletteEntriesAtTheFormationPlaces) {
  // Two 32-dot places right of the firer, one above the other, centred on its centre.
  const auto summon = [&](int kind, int index) -> cEdShot& {
    cEdShot& block = Command(kind);
    block.m_nFormation = SHOTFORM_STRAIGHT_A;
    block.m_nCount = 2;
    block.m_nDir = MOVEDIR_RIGHT;
    block.m_nSummonPalette = 0;
    block.m_nSummonIndex = static_cast<std::int16_t>(index);
    return block;
  };
  g_CommonPalette.m_vChara.resize(3);
  g_CommonPalette.m_vChara[1].m_nController = CHARACTRL_COMPUTER;
  g_CommonPalette.m_vChara[1].m_nSide = 3;
  g_CommonPalette.m_vChara[2].m_nController = 0;  // player-controlled

  cEdShot& chara = summon(FLOWCMD_SUMMON_CHARA, 1);
  chara.m_bSummonReverse = 1;
  SummonChara(m_Firer, m_Run, chara);
  ASSERT_EQ(g_listChara.size(), 2U);
  int id = 0;
  for (const cChara& c : g_listChara) {
    SCOPED_TRACE(id);
    EXPECT_EQ(c.m_nObjId, id);
    EXPECT_EQ(c.m_dX - c.m_nBoxOffX, 452);
    EXPECT_EQ(c.m_dY - c.m_nBoxOffY, 388 + 32 * id);
    EXPECT_EQ(c.m_nFacing, 1);  // the firer faces left; the block turns them round
    EXPECT_EQ(c.m_nLayer, 3);
    EXPECT_EQ(c.m_pParent, &m_Firer);
    ++id;
  }
  EXPECT_EQ(Scene().m_nNextCharaId, 2);
  EXPECT_EQ(Scene().m_vGroupList[3].size(), 2U);

  // A player-controlled entry, or an index past the palette, creates nothing.
  for (int index : {2, 3, -1}) SummonChara(m_Firer, m_Run, summon(FLOWCMD_SUMMON_CHARA, index));
  EXPECT_EQ(g_listChara.size(), 2U);
  EXPECT_EQ(CountPostedMessages(WM_CLOSE), 0);

  g_CommonPalette.m_vItem.resize(2);
  SummonItem(m_Firer, m_Run, summon(FLOWCMD_SUMMON_ITEM, 1));
  ASSERT_EQ(g_listItem.size(), 2U);
  EXPECT_EQ(g_listItem.front().m_nObjId, 0);
  EXPECT_EQ(g_listItem.back().m_nObjId, 1);
  EXPECT_EQ(Scene().m_nNextItemId, 2);

  // A block summon changes the cells under the two places: column (452 + 16.5) >> 5 = 14,
  // rows 12 and 13.
  g_CommonPalette.m_vBlock.resize(2);
  g_CommonPalette.m_vBlock[1].m_nGraphic = 5;
  SummonBlock(m_Firer, m_Run, summon(FLOWCMD_SUMMON_BLOCK, 1));
  EXPECT_EQ(g_vBlockMap[14 + (12 << kShift)].m_nGraphic, 5);
  EXPECT_EQ(g_vBlockMap[14 + (13 << kShift)].m_nGraphic, 5);
  EXPECT_EQ(g_vBlockMap[14 + (14 << kShift)].m_nGraphic, 0);
}

TEST_F(FiringTest, CharactersSummonedDuringThePassWaitForTheNextOne) {
  // An entry that summons itself one block to its right on its first step and then once
  // a second: were the characters it appends stepped in the same pass, one pass would
  // never end.
  cFlowCmd cmd;
  cmd.m_nKind = FLOWCMD_SUMMON_CHARA;
  cmd.m_nTime = 10;
  CreateEdShot(cmd.m_pShot);
  cEdShot& block = *cmd.m_pShot;
  block.m_nFormation = SHOTFORM_STRAIGHT_A;
  block.m_nCount = 1;
  block.m_nDir = MOVEDIR_RIGHT;
  block.m_nSummonPalette = 0;
  block.m_nSummonIndex = 1;
  cFlow flow;
  flow.m_nTrigger = FLOWTRIG_ALWAYS;
  flow.m_vCmd = {cmd};
  g_CommonPalette.m_vChara.resize(2);
  g_CommonPalette.m_vChara[1].m_nController = CHARACTRL_COMPUTER;
  g_CommonPalette.m_vChara[1].m_vFlow = std::vector<cFlow>{flow};
  g_vPlayer.emplace_back();
  Scene().m_vAppearSwitch.assign(kAppearSwitchCount, 0);

  // The first one, summoned by the firer beside it.
  cEdShot& first = Command(FLOWCMD_SUMMON_CHARA);
  first = block;
  SummonChara(m_Firer, m_Run, first);
  ASSERT_EQ(g_listChara.size(), 1U);
  for (std::size_t pass = 1; pass <= 3; ++pass) {
    SCOPED_TRACE(pass);
    Scene().UpdateActive();
    Scene().StepCharas();
    // Only the character that began its run in this pass summons: one more each pass.
    ASSERT_EQ(g_listChara.size(), pass + 1);
    EXPECT_EQ(g_listChara.back().m_bActive, 0);
    EXPECT_EQ(g_listChara.back().m_dX - std::prev(g_listChara.end(), 2)->m_dX, 32);
  }
}

TEST_F(FiringTest, VolleyDirectionsResolveAgainstFacingAndTheFlowsKey) {
  cEdShot& block = Command(FLOWCMD_SHOT);
  block.m_nFormation = SHOTFORM_STRAIGHT_A;
  block.m_nCount = 1;
  block.m_nSpeed = 10;
  cFlowRun flowRun;
  // Signs of the shot's flight: -1 left or up, 1 right or down.
  const struct {
    int code;
    int keySlot;  // -1: no flow run is being stepped
    int sx, sy;
  } cases[] = {
      {MOVEDIR_FORWARD, -1, 1, 0},
      {MOVEDIR_BACKWARD, -1, -1, 0},
      {MOVEDIR_FORWARD_Y, -1, 0, 1},
      {MOVEDIR_UP_LEFT, -1, -1, -1},
      {MOVEDIR_KEY, -1, 1, 0},   // no key: the facing
      {MOVEDIR_KEY, 5, -1, -1},  // a diagonal key stays diagonal
      {MOVEDIR_KEY, 9, 1, 0},    // an unusual combination: the facing
  };
  m_Firer.m_nFacing = 1;
  const auto sign = [](double v) { return v > 1e-9 ? 1 : (v < -1e-9 ? -1 : 0); };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.code * 100 + c.keySlot);
    Scene().m_lstShot.clear();
    flowRun.m_nStartKeySlot = c.keySlot;
    Scene().m_pFlowRun = c.keySlot >= 0 ? &flowRun : nullptr;
    block.m_nDir = static_cast<std::int8_t>(c.code);
    FireShots(Scene().m_lstShot, m_Firer, m_Run, block);
    ASSERT_EQ(Scene().m_lstShot.size(), 1U);
    EXPECT_EQ(sign(Scene().m_lstShot.front().m_dBaseVx), c.sx);
    EXPECT_EQ(sign(Scene().m_lstShot.front().m_dBaseVy), c.sy);
  }
  Scene().m_pFlowRun = nullptr;
}

TEST_F(FiringTest, ShotsEveryTenthOfASecondAndOneSwordPerRun) {
  SetLevel(2);
  const int n = g_StageData.m_nSubSteps;
  cEdShot& block = Command(FLOWCMD_SHOT);
  block.m_nFormation = SHOTFORM_EXPLOSION;
  block.m_nCount = 1;
  // A command of one second is stepped 60n times: a volley on steps 0, 6n, 12n, ...
  for (int step = 0; step < 60 * n; ++step) m_Firer.CmdShot(&m_Run);
  EXPECT_EQ(Scene().m_lstShot.size(), 10U);
  Scene().m_lstShot.clear();

  const std::vector<cSwordTypeData> savedTypes = g_Database.m_SwordType;
  g_Database.m_SwordType.resize(2);
  g_Database.m_SwordType[1].m_vFrame.resize(1);
  g_Database.m_SwordType[1].m_vFrame[0].m_nWidth = 40;
  g_Database.m_SwordType[1].m_vFrame[0].m_nHeight = 12;
  g_Database.m_SwordType[0].m_vFrame.clear();  // a sword type without frames
  const struct {
    int type;
    std::size_t swords;
  } cases[] = {{1, 1}, {0, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.type);
    Scene().m_lstShot.clear();
    cEdShot& sword = Command(FLOWCMD_SWORD);
    sword.m_nTrajectory = static_cast<std::int8_t>(c.type);
    m_Run.m_nCount = 0;
    for (int step = 0; step < 60 * n; ++step) m_Firer.CmdSword(&m_Run);
    ASSERT_EQ(Scene().m_lstShot.size(), c.swords);
    if (c.swords == 0) continue;
    const cShot& made = Scene().m_lstShot.front();
    EXPECT_EQ(made.m_bFlying, 0);
    EXPECT_EQ(made.m_nBoxW, 40);
    EXPECT_EQ(made.m_pTarget, nullptr);
    EXPECT_EQ(made.m_pOwner, &m_Firer);
  }
  EXPECT_EQ(CountPostedMessages(WM_CLOSE), 0);
  Scene().m_lstShot.clear();
  g_Database.m_SwordType = savedTypes;
}

}  // namespace
