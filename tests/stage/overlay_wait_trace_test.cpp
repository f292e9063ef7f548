// Messages, effects and pictures that hold the game, in real play through the player's
// trace. A hold runs frames of its own that read the input script but write no trace line
// and move nothing, so it shows as a shift: the hero, walking while the script holds
// right, stops walking (and later jumps) as many trace frames sooner as the hold took
// input frames, while a patrolling walker keeps exactly the path it has without the hold.
// What held the game goes with the hold: the frame drawn after it is the frame drawn
// without it.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <iterator>
#include <string>
#include <vector>

#include "data/database/effect_data.h"
#include "data/flow/flow_command.h"
#include "data/flow/flow_command_kinds.h"
#include "demo/demo_art.h"
#include "demo/demo_stage.h"
#include "tests/support/play_harness.h"
#include "tests/support/temp_dir.h"
#include "writers/stage_writer.h"

namespace {

constexpr int kOverlayWaitTraceTestFrames = 200;       // trace frames of every run
constexpr int kRightFrames = 120;  // input frames from the start with right held
constexpr int kJumpPress = 140;    // input frame where button 1 (jump) goes down after the walk
// The hero's flow waits this long before the command that holds: by then its jump flow
// has seen button 1 up, so a press still held when the hold ends would start a jump.
constexpr std::int16_t kLeadTenths = 5;
constexpr std::int32_t kPicture = 1;
constexpr std::int32_t kEffect = 1;
// The effect's frames, in tenths of a second each.
constexpr int kEffectTenths[] = {2, 1, 3, 2};
constexpr int kFramesPerTenth = 6;
constexpr int kLeadFrames = kLeadTenths * kFramesPerTenth;

// A press of button 1 during a hold: down from the hold's frame nAt (1 = the first frame
// the hold reads) for nCount input frames.
struct cPress {
  int nAt = 0;
  int nCount = 0;
};

// A room with the hero at the left, walking at three dots a frame, and a walker that
// patrols to the right of where the hero's walk ends, never meeting it and never leaving
// the view (a character off the view stands still). `vCmd` (when not empty) runs once
// from the hero's own flow, kLeadTenths after play begins. The stage runs at `nFps` frames
// a second, with `nLevel`'s sub-steps a frame (0: one).
cGameContent HoldGame(const std::vector<cFlowCmd>& vCmd, std::int32_t nFps = 60, std::int32_t nLevel = 0) {
  cStagePlan plan;
  plan.vMap.assign(10, std::string(30, '.'));
  plan.vMap.back() = std::string(30, '#');
  for (std::string& row : plan.vMap) row.front() = row.back() = '#';
  plan.vMap[8][2] = 'P';
  plan.vMap[8][15] = 'W';
  // One sub-step a frame, so the hero walks at its full speed.
  plan.nCollisionLevel = nLevel != 0 ? nLevel : DemoFirstStage().nCollisionLevel;
  plan.nFps = nFps;
  GiveWalkAndJump(plan.Hero, 30, 6);
  if (!vCmd.empty()) {
    std::vector<cFlowCmd> cmds = {MakeWaitCmd(kLeadTenths)};
    cmds.insert(cmds.end(), vCmd.begin(), vCmd.end());
    cmds.push_back(MakeWaitCmd(32767));
    plan.Hero.m_vFlow.push_back(MakeLoopingFlow(cmds));
  }
  plan.CharaKinds = {{'W', DemoWalker()}};
  cGameContent game = PlannedGame({plan});
  // The planned game's entries name no files: a picture without one closes the player.
  game.Database.m_Picture[kPicture].m_strName = "Board";
  game.Database.m_Picture[kPicture].m_strFile = kDemoHillsSignPath;
  cEffectData& effect = game.Database.m_Effect[kEffect];
  effect.m_strName = "Sparkle";
  effect.m_strFile = kDemoSparklePath;
  effect.m_nWidth = kDemoSparkleSize;
  effect.m_nHeight = kDemoSparkleSize;
  effect.m_vFrame.clear();
  for (int i = 0; i < static_cast<int>(std::size(kEffectTenths)); ++i) {
    cEffectFrame frame;
    frame.m_nPattern = i;
    frame.m_nTime = kEffectTenths[i];
    effect.m_vFrame.push_back(frame);
  }
  return game;
}

// The game wait: the game stands still for `nTenths` tenths of a second.
cFlowCmd GameWaitCmd(std::int32_t nTenths) {
  cFlowCmd wait;
  wait.m_nKind = FLOWCMD_GAME_WAIT;
  wait.Normalize();
  wait.m_vParam.at(0) = nTenths;
  return wait;
}

// The input script: right held for the first kRightFrames input frames, button 1 down for
// each press (counted from `holdFrame`, the trace frame whose play step starts the hold;
// up to then trace frame f reads input frame f), and a jump press well after the walk.
std::vector<cInputSpan> Script(int holdFrame, const std::vector<cPress>& presses) {
  std::vector<std::uint16_t> buttons(kOverlayWaitTraceTestFrames + 200, 0);
  for (const cPress& press : presses)
    for (int i = 0; i < press.nCount; ++i) buttons.at(static_cast<std::size_t>(holdFrame + press.nAt + i)) = kButton1;
  for (int i = 0; i < 3; ++i) buttons.at(static_cast<std::size_t>(kJumpPress + i)) = kButton1;
  std::vector<cInputSpan> script;
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    const std::uint16_t dir = static_cast<int>(i) < kRightFrames ? kDirRight : 0;
    if (!script.empty() && script.back().wDir == dir && script.back().wButton == buttons[i])
      ++script.back().nCount;
    else
      script.push_back({1, dir, buttons[i]});
  }
  return script;
}

