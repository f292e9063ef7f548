#include "app/mouse_state.h"

#include <gtest/gtest.h>

#include "platform/key_state.h"
#include "platform/win_types.h"

namespace {

class MouseStateTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetKeyHeld(VK_LBUTTON, false);
    SetKeyHeld(VK_RBUTTON, false);
    cMouseState().Update(7);  // clears the program-wide press latches
  }
  void TearDown() override { SetUp(); }
};

struct Step {
  bool leftDown;
  int held;
  int pressed;
  int released;
};

TEST_F(MouseStateTest, PressIsOneUpdateAndReleaseFollowsLettingGo) {
  const Step steps[] = {
      {false, 0, 0, 0}, {true, 1, 1, 0}, {true, 1, 0, 0}, {true, 1, 0, 0},
      {false, 0, 0, 1}, {false, 0, 0, 0}, {true, 1, 1, 0}, {false, 0, 0, 1},
  };
  cMouseState mouse;
  int n = 0;
  for (const Step& step : steps) {
    SetKeyHeld(VK_LBUTTON, step.leftDown);
    EXPECT_EQ(mouse.Update(7), 1);
    EXPECT_EQ(mouse.m_bLeft, step.held) << "update " << n;
    EXPECT_EQ(mouse.m_bLeftPush, step.pressed) << "update " << n;
    EXPECT_EQ(mouse.m_bLeftRelease, step.released) << "update " << n;
    EXPECT_EQ(mouse.m_bRight + mouse.m_bRightPush + mouse.m_bRightRelease, 0) << "update " << n;
    ++n;
  }
}

TEST_F(MouseStateTest, RightButtonHasItsOwnEdges) {
  cMouseState mouse;
  SetKeyHeld(VK_RBUTTON, true);
  mouse.Update(7);
  EXPECT_EQ(mouse.m_bRightPush, 1);
  EXPECT_EQ(mouse.m_bLeftPush, 0);
  SetKeyHeld(VK_RBUTTON, false);
  mouse.Update(7);
  EXPECT_EQ(mouse.m_bRightRelease, 1);
  EXPECT_EQ(mouse.m_bLeftRelease, 0);
}

TEST_F(MouseStateTest, WithoutHeldBitNothingIsReleased) {
  cMouseState mouse;
  SetKeyHeld(VK_LBUTTON, true);
  mouse.Update(7);
  SetKeyHeld(VK_LBUTTON, false);
  mouse.Update(2 | 4);
  EXPECT_EQ(mouse.m_bLeft, 1);
  EXPECT_EQ(mouse.m_bLeftRelease, 0);
  EXPECT_EQ(mouse.m_bLeftPush, 0);
}

TEST_F(MouseStateTest, PressLatchIsSharedByEveryWindow) {
  cMouseState first;
  cMouseState second;
  SetKeyHeld(VK_LBUTTON, true);
  first.Update(7);
  second.Update(7);
  EXPECT_EQ(first.m_bLeftPush, 1);
  EXPECT_EQ(second.m_bLeftPush, 0);
}

}  // namespace
