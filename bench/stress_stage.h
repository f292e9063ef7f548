#pragma once
// The stress stage the play-step, hit and drawing benchmarks share: 100 x 15 cells with a
// floor, the hero on the left and kStressCharaCount characters in a block of 30 columns
// and 10 rows, all active once they appeared (one appear group that stays), at collision
// level kStressLevel.
#include <string>

#include "writers/stage_writer.h"

constexpr int kStressCharaCount = 300;
constexpr int kStressLevel = 10;

// `letter(i)`: the map letter of character i ('C' is the plan's Chara; others come from
// CharaKinds, which the caller fills).
template <typename Letter>
cStagePlan StressStagePlan(Letter letter) {
  cStagePlan plan;
  plan.vMap.assign(15, std::string(100, '.'));
  plan.vMap.back() = std::string(100, '#');
  plan.vMap[13][2] = 'P';
  for (int i = 0; i < kStressCharaCount; ++i)
    plan.vMap[static_cast<std::size_t>(3 + i / 30)][static_cast<std::size_t>(8 + i % 30)] = letter(i);
  plan.nCollisionLevel = kStressLevel;
  plan.Chara.m_bInGroup = 1;
  plan.Chara.m_nActiveGroup = 1;
  plan.Chara.m_nActiveRule = 1;
  return plan;
}

inline cStagePlan StressStagePlan() {
  return StressStagePlan([](int) { return 'C'; });
}