const cTraceObject& Walker(const cTraceFrame& frame) {
  for (const cTraceObject& object : frame.vObjects)
    if (object.strKind == "chara") return object;
  ADD_FAILURE() << "no walker: " << frame.strLine;
  static const cTraceObject none;
  return none;
}

// The last trace frame in which the hero's x changed; -1 when it never did.
int LastStep(const cPlayResult& run) {
  int last = -1;
  for (std::size_t i = 1; i < run.vFrames.size(); ++i)
    if (run.vFrames[i].Player().dX != run.vFrames[i - 1].Player().dX) last = static_cast<int>(i);
  return last;
}

// The first trace frame in which the hero is well above `floorY`; -1 when it never is.
int FirstAirborne(const cPlayResult& run, double floorY) {
  for (std::size_t i = 0; i < run.vFrames.size(); ++i)
    if (run.vFrames[i].Player().dY < floorY - 4) return static_cast<int>(i);
  return -1;
}

// Asks the player for pictures of trace frames f and f + 1.
std::vector<std::pair<std::string, std::string>> ScreensAt(int f) {
  return {{"TOVREL_SCREENS", std::to_string(f) + "," + std::to_string(f + 1)}};
}

bool RanThrough(const cPlayResult& run) {
  EXPECT_FALSE(run.bTimedOut) << run.strOutput;
  EXPECT_EQ(run.nExitCode, 0) << run.strOutput;
  EXPECT_TRUE(run.strTraceError.empty()) << run.strTraceError;
  EXPECT_EQ(run.vFrames.size(), static_cast<std::size_t>(kOverlayWaitTraceTestFrames)) << run.strOutput;
  return !run.bTimedOut && run.nExitCode == 0 && run.strTraceError.empty() &&
         run.vFrames.size() == static_cast<std::size_t>(kOverlayWaitTraceTestFrames);
}

struct cHoldCase {
  const char* lpName;
  std::vector<cFlowCmd> vCmd;
  std::vector<cPress> vPress;
  int nHold;  // input frames the hold takes
};

class OverlayWaitTraceTest : public cTempDirTest {
 protected:
  // The pictures of trace frames f and f + 1 that the last run wrote into the temporary
  // folder (removed there, so the next run writes its own); empty when not written.
  std::vector<std::string> ScreensOf(int f) const {
    std::vector<std::string> screens;
    for (const int n : {f, f + 1}) {
      const std::string path = Dir() + "/screen_" + std::to_string(n) + ".ppm";
      screens.push_back(ReadBytes(path));
      std::remove(path.c_str());
    }
    return screens;
  }
};

