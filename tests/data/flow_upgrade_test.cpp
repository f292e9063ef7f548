#include "data/flow/flow_upgrades.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "data/common/database_list_sizes.h"
#include "data/flow/flow.h"
#include "data/flow/flow_command.h"
#include "data/flow/flow_command_kinds.h"
#include "data/flow/flow_normalization.h"
#include "data/common/palette_kind.h"
#include "flow_test_support.h"
#include "tests/support/database_sizes_fixture.h"

namespace {

using Params = std::vector<std::int32_t>;

// 1, 2, ... n.
Params Counting(int n) {
  Params p;
  for (int i = 1; i <= n; ++i) p.push_back(i);
  return p;
}

Params With(Params p, std::initializer_list<std::pair<std::size_t, std::int32_t>> entries) {
  for (const auto& [index, value] : entries) {
    if (p.size() <= index) p.resize(index + 1, 0);
    p[index] = value;
  }
  return p;
}

// One conversion of old commands: the command as stored in a file of `version`, and its
// kind and parameters right after the conversions (before the normalisation).
struct ConvertCase {
  const char* name;
  int version;
  std::int8_t bItemCmd;
  std::int8_t kind;
  Params params;
  std::int8_t expectedKind;
  Params expectedParams;
};
void PrintTo(const ConvertCase& c, std::ostream* os) { *os << c.name; }

class CmdConversion : public FlowRecordTest, public ::testing::WithParamInterface<ConvertCase> {};

TEST_P(CmdConversion, ConvertsKindAndParameters) {
  const ConvertCase& c = GetParam();
  cFlowCmd cmd;
  cmd.m_bItemCmd = c.bItemCmd;
  cmd.m_nKind = c.kind;
  cmd.m_vParam = c.params;
  ConvertOldFlowCmd(cmd, c.version);
  EXPECT_EQ(cmd.m_nKind, c.expectedKind);
  EXPECT_EQ(cmd.m_vParam, c.expectedParams);
  EXPECT_EQ(PostedCloses(), 0);
}

// Message parameters after the conversions from below 545 on (p[10], p[11] ... p[17]).
Params ConvertedMessage(Params p, std::int32_t p10) {
  p.resize(18, 0);
  p[10] = p10;
  p[11] = 0, p[12] = 0, p[13] = 0, p[14] = 1, p[15] = 0, p[16] = 1, p[17] = 0;
  return p;
}

constexpr std::int8_t C = 0;  // character command
constexpr std::int8_t I = 1;  // item command

const ConvertCase kCharaSteps[] = {
    {"s01_stageClearResized", 144, C, 17, {1, 5}, 17, {1, 5, 0, 0, 0, 0, 0, 0, 0}},
    {"s01_notAt145", 145, C, 17, {1, 5}, 17, {1, 5}},
    {"s02_bgmLoops", 165, C, 35, {7}, 36, {7, 1}},
    {"s03_status", 167, C, 22, With(Params(18), {{4, 10}, {6, 2}, {13, 10}}), 22,
     With(Params(18), {{4, 12}, {6, 2}, {13, 12}})},
    {"s03_systemStatusMovesOnlyAsSubject", 167, C, 22, With(Params(18), {{3, 2}, {4, 10}}), 22,
     With(Params(18), {{3, 5}, {4, 10}})},
    {"s04_setTarget", 188, C, 21, Counting(14), 21, {0, 1, 2, 0, 3, 4, 5, 6, 7, 8, 9, 0, 1, 12, 13, 0}},
    {"s05_picture", 193, C, 31, Counting(14), 32, {1, 2, 3, 4, 5, 6, 1, 7, 8, 9, 10, 0, 0, 0, 0}},
    {"s06_charaEffect", 194, C, 29, {4, 5}, 30, {4, 0, 5}},
    {"s06_screenEffect", 194, C, 30, {4, 5}, 31, {4, 0, 5}},
    {"s07_summonChara", 202, C, 14, {1, 2}, 14, {}},
    {"s07_summonItem", 202, C, 15, {1, 2}, 15, {}},
    {"s07_flowOperation", 202, C, 16, {1, 2}, 16, {1, 2, 0, 0}},
    {"s07_status", 202, C, 22, With(Params(18), {{4, 5}, {6, 2}, {13, 4}}), 22,
     With(Params(18), {{4, 6}, {6, 2}, {13, 4}})},
    {"s08_status2", 209, C, 23, {0, 6, 9}, 23, {0, 7, 9}},
    {"s08_status2System", 209, C, 23, {2, 6, 9}, 23, {5, 6, 9}},
    {"s09_changeGraphic", 218, C, 25, {3, 7, 5}, 26, {3, 8, 5}},
    {"s09_changeGraphicHeldAt119", 218, C, 25, {3, 119, 5}, 26, {3, 119, 5}},
    {"s09_otherSource", 218, C, 25, {2, 7, 5}, 26, {2, 7, 5}},
    {"s12_message", 544, C, 19, {7}, 19, ConvertedMessage({7}, 1)},
    {"s12_picture", 544, C, 31, Counting(15), 32, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 0, 0, 0, 0}},
    {"s13_messageCentre", 545, C, 19, With(Counting(18), {{0, 0}}), 19, ConvertedMessage(With(Counting(18), {{0, 0}}), 1)},
    {"s13_messageOther", 545, C, 19, Counting(18), 19, ConvertedMessage(Counting(18), 0)},
    {"s14_message", 546, C, 19, Counting(18), 19, ConvertedMessage(Counting(18), 11)},
    {"s14_picture", 546, C, 31, Counting(15), 32, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 0, 0, 0}},
    {"s15_message", 555, C, 19, Counting(18), 19, With(Counting(18), {{16, 1}, {17, 0}})},
    {"s16_stageClearByPath", 721, C, 17, {2, 5}, 17, {3, 5}},
    {"s16_stageClearByNumber", 721, C, 17, {1, 5}, 17, {1, 5}},
    {"s17_message", 722, C, 19, Counting(18), 19, With(Counting(18), {{17, 0}})},
    {"s17_picture", 722, C, 31, Counting(15), 32, With(Counting(15), {{14, 0}})},
    {"s18_arrange", 725, C, 37, {30, 1}, 38, {11, 1, 0, 0, 0}},
    {"s19_arrangeShot", 726, C, 37, {11, 2, 3, 4, 5}, 38, {11, 5, 3, 4, 5}},
    {"s19_arrangeShotAllSeven", 726, C, 37, {11, 14, 0, 0, 0}, 38, {11, 21, 0, 0, 0}},
    {"s19_arrangeOtherKind", 726, C, 37, {12, 2, 0, 0, 0}, 38, {12, 2, 0, 0, 0}},
    {"s20_screenEffect", 733, C, 30, {4, 0, 5}, 31, {4, 0, 5}},
    {"s20_status2Unmoved", 733, C, 23, {0, 1, 1}, 23, {0, 1, 1}},
    {"s20_arrangeBindsShiftedKind", 733, C, 37, {24, 3, 0, 0, 0}, 38, {25, 3, 0, 0, 0}},
    {"s20_arrangeBindsLowKind", 733, C, 37, {23, 3, 0, 0, 0}, 38, {23, 3, 0, 0, 0}},
    {"s21_setTarget", 746, C, 21, Counting(16), 21, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 0, 1, 13, 14, 0}},
    {"s22_flowOperation", 759, C, 16, {1, 2, 3, 9}, 16, {1, 2, 3, 0}},
    {"s23_flowOperation", 763, C, 16, {1, 2, 3, 9}, 16, {1, 2, 3, 9}},
    {"s24_turnToTarget2", 766, C, 9, {4}, 9, {10}},
    {"s24_turnToTarget1", 766, C, 9, {3}, 9, {3}},
    {"s24_setTarget", 766, C, 21, Counting(16), 21, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}},
    {"s24_status", 766, C, 22, With(Params(18), {{3, 2}, {6, 2}, {12, 3}}), 22,
     With(Params(18), {{3, 5}, {6, 2}, {12, 6}})},
    {"s24_status2", 766, C, 23, {2, 1, 1}, 23, {5, 1, 1}},
    {"v811_unchanged", 811, C, 21, Counting(3), 21, Counting(3)},
};

