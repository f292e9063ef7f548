// The screen colour's course frame by frame (the value that stays of the unchanged
// picture, when it ends) and the background-layer command, without a display: the
// Direct3D rules apply, whose drawing call then does nothing.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "data/flow/flow_command.h"
#include "data/stage/stage_data.h"
#include "objects/player.h"
#include "stage/scene_game.h"
#include "stage/stage_world.h"
#include "tests/stage/stage_scene_fixture.h"

namespace {

using Params = std::vector<std::int32_t>;

// Values of the tint on consecutive unpaused frames until it ends (at most `limit`).
std::vector<std::int32_t> RunUntilEnd(cSceneGame& scene, int limit) {
  std::vector<std::int32_t> values;
  for (int i = 0; i < limit && scene.m_ScreenColor.m_bActive != 0; ++i) {
    scene.DrawScreenColor(0);
    values.push_back(scene.m_ScreenColor.m_nValue);
  }
  return values;
}

class ScreenColorTest : public StageSceneTest {};

TEST_F(ScreenColorTest, TintsFlashesAndReturnsFrameByFrame) {
  struct Case {
    const char* name;
    Params first;   // the command before (empty: none)
    Params second;  // the command run
    std::vector<std::int32_t> values;  // per frame until it ends or 12 frames
    std::int32_t bActiveAfter;
  };
  const Case cases[] = {
      // Strength 100 at once: full colour from the first frame, and it stays.
      {"full at once", {}, {255, 0, 0, 100, 0, 0, 0, 0}, std::vector<std::int32_t>(12, 0), 1},
      // 50 % over one tenth (6 frames): 255 - k/6 x 127.5, then it stays at the end value.
      {"half over six frames",
       {},
       {0, 0, 255, 50, 0, 1, 0, 0},
       {255, 233, 212, 191, 170, 148, 127, 127, 127, 127, 127, 127},
       1},
      // Strength 0 ends itself once its time is over.
      {"strength 0 ends", {}, {0, 0, 0, 0, 0, 0, 0, 0}, {255}, 0},
      // A flash of 3 times with time 0: each flash a full frame and a clear frame.
      {"three flashes", {}, {255, 255, 255, 100, 0, 0, 1, 3}, {0, 0, 0}, 0},
      // A flash count of 0 ends after one flash instead of flashing for ever.
      {"flash count 0 ends", {}, {255, 255, 255, 100, 0, 0, 1, 0}, {0}, 0},
      {"flash count -5 ends", {}, {255, 255, 255, 100, 0, 0, 1, -5}, {0}, 0},
      // A return after a full tint fades back over 6 frames and ends.
      {"return", {255, 0, 0, 100, 0, 0, 0, 0}, {0, 0, 0, 0, 1, 1, 0, 0}, {0, 42, 85, 127, 170, 212, 255}, 0},
      {"return at once", {255, 0, 0, 100, 0, 0, 0, 0}, {0, 0, 0, 0, 1, 0, 0, 0}, {255}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    m_pScene->m_ScreenColor.Clear();
    if (!c.first.empty()) {
      m_pScene->SetScreenColor(c.first);
      m_pScene->DrawScreenColor(0);
    }
    m_pScene->SetScreenColor(c.second);
    EXPECT_EQ(RunUntilEnd(*m_pScene, 12), c.values);
    EXPECT_EQ(m_pScene->m_ScreenColor.m_bActive, c.bActiveAfter);
  }
}

TEST_F(ScreenColorTest, AReturnWithNothingToReturnFromChangesNothing) {
  m_pScene->SetScreenColor({10, 20, 30, 40, 1, 5, 0, 0});
  EXPECT_EQ(m_pScene->m_ScreenColor.m_bActive, 0);
  EXPECT_EQ(m_pScene->m_ScreenColor.m_nValue, 255);
  EXPECT_EQ(m_pScene->m_ScreenColor.m_nRed, 0);
}

TEST_F(ScreenColorTest, ReturnTakesTheSavedColourBack) {
  m_pScene->SetScreenColor({200, 100, 50, 80, 0, 0, 0, 0});
  m_pScene->DrawScreenColor(0);
  m_pScene->SetScreenColor({1, 2, 3, 4, 1, 2, 0, 0});
  const cScreenColor& sc = m_pScene->m_ScreenColor;
  EXPECT_EQ(sc.m_nRed, 200);
  EXPECT_EQ(sc.m_nGreen, 100);
  EXPECT_EQ(sc.m_nBlue, 50);
  EXPECT_EQ(sc.m_nStrength, 80);
  EXPECT_EQ(sc.m_nSavedValue, 51);
  EXPECT_EQ(sc.m_nDuration, 12);
}

TEST_F(ScreenColorTest, PausedFramesHoldTheTint) {
  m_pScene->SetScreenColor({0, 0, 0, 70, 0, 1, 0, 0});
  m_pScene->DrawScreenColor(0);
  m_pScene->DrawScreenColor(0);
  for (int i = 0; i < 10; ++i) {
    m_pScene->DrawScreenColor(1);
    EXPECT_EQ(m_pScene->m_ScreenColor.m_nFrame, 2);
    EXPECT_EQ(m_pScene->m_ScreenColor.m_nValue, 195);  // 255 - 2/6 x 70 x 2.55
  }
}

TEST_F(ScreenColorTest, TheCommandReadsItsEightParameters) {
  m_pScene->SetStage(0, 1);
  cFlowCmd cmd;
  cmd.m_vParam = {300, 1, 2, 50, 0, 3, 0, 0};
  g_vPlayer.front().CmdScreenColor(cmd);
  const cScreenColor& sc = m_pScene->m_ScreenColor;
  EXPECT_EQ(sc.m_nRed, 300 & 0xFF);  // the low byte
  EXPECT_EQ(sc.m_nDuration, 18);
  EXPECT_EQ(sc.m_bActive, 1);
  EXPECT_EQ(sc.m_bColorSet, 1);
}

TEST_F(ScreenColorTest, ChangeBackShowsHidesAndTogglesLayersCountedFromOne) {
  m_pScene->SetStage(0, 1);
  struct Case {
    std::int32_t nLayer;
    std::int32_t nMode;
    std::vector<std::int32_t> visibleAfter;  // of the 8 layers, all visible before
  };
  const std::vector<std::int32_t> all(8, 1);
  std::vector<std::int32_t> secondHidden = all;
  secondHidden[1] = 0;
  std::vector<std::int32_t> lastHidden = all;
  lastHidden[7] = 0;
  const Case cases[] = {
      {0, 1, all},            // no layer 0
      {9, 1, all},            // past the eighth
      {-1, 1, all},           // a negative number is no layer either
      {2, 1, secondHidden},   // hide
      {8, 2, lastHidden},     // toggle
      {2, 0, all},            // show
      {2, 3, all},            // an unknown mode changes nothing
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.nLayer << " " << c.nMode);
    g_StageData.m_vBack.assign(8, cStageBack());
    for (cStageBack& back : g_StageData.m_vBack) back.m_bVisible = 1;
    cFlowCmd cmd;
    cmd.m_vParam = {c.nLayer, c.nMode};
    g_vPlayer.front().CmdChangeBack(cmd);
    std::vector<std::int32_t> visible;
    for (const cStageBack& back : g_StageData.m_vBack) visible.push_back(back.m_bVisible);
    EXPECT_EQ(visible, c.visibleAfter);
  }
}

}  // namespace
