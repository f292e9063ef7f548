#include "data/flow/flow_label_lists.h"

#include "data/flow/flow_enumerations.h"

namespace {

constexpr const char* kFlowTrig[] = {
    "常時",
    "ダメージを受けた時",
    "衝撃を受けた時",
    "死亡した時",
    "キャラに当たった時",
    "ブロックキャラに当たった時",
    "ブロックキャラに乗っている時",
    "ショットに当たった時",
    "アイテムに当たった時",
    "ブロックに当たった時",
    "自分の左右にブロックが当たった時",
    "自分の左にブロックが当たった時",
    "自分の右にブロックが当たった時",
    "自分の上下にブロックが当たった時",
    "自分の上にブロックが当たった時",
    "自分の下にブロックが当たった時",
    "主人公に乗られている時",
    "キャラに乗られている時",
    "アタックでダメージを与えた時",
    "アタックで衝撃を与えた時",
    "アタックを当てた時",
    "ステージ開始前",
    "なし（フローの操作コマンドで実行）",
    "",
};

constexpr const char* kFlowId[] = {
    "-", "A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L", "M",
    "N", "O", "P", "Q", "R", "S", "T", "U", "V", "W", "X", "Y", "Z", "",
};

constexpr const char* kFlowSwitch[] = {
    "-", "a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "l", "m",
    "n", "o", "p", "q", "r", "s", "t", "u", "v", "w", "x", "y", "z", "",
};

constexpr const char* kFlowIdOrAll[] = {
    "全て", "A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L", "M",
    "N",    "O", "P", "Q", "R", "S", "T", "U", "V", "W", "X", "Y", "Z", "",
};

constexpr const char* kChangeFlowOp[] = {"追加", "変更", "削除", ""};

constexpr const char* kChangeFlowId[] = {
    "全て削除", "A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L", "M",
    "N",        "O", "P", "Q", "R", "S", "T", "U", "V", "W", "X", "Y", "Z", "",
};

constexpr const char* kCondKind[] = {
    "",
    "コモン変数条件",
    "ステージ変数条件",
    "キャラ変数条件",
    "ステータス条件",
    "ステータス条件2",
    "ステータス条件3",
    "距離条件",
    "",
};

constexpr const char* kCondMode[] = {
    "全ての条件が真なら成立",
    "1つ以上の条件が真なら成立",
    "",
};

constexpr const char* kCmp[] = {
    "である", "でない", "以上", "以下", "より上", "より下", "の倍数である", "の倍数でない", "",
};

constexpr const char* kStateTest[] = {"なら", "でないなら", ""};

constexpr const char* kState[] = {
    "左向き",
    "右向き",
    "ブロックに乗っている(ブロックキャラも含む)",
    "画面内にいる",
    "存在している",
    "",
};

constexpr const char* kCondSubj[] = {
    "主人公", "ターゲット1", "ターゲット2", "ターゲット3", "ターゲット4", "システム", "",
};

constexpr const char* kCondSubjWithoutSystem[] = {
    "主人公", "ターゲット1", "ターゲット2", "ターゲット3", "ターゲット4", "",
};

constexpr const char* kCondLeftSrc[] = {"ステータス", "変数", ""};
constexpr const char* kCondRightSrc[] = {"定数", "乱数", "ステータス", "変数", ""};
constexpr const char* kVarKind[] = {"コモン変数", "ステージ変数", ""};
constexpr const char* kDistShape[] = {"横", "前", "後", "縦", "前Y", "後Y", "円", ""};
constexpr const char* kDistCmp[] = {"以内", "外", ""};
constexpr const char* kDistRangeDisplay[] = {"表示しない", "表示する", "テストプレイ時のみ表示", ""};

constexpr const char* kKeySlotState[] = {"--", "押", "離", ""};

constexpr const char* kKeyMatch[] = {
    "全てのキーが真なら成立",
    "1つ以上のキーが真なら成立",
    "1つだけキーが真なら成立",
    "",
};

}  // namespace

constexpr LabelList g_FlowTrigLabels = MakeLabelList(kFlowTrig);
constexpr LabelList g_FlowIdLabels = MakeLabelList(kFlowId);
constexpr LabelList g_FlowSwitchLabels = MakeLabelList(kFlowSwitch);
constexpr LabelList g_FlowIdOrAllLabels = MakeLabelList(kFlowIdOrAll);
constexpr LabelList g_ChangeFlowOpLabels = MakeLabelList(kChangeFlowOp);
constexpr LabelList g_ChangeFlowIdLabels = MakeLabelList(kChangeFlowId);

constexpr LabelList g_CondKindLabels = MakeLabelList(kCondKind);
constexpr LabelList g_CondModeLabels = MakeLabelList(kCondMode);
constexpr LabelList g_CmpLabels = MakeLabelList(kCmp);
constexpr LabelList g_StateTestLabels = MakeLabelList(kStateTest);
constexpr LabelList g_StateLabels = MakeLabelList(kState);
constexpr LabelList g_CondSubjLabels = MakeLabelList(kCondSubj);
constexpr LabelList g_CondSubjWithoutSystemLabels = MakeLabelList(kCondSubjWithoutSystem);
constexpr LabelList g_CondLeftSrcLabels = MakeLabelList(kCondLeftSrc);
constexpr LabelList g_CondRightSrcLabels = MakeLabelList(kCondRightSrc);
constexpr LabelList g_VarKindLabels = MakeLabelList(kVarKind);
constexpr LabelList g_DistShapeLabels = MakeLabelList(kDistShape);
constexpr LabelList g_DistCmpLabels = MakeLabelList(kDistCmp);
constexpr LabelList g_DistRangeDisplayLabels = MakeLabelList(kDistRangeDisplay);

constexpr LabelList g_KeySlotStateLabels = MakeLabelList(kKeySlotState);
constexpr LabelList g_KeyMatchLabels = MakeLabelList(kKeyMatch);

// Every named value has its label.
static_assert(g_FlowTrigLabels.Count() == FLOWTRIG_NONE + 1);
static_assert(g_CondKindLabels.Count() == COND_DISTANCE + 1);
static_assert(g_CmpLabels.Count() == CMP_NOT_MULTIPLE + 1);
static_assert(g_CondSubjLabels.Count() == CONDSUBJ_SYSTEM + 1);