INSTANTIATE_TEST_SUITE_P(CharaSteps, CmdConversion, ::testing::ValuesIn(kCharaSteps),
                         [](const auto& info) { return std::string(info.param.name); });

const ConvertCase kItemSteps[] = {
    {"s01_stageClear", 144, I, 2, {1, 5}, 2, {1, 5, 0, 0, 0, 0, 0, 0, 0}},
    {"s02_bgm", 165, I, 20, {7}, 21, {7, 1}},
    {"s03_status", 167, I, 7, With(Params(18), {{4, 10}, {6, 2}, {13, 10}}), 7,
     With(Params(18), {{4, 12}, {6, 2}, {13, 12}})},
    {"s04_setTarget", 188, I, 6, Counting(14), 6, {0, 1, 2, 0, 3, 4, 5, 6, 7, 8, 9, 0, 1, 12, 13, 0}},
    {"s05_picture", 193, I, 16, Counting(14), 17, {1, 2, 3, 4, 5, 6, 1, 7, 8, 9, 10, 0, 0, 0, 0}},
    {"s06_charaEffect", 194, I, 14, {4, 5}, 15, {4, 0, 5}},
    {"s06_screenEffect", 194, I, 15, {4, 5}, 16, {4, 0, 5}},
    {"s07_status", 202, I, 7, With(Params(18), {{4, 5}, {6, 2}, {13, 4}}), 7,
     With(Params(18), {{4, 6}, {6, 2}, {13, 4}})},
    {"s07_noSummonCounterpart", 202, I, 0, {1, 2}, 0, {1, 2}},
    {"s08_status2", 209, I, 8, {0, 6, 9}, 8, {0, 7, 9}},
    {"s09_changeGraphic", 218, I, 10, {3, 7, 5}, 11, {3, 8, 5}},
    {"s12_message", 544, I, 4, {7}, 4, ConvertedMessage({7}, 1)},
    {"s12_picture", 544, I, 16, Counting(15), 17, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 0, 0, 0, 0}},
    {"s13_message", 545, I, 4, Counting(18), 4, ConvertedMessage(Counting(18), 0)},
    {"s14_message", 546, I, 4, Counting(18), 4, ConvertedMessage(Counting(18), 11)},
    {"s15_message", 555, I, 4, Counting(18), 4, With(Counting(18), {{16, 1}, {17, 0}})},
    {"s16_stageClear", 721, I, 2, {2, 5}, 2, {3, 5}},
    {"s17_picture", 722, I, 16, Counting(15), 17, With(Counting(15), {{14, 0}})},
    {"s18_arrange", 725, I, 22, {30, 1}, 23, {11, 1, 0, 0, 0}},
    {"s19_arrange", 726, I, 22, {11, 2, 3, 4, 5}, 23, {11, 5, 3, 4, 5}},
    {"s20_vanishInserted", 733, I, 9, {}, 10, {}},
    {"s20_arrangeBindsFlowCmdKind", 733, I, 22, {24, 3, 0, 0, 0}, 23, {25, 3, 0, 0, 0}},
    {"s20_belowVanish", 733, I, 8, {0, 1, 1}, 8, {0, 1, 1}},
    {"s21_setTarget", 746, I, 6, Counting(16), 6, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 0, 1, 13, 14, 0}},
    {"s22_noFlowOperationCounterpart", 759, I, 16, {1, 2, 3}, 16, {1, 2, 3}},
    {"s24_setTarget", 766, I, 6, Counting(16), 6, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}},
    {"s24_status", 766, I, 7, With(Params(18), {{3, 2}, {6, 2}, {12, 3}}), 7,
     With(Params(18), {{3, 5}, {6, 2}, {12, 6}})},
    {"s24_status2", 766, I, 8, {2, 1, 1}, 8, {5, 1, 1}},
    {"s24_noTurnCounterpart", 766, I, 9, {4, 0, 0}, 9, {4, 0, 0}},
};