TEST_F(OverlayWaitTraceTest, HoldsTakeTheirFramesAndPlayGoesOn) {
  // The same stage and script without anything that holds.
  const cPlayResult control = PlayGame(HoldGame({}), "stage1", kOverlayWaitTraceTestFrames, Script(0, {}));
  ASSERT_TRUE(RanThrough(control));
  const int first = control.FirstPlayIndex();
  ASSERT_GT(first, 0) << control.strOutput;
  // The hero's flows first run in the play step after the frame that left the banner (the
  // hero's first step shows there); the holding command follows the lead wait.
  const std::vector<cTraceFrame>& base = control.vFrames;
  ASSERT_EQ(base[static_cast<std::size_t>(first)].Player().dX, base[0].Player().dX);
  ASSERT_GT(base[static_cast<std::size_t>(first + 1)].Player().dX, base[0].Player().dX);
  const int holdFrame = first + 1 + kLeadFrames;
  const double floorY = base[0].Player().dY;
  const int controlLastStep = LastStep(control);
  const int controlJump = FirstAirborne(control, floorY);
  // The walk ends where the script stops holding right; the jump comes where it presses.
  ASSERT_EQ(controlLastStep, kRightFrames - 1);
  ASSERT_EQ(controlJump, kJumpPress);
  // The walker moves in every play step, so a frame it missed or an extra step shows.
  for (int f = first + 1; f < kOverlayWaitTraceTestFrames; ++f) {
    ASSERT_NE(Walker(base[static_cast<std::size_t>(f)]).dX, Walker(base[static_cast<std::size_t>(f - 1)]).dX)
        << base[static_cast<std::size_t>(f)].strLine;
  }

  int effectFrames = 0;
  for (const int tenths : kEffectTenths) effectFrames += tenths * kFramesPerTenth;
  const cOverlayPlace centre;
  // A countdown of n frames draws n frames and ends on the next one. A key hold ends on a
  // press of button 1 (down now, up the frame before); a new message window does not look
  // at the key for its first ten frames, so the early press is lost and the later one ends
  // it, while a picture looks at once. The confirming press is still held when play goes
  // on: it must not reach the hero as a press (which would make it jump).
  const std::vector<cHoldCase> cases = {
      {"nothing waits",
       {MakeMessageCmd("Hello", centre, 10, false), MakePictureCmd(kPicture, centre, 10, false),
        MakeEffectCmd(kEffect, centre, false)},
       {},
       0},
      {"message for a second", {MakeMessageCmd("Hold on", centre, 10, true)}, {}, 10 * kFramesPerTenth + 1},
      {"message until the key", {MakeMessageCmd("Press Z", centre, 0, true)}, {{3, 2}, {19, 15}}, 19},
      {"effect until it has played", {MakeEffectCmd(kEffect, centre, true)}, {}, effectFrames + 1},
      {"picture for half a second", {MakePictureCmd(kPicture, centre, 5, true)}, {}, 5 * kFramesPerTenth + 1},
      {"picture until the key", {MakePictureCmd(kPicture, centre, 0, true)}, {{6, 15}}, 6},
  };
  // The frame whose play step holds the game, and the next one, without the hold.
  const cPlayResult plain = PlayGame(HoldGame({}), "stage1", kOverlayWaitTraceTestFrames, Script(0, {}), ScreensAt(holdFrame));
  ASSERT_TRUE(RanThrough(plain));
  const std::vector<std::string> plainScreens = ScreensOf(holdFrame);
  ASSERT_FALSE(plainScreens[0].empty() || plainScreens[1].empty()) << plain.strOutput;
  for (const cHoldCase& test : cases) {
    SCOPED_TRACE(test.lpName);
    // The hold's frames count toward the run's frames as any other: the run is given
    // them on top, so that its trace has as many frames as the plain run's.
    const cPlayResult run = PlayGame(HoldGame(test.vCmd), "stage1", kOverlayWaitTraceTestFrames + test.nHold,
                                     Script(holdFrame, test.vPress), ScreensAt(holdFrame));
    if (!RanThrough(run)) continue;
    // The window, picture or effect that held the game is gone from the frames drawn after
    // the hold; shown without a hold, they are still there.
    const std::vector<std::string> screens = ScreensOf(holdFrame);
    for (std::size_t i = 0; i < screens.size(); ++i) {
      ASSERT_FALSE(screens[i].empty()) << "frame " << holdFrame + static_cast<int>(i) << " was not written";
      EXPECT_EQ(screens[i] == plainScreens[i], test.nHold > 0) << "frame " << holdFrame + static_cast<int>(i);
    }
    ASSERT_EQ(run.FirstPlayIndex(), first);
    // The hold takes input frames only: the walk ends and the jump comes that much sooner.
    EXPECT_EQ(controlLastStep - LastStep(run), test.nHold);
    EXPECT_EQ(controlJump - FirstAirborne(run, floorY), test.nHold);
    for (int f = 0; f < kOverlayWaitTraceTestFrames; ++f) {
      const cTraceFrame& frame = run.vFrames[static_cast<std::size_t>(f)];
      const cTraceFrame& same = base[static_cast<std::size_t>(f)];
      // Play goes on after the hold, frame for frame: nothing paused or ended the stage,
      // and the walker, which reads no input, is where it is without the hold (it did
      // not move while the game was held, nor skip frames after).
      ASSERT_EQ(frame.nState, same.nState) << frame.strLine;
      ASSERT_EQ(Walker(frame).dX, Walker(same).dX) << frame.strLine;
      // The hero walks on from where the hold found it, as without the hold, until the
      // shortened walk ends.
      if (f < kRightFrames - test.nHold) {
        ASSERT_EQ(frame.Player().dX, same.Player().dX) << frame.strLine;
      }
    }
  }
}

