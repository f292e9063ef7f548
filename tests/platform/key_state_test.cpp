#include "platform/key_state.h"

#include <gtest/gtest.h>

#include <thread>

TEST(KeyState, HeldKeyHasTheTopBitSet) {
  EXPECT_EQ(GetAsyncKeyState(VK_LBUTTON), 0);
  SetKeyHeld(VK_LBUTTON, true);
  EXPECT_EQ(GetAsyncKeyState(VK_LBUTTON), static_cast<SHORT>(0x8000));
  EXPECT_NE(GetAsyncKeyState(VK_LBUTTON) & 0x8000, 0);
  EXPECT_LT(GetAsyncKeyState(VK_LBUTTON), 0);  // the usual "< 0" test of held keys
  EXPECT_EQ(GetAsyncKeyState(VK_RBUTTON), 0);  // other keys untouched
  SetKeyHeld(VK_LBUTTON, false);
  EXPECT_EQ(GetAsyncKeyState(VK_LBUTTON), 0);
}

TEST(KeyState, EveryKeyCodeHasItsOwnEntry) {
  for (int vk = 0; vk < 256; ++vk) {
    SetKeyHeld(vk, true);
    EXPECT_EQ(GetAsyncKeyState(vk), static_cast<SHORT>(0x8000)) << vk;
    if (vk > 0) {
      EXPECT_EQ(GetAsyncKeyState(vk - 1), 0) << vk;
    }
    SetKeyHeld(vk, false);
  }
}

TEST(KeyState, CodesOutsideTheTableAreNeverHeld) {
  for (int vk : {-1, 256, 1000, -100000}) {
    SetKeyHeld(vk, true);  // ignored, no write outside the table
    EXPECT_EQ(GetAsyncKeyState(vk), 0) << vk;
  }
  EXPECT_EQ(GetAsyncKeyState(255), 0);
  EXPECT_EQ(GetAsyncKeyState(0), 0);
}

TEST(KeyState, StateSetOnOneThreadIsSeenOnAnother) {
  const int vkSpace = 0x20;
  std::thread([vkSpace] { SetKeyHeld(vkSpace, true); }).join();
  EXPECT_EQ(GetAsyncKeyState(vkSpace), static_cast<SHORT>(0x8000));
  SHORT seen = 0;
  std::thread([&seen, vkSpace] { seen = GetAsyncKeyState(vkSpace); }).join();
  EXPECT_EQ(seen, static_cast<SHORT>(0x8000));
  SetKeyHeld(vkSpace, false);
}