INSTANTIATE_TEST_SUITE_P(ItemSteps, CmdConversion, ::testing::ValuesIn(kItemSteps),
                         [](const auto& info) { return std::string(info.param.name); });

// Lists shorter than the entries a step looks at: they grow (new entries 0) instead of
// reaching past their end, which would report a bad index, close the program and change
// p[0].
const ConvertCase kShortLists[] = {
    {"s03_status", 167, C, 22, {12, 0, 0, 0, 0, 0, 2}, 22, With(Params(14), {{0, 12}, {6, 2}})},
    {"s08_status2", 209, C, 23, {}, 23, {0, 0}},
    {"s09_changeGraphic", 218, C, 25, {3}, 26, {3, 1}},
    {"s13_message", 545, C, 19, {7}, 19, ConvertedMessage({7}, 1)},
    {"s16_stageClear", 721, C, 17, {}, 17, {0}},
    {"s19_arrange", 726, C, 37, {11}, 38, {11, 0}},
    {"s20_arrange", 733, C, 37, {}, 38, {0}},
    {"s24_turn", 766, C, 9, {}, 9, {0}},
    {"s24_status", 766, C, 22, {0, 0, 0, 2}, 22, With(Params(13), {{3, 5}})},
    {"s24_status2", 766, C, 23, {}, 23, {0}},
    {"s24_itemStatus2", 766, I, 8, {}, 8, {0}},
};

