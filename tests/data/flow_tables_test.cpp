// Constant tables of flows: command kinds, shot parameters, label lists and statuses.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "data/flow/command_param_label_lists.h"
#include "data/flow/flow_command_kinds.h"
#include "data/flow/flow_enumerations.h"
#include "data/flow/flow_label_lists.h"
#include "data/flow/param_block_label_lists.h"
#include "data/flow/shot_parameter_tables.h"
#include "data/flow/status_descriptor_tables.h"

namespace {

const int kOutsideValues[] = {-1, INT_MIN, INT_MAX, -128, 127};

// --- Command kinds ---------------------------------------------------------------

struct KindRow {
  int nParamCount;
  CMDBLOCK nBlock;
};

TEST(FlowCommandKinds, ParamCountAndBlockOfEveryKind) {
  constexpr CMDBLOCK N = CMDBLOCK_NONE, M = CMDBLOCK_MOVE, S = CMDBLOCK_SHOT, C = CMDBLOCK_COND;
  const KindRow flowKinds[] = {
      {0, N},  {0, N}, {0, M}, {0, M},  {0, M}, {0, M},  {0, M},  {0, M}, {0, N}, {1, N},
      {5, N},  {0, S}, {0, S}, {0, S},  {0, S}, {0, S},  {4, C},  {9, N}, {1, N}, {18, N},
      {0, M},  {16, N}, {18, N}, {3, N}, {3, N}, {2, N},  {3, N},  {1, N}, {1, N}, {8, N},
      {3, N},  {3, N}, {15, N}, {8, N}, {2, N}, {1, N},  {2, N},  {0, N}, {5, N}, {2, N},
  };
  const KindRow itemKinds[] = {
      {0, N}, {2, N},  {9, N}, {1, N}, {18, N}, {0, M}, {16, N}, {18, N}, {3, N},
      {3, N}, {2, N},  {3, N}, {1, N}, {1, N},  {8, N}, {3, N},  {3, N},  {15, N},
      {8, N}, {2, N},  {1, N}, {2, N}, {0, N},  {5, N}, {2, N},
  };
  ASSERT_EQ(std::size(flowKinds), static_cast<size_t>(kFlowCmdKindCount));
  ASSERT_EQ(std::size(itemKinds), static_cast<size_t>(kItemCmdKindCount));
  for (int nKind = 0; nKind < kFlowCmdKindCount; ++nKind) {
    SCOPED_TRACE("FLOWCMD " + std::to_string(nKind));
    EXPECT_EQ(GetFlowCmdParamCount(nKind), flowKinds[nKind].nParamCount);
    EXPECT_EQ(GetFlowCmdBlock(nKind), flowKinds[nKind].nBlock);
  }
  for (int nKind = 0; nKind < kItemCmdKindCount; ++nKind) {
    SCOPED_TRACE("ITEMCMD " + std::to_string(nKind));
    EXPECT_EQ(GetItemCmdParamCount(nKind), itemKinds[nKind].nParamCount);
    EXPECT_EQ(GetItemCmdBlock(nKind), itemKinds[nKind].nBlock);
  }
}

TEST(FlowCommandKinds, LabelsAndTheItemKindsSharedWithCharacterKinds) {
  EXPECT_STREQ(GetFlowCmdLabel(FLOWCMD_NONE), "");
  EXPECT_STREQ(GetFlowCmdLabel(FLOWCMD_MESSAGE), "メッセージ");
  EXPECT_STREQ(GetFlowCmdLabel(FLOWCMD_LOOP), "ループ");
  EXPECT_STREQ(GetItemCmdLabel(ITEMCMD_NONE), "");
  EXPECT_STREQ(GetItemCmdLabel(ITEMCMD_CHANGE_FLOW), "フローの変更");
  EXPECT_STREQ(GetItemCmdLabel(ITEMCMD_LOOP), "ループ");
  for (int nItemKind = ITEMCMD_STAGE_CLEAR; nItemKind <= ITEMCMD_LOOP; ++nItemKind) {
    SCOPED_TRACE("ITEMCMD " + std::to_string(nItemKind));
    EXPECT_STREQ(GetItemCmdLabel(nItemKind), GetFlowCmdLabel(nItemKind + 15));
    EXPECT_EQ(GetItemCmdParamCount(nItemKind), GetFlowCmdParamCount(nItemKind + 15));
    EXPECT_EQ(GetItemCmdBlock(nItemKind), GetFlowCmdBlock(nItemKind + 15));
  }
}

TEST(FlowCommandKinds, KindOutsideTheTableHasNoParametersLabelOrBlock) {
  std::vector<int> flowOutside(std::begin(kOutsideValues), std::end(kOutsideValues));
  flowOutside.push_back(kFlowCmdKindCount);
  for (int nKind : flowOutside) {
    SCOPED_TRACE(nKind);
    EXPECT_EQ(GetFlowCmdParamCount(nKind), 0);
    EXPECT_STREQ(GetFlowCmdLabel(nKind), "");
    EXPECT_EQ(GetFlowCmdBlock(nKind), CMDBLOCK_NONE);
  }
  std::vector<int> itemOutside(std::begin(kOutsideValues), std::end(kOutsideValues));
  itemOutside.push_back(kItemCmdKindCount);
  itemOutside.push_back(FLOWCMD_LOOP);  // a character kind that has no item counterpart
  for (int nKind : itemOutside) {
    SCOPED_TRACE(nKind);
    EXPECT_EQ(GetItemCmdParamCount(nKind), 0);
    EXPECT_STREQ(GetItemCmdLabel(nKind), "");
    EXPECT_EQ(GetItemCmdBlock(nKind), CMDBLOCK_NONE);
  }
}

// --- Shot parameters ---------------------------------------------------------------

struct Range {
  int nMin;
  int nMax;
};

void ExpectRanges(const ShotParamDesc& (*lpGet)(int, int), const std::vector<std::vector<Range>>& expected) {
  for (size_t k = 0; k < expected.size(); ++k) {
    for (int n = 0; n < kShotParamsPerPattern; ++n) {
      SCOPED_TRACE("pattern " + std::to_string(k) + " parameter " + std::to_string(n));
      const ShotParamDesc& desc = lpGet(static_cast<int>(k), n);
      EXPECT_EQ(desc.nMin, expected[k][n].nMin);
      EXPECT_EQ(desc.nMax, expected[k][n].nMax);
      // An unused parameter is exactly the one without a label.
      EXPECT_EQ(desc.lpLabel[0] == '\0', desc.nMin == 0 && desc.nMax == 0);
    }
  }
}

TEST(ShotParameterTables, RangesOfEveryParameter) {
  const Range u{0, 0};
  ExpectRanges(GetShotFormParamDesc, {
                                         {{0, 40}, u, u},
                                         {{0, 40}, u, u},
                                         {{0, 180}, u, u},
                                         {{0, 40}, {1, 50}, {0, 40}},
                                         {u, u, u},
                                         {{0, 40}, u, u},
                                     });
  ExpectRanges(GetShotTrajParamDesc, {
                                         {u, u, u},
                                         {{0, 40}, u, u},
                                         {{0, 40}, {0, 7}, u},
                                         {{0, 40}, u, u},
                                         {{0, 40}, {0, 999}, u},
                                         {{0, 40}, {0, 999}, {0, 7}},
                                         {{0, 40}, {0, 999}, u},
                                         {{0, 40}, {0, 999}, {0, 7}},
                                         {{0, 100}, {0, 100}, {0, 359}},
                                         {{0, 40}, u, u},
                                     });
}

TEST(ShotParameterTables, LabelsAndDefaults) {
  EXPECT_STREQ(GetShotFormParamDesc(SHOTFORM_LIGHTNING, 1).lpLabel, "列の数");
  EXPECT_EQ(GetShotFormParamDesc(SHOTFORM_LIGHTNING, 1).nDefault, 1);
  EXPECT_EQ(GetShotFormParamDesc(SHOTFORM_SPREAD, 0).nDefault, 30);
  EXPECT_EQ(GetShotFormParamDesc(SHOTFORM_SURROUND, 0).nDefault, 6);
  EXPECT_STREQ(GetShotTrajParamDesc(SHOTTRAJ_WAVE, 2).lpLabel, "開始角度");
  EXPECT_EQ(GetShotTrajParamDesc(SHOTTRAJ_HOME_TARGET, 1).nDefault, 999);
  EXPECT_EQ(GetShotTrajParamDesc(SHOTTRAJ_WAVE, 1).nDefault, 4);
}

TEST(ShotParameterTables, PatternOrParameterOutsideTheTablesIsUnused) {
  struct Case {
    int nPattern;
    int nParam;
  };
  std::vector<Case> formCases = {{kShotFormCount, 0}, {0, kShotParamsPerPattern}, {SHOTFORM_STRAIGHT_B, -1}};
  std::vector<Case> trajCases = {{kShotTrajCount, 0}, {0, kShotParamsPerPattern}, {SHOTTRAJ_AIM_HERO, -1}};
  for (int v : kOutsideValues) {
    formCases.push_back({v, 0});
    formCases.push_back({0, v});
    trajCases.push_back({v, 0});
    trajCases.push_back({0, v});
  }
  for (const Case& c : formCases) {
    SCOPED_TRACE("formation " + std::to_string(c.nPattern) + " parameter " + std::to_string(c.nParam));
    const ShotParamDesc& desc = GetShotFormParamDesc(c.nPattern, c.nParam);
    EXPECT_STREQ(desc.lpLabel, "");
    EXPECT_EQ(desc.nMin, 0);
    EXPECT_EQ(desc.nMax, 0);
  }
  for (const Case& c : trajCases) {
    SCOPED_TRACE("trajectory " + std::to_string(c.nPattern) + " parameter " + std::to_string(c.nParam));
    const ShotParamDesc& desc = GetShotTrajParamDesc(c.nPattern, c.nParam);
    EXPECT_STREQ(desc.lpLabel, "");
    EXPECT_EQ(desc.nMin, 0);
    EXPECT_EQ(desc.nMax, 0);
  }
}

// --- Label lists -------------------------------------------------------------------

struct ListCount {
  const char* lpName;
  const LabelList& list;
  int nCount;
};

const ListCount kListCounts[] = {
    {"shot formations", g_ShotFormLabels, 6},
    {"shot trajectories", g_ShotTrajLabels, 10},
    {"flow triggers", g_FlowTrigLabels, 23},
    {"flow IDs", g_FlowIdLabels, 27},
    {"flow switches", g_FlowSwitchLabels, 27},
    {"flow IDs or all", g_FlowIdOrAllLabels, 27},
    {"change-flow operations", g_ChangeFlowOpLabels, 3},
    {"change-flow IDs", g_ChangeFlowIdLabels, 27},
    {"condition kinds", g_CondKindLabels, 8},
    {"condition modes", g_CondModeLabels, 2},
    {"comparisons", g_CmpLabels, 8},
    {"state tests", g_StateTestLabels, 2},
    {"states", g_StateLabels, 5},
    {"condition subjects", g_CondSubjLabels, 6},
    {"condition subjects without system", g_CondSubjWithoutSystemLabels, 5},
    {"left sources", g_CondLeftSrcLabels, 2},
    {"right sources", g_CondRightSrcLabels, 4},
    {"variable kinds", g_VarKindLabels, 2},
    {"distance shapes", g_DistShapeLabels, 7},
    {"distance comparisons", g_DistCmpLabels, 2},
    {"distance range display", g_DistRangeDisplayLabels, 3},
    {"key slot states", g_KeySlotStateLabels, 3},
    {"key match modes", g_KeyMatchLabels, 3},
    {"subjects", g_SubjLabels, 6},
    {"subjects without system", g_SubjWithoutSystemLabels, 5},
    {"target slots", g_TargetSlotLabels, 4},
    {"value operations", g_VarOpLabels, 7},
    {"status calculation modes", g_StatusCalcModeLabels, 3},
    {"arrange variable kinds", g_ArrangeVarKindLabels, 3},
    {"chara variables", g_CharaVarLabels, 8},
    {"flow operations", g_FlowOpLabels, 6},
    {"flow scopes", g_FlowScopeLabels, 3},
    {"stage clear modes", g_StageClearModeLabels, 4},
    {"next stage facings", g_NextStageFacingLabels, 3},
    {"message positions", g_MessagePosLabels, 9},
    {"display durations", g_DisplayDurationLabels, 3},
    {"picture positions", g_PicturePosLabels, 5},
    {"target choices", g_SetTargetLabels, 11},
    {"target search ranges", g_TargetSearchRangeLabels, 3},
    {"no target found", g_NoTargetFoundLabels, 2},
    {"vanish targets", g_VanishTargetLabels, 6},
    {"vanish ranges", g_VanishRangeLabels, 2},
    {"palette choices", g_PaletteChoiceLabels, 2},
    {"common palette only", g_CommonPaletteOnlyLabels, 1},
    {"effect playback", g_EffectPlaybackLabels, 3},
    {"display switch", g_DisplaySwitchLabels, 3},
    {"turns", g_TurnLabels, 12},
    {"jump heights", g_JumpHeightLabels, 3},
    {"straight move modes", g_StraightMoveModeLabels, 2},
    {"warp modes", g_WarpModeLabels, 6},
    {"directions", g_DirectionLabels, 13},
    {"coordinate kinds", g_CoordKindLabels, 4},
    {"coordinate kinds without placement", g_CoordKindWithoutPlacementLabels, 3},
    {"circle turning", g_CircleTurnLabels, 4},
    {"speed modes", g_SpeedModeLabels, 3},
    {"circle speed modes", g_CircleSpeedModeLabels, 2},
    {"distance units", g_DistUnitLabels, 2},
    {"formation origins", g_FormOriginLabels, 3},
    {"block summon modes", g_BlockSummonModeLabels, 3},
    {"summon sides", g_SummonSideLabels, 3},
};

TEST(FlowLabelLists, EachListHasItsNumberOfEntries) {
  for (const ListCount& c : kListCounts) {
    SCOPED_TRACE(c.lpName);
    EXPECT_EQ(c.list.Count(), c.nCount);
  }
}

TEST(FlowLabelLists, ValueOutsideAListGivesEmptyText) {
  for (const ListCount& c : kListCounts) {
    SCOPED_TRACE(c.lpName);
    EXPECT_STREQ(c.list.At(c.list.Count()), "");
    for (int v : kOutsideValues) EXPECT_STREQ(c.list.At(v), "");
  }
}

struct Spot {
  const LabelList& list;
  int nValue;
  const char* lpLabel;
};

TEST(FlowLabelLists, SpotLabels) {
  const Spot spots[] = {
      {g_ShotFormLabels, SHOTFORM_STRAIGHT_A, "直進A"},
      {g_ShotFormLabels, SHOTFORM_SURROUND, "包囲"},
      {g_ShotTrajLabels, SHOTTRAJ_HOME_NEAREST_STOP, "近いキャラへ誘導（対象死亡時、誘導を無効化）"},
      {g_ShotTrajLabels, SHOTTRAJ_FALL, "落下"},
      {g_FlowTrigLabels, FLOWTRIG_ALWAYS, "常時"},
      {g_FlowTrigLabels, FLOWTRIG_BLOCK_UP_DOWN, "自分の上下にブロックが当たった時"},
      {g_FlowTrigLabels, FLOWTRIG_NONE, "なし（フローの操作コマンドで実行）"},
      {g_FlowIdLabels, 0, "-"},
      {g_FlowIdLabels, 13, "M"},
      {g_FlowIdLabels, 26, "Z"},
      {g_FlowSwitchLabels, 26, "z"},
      {g_FlowIdOrAllLabels, 0, "全て"},
      {g_FlowIdOrAllLabels, 26, "Z"},
      {g_ChangeFlowOpLabels, 2, "削除"},
      {g_ChangeFlowIdLabels, 0, "全て削除"},
      {g_ChangeFlowIdLabels, 26, "Z"},
      {g_CondKindLabels, COND_NONE, ""},
      {g_CondKindLabels, COND_STATUS, "ステータス条件"},
      {g_CondKindLabels, COND_DISTANCE, "距離条件"},
      {g_CondModeLabels, 1, "1つ以上の条件が真なら成立"},
      {g_CmpLabels, CMP_EQ, "である"},
      {g_CmpLabels, CMP_GT, "より上"},
      {g_CmpLabels, CMP_NOT_MULTIPLE, "の倍数でない"},
      {g_StateTestLabels, 1, "でないなら"},
      {g_StateLabels, 2, "ブロックに乗っている(ブロックキャラも含む)"},
      {g_StateLabels, 4, "存在している"},
      {g_CondSubjLabels, CONDSUBJ_HERO, "主人公"},
      {g_CondSubjLabels, CONDSUBJ_SYSTEM, "システム"},
      {g_CondSubjWithoutSystemLabels, 4, "ターゲット4"},
      {g_CondLeftSrcLabels, 1, "変数"},
      {g_CondRightSrcLabels, 3, "変数"},
      {g_VarKindLabels, 1, "ステージ変数"},
      {g_DistShapeLabels, 0, "横"},
      {g_DistShapeLabels, 4, "前Y"},
      {g_DistShapeLabels, 6, "円"},
      {g_DistCmpLabels, 1, "外"},
      {g_DistRangeDisplayLabels, 2, "テストプレイ時のみ表示"},
      {g_KeySlotStateLabels, 0, "--"},
      {g_KeySlotStateLabels, 2, "離"},
      {g_KeyMatchLabels, 2, "1つだけキーが真なら成立"},
      {g_SubjLabels, SUBJ_SELF, "自分"},
      {g_SubjLabels, SUBJ_SYSTEM, "システム"},
      {g_SubjWithoutSystemLabels, 4, "ターゲット4"},
      {g_TargetSlotLabels, 0, "ターゲット1"},
      {g_TargetSlotLabels, 3, "ターゲット4"},
      {g_VarOpLabels, VAROP_SET, "＝"},
      {g_VarOpLabels, VAROP_SUB, "－"},
      {g_VarOpLabels, VAROP_MOD, "÷ X の余り"},
      {g_VarOpLabels, VAROP_PERCENT, "X ％"},
      {g_StatusCalcModeLabels, 2, "現在値に対する％で指定"},
      {g_ArrangeVarKindLabels, 2, "キャラ変数"},
      {g_CharaVarLabels, 0, "1 キャラ変数-1"},
      {g_CharaVarLabels, 7, "8 キャラ変数-8"},
      {g_FlowOpLabels, FLOWOP_START, "開始"},
      {g_FlowOpLabels, FLOWOP_RESUME, "再開"},
      {g_FlowOpLabels, FLOWOP_STOP_FOREVER, "永久停止"},
      {g_FlowScopeLabels, FLOWSCOPE_BY_ID, "指定IDのフロー"},
      {g_StageClearModeLabels, 3, "ワールドクリア"},
      {g_NextStageFacingLabels, 2, "ステージクリア時の向きと同じ"},
      {g_MessagePosLabels, 0, "画面中央に表示"},
      {g_MessagePosLabels, 4, "主人公の上に表示"},
      {g_MessagePosLabels, 8, "ステージ座標で指定"},
      {g_DisplayDurationLabels, 2, "時間で指定"},
      {g_PicturePosLabels, 1, "キャラの中心に表示"},
      {g_PicturePosLabels, 4, "ステージ座標で指定"},
      {g_SetTargetLabels, SETTGT_HERO, "主人公"},
      {g_SetTargetLabels, SETTGT_CHILD_COND, "子キャラ（条件付き。後で召喚したキャラ優先)"},
      {g_SetTargetLabels, SETTGT_TARGET4, "ターゲット4"},
      {g_TargetSearchRangeLabels, 0, "全範囲（画面内のキャラ優先）"},
      {g_TargetSearchRangeLabels, 2, "画面内"},
      {g_NoTargetFoundLabels, 1, "ターゲットを変更しない"},
      {g_VanishTargetLabels, 0, "キャラ"},
      {g_VanishTargetLabels, 3, "子のショット"},
      {g_VanishTargetLabels, 5, "子以下のキャラと孫以下のショット"},
      {g_VanishRangeLabels, 1, "全範囲"},
      {g_PaletteChoiceLabels, 1, "ステージパレット"},
      {g_CommonPaletteOnlyLabels, 0, "コモンパレット"},
      {g_EffectPlaybackLabels, 2, "往復実行"},
      {g_DisplaySwitchLabels, 2, "反転(表示⇔非表示)"},
      {g_TurnLabels, 0, "左を向く"},
      {g_TurnLabels, 5, "ターゲット2がいる方の逆を向く"},
      {g_TurnLabels, 11, "最後にブロックが当たった方の逆を向く"},
      {g_JumpHeightLabels, 2, "慣性移動速度に応じて高さを決定(主人公のみ有効)"},
      {g_StraightMoveModeLabels, 1, "目標座標で指定"},
      {g_WarpModeLabels, 0, "方向と距離で指定"},
      {g_WarpModeLabels, 3, "ターゲット3からの方向と距離で指定"},
      {g_WarpModeLabels, 5, "目標座標で指定"},
      {g_DirectionLabels, 0, "前"},
      {g_DirectionLabels, 7, "下"},
      {g_DirectionLabels, 12, "入力方向"},
      {g_CoordKindLabels, 0, "配置位置からの相対座標"},
      {g_CoordKindLabels, 3, "画面座標"},
      {g_CoordKindWithoutPlacementLabels, 0, "相対座標"},
      {g_CircleTurnLabels, 3, "左向きなら左回り、右向きなら右回り"},
      {g_SpeedModeLabels, 2, "速度と距離を指定"},
      {g_CircleSpeedModeLabels, 1, "速度を指定"},
      {g_DistUnitLabels, 1, "(dot)で指定"},
      {g_FormOriginLabels, 2, "自分"},
      {g_BlockSummonModeLabels, 2, "ブロックがなければ召喚、ブロックがあれば消す"},
      {g_SummonSideLabels, 2, "番号で指定"},
  };
  for (const Spot& s : spots) {
    SCOPED_TRACE(s.nValue);
    EXPECT_STREQ(s.list.At(s.nValue), s.lpLabel);
  }
}

// --- Statuses ----------------------------------------------------------------------

TEST(StatusDescriptorTables, RangesAndFlags) {
  struct Case {
    const StatusDesc& desc;
    const char* lpLabel;
    int nMin, nMax, nOperandMin, nOperandMax;
    bool bPercentOfMax, bFlagB;
  };
  const Case cases[] = {
      {GetCharaStatusDesc(0), "キャラ変数", -999999, 999999, -999999, 999999, false, true},
      {GetCharaStatusDesc(1), "HP", 0, 999999, -999999, 999999, true, true},
      {GetCharaStatusDesc(2), "SP", 0, 999999, -999999, 999999, true, true},
      {GetCharaStatusDesc(5), "キャラID", 0, 99, -99, 99, false, false},
      {GetCharaStatusDesc(7), "マーク番号", 0, 119, -121, 119, false, false},
      {GetCharaStatusDesc(10), "体当たりの衝撃", -20, 20, -20, 20, false, true},
      {GetCharaStatusDesc(14), "倒したら獲得するスコア", -999999, 999999, -999999, 999999, false, true},
      {GetSystemStatusDesc(0), "時間", 0, 999, -999, 999, false, true},
      {GetSystemStatusDesc(2), "縦スクロール速度", -480, 480, -480, 480, false, true},
      {GetSystemStatusDesc(4), "残り人数", 0, 99, -99, 99, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.lpLabel);
    EXPECT_STREQ(c.desc.lpLabel, c.lpLabel);
    EXPECT_EQ(c.desc.nMin, c.nMin);
    EXPECT_EQ(c.desc.nMax, c.nMax);
    EXPECT_EQ(c.desc.nOperandMin, c.nOperandMin);
    EXPECT_EQ(c.desc.nOperandMax, c.nOperandMax);
    EXPECT_EQ(c.desc.bPercentOfMax, c.bPercentOfMax);
    EXPECT_EQ(c.desc.bFlagB, c.bFlagB);
  }
  int nPercentStatuses = 0;
  int nStatusesWithoutFlagB = 0;
  for (int i = 0; i < kCharaStatusCount; ++i) {
    nPercentStatuses += GetCharaStatusDesc(i).bPercentOfMax;
    nStatusesWithoutFlagB += !GetCharaStatusDesc(i).bFlagB;
  }
  EXPECT_EQ(nPercentStatuses, 2);
  EXPECT_EQ(nStatusesWithoutFlagB, 3);
}

TEST(StatusDescriptorTables, EveryFlagValueHasALabel) {
  const char* const expectedLabels[kStatusFlagCount] = {
      "消滅", "透明", "向き固定", "飛行", "無敵", "巨大化", "オートスクロールとシンクロ",
  };
  for (int i = 0; i < kStatusFlagCount; ++i) {
    const StatusFlagDesc& desc = GetStatusFlagDesc(i);
    SCOPED_TRACE(i);
    EXPECT_STREQ(desc.lpLabel, expectedLabels[i]);
    EXPECT_EQ(desc.ValueLabels.Count(), desc.nMax - desc.nMin + 1);
  }
  const StatusFlagDesc& giant = GetStatusFlagDesc(5);
  EXPECT_EQ(giant.nMin, 1);
  EXPECT_EQ(giant.nMax, 10);
  EXPECT_EQ(giant.nDefault, 1);
  EXPECT_STREQ(giant.ValueLabels.At(1 - giant.nMin), "しない");
  EXPECT_STREQ(giant.ValueLabels.At(10 - giant.nMin), "×100");
  EXPECT_STREQ(GetStatusFlagDesc(3).ValueLabels.At(3), "ON (ブロックに当たると即死)");
  EXPECT_STREQ(GetStatusFlagDesc(0).ValueLabels.At(0), "ON");
}

TEST(StatusDescriptorTables, NumberOutsideATableGivesTheEmptyDescriptor) {
  for (int v : kOutsideValues) {
    SCOPED_TRACE(v);
    for (int nStatus : {v, kCharaStatusCount}) {
      const StatusDesc& desc = GetCharaStatusDesc(nStatus);
      EXPECT_STREQ(desc.lpLabel, "");
      EXPECT_EQ(desc.nMax, 0);
    }
    for (int nStatus : {v, kSystemStatusCount}) {
      const StatusDesc& desc = GetSystemStatusDesc(nStatus);
      EXPECT_STREQ(desc.lpLabel, "");
      EXPECT_EQ(desc.nOperandMax, 0);
    }
    for (int nFlag : {v, kStatusFlagCount}) {
      const StatusFlagDesc& desc = GetStatusFlagDesc(nFlag);
      EXPECT_STREQ(desc.lpLabel, "");
      EXPECT_EQ(desc.ValueLabels.Count(), 0);
      EXPECT_STREQ(desc.ValueLabels.At(0), "");
    }
  }
}

}  // namespace
