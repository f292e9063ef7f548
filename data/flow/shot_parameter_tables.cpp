#include "data/flow/shot_parameter_tables.h"

namespace {

constexpr ShotParamDesc kUnused{};
constexpr ShotParamDesc kSpacing{"間隔(hbl)", 0, 40, 0};
constexpr ShotParamDesc kCourseChange{"軌道変更(hbl)", 0, 40, 0};
constexpr ShotParamDesc kTargetSide{"対象勢力", 0, 7, 0};
constexpr ShotParamDesc kHomingStart{"誘導開始(hbl)", 0, 40, 0};
constexpr ShotParamDesc kHomingEnd{"誘導終了(hbl)", 0, 999, 999};

constexpr ShotParamDesc kFormParams[kShotFormCount * kShotParamsPerPattern] = {
    // SHOTFORM_STRAIGHT_A
    kSpacing, kUnused, kUnused,
    // SHOTFORM_STRAIGHT_B
    kSpacing, kUnused, kUnused,
    // SHOTFORM_SPREAD
    {"角度", 0, 180, 30}, kUnused, kUnused,
    // SHOTFORM_LIGHTNING
    kSpacing, {"列の数", 1, 50, 1}, {"列の間隔(hbl)", 0, 40, 0},
    // SHOTFORM_EXPLOSION
    kUnused, kUnused, kUnused,
    // SHOTFORM_SURROUND
    {"距離(hbl)", 0, 40, 6}, kUnused, kUnused,
};

constexpr ShotParamDesc kTrajParams[kShotTrajCount * kShotParamsPerPattern] = {
    // SHOTTRAJ_STRAIGHT
    kUnused, kUnused, kUnused,
    // SHOTTRAJ_AIM_HERO
    kCourseChange, kUnused, kUnused,
    // SHOTTRAJ_AIM_NEAREST
    kCourseChange, kTargetSide, kUnused,
    // SHOTTRAJ_AIM_TARGET
    kCourseChange, kUnused, kUnused,
    // SHOTTRAJ_HOME_HERO
    kHomingStart, kHomingEnd, kUnused,
    // SHOTTRAJ_HOME_NEAREST_STOP
    kHomingStart, kHomingEnd, kTargetSide,
    // SHOTTRAJ_HOME_TARGET
    kHomingStart, kHomingEnd, kUnused,
    // SHOTTRAJ_HOME_NEAREST_RETARGET
    kHomingStart, kHomingEnd, kTargetSide,
    // SHOTTRAJ_WAVE
    {"波の最大(hbl)", 0, 100, 4}, {"波の速度", 0, 100, 4}, {"開始角度", 0, 359, 0},
    // SHOTTRAJ_FALL
    kCourseChange, kUnused, kUnused,
};

constexpr const char* kShotFormTexts[] = {
    "直進A", "直進B", "拡散", "落雷", "爆発", "包囲", "",
};

constexpr const char* kShotTrajTexts[] = {
    "直進",
    "主人公を狙う",
    "近いキャラを狙う",
    "ターゲットを狙う",
    "主人公へ誘導",
    "近いキャラへ誘導（対象死亡時、誘導を無効化）",
    "ターゲットへ誘導",
    "近いキャラへ誘導（対象死亡時、対象を変更）",
    "ウェーブ",
    "落下",
    "",
};

const ShotParamDesc& ParamDesc(const ShotParamDesc* lpTable, int nPatternCount, int nPattern, int nParam) {
  if (nPattern < 0 || nPattern >= nPatternCount || nParam < 0 || nParam >= kShotParamsPerPattern) return kUnused;
  return lpTable[nPattern * kShotParamsPerPattern + nParam];
}

}  // namespace

constexpr LabelList g_ShotFormLabels = MakeLabelList(kShotFormTexts);
constexpr LabelList g_ShotTrajLabels = MakeLabelList(kShotTrajTexts);

const ShotParamDesc& GetShotFormParamDesc(int nFormation, int nParam) {
  return ParamDesc(kFormParams, kShotFormCount, nFormation, nParam);
}

const ShotParamDesc& GetShotTrajParamDesc(int nTrajectory, int nParam) {
  return ParamDesc(kTrajParams, kShotTrajCount, nTrajectory, nParam);
}

static_assert(g_ShotFormLabels.Count() == kShotFormCount);
static_assert(g_ShotTrajLabels.Count() == kShotTrajCount);
