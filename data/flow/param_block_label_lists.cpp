#include "data/flow/param_block_label_lists.h"

namespace {

constexpr const char* kStraightMoveMode[] = {"方向で指定", "目標座標で指定", ""};

constexpr const char* kWarpMode[] = {
    "方向と距離で指定",
    "ターゲット1からの方向と距離で指定",
    "ターゲット2からの方向と距離で指定",
    "ターゲット3からの方向と距離で指定",
    "ターゲット4からの方向と距離で指定",
    "目標座標で指定",
    "",
};

constexpr const char* kDirection[] = {
    "前", "後", "左", "右", "前Y", "後Y", "上", "下", "左上", "左下", "右上", "右下", "入力方向", "",
};

constexpr const char* kCoordKind[] = {"配置位置からの相対座標", "相対座標", "絶対座標", "画面座標", ""};
constexpr const char* kCoordKindWithoutPlacement[] = {"相対座標", "絶対座標", "画面座標", ""};

constexpr const char* kCircleTurn[] = {
    "右回り",
    "左回り",
    "左向きなら右回り、右向きなら左回り",
    "左向きなら左回り、右向きなら右回り",
    "",
};

constexpr const char* kSpeedMode[] = {"時間と速度を指定", "時間と距離を指定", "速度と距離を指定", ""};
constexpr const char* kCircleSpeedMode[] = {"時間を指定", "速度を指定", ""};
constexpr const char* kDistUnit[] = {"(hbl)で指定", "(dot)で指定", ""};

constexpr const char* kFormOrigin[] = {"ターゲット", "主人公", "自分", ""};

constexpr const char* kBlockSummonMode[] = {
    "ブロックを召喚",
    "ブロックを消す",
    "ブロックがなければ召喚、ブロックがあれば消す",
    "",
};

constexpr const char* kSummonSide[] = {"パレットの設定に準ずる", "使用者と同じ", "番号で指定", ""};

}  // namespace

constexpr LabelList g_StraightMoveModeLabels = MakeLabelList(kStraightMoveMode);
constexpr LabelList g_WarpModeLabels = MakeLabelList(kWarpMode);
constexpr LabelList g_DirectionLabels = MakeLabelList(kDirection);
constexpr LabelList g_CoordKindLabels = MakeLabelList(kCoordKind);
constexpr LabelList g_CoordKindWithoutPlacementLabels = MakeLabelList(kCoordKindWithoutPlacement);
constexpr LabelList g_CircleTurnLabels = MakeLabelList(kCircleTurn);
constexpr LabelList g_SpeedModeLabels = MakeLabelList(kSpeedMode);
constexpr LabelList g_CircleSpeedModeLabels = MakeLabelList(kCircleSpeedMode);
constexpr LabelList g_DistUnitLabels = MakeLabelList(kDistUnit);

constexpr LabelList g_FormOriginLabels = MakeLabelList(kFormOrigin);
constexpr LabelList g_BlockSummonModeLabels = MakeLabelList(kBlockSummonMode);
constexpr LabelList g_SummonSideLabels = MakeLabelList(kSummonSide);
