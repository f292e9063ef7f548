// A stage character worn down by the hero's body attacks in real play, frame by frame
// through the player's trace: every hit takes the attack's power less the defence, the
// character then ignores the hero for the per-attacker time, and the hit that empties its
// HP defeats it and takes it off the stage while the play goes on.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/play_harness.h"
#include "tests/support/temp_dir.h"
#include "writers/game_writer.h"
#include "writers/stage_writer.h"

namespace {

constexpr int kStatePlay = 2;
constexpr std::int32_t kCharaHp = 35;
constexpr std::int32_t kPower = 15;
constexpr std::int32_t kDefence = 3;  // each hit takes 12: 35, 23, 11, defeated
constexpr std::int32_t kKeyedFrames = 20;
constexpr int kFrames = 260;
constexpr int kWalkFrames = 58;

class DefeatTraceTest : public cTempDirTest {};

TEST_F(DefeatTraceTest, BodyAttacksWearACharacterDownUntilItIsDefeated) {
  cStagePlan plan;
  plan.vMap[13][5] = 'C';
  plan.nCollisionLevel = 1;
  GiveWalkAndJump(plan.Hero, 20, 4);
  plan.Hero.m_nBodyPower = kPower;
  plan.Hero.m_nMaxHp = 50;
  plan.Chara.m_nMaxHp = kCharaHp;
  plan.Chara.m_nDefence = kDefence;
  plan.Chara.m_nBodyPower = 0;  // the hero takes nothing back
  cGameContent game = PlannedGame({plan});
  ASSERT_TRUE(game.Stages.at(0).Prepared.has_value());
  cStageData& stage = *game.Stages.at(0).Prepared;
  stage.m_nCharaInvincible = 0;
  stage.m_nCharaKeyedInvincible = kKeyedFrames;

  // Walk right into the character (two dots a frame, three cells apart, the input counted
  // from the player's start) and stand in it.
  const cPlayResult run = PlayGame(game, plan.strName, kFrames, {{kWalkFrames, kDirRight, 0}, {kFrames, 0, 0}});
  ASSERT_FALSE(run.bTimedOut) << run.strOutput;
  ASSERT_TRUE(run.strTraceError.empty()) << run.strTraceError;
  const int first = run.FirstPlayIndex();
  ASSERT_GE(first, 0) << run.strOutput;

  std::vector<int> hpSeen;
  std::vector<int> hitFrames;
  int goneAt = -1;
  for (std::size_t i = static_cast<std::size_t>(first); i < run.vFrames.size(); ++i) {
    const cTraceFrame& frame = run.vFrames[i];
    ASSERT_EQ(frame.nState, kStatePlay) << frame.strLine;
    EXPECT_EQ(frame.Player().nHp, 50) << frame.strLine;
    const cTraceObject* chara = frame.Find("chara");
    if (chara == nullptr) {
      if (goneAt < 0) goneAt = frame.nFrame;
      continue;
    }
    ASSERT_LT(goneAt, 0) << "the character came back: " << frame.strLine;
    ASSERT_TRUE(chara->nHp.has_value());
    if (hpSeen.empty() || hpSeen.back() != *chara->nHp) {
      hpSeen.push_back(*chara->nHp);
      hitFrames.push_back(frame.nFrame);
    }
  }
  EXPECT_EQ(hpSeen, (std::vector<int>{kCharaHp, kCharaHp - 12, kCharaHp - 24}));
  ASSERT_GE(goneAt, 0) << "the character was never defeated";
  // After each hit the character ignores the hero for the per-attacker time, and while
  // they keep touching the next hit comes as soon as that time is over.
  // (Within a frame: the time runs in sub-steps, from the sub-step of the hit.)
  ASSERT_EQ(hitFrames.size(), 3u);
  EXPECT_NEAR(hitFrames[2] - hitFrames[1], kKeyedFrames, 1);
  EXPECT_NEAR(goneAt - hitFrames[2], kKeyedFrames, 1);
}

}  // namespace
