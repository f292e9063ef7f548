#include <climits>
#include <optional>
#include <string>
#include <vector>

#include "platform/virtual_keys.h"
#include "tests/media/input_test_support.h"

namespace {

struct PollCase {
  const char* name;
  std::vector<int> keys;
  std::vector<std::pair<int, JoystickSnapshot>> joysticks;
  WORD dir;
  int keypad;
  WORD buttons;
};

using FixedLayoutTest = cInputTest;

TEST_F(FixedLayoutTest, KeyboardAndJoystickZero) {
  const PollCase cases[] = {
      {"nothing", {}, {}, 0, 5, 0},
      {"left", {VK_LEFT}, {}, 1, 4, 0},
      {"right", {VK_RIGHT}, {}, 2, 6, 0},
      {"up", {VK_UP}, {}, 4, 2, 0},
      {"down", {VK_DOWN}, {}, 8, 8, 0},
      {"left and right together", {VK_LEFT, VK_RIGHT}, {}, 3, 5, 0},
      {"up and down together", {VK_UP, VK_DOWN}, {}, 12, 5, 0},
      {"up-left", {VK_UP, VK_LEFT}, {}, 5, 1, 0},
      {"down-right", {VK_DOWN, VK_RIGHT}, {}, 10, 9, 0},
      {"Z is button 1", {'Z'}, {}, 0, 5, 0x01},
      {"F is button 8", {'F'}, {}, 0, 5, 0x80},
      {"every button key", {'Z', 'X', 'C', 'V', 'A', 'S', 'D', 'F'}, {}, 0, 5, 0xFF},
      {"other keys are no buttons", {'Q', VK_SPACE, VK_RETURN}, {}, 0, 5, 0},
      {"stick up beats keyboard left", {VK_LEFT}, {{0, Stick(kCentre, 0)}}, 4, 2, 0},
      {"stick centred: keyboard left", {VK_LEFT}, {{0, Stick(kCentre, kCentre)}}, 1, 4, 0},
      {"joystick button beats Z", {'Z', 'X'}, {{0, Stick(kCentre, kCentre, 0x4)}}, 0, 5, 0x04},
      {"stick direction, keyboard buttons", {'Z'}, {{0, Stick(0, kCentre)}}, 1, 4, 0x01},
      {"joystick buttons, keyboard direction", {VK_DOWN}, {{0, Stick(kCentre, kCentre, 0x81)}}, 8, 8, 0x81},
      {"joystick button 9 is no button", {'X'}, {{0, Stick(kCentre, kCentre, 0x100)}}, 0, 5, 0x02},
      {"stick down-left", {}, {{0, Stick(0, 65535)}}, 9, 7, 0},
      {"X 10000 is left", {}, {{0, Stick(10000, kCentre)}}, 1, 4, 0},
      {"X 10001 is centre", {}, {{0, Stick(10001, kCentre)}}, 0, 5, 0},
      {"X 55534 is centre", {}, {{0, Stick(55534, kCentre)}}, 0, 5, 0},
      {"X 55535 is right", {}, {{0, Stick(55535, kCentre)}}, 2, 6, 0},
      {"Y 10000 is up", {}, {{0, Stick(kCentre, 10000)}}, 4, 2, 0},
      {"Y 55535 is down", {}, {{0, Stick(kCentre, 55535)}}, 8, 8, 0},
      {"only joystick 0 is read", {}, {{1, Stick(0, 0, 1)}}, 0, 5, 0},
  };
  for (const PollCase& c : cases) {
    PublishInputFrame({c.keys, c.joysticks});
    cInput input = StartedRecord();
    EXPECT_EQ(input.Poll(0, 3, 60), 1) << c.name;
    EXPECT_EQ(input.m_wDir, c.dir) << c.name;
    EXPECT_EQ(input.m_nKeypad, c.keypad) << c.name;
    EXPECT_EQ(input.m_wButton, c.buttons) << c.name;
  }
}

TEST_F(FixedLayoutTest, FlagsChooseTheDevices) {
  struct Case {
    const char* name;
    int flags;
    WORD dir;
    WORD buttons;
  };
  // Stick up with joystick button 2; keyboard left with Z.
  const Case cases[] = {
      {"both", 3, 4, 0x02},
      {"joystick only", 1, 4, 0x02},
      {"keyboard only", 2, 1, 0x01},
      {"neither", 0, 0xF, 0xAA},  // the record keeps what it had
  };
  for (const Case& c : cases) {
    PublishInputFrame({{VK_LEFT, 'Z'}, {{0, Stick(kCentre, 0, 0x2)}}});
    cInput input = StartedRecord();
    input.m_wDir = 0xF;
    input.m_wButton = 0xAA;
    EXPECT_EQ(input.Poll(0, c.flags, 60), 1) << c.name;
    EXPECT_EQ(input.m_wDir, c.dir) << c.name;
    EXPECT_EQ(input.m_wButton, c.buttons) << c.name;
  }
}

// A joystick-only poll once kept the last frame's stick and buttons after the joystick went.
TEST_F(FixedLayoutTest, JoystickOnlyPollReleasesWhenTheJoystickGoes) {
  cInput input = StartedRecord();
  PublishInputFrame({{}, {{0, Stick(0, 0, 0x1)}}});
  input.Poll(0, 1, 60);
  EXPECT_EQ(input.m_wDir, 5);
  EXPECT_EQ(input.m_wButton, 1);
  PublishInputFrame({{VK_RIGHT, 'X'}, {}});  // unplugged; the keyboard is not asked
  for (int frame = 0; frame < 3; ++frame) {  // the failed query, then the countdown
    input.Poll(0, 1, 60);
    EXPECT_EQ(input.m_wDir, 0) << frame;
    EXPECT_EQ(input.m_nKeypad, 5) << frame;
    EXPECT_EQ(input.m_wButton, 0) << frame;
  }
}

TEST_F(FixedLayoutTest, CustomJoystickButtonMasks) {
  PublishInputFrame({{}, {{0, Stick(kCentre, kCentre, 0x1)}}});
  cInput input = StartedRecord();
  input.m_wJoyButton = {0x2, 0x1 | 0x4, 0, 0, 0, 0, 0, 0x1};
  input.Poll(0, 3, 60);
  EXPECT_EQ(input.m_wButton, 0x82);  // buttons 2 and 8 both answer to joystick button 1
}

TEST_F(FixedLayoutTest, KeyConfigurationInUseLeavesTheRecordAlone) {
  SetDefaultKeyConfig(g_KeyConfig);
  g_KeyConfig.m_bUse = 1;
  PublishInputFrame({{VK_LEFT, 'Z'}, {{0, Stick(0, 0, 1)}}});
  cInput input = StartedRecord();
  input.m_wDir = 0x8;
  EXPECT_EQ(input.Poll(0, 3, 60), 0);
  EXPECT_EQ(input.m_wDir, 0x8);
  EXPECT_EQ(input.m_wButton, 0);
  EXPECT_EQ(input.m_nKeypad, 5);
  EXPECT_EQ(input.m_bJoyOk[0], 0);  // not even queried
}

// A joystick that is absent is asked again only after 2 x factor polls; one plugged in
// meanwhile shows on the first poll that asks.
TEST_F(FixedLayoutTest, FailedJoystickWaitsOutItsCountdown) {
  struct Case {
    int factor;
    int firstSeen;
  };
  for (const Case c : {Case{60, 121}, Case{1, 3}, Case{0, 1}, Case{-5, 1}, Case{INT_MAX, -1}}) {
    PublishInputFrame({});
    cInput input = StartedRecord();
    int firstSeen = -1;
    for (int frame = 0; frame < 300 && firstSeen < 0; ++frame) {
      if (frame == 1) PublishInputFrame({{}, {{0, Stick(0, kCentre)}}});
      input.Poll(0, 3, c.factor);
      if (input.m_wDir == kDirLeft) firstSeen = frame;
    }
    EXPECT_EQ(firstSeen, c.firstSeen) << "factor " << c.factor;
  }
}

TEST_F(FixedLayoutTest, JoystickIdsOutsideTheLayerAreNeverRead) {
  PublishInputFrame({{VK_UP}, {{0, Stick(0, kCentre, 1)}}});
  for (int id : {-1, kJoystickIdCount, INT_MAX}) {
    cInput input = StartedRecord();
    EXPECT_EQ(input.Poll(id, 3, 60), 1);
    EXPECT_EQ(input.m_wDir, kDirUp) << id;
    EXPECT_EQ(input.m_wButton, 0) << id;
  }
}

// Configuration: left, right, up, down, then buttons, each on the keyboard or a joystick.
cKeyConfig::Key Keyboard(WORD code) { return {KEYDEV_KEYBOARD, code, 0}; }
cKeyConfig::Key Joystick(std::int32_t id, WORD code) { return {id, code, 0}; }

cKeyConfig MakeConfig(std::vector<cKeyConfig::Key> keys, std::int32_t keyNum, std::int32_t joyNum) {
  cKeyConfig config{};
  for (std::size_t n = 0; n < keys.size() && n < cKeyConfig::kKeyCount; ++n) config.m_Key[n] = keys[n];
  config.m_nKeyNum = keyNum;
  config.m_nJoyNum = joyNum;
  config.m_bUse = 1;
  return config;
}

// Arrows on the keyboard, buttons 1-4 on joystick 1's buttons 1-4, 5 on the stick of
// joystick 0, 6 on 'Q', 7 on joystick 5 (never polled), 8 on joystick -1.
cKeyConfig MixedConfig(std::int32_t keyNum = 12, std::int32_t joyNum = 2) {
  return MakeConfig({Keyboard(VK_LEFT), Keyboard(VK_RIGHT), Keyboard(VK_UP), Keyboard(VK_DOWN), Joystick(1, 0x1),
                     Joystick(1, 0x2), Joystick(1, 0x4), Joystick(1, 0x8), Joystick(0, JOYSTICK_UP), Keyboard('Q'),
                     Joystick(5, 0x1), Joystick(-1, 0x1)},
                    keyNum, joyNum);
}

using KeyConfigPollTest = cInputTest;

TEST_F(KeyConfigPollTest, EntriesByDevice) {
  const PollCase cases[] = {
      {"nothing", {}, {}, 0, 5, 0},
      {"left and right: left wins", {VK_LEFT, VK_RIGHT}, {}, 1, 4, 0},
      {"up and down: up wins", {VK_UP, VK_DOWN}, {}, 4, 2, 0},
      {"down-right", {VK_DOWN, VK_RIGHT}, {}, 10, 9, 0},
      {"fixed layout keys mean nothing", {'Z', 'X'}, {}, 0, 5, 0},
      {"keyboard button", {'Q'}, {}, 0, 5, 0x20},
      {"joystick 1 buttons", {}, {{1, Stick(kCentre, kCentre, 0x5)}}, 0, 5, 0x05},
      {"joystick 0 buttons mean nothing", {}, {{0, Stick(kCentre, kCentre, 0xF)}}, 0, 5, 0},
      {"stick code of joystick 0", {}, {{0, Stick(kCentre, 10000)}}, 0, 5, 0x10},
      {"stick at 10001 is not up", {}, {{0, Stick(kCentre, 10001)}}, 0, 5, 0},
      {"a stick code answers to its button bit too", {}, {{0, Stick(kCentre, kCentre, 0x400)}}, 0, 5, 0x10},
      {"joystick 5 is not polled", {}, {{5, Stick(0, 0, 0x1)}}, 0, 5, 0},
      {"keyboard and joysticks together", {VK_LEFT, 'Q'}, {{0, Stick(0, 0)}, {1, Stick(0, 0, 0x8)}}, 1, 4, 0x38},
  };
  for (const PollCase& c : cases) {
    g_KeyConfig = MixedConfig();
    PublishInputFrame({c.keys, c.joysticks});
    cInput input = StartedRecord();
    EXPECT_EQ(input.PollKeyConfig(60), 1) << c.name;
    EXPECT_EQ(input.m_wDir, c.dir) << c.name;
    EXPECT_EQ(input.m_nKeypad, c.keypad) << c.name;
    EXPECT_EQ(input.m_wButton, c.buttons) << c.name;
  }
}

TEST_F(KeyConfigPollTest, StickCodesOnTheDirections) {
  g_KeyConfig = MakeConfig({Joystick(0, JOYSTICK_LEFT), Joystick(0, JOYSTICK_RIGHT), Joystick(0, JOYSTICK_UP),
                            Joystick(0, JOYSTICK_DOWN)},
                           4, 1);
  struct Case {
    DWORD x, y;
    WORD dir;
    int keypad;
  };
  for (const Case c : {Case{kCentre, kCentre, 0, 5}, Case{0, 0, 5, 1}, Case{65535, 65535, 10, 9},
                       Case{10000, 55535, 9, 7}, Case{55534, 10001, 0, 5}}) {
    PublishInputFrame({{}, {{0, Stick(c.x, c.y)}}});
    cInput input = StartedRecord();
    input.PollKeyConfig(60);
    EXPECT_EQ(input.m_wDir, c.dir) << c.x << "," << c.y;
    EXPECT_EQ(input.m_nKeypad, c.keypad) << c.x << "," << c.y;
  }
}

TEST_F(KeyConfigPollTest, CountsOfTheFileBoundWhatIsRead) {
  struct Case {
    const char* name;
    std::int32_t keyNum;
    std::int32_t joyNum;
    WORD dir;
    WORD buttons;
  };
  // Every entry would be held: left, buttons 1-4 (joystick 1), 5 (joystick 0), 6 ('Q').
  const Case cases[] = {
      {"all twelve", 12, 2, 1, 0x3F},
      {"six entries: two buttons", 6, 2, 1, 0x03},
      {"four entries: directions only", 4, 2, 1, 0},
      {"no entries still reads the directions", 0, 2, 1, 0},
      {"negative count", -7, 2, 1, 0},
      {"more than twelve reads twelve", INT_MAX, 2, 1, 0x3F},
      {"one joystick polled", 12, 1, 1, 0x30},
      {"no joystick polled", 12, 0, 1, 0x20},
      {"negative joystick count", 12, INT_MIN, 1, 0x20},
      {"joystick count far too large", 12, INT_MAX, 1, 0x3F},
  };
  for (const Case& c : cases) {
    g_KeyConfig = MixedConfig(c.keyNum, c.joyNum);
    PublishInputFrame({{VK_LEFT, 'Q'}, {{0, Stick(kCentre, 0)}, {1, Stick(kCentre, kCentre, 0xF)}}});
    cInput input = StartedRecord();
    EXPECT_EQ(input.PollKeyConfig(60), 1) << c.name;
    EXPECT_EQ(input.m_wDir, c.dir) << c.name;
    EXPECT_EQ(input.m_wButton, c.buttons) << c.name;
  }
}

TEST_F(KeyConfigPollTest, KeyboardCodesOutsideTheKeyTableAreNeverHeld) {
  g_KeyConfig = MakeConfig({Keyboard(0x125), Keyboard(0xFFFF), Keyboard(0), Keyboard(VK_DOWN)}, 4, 0);
  PublishInputFrame({{VK_LEFT, VK_RIGHT, VK_DOWN}, {}});
  cInput input = StartedRecord();
  input.PollKeyConfig(60);
  EXPECT_EQ(input.m_wDir, kDirDown);
}

TEST_F(KeyConfigPollTest, NotInUseLeavesTheRecordAlone) {
  g_KeyConfig = MixedConfig();
  g_KeyConfig.m_bUse = 0;
  PublishInputFrame({{VK_LEFT, 'Q'}, {}});
  cInput input = StartedRecord();
  input.m_wButton = 0x40;
  EXPECT_EQ(input.PollKeyConfig(60), 0);
  EXPECT_EQ(input.m_wButton, 0x40);
  EXPECT_EQ(input.m_wDir, 0);
  // The fixed layout polls instead, even though the entries differ from it.
  EXPECT_EQ(input.Poll(0, 3, 60), 1);
  EXPECT_EQ(input.m_wDir, kDirLeft);
  EXPECT_EQ(input.m_wButton, 0);
}

// With two joysticks configured and one of them absent, the present one once shared the
// absent one's countdown and was read once in 61 frames. Each id now waits on its own.
TEST_F(KeyConfigPollTest, AnAbsentJoystickNeverHoldsBackAPresentOne) {
  for (int present : {0, 1}) {
    // Button 1 on joystick 0's button 1, button 2 on joystick 1's button 1.
    g_KeyConfig = MakeConfig({Keyboard(VK_LEFT), Keyboard(VK_RIGHT), Keyboard(VK_UP), Keyboard(VK_DOWN),
                              Joystick(0, 0x1), Joystick(1, 0x1)},
                             6, 2);
    PublishInputFrame({{}, {{present, Stick(kCentre, kCentre, 0x1)}}});
    cInput input = StartedRecord();
    const WORD expected = present == 0 ? 0x1 : 0x2;
    int framesSeen = 0;
    for (int frame = 0; frame < 200; ++frame) {
      input.PollKeyConfig(60);
      if (input.m_wButton == expected) ++framesSeen;
    }
    EXPECT_EQ(framesSeen, 200) << "present joystick " << present;
  }
}

TEST_F(KeyConfigPollTest, AJoystickPluggedInLaterIsSeenAfterItsOwnCountdown) {
  g_KeyConfig = MakeConfig({Joystick(1, JOYSTICK_LEFT), Keyboard(VK_RIGHT), Keyboard(VK_UP), Joystick(0, JOYSTICK_DOWN)},
                           4, 2);
  cInput input = StartedRecord();
  int firstLeft = -1;
  for (int frame = 0; frame < 300; ++frame) {
    // Joystick 0 is there throughout and pushed down; joystick 1 arrives at frame 10.
    std::vector<std::pair<int, JoystickSnapshot>> joysticks = {{0, Stick(kCentre, 65535)}};
    if (frame >= 10) joysticks.push_back({1, Stick(0, kCentre)});
    PublishInputFrame({{}, joysticks});
    input.PollKeyConfig(60);
    EXPECT_TRUE(input.m_wDir & kDirDown) << frame;
    if (firstLeft < 0 && (input.m_wDir & kDirLeft)) firstLeft = frame;
  }
  EXPECT_EQ(firstLeft, 121);  // failed at frame 0, then 120 polls without asking
}

TEST(KeypadDigit, EveryDirectionWord) {
  // Left wins over right and up over down.
  const int expected[16] = {5, 4, 6, 4, 2, 1, 3, 1, 8, 7, 9, 7, 2, 1, 3, 1};
  for (WORD dir = 0; dir < 16; ++dir) EXPECT_EQ(GetKeypadDir(dir), expected[dir]) << dir;
}

}  // namespace