INSTANTIATE_TEST_SUITE_P(ShortLists, CmdConversion, ::testing::ValuesIn(kShortLists),
                         [](const auto& info) { return std::string(info.param.name); });

using BlockConversionTest = FlowRecordTest;

TEST_F(BlockConversionTest, ShotGraphicMovesUpBelow220AndStaysWithin119) {
  struct Case {
    int version;
    std::int8_t bItemCmd;
    std::int16_t graphic, expected;
  };
  for (const Case c : {Case{219, C, 5, 6}, Case{219, C, 119, 119}, Case{219, C, 118, 119}, Case{220, C, 5, 5},
                       Case{219, I, 5, 5}}) {
    cFlowCmd cmd;
    cmd.m_bItemCmd = c.bItemCmd;
    cmd.m_nKind = FLOWCMD_SHOT;
    CreateEdShot(cmd.m_pShot);
    cmd.m_pShot->m_nGraphic = c.graphic;
    ConvertOldFlowCmd(cmd, c.version);
    EXPECT_EQ(cmd.m_pShot->m_nGraphic, c.expected) << c.version << " " << c.graphic;
  }
}

TEST_F(BlockConversionTest, ChargeBelow514LosesItsAngle) {
  cFlowCmd cmd;
  cmd.m_nKind = FLOWCMD_MOVE_CHARGE;
  CreateEdMove(cmd.m_pMove);
  cmd.m_pMove->m_nAngle = 30;
  cmd.m_pMove->m_nAngleStep = 4;
  cmd.m_pMove->m_bMirrorAngle = 0;
  ConvertOldFlowCmd(cmd, 513);
  EXPECT_EQ(cmd.m_pMove->m_nAngle, 0);
  EXPECT_EQ(cmd.m_pMove->m_nAngleStep, 0);
  EXPECT_EQ(cmd.m_pMove->m_bMirrorAngle, 1);
}

TEST_F(BlockConversionTest, WarpBelow767MovesItsModeForTheNewTargets) {
  struct Case {
    std::int8_t bItemCmd, kind, mode, expected;
  };
  for (const Case c : {Case{C, FLOWCMD_WARP, 2, 5}, Case{C, FLOWCMD_WARP, 1, 1}, Case{I, ITEMCMD_WARP, 3, 6}}) {
    cFlowCmd cmd;
    cmd.m_bItemCmd = c.bItemCmd;
    cmd.m_nKind = c.kind;
    CreateEdMove(cmd.m_pMove);
    cmd.m_pMove->m_nMode = c.mode;
    ConvertOldFlowCmd(cmd, 766);
    EXPECT_EQ(cmd.m_pMove->m_nMode, c.expected);
  }
}

TEST_F(BlockConversionTest, FlowOperationBelow764GetsADisabledConditionBlock) {
  for (int version : {763, 764}) {
    cFlowCmd cmd;
    cmd.m_nKind = FLOWCMD_FLOW_OPERATION;
    cmd.m_vParam = {0, 0, 0, 0};
    ConvertOldFlowCmd(cmd, version);
    EXPECT_EQ(static_cast<bool>(cmd.m_pCond), version == 763);
    if (cmd.m_pCond) {
      EXPECT_EQ(cmd.m_pCond->m_bEnabled, 0);
    }
  }
}

