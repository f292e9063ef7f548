// A stage character that fires at the hero in real play, read back from the player's
// trace: a volley every tenth of a second, each shot a new id, each flying straight at
// where the hero stood when it was fired.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "data/flow/flow.h"
#include "data/flow/flow_command_kinds.h"
#include "data/flow/flow_enumerations.h"
#include "data/flow/shot_block.h"
#include "data/flow/shot_parameter_tables.h"
#include "objects/move_support.h"
#include "tests/support/play_harness.h"
#include "tests/support/temp_dir.h"
#include "writers/stage_writer.h"

namespace {

constexpr std::int16_t kShotSpeed = 20;  // tenths of a dot per frame: two dots a frame
constexpr int kVolleyFrames = 6;         // one volley every tenth of a second

// The hero stands on a ledge at the left, the character on the floor at the right; the
// character's always-flow fires one shot aimed at its first target (the hero).
cStagePlan Gallery() {
  cStagePlan plan;
  plan.vMap[13][2] = '.';
  plan.vMap[9][2] = 'P';
  plan.vMap[10].replace(1, 3, "###");
  plan.vMap[13][15] = 'C';
  cFlowCmd shot;
  shot.m_nKind = FLOWCMD_SHOT;
  shot.m_nTime = 10;
  CreateEdShot(shot.m_pShot);
  cEdShot& block = *shot.m_pShot;
  block.m_nFormation = SHOTFORM_STRAIGHT_A;
  block.m_nCount = 1;
  block.m_nDir = MOVEDIR_FORWARD;
  block.m_bAimTarget = 1;
  block.m_nAimSlot = 0;
  block.m_nSpeed = kShotSpeed;
  cFlow fire;
  fire.m_nTrigger = FLOWTRIG_ALWAYS;
  fire.m_vCmd = {shot};
  plan.Chara.m_vFlow = std::vector<cFlow>{fire};
  return plan;
}

class FiringTraceTest : public cTempDirTest {};

TEST_F(FiringTraceTest, ACharacterFiresVolleysAtTheHero) {
  const cPlayResult run = PlayPlan(Gallery(), 60);
  ASSERT_FALSE(run.bTimedOut) << run.strOutput;
  ASSERT_TRUE(run.strTraceError.empty()) << run.strTraceError;
  const int first = run.FirstPlayIndex();
  ASSERT_GE(first, 0) << run.strOutput;
  constexpr int kFrames = 30;
  ASSERT_GE(static_cast<int>(run.vFrames.size()), first + kFrames + 1);

  // Where each shot was first seen, and where the hero stood then.
  struct cSeen {
    int nFrame;
    double dX, dY;
    double dHeroX, dHeroY;
  };
  std::map<int, cSeen> seen;
  for (int k = 1; k <= kFrames; ++k) {
    const cTraceFrame& frame = run.vFrames[static_cast<std::size_t>(first + k)];
    const cTraceObject& hero = frame.Player();
    int shots = 0;
    for (const cTraceObject& obj : frame.vObjects) {
      if (obj.strKind != "shot") continue;
      ++shots;
      auto [it, added] = seen.try_emplace(obj.nId, cSeen{k, obj.dX, obj.dY, hero.dX, hero.dY});
      if (added) continue;
      // Straight on at two dots a frame, toward the hero's place at the shot's first frame.
      const cSeen& s = it->second;
      const double dx = obj.dX - s.dX;
      const double dy = obj.dY - s.dY;
      const int frames = k - s.nFrame;
      ASSERT_NEAR(std::sqrt(dx * dx + dy * dy), 2.0 * frames, 0.01) << frame.strLine;
      const double flight = std::atan2(dy, dx) * 57.29577951308232;
      const double toHero = std::atan2(s.dHeroY - s.dY, s.dHeroX - s.dX) * 57.29577951308232;
      ASSERT_NEAR(flight, toHero, 3.0) << frame.strLine;
      EXPECT_LT(dx, 0) << frame.strLine;
      EXPECT_LT(dy, 0) << frame.strLine;
    }
    // A volley on the first step and then every tenth of a second.
    ASSERT_EQ(shots, (k - 1) / kVolleyFrames + 1) << frame.strLine;
  }
  ASSERT_EQ(seen.size(), 5U);
  // Ids in firing order, one per shot.
  int expected = 0;
  for (const auto& [id, s] : seen) {
    EXPECT_EQ(id, expected++);
    EXPECT_EQ(s.nFrame, 1 + kVolleyFrames * id);
  }
}

}  // namespace
