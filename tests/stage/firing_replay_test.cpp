// A recorded play in which a character scatters its volleys at random plays back with
// the same shots in the same places, frame by frame: the scatter comes from the seeded
// generator the replay restores.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/flow/flow.h"
#include "data/flow/flow_command_kinds.h"
#include "data/flow/flow_enumerations.h"
#include "data/flow/shot_block.h"
#include "data/flow/shot_parameter_tables.h"
#include "objects/move_support.h"
#include "tests/stage/replay_scene_fixture.h"
#include "writers/stage_writer.h"

namespace {

constexpr const char* kReplayPath = "volleys.rpl4_811";
constexpr int kFrames = 90;

// The character scatters a fan of three shots by up to 40 degrees every tenth of a
// second, two copies a volley.
cStagePlan ScatterRoom() {
  cStagePlan plan;
  plan.nCollisionLevel = 2;
  plan.vMap[13][15] = 'C';
  cFlowCmd shot;
  shot.m_nKind = FLOWCMD_SHOT;
  shot.m_nTime = 20;
  CreateEdShot(shot.m_pShot);
  cEdShot& block = *shot.m_pShot;
  block.m_nFormation = SHOTFORM_SPREAD;
  block.m_nFormParam[0] = 20;
  block.m_nCount = 3;
  block.m_nCopies = 1;
  block.m_nDir = MOVEDIR_FORWARD;
  block.m_nAngle = 30;
  block.m_nSpread = 40;
  block.m_nSpeed = 15;
  block.m_bPassBlocks = 1;
  cFlow fire;
  fire.m_nTrigger = FLOWTRIG_ALWAYS;
  fire.m_vCmd = {shot};
  plan.Chara.m_vFlow = std::vector<cFlow>{fire};
  return plan;
}

class FiringReplayTest : public cReplaySceneTest {
 protected:
  std::vector<std::string> Play() {
    cSceneGame& scene = NewScene();
    std::vector<std::string> lines;
    for (int i = 0; i < kFrames; ++i) {
      g_Input[0].m_wDir = 0;
      g_Input[0].m_wButton = 0;
      scene.Run();
      lines.push_back(SceneTraceLine(scene));
    }
    return lines;
  }
};

TEST_F(FiringReplayTest, ScatteredVolleysPlayBackInTheSamePlaces) {
  StartRecording(BuildPlannedStage(ScatterRoom()));
  const std::vector<std::string> recorded = Play();
  ASSERT_NE(recorded.back().find("\"shot\""), std::string::npos) << recorded.back();
  ASSERT_TRUE(SaveReplay(kReplayPath, 0));
  EndScene();

  ASSERT_TRUE(StartPlayback(kReplayPath));
  const std::vector<std::string> played = Play();
  for (std::size_t i = 0; i < recorded.size(); ++i) ASSERT_EQ(played[i], recorded[i]) << "frame " << i;
}

}  // namespace
