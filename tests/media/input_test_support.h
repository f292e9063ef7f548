#pragma once
// Input tests script the platform's snapshot frame by frame and poll records from it. Each
// test starts with nothing held, no joystick and a zero key configuration, as at start-up.
#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>
#include <vector>

#include "media/input/input.h"
#include "media/input/key_config.h"
#include "platform/input_snapshot.h"
#include "platform/joystick_state.h"

class cInputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    PublishInputFrame({});
    g_KeyConfig = cKeyConfig{};
  }
  void TearDown() override { SetUp(); }

  // A record as start-up leaves it.
  static cInput StartedRecord() {
    cInput input;
    input.SetRepeat(18, 6);
    input.SetDefaultJoyButtons();
    return input;
  }
};

inline JoystickSnapshot Stick(DWORD x, DWORD y, DWORD buttons = 0) { return JoystickSnapshot{true, x, y, buttons}; }
constexpr DWORD kCentre = 32768;