// A game wait of 0.4 s holds the game for 24 frames and ends on the next one, whatever
// the stage's frame rate and however many sub-steps its frames have: the hero's walk ends
// 25 trace frames sooner, and the walker keeps its path.
TEST_F(OverlayWaitTraceTest, AGameWaitTakesSixFramesATenthAtEveryRate) {
  struct Case {
    std::int32_t nFps, nLevel;
  } const cases[] = {{60, 1}, {30, 1}, {60, 2}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.nFps) + " frames a second, level " + std::to_string(c.nLevel));
    const cPlayResult control = PlayGame(HoldGame({}, c.nFps, c.nLevel), "stage1", kOverlayWaitTraceTestFrames, Script(0, {}));
    ASSERT_TRUE(RanThrough(control));
    // The wait's frames count toward the run's as any other: given on top, they leave the
    // trace as long as the control's.
    const cPlayResult run = PlayGame(HoldGame({GameWaitCmd(4)}, c.nFps, c.nLevel), "stage1",
                                     kOverlayWaitTraceTestFrames + 4 * kFramesPerTenth + 1, Script(0, {}));
    ASSERT_TRUE(RanThrough(run));
    ASSERT_EQ(LastStep(control), kRightFrames - 1);
    EXPECT_EQ(LastStep(control) - LastStep(run), 4 * kFramesPerTenth + 1);
    for (int f = 0; f < kOverlayWaitTraceTestFrames; ++f) {
      const cTraceFrame& frame = run.vFrames[static_cast<std::size_t>(f)];
      ASSERT_EQ(Walker(frame).dX, Walker(control.vFrames[static_cast<std::size_t>(f)]).dX) << frame.strLine;
    }
  }
}

// A run's frames bound the frames of a hold as well: a wait for a key that its script
// never answers ends with the run, which counts the wait's frames, instead of holding the
// player until it is killed.
TEST_F(OverlayWaitTraceTest, AWaitForAKeyNobodyPressesEndsWithTheRunsFrames) {
  const cOverlayPlace centre;
  for (const cFlowCmd& hold : {MakeMessageCmd("Press Z", centre, 0, true), MakePictureCmd(kPicture, centre, 0, true)}) {
    const cPlayResult run = PlayGame(HoldGame({hold}), "stage1", kOverlayWaitTraceTestFrames, Script(0, {}));
    ASSERT_FALSE(run.bTimedOut) << run.strOutput;
    EXPECT_EQ(run.nExitCode, 0) << run.strOutput;
    EXPECT_TRUE(run.strTraceError.empty()) << run.strTraceError;
    // The frames up to the one that started the hold were written; the hold took the rest.
    ASSERT_GT(run.FirstPlayIndex(), 0) << run.strOutput;
    EXPECT_GT(run.vFrames.size(), static_cast<std::size_t>(run.FirstPlayIndex() + kLeadFrames));
    EXPECT_LT(run.vFrames.size(), static_cast<std::size_t>(kOverlayWaitTraceTestFrames));
  }
}

}  // namespace