TEST_F(BlockConversionTest, StepsOnBlocksSkipCommandsWithoutThem) {
  for (std::int8_t kind : {FLOWCMD_SHOT, FLOWCMD_MOVE_CHARGE, FLOWCMD_WARP}) {
    cFlowCmd cmd;
    cmd.m_nKind = kind;
    ConvertOldFlowCmd(cmd, 100);
    EXPECT_FALSE(cmd.m_pMove || cmd.m_pShot);
  }
}

// The whole road through Read: conversions, then the normalisation.
using UpgradeOnReadTest = FlowRecordTest;

cFlowCmd ReadPlainCmd(int version, std::int8_t bItemCmd, std::int8_t kind, const Params& params) {
  cByteBuilder b;
  CmdScalars head;
  head.bItemCmd = bItemCmd;
  head.nKind = kind;
  AppendPlainCmd(b, version, head, params);
  cFlowCmd cmd;
  g_nFileVersion = version;
  cDataReader in(b.Get());
  cmd.Read(in);
  g_nFileVersion = g_nDataVersion;
  EXPECT_FALSE(in.Damaged());
  EXPECT_TRUE(in.AtEnd());
  return cmd;
}

TEST_F(UpgradeOnReadTest, SetTargetOf188EndsWithSixteenParameters) {
  const cFlowCmd cmd = ReadPlainCmd(188, C, FLOWCMD_SET_TARGET, Counting(14));
  EXPECT_EQ(cmd.m_vParam, (Params{0, 1, 2, 0, 3, 4, 5, 6, 7, 8, 9, 0, 1, 12, 13, 0}));
}

TEST_F(UpgradeOnReadTest, ArrangeOf725BindsTheShotCommand) {
  const cFlowCmd cmd = ReadPlainCmd(725, C, 37, {});
  EXPECT_EQ(cmd.m_nKind, FLOWCMD_ARRANGE);
  EXPECT_EQ(cmd.m_vParam, (Params{FLOWCMD_SHOT, 0, 0, 0, 0}));
}

TEST_F(UpgradeOnReadTest, KindsFromTheVanishCommandOnMoveUpBelow734) {
  EXPECT_EQ(ReadPlainCmd(733, C, 30, {}).m_nKind, FLOWCMD_SCREEN_EFFECT);
  EXPECT_EQ(ReadPlainCmd(733, I, 9, {}).m_nKind, ITEMCMD_GET_ITEM);
  EXPECT_EQ(ReadPlainCmd(734, C, 30, {}).m_nKind, FLOWCMD_CHARA_EFFECT);
}

TEST_F(UpgradeOnReadTest, StatusWithAShortListReadsWithoutClosingTheProgram) {
  const cFlowCmd cmd = ReadPlainCmd(167, C, FLOWCMD_STATUS, {12, 0, 0, 0, 0, 0, 2});
  EXPECT_EQ(cmd.m_vParam, With(Params(18), {{0, 12}, {6, 2}}));
  EXPECT_EQ(PostedCloses(), 0);
}

// cFlowCmd::Normalize: references into the databases.
struct DatabaseCase {
  const char* name;
  std::int8_t bItemCmd;
  std::int8_t kind;
  DBKIND list;
  int listSize;
  std::int32_t p0;
  std::int32_t expected;
};
void PrintTo(const DatabaseCase& c, std::ostream* os) { *os << c.name; }

class DatabaseRepair : public FlowRecordTest, public ::testing::WithParamInterface<DatabaseCase> {};

