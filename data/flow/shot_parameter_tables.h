#pragma once
// Shot formations and trajectories of the shot block (cEdShot::m_nFormation,
// m_nTrajectory) and the descriptors of their three parameters (m_nFormParam,
// m_nTrajParam): label, minimum, maximum and default. The player reads only the ranges,
// to clamp a parameter value bound from a variable.
#include <cstdint>

#include "data/common/label_list.h"

enum SHOTFORM {
  SHOTFORM_STRAIGHT_A = 0,
  SHOTFORM_STRAIGHT_B = 1,
  SHOTFORM_SPREAD = 2,
  SHOTFORM_LIGHTNING = 3,
  SHOTFORM_EXPLOSION = 4,
  SHOTFORM_SURROUND = 5,
};
constexpr int kShotFormCount = 6;

enum SHOTTRAJ {
  SHOTTRAJ_STRAIGHT = 0,
  SHOTTRAJ_AIM_HERO = 1,
  SHOTTRAJ_AIM_NEAREST = 2,
  SHOTTRAJ_AIM_TARGET = 3,
  SHOTTRAJ_HOME_HERO = 4,
  SHOTTRAJ_HOME_NEAREST_STOP = 5,
  SHOTTRAJ_HOME_TARGET = 6,
  SHOTTRAJ_HOME_NEAREST_RETARGET = 7,
  SHOTTRAJ_WAVE = 8,
  SHOTTRAJ_FALL = 9,
};
constexpr int kShotTrajCount = 10;

// Each formation and trajectory has this many parameters; parameter n of pattern k is
// entry k * kShotParamsPerPattern + n of its descriptor table.
constexpr int kShotParamsPerPattern = 3;

// A parameter that the pattern does not use has the label "" and the range 0..0.
struct ShotParamDesc {
  const char* lpLabel = "";
  std::int16_t nMin = 0;
  std::int16_t nMax = 0;
  std::int16_t nDefault = 0;
};

// Descriptor of parameter nParam (0 to 2) of a formation or trajectory; a pattern or
// parameter outside the tables (corrupt data) gets the unused descriptor, range 0..0.
const ShotParamDesc& GetShotFormParamDesc(int nFormation, int nParam);
const ShotParamDesc& GetShotTrajParamDesc(int nTrajectory, int nParam);

// Labels of the formations and trajectories, in SHOTFORM and SHOTTRAJ order.
extern const LabelList g_ShotFormLabels;
extern const LabelList g_ShotTrajLabels;
