#include "data/flow/command_param_label_lists.h"

#include "data/flow/flow_enumerations.h"

namespace {

constexpr const char* kSubj[] = {
    "自分", "ターゲット1", "ターゲット2", "ターゲット3", "ターゲット4", "システム", "",
};

constexpr const char* kSubjWithoutSystem[] = {
    "自分", "ターゲット1", "ターゲット2", "ターゲット3", "ターゲット4", "",
};

constexpr const char* kTargetSlot[] = {"ターゲット1", "ターゲット2", "ターゲット3", "ターゲット4", ""};

constexpr const char* kVarOp[] = {"＝", "＋", "－", "×", "÷", "÷ X の余り", "X ％", ""};

constexpr const char* kStatusCalcMode[] = {
    "通常の計算",
    "最大値に対する％で指定",
    "現在値に対する％で指定",
    "",
};

constexpr const char* kArrangeVarKind[] = {"コモン変数", "ステージ変数", "キャラ変数", ""};

constexpr const char* kCharaVar[] = {
    "1 キャラ変数-1", "2 キャラ変数-2", "3 キャラ変数-3", "4 キャラ変数-4",
    "5 キャラ変数-5", "6 キャラ変数-6", "7 キャラ変数-7", "8 キャラ変数-8",
    "",
};

constexpr const char* kFlowOp[] = {"開始", "終了", "一時停止", "再開", "削除", "永久停止", ""};

constexpr const char* kFlowScope[] = {"このフロー", "このフロー以外全て", "指定IDのフロー", ""};

constexpr const char* kStageClearMode[] = {"次のステージへ", "番号で指定", "パスで指定", "ワールドクリア", ""};

constexpr const char* kNextStageFacing[] = {"左向き", "右向き", "ステージクリア時の向きと同じ", ""};

constexpr const char* kMessagePos[] = {
    "画面中央に表示",
    "自分の上に表示",
    "自分の下に表示",
    "自分の中心に表示",
    "主人公の上に表示",
    "主人公の下に表示",
    "主人公の中心に表示",
    "画面座標で指定",
    "ステージ座標で指定",
    "",
};

constexpr const char* kDisplayDuration[] = {
    "進行キーが押されるまで表示",
    "ステージ終了まで表示",
    "時間で指定",
    "",
};

constexpr const char* kPicturePos[] = {
    "画面中央に表示",
    "キャラの中心に表示",
    "主人公の中心に表示",
    "画面座標で指定",
    "ステージ座標で指定",
    "",
};

constexpr const char* kSetTarget[] = {
    "主人公",
    "自分",
    "最も近いキャラ",
    "キャラ（キャラIDで指定）",
    "親キャラ（自分を召喚したキャラ）",
    "子キャラ（最後に召喚したキャラ）",
    "子キャラ（条件付き。後で召喚したキャラ優先)",
    "ターゲット1",
    "ターゲット2",
    "ターゲット3",
    "ターゲット4",
    "",
};

constexpr const char* kTargetSearchRange[] = {"全範囲（画面内のキャラ優先）", "全範囲", "画面内", ""};

constexpr const char* kNoTargetFound[] = {"ターゲット無し", "ターゲットを変更しない", ""};

constexpr const char* kVanishTarget[] = {
    "キャラ",
    "ショット",
    "子以下のキャラ",
    "子のショット",
    "子以下のキャラと子以下のショット",
    "子以下のキャラと孫以下のショット",
    "",
};

constexpr const char* kVanishRange[] = {"画面内", "全範囲", ""};

constexpr const char* kPaletteChoice[] = {"コモンパレット", "ステージパレット", ""};
constexpr const char* kCommonPaletteOnly[] = {"コモンパレット", ""};

constexpr const char* kEffectPlayback[] = {"通常実行", "反転実行", "往復実行", ""};

constexpr const char* kDisplaySwitch[] = {"表示", "非表示", "反転(表示⇔非表示)", ""};

constexpr const char* kTurn[] = {
    "左を向く",
    "右を向く",
    "ターゲット1がいる方を向く",
    "ターゲット1がいる方の逆を向く",
    "ターゲット2がいる方を向く",
    "ターゲット2がいる方の逆を向く",
    "ターゲット3がいる方を向く",
    "ターゲット3がいる方の逆を向く",
    "ターゲット4がいる方を向く",
    "ターゲット4がいる方の逆を向く",
    "最後にブロックが当たった方を向く",
    "最後にブロックが当たった方の逆を向く",
    "",
};

constexpr const char* kJumpHeight[] = {
    "高さがキーで調節できない",
    "高さがキーで調節できる(主人公のみ有効)",
    "慣性移動速度に応じて高さを決定(主人公のみ有効)",
    "",
};

}  // namespace

constexpr LabelList g_SubjLabels = MakeLabelList(kSubj);
constexpr LabelList g_SubjWithoutSystemLabels = MakeLabelList(kSubjWithoutSystem);
constexpr LabelList g_TargetSlotLabels = MakeLabelList(kTargetSlot);

constexpr LabelList g_VarOpLabels = MakeLabelList(kVarOp);
constexpr LabelList g_StatusCalcModeLabels = MakeLabelList(kStatusCalcMode);
constexpr LabelList g_ArrangeVarKindLabels = MakeLabelList(kArrangeVarKind);
constexpr LabelList g_CharaVarLabels = MakeLabelList(kCharaVar);

constexpr LabelList g_FlowOpLabels = MakeLabelList(kFlowOp);
constexpr LabelList g_FlowScopeLabels = MakeLabelList(kFlowScope);
constexpr LabelList g_StageClearModeLabels = MakeLabelList(kStageClearMode);
constexpr LabelList g_NextStageFacingLabels = MakeLabelList(kNextStageFacing);
constexpr LabelList g_MessagePosLabels = MakeLabelList(kMessagePos);
constexpr LabelList g_DisplayDurationLabels = MakeLabelList(kDisplayDuration);
constexpr LabelList g_PicturePosLabels = MakeLabelList(kPicturePos);
constexpr LabelList g_SetTargetLabels = MakeLabelList(kSetTarget);
constexpr LabelList g_TargetSearchRangeLabels = MakeLabelList(kTargetSearchRange);
constexpr LabelList g_NoTargetFoundLabels = MakeLabelList(kNoTargetFound);
constexpr LabelList g_VanishTargetLabels = MakeLabelList(kVanishTarget);
constexpr LabelList g_VanishRangeLabels = MakeLabelList(kVanishRange);
constexpr LabelList g_PaletteChoiceLabels = MakeLabelList(kPaletteChoice);
constexpr LabelList g_CommonPaletteOnlyLabels = MakeLabelList(kCommonPaletteOnly);
constexpr LabelList g_EffectPlaybackLabels = MakeLabelList(kEffectPlayback);
constexpr LabelList g_DisplaySwitchLabels = MakeLabelList(kDisplaySwitch);
constexpr LabelList g_TurnLabels = MakeLabelList(kTurn);
constexpr LabelList g_JumpHeightLabels = MakeLabelList(kJumpHeight);

// Every named value has its label.
static_assert(g_SubjLabels.Count() == SUBJ_SYSTEM + 1);
static_assert(g_VarOpLabels.Count() == VAROP_PERCENT + 1);
static_assert(g_FlowOpLabels.Count() == FLOWOP_STOP_FOREVER + 1);
static_assert(g_FlowScopeLabels.Count() == FLOWSCOPE_BY_ID + 1);
static_assert(g_SetTargetLabels.Count() == SETTGT_TARGET4 + 1);