TEST_P(DatabaseRepair, ReplacesAnIndexOutsideTheList) {
  const DatabaseCase& c = GetParam();
  SetDatabaseSize(c.list, c.listSize);
  cFlowCmd cmd;
  cmd.m_bItemCmd = c.bItemCmd;
  cmd.m_nKind = c.kind;
  cmd.m_vParam = {c.p0};
  cmd.Normalize();
  ASSERT_FALSE(cmd.m_vParam.empty());
  EXPECT_EQ(cmd.m_vParam[0], c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, DatabaseRepair,
    ::testing::Values(
        DatabaseCase{"effectAtLength", C, FLOWCMD_EFFECT, DBKIND_EFFECT, 5, 5, 1},
        DatabaseCase{"effectInside", C, FLOWCMD_EFFECT, DBKIND_EFFECT, 5, 4, 4},
        DatabaseCase{"effectNegative", C, FLOWCMD_EFFECT, DBKIND_EFFECT, 5, -1, 1},
        DatabaseCase{"animeSetToZero", C, FLOWCMD_CHANGE_ANIMESET, DBKIND_ANIMESET, 5, 9, 0},
        DatabaseCase{"anime", C, FLOWCMD_ANIME, DBKIND_ANIME, 3, 3, 1},
        DatabaseCase{"charaEffect", C, FLOWCMD_CHARA_EFFECT, DBKIND_CHARA_EFFECT, 3, 7, 1},
        DatabaseCase{"screenEffect", C, FLOWCMD_SCREEN_EFFECT, DBKIND_SCR_EFFECT, 3, 7, 1},
        DatabaseCase{"picture", C, FLOWCMD_PICTURE, DBKIND_PICTURE, 3, 7, 1},
        DatabaseCase{"se", C, FLOWCMD_SE, DBKIND_SOUND, 3, 7, 1},
        DatabaseCase{"bgm", C, FLOWCMD_BGM, DBKIND_BGM, 3, 7, 1},
        // 1 only where the list has an entry 1.
        DatabaseCase{"oneEntryListGivesZero", C, FLOWCMD_EFFECT, DBKIND_EFFECT, 1, 3, 0},
        DatabaseCase{"emptyListGivesZero", C, FLOWCMD_BGM, DBKIND_BGM, 0, 3, 0},
        DatabaseCase{"twoEntryListGivesOne", C, FLOWCMD_SE, DBKIND_SOUND, 2, 3, 1},
        DatabaseCase{"itemAnimeSet", I, ITEMCMD_CHANGE_ANIMESET, DBKIND_ANIMESET, 5, 9, 0},
        DatabaseCase{"itemAnime", I, ITEMCMD_ANIME, DBKIND_ANIME, 3, 3, 1},
        DatabaseCase{"itemEffect", I, ITEMCMD_EFFECT, DBKIND_EFFECT, 3, 3, 1},
        DatabaseCase{"itemCharaEffect", I, ITEMCMD_CHARA_EFFECT, DBKIND_CHARA_EFFECT, 3, 3, 1},
        DatabaseCase{"itemScreenEffect", I, ITEMCMD_SCREEN_EFFECT, DBKIND_SCR_EFFECT, 3, 3, 1},
        DatabaseCase{"itemPicture", I, ITEMCMD_PICTURE, DBKIND_PICTURE, 3, 3, 1},
        DatabaseCase{"itemSe", I, ITEMCMD_SE, DBKIND_SOUND, 3, 3, 1},
        DatabaseCase{"itemBgm", I, ITEMCMD_BGM, DBKIND_BGM, 1, 3, 0},
        DatabaseCase{"itemVanishNamesNoDatabase", I, ITEMCMD_VANISH, DBKIND_ANIME, 0, 3, 3},
        DatabaseCase{"turnNamesNoDatabase", C, FLOWCMD_TURN, DBKIND_ANIME, 0, 7, 7}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FlowRecordTest, SoundAndAnimeOutsideTheirListsBecomeNone) {
  SetDatabaseSize(DBKIND_SOUND, 4);
  SetDatabaseSize(DBKIND_ANIME, 4);
  struct Case {
    std::int16_t value, expected;
  };
  for (const Case c : {Case{-1, 0}, Case{4, 0}, Case{3, 3}, Case{0, 0}}) {
    cFlowCmd cmd;
    cmd.m_nSound = c.value;
    cmd.m_nAnime = c.value;
    cmd.Normalize();
    EXPECT_EQ(cmd.m_nSound, c.expected) << c.value;
    EXPECT_EQ(cmd.m_nAnime, c.expected) << c.value;
  }
}

TEST_F(FlowRecordTest, ParametersTakeTheCountOfTheKind) {
  struct Case {
    std::int8_t bItemCmd, kind;
    std::size_t inCount, expected;
  };
  for (const Case c : {Case{C, FLOWCMD_MESSAGE, 3, 18}, Case{I, ITEMCMD_MESSAGE, 30, 18}, Case{C, FLOWCMD_SHOT, 4, 0},
                       Case{I, ITEMCMD_CHANGE_FLOW, 0, 2},
                       // Outside the tables: kept as read.
                       Case{C, 40, 7, 7}, Case{I, 25, 7, 7}, Case{C, -3, 7, 7}}) {
    cFlowCmd cmd;
    cmd.m_bItemCmd = c.bItemCmd;
    cmd.m_nKind = c.kind;
    cmd.m_vParam.assign(c.inCount, 1);
    cmd.Normalize();
    EXPECT_EQ(cmd.m_vParam.size(), c.expected) << int(c.bItemCmd) << " " << int(c.kind);
  }
}

TEST_F(FlowRecordTest, SwordTakesTheRunningTimeOfItsSwordType) {
  SetSwordFrameTimes({{4, 6}, {5000, 6000}, {3, -1}});
  struct Case {
    std::int8_t trajectory, expectedTrajectory;
    std::int16_t expectedTime;
  };
  for (const Case c : {Case{1, 1, 9999}, Case{0, 0, 10}, Case{2, 2, 2}, Case{3, 0, 10}, Case{-1, 0, 10}}) {
    cFlowCmd cmd;
    cmd.m_nKind = FLOWCMD_SWORD;
    cmd.m_nTime = 77;
    CreateEdShot(cmd.m_pShot);
    cmd.m_pShot->m_nTrajectory = c.trajectory;
    cmd.Normalize();
    EXPECT_EQ(cmd.m_pShot->m_nTrajectory, c.expectedTrajectory) << int(c.trajectory);
    EXPECT_EQ(cmd.m_nTime, c.expectedTime) << int(c.trajectory);
  }

  cFlowCmd bare;
  bare.m_nKind = FLOWCMD_SWORD;
  bare.m_nTime = 77;
  bare.Normalize();
  EXPECT_EQ(bare.m_nTime, 77);
}

TEST_F(FlowRecordTest, SwordTimeHoldsAt9999OnceReached) {
  SetSwordFrameTimes({{9999, 5}, {9000, 998, 1}, {20000, 30000}});
  EXPECT_EQ(SwordRunningTime(0), 9999);
  EXPECT_EQ(SwordRunningTime(1), 9999);
  // Added in 16 bits: 20000 + 30000 wraps below 9999 and is kept as it is.
  EXPECT_EQ(SwordRunningTime(2), static_cast<std::int16_t>(9999 + 30000));
  EXPECT_EQ(SwordRunningTime(5), 0);
}

// cFlowCmd::Normalize2: references into the palettes.
struct PaletteCase {
  const char* name;
  std::int8_t bItemCmd;
  std::int8_t kind;
  std::int8_t selector;   // m_nItemPalette, m_nSummonPalette or p[0]
  std::int16_t index;     // m_nItemIndex, m_nSummonIndex or p[1]
  PALETTE owner;
  int list;
  int listSize;
  std::int8_t expectedSelector;
  std::int16_t expectedIndex;
};
void PrintTo(const PaletteCase& c, std::ostream* os) { *os << c.name; }

class PaletteRepair : public FlowRecordTest, public ::testing::WithParamInterface<PaletteCase> {};

TEST_P(PaletteRepair, ReplacesAnEntryOutsideThePalette) {
  const PaletteCase& c = GetParam();
  SetPaletteListSize(c.owner, c.list, c.listSize);
  cFlowCmd cmd;
  cmd.m_bItemCmd = c.bItemCmd;
  cmd.m_nKind = c.kind;
  const bool usesParams = c.kind == (c.bItemCmd ? int{ITEMCMD_GET_ITEM} : int{FLOWCMD_GET_ITEM});
  if (usesParams) {
    cmd.m_vParam = {c.selector, c.index};
  } else {
    CreateEdShot(cmd.m_pShot);
    if (c.kind == FLOWCMD_SHOT || c.kind == FLOWCMD_SWORD) {
      cmd.m_pShot->m_nItemPalette = c.selector;
      cmd.m_pShot->m_nItemIndex = c.index;
    } else {
      cmd.m_pShot->m_nSummonPalette = c.selector;
      cmd.m_pShot->m_nSummonIndex = c.index;
    }
  }
  cFlow flow;
  flow.m_vCmd.push_back(cmd);
  flow.Normalize2();
  const cFlowCmd& done = flow.m_vCmd[0];
  if (usesParams) {
    EXPECT_EQ(done.m_vParam, (Params{c.expectedSelector, c.expectedIndex}));
  } else if (c.kind == FLOWCMD_SHOT || c.kind == FLOWCMD_SWORD) {
    EXPECT_EQ(done.m_pShot->m_nItemPalette, c.expectedSelector);
    EXPECT_EQ(done.m_pShot->m_nItemIndex, c.expectedIndex);
  } else {
    EXPECT_EQ(done.m_pShot->m_nSummonPalette, c.expectedSelector);
    EXPECT_EQ(done.m_pShot->m_nSummonIndex, c.expectedIndex);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, PaletteRepair,
    ::testing::Values(
        PaletteCase{"shotCommonItem3Of2", C, FLOWCMD_SHOT, 1, 3, PALETTE_COMMON, PALETTE_CLASS_ITEM, 2, 0, 0},
        PaletteCase{"shotCommonItem1Of2", C, FLOWCMD_SHOT, 1, 1, PALETTE_COMMON, PALETTE_CLASS_ITEM, 2, 1, 1},
        PaletteCase{"swordStageItem", C, FLOWCMD_SWORD, 2, 2, PALETTE_STAGE, PALETTE_CLASS_ITEM, 2, 0, 0},
        PaletteCase{"shotNoItem", C, FLOWCMD_SHOT, 0, 50, PALETTE_COMMON, PALETTE_CLASS_ITEM, 0, 0, 50},
        PaletteCase{"summonBlock", C, FLOWCMD_SUMMON_BLOCK, 0, 4, PALETTE_COMMON, PALETTE_CLASS_BLOCK, 4, 0, 1},
        PaletteCase{"summonStageChara7Of5", C, FLOWCMD_SUMMON_CHARA, 1, 7, PALETTE_STAGE, PALETTE_CLASS_CHARA, 5, 1, 1},
        PaletteCase{"summonCharaInside", C, FLOWCMD_SUMMON_CHARA, 1, 4, PALETTE_STAGE, PALETTE_CLASS_CHARA, 5, 1, 4},
        PaletteCase{"summonItemNegative", C, FLOWCMD_SUMMON_ITEM, 0, -1, PALETTE_COMMON, PALETTE_CLASS_ITEM, 5, 0, 1},
        PaletteCase{"summonOtherPalette", C, FLOWCMD_SUMMON_ITEM, 2, 90, PALETTE_COMMON, PALETTE_CLASS_ITEM, 0, 2, 90},
        PaletteCase{"getItem", C, FLOWCMD_GET_ITEM, 1, 5, PALETTE_STAGE, PALETTE_CLASS_ITEM, 5, 1, 1},
        PaletteCase{"itemGetItem", I, ITEMCMD_GET_ITEM, 0, 9, PALETTE_COMMON, PALETTE_CLASS_ITEM, 3, 0, 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FlowRecordTest, SecondPassReachesFlowsInsideItemCommands) {
  SetPaletteListSize(PALETTE_STAGE, PALETTE_CLASS_CHARA, 0);
  cFlowCmd item;
  item.m_bItemCmd = 1;
  item.m_nKind = ITEMCMD_CHANGE_FLOW;
  item.m_vFlow.resize(1);
  item.m_vFlow[0].m_vCmd.resize(1);
  cFlowCmd& summon = item.m_vFlow[0].m_vCmd[0];
  summon.m_nKind = FLOWCMD_SUMMON_CHARA;
  CreateEdShot(summon.m_pShot);
  summon.m_pShot->m_nSummonPalette = 1;
  summon.m_pShot->m_nSummonIndex = 3;
  item.Normalize2();
  EXPECT_EQ(summon.m_pShot->m_nSummonIndex, 1);
}

}  // namespace
