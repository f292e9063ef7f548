#include "data/stage/stage_labels.h"

namespace {

constexpr const char* kScrollMode[] = {"主人公の位置に合わせてスクロール", "オートスクロール", ""};

constexpr const char* kCollisionLevel[] = {
    "レベル1 (速度制限=60)",  "レベル2 (速度制限=120)", "レベル3 (速度制限=180)", "レベル4 (速度制限=240)",
    "レベル5 (速度制限=300)", "レベル6 (速度制限=360)", "レベル7 (速度制限=420)", "レベル8 (速度制限=480)",
    "レベル9 (速度制限=540)", "レベル10 (速度制限=600)", "レベル1 (速度制限=600)", "レベル2 (速度制限=600)",
    "レベル3 (速度制限=600)", "レベル4 (速度制限=600)",  "レベル5 (速度制限=600)", "レベル6 (速度制限=600)",
    "レベル7 (速度制限=600)", "レベル8 (速度制限=600)",  "レベル9 (速度制限=600)", "",
};

constexpr const char* kHitChecks[] = {
    "最大 (当たり判定レベルと同じ)", "1 (対応速度=60)", "2 (対応速度=最大120)", "3 (対応速度=最大180)",
    "4 (対応速度=最大240)", "5 (対応速度=最大300)", "", "",
};

constexpr const char* kResizeX[] = {"右方向へ拡張（または右を削除）", "左方向へ拡張（または左を削除）", ""};
constexpr const char* kResizeY[] = {"下方向へ拡張（または下を削除）", "上方向へ拡張（または上を削除）", ""};
constexpr const char* kBoxPlace[] = {"中央", "下", ""};
constexpr const char* kBoxPlaceShort[] = {"中", "下", ""};
constexpr const char* kHitDisplay[] = {"表示しない", "表示する", "枠のみ表示", ""};
constexpr const char* kHitColour[] = {"赤", "緑", "青", "黄", "赤紫", "青紫", "黒", "虹", ""};
constexpr const char* kAxis[] = {"水平方向", "垂直方向", ""};

}  // namespace

const LabelList g_StageScrollModeLabels = MakeLabelList(kScrollMode);
const LabelList g_StageCollisionLevelLabels = MakeLabelList(kCollisionLevel);
const LabelList g_StageHitChecksLabels = MakeLabelList(kHitChecks);
const LabelList g_StageResizeXLabels = MakeLabelList(kResizeX);
const LabelList g_StageResizeYLabels = MakeLabelList(kResizeY);
const LabelList g_StageBoxPlaceLabels = MakeLabelList(kBoxPlace);
const LabelList g_StageBoxPlaceShortLabels = MakeLabelList(kBoxPlaceShort);
const LabelList g_StageHitDisplayLabels = MakeLabelList(kHitDisplay);
const LabelList g_StageHitColourLabels = MakeLabelList(kHitColour);
const LabelList g_StageAxisLabels = MakeLabelList(kAxis);
