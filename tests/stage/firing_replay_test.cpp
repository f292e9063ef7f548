// A recorded play in which a character scatters its volleys at random plays back with
// the same shots in the same places, frame by frame: the scatter comes from the seeded
// generator the replay restores.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/stage/replay_scene_fixture.h"
#include "tests/stage/scatter_room.h"

namespace {

constexpr const char* kReplayPath = "volleys.rpl4_811";
constexpr int kFiringReplayTestFrames = 90;

class FiringReplayTest : public cReplaySceneTest {
 protected:
  std::vector<std::string> Play() {
    cSceneGame& scene = NewScene();
    std::vector<std::string> lines;
    for (int i = 0; i < kFiringReplayTestFrames; ++i) {
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
