// Auto-repeat, the one-shot filter, the history rings and the sequence buffers, driven
// frame by frame as the scenes and the play step drive them.
#include <climits>
#include <set>
#include <string>
#include <vector>

#include "tests/media/input_test_support.h"

namespace {

using InputFilterTest = cInputTest;

// Runs raw direction words through ApplyRepeat; returns the frames on which `bit` passed.
std::vector<int> RepeatedFrames(cInput& input, const std::vector<WORD>& raw, WORD bit) {
  std::vector<int> frames;
  for (std::size_t n = 0; n < raw.size(); ++n) {
    input.m_wDir = raw[n];
    input.ApplyRepeat();
    if (input.m_wDir & bit) frames.push_back(static_cast<int>(n));
  }
  return frames;
}

std::vector<WORD> Held(WORD value, int frames) { return std::vector<WORD>(frames, value); }
std::vector<WORD> operator+(std::vector<WORD> a, const std::vector<WORD>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TEST_F(InputFilterTest, AutoRepeat) {
  struct Case {
    const char* name;
    std::vector<WORD> raw;
    WORD bit;
    std::vector<int> passed;
    DWORD delay = 18;
    DWORD interval = 6;
  };
  const Case cases[] = {
      {"left held", Held(kDirLeft, 40), kDirLeft, {0, 18, 24, 30, 36}},
      {"released and pressed again restarts", Held(kDirLeft, 20) + Held(0, 1) + Held(kDirLeft, 20), kDirLeft,
       {0, 18, 21, 39}},
      {"left to right counts as a change", Held(kDirLeft, 10) + Held(kDirRight, 20), kDirRight, {10, 28}},
      {"adding up keeps left's count", Held(kDirLeft, 10) + Held(kDirLeft | kDirUp, 20), kDirLeft, {0, 18, 24}},
      {"up counts from its own press", Held(kDirLeft, 10) + Held(kDirLeft | kDirUp, 20), kDirUp, {10, 28}},
      {"down held", Held(kDirDown, 25), kDirDown, {0, 18, 24}},
      {"delay 2, interval 1", Held(kDirRight, 5), kDirRight, {0, 2, 3, 4}, 2, 1},
      {"an interval of 0 repeats as 1 does", Held(kDirRight, 21), kDirRight, {0, 18, 19, 20}, 18, 0},
  };
  for (const Case& c : cases) {
    cInput input = StartedRecord();
    input.SetRepeat(c.delay, c.interval);
    EXPECT_EQ(RepeatedFrames(input, c.raw, c.bit), c.passed) << c.name;
  }
}

TEST_F(InputFilterTest, AutoRepeatKeepsTheDigit) {
  cInput input = StartedRecord();
  input.m_wDir = kDirLeft;
  input.m_nKeypad = 4;
  input.ApplyRepeat();
  input.ApplyRepeat();  // second frame: the bit is held back
  EXPECT_EQ(input.m_wDir, 0);
  EXPECT_EQ(input.m_nKeypad, 4);
}

TEST_F(InputFilterTest, AutoRepeatCounterStopsAtItsLimit) {
  cInput input = StartedRecord();
  input.m_wDir = kDirLeft;
  input.ApplyRepeat();
  input.m_nRepeatH = INT_MAX;
  input.m_wDir = kDirLeft;
  input.ApplyRepeat();  // no overflow; INT_MAX is not a multiple of 6
  EXPECT_EQ(input.m_nRepeatH, INT_MAX);
  EXPECT_EQ(input.m_wDir, 0);
}

TEST_F(InputFilterTest, OneShotButtons) {
  struct Case {
    const char* name;
    WORD mask;
    std::vector<WORD> raw;
    std::vector<WORD> reported;
  };
  const Case cases[] = {
      {"button 1 held ten frames", 3, {1, 1, 1, 1, 1, 1, 1, 1, 1, 1}, {1, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
      {"button 2 while 1 is held: nothing until both are up", 3, {1, 3, 3, 2, 0, 2}, {1, 0, 0, 0, 0, 2}},
      {"pressed together: both on the first frame", 3, {3, 3, 0, 3}, {3, 0, 0, 3}},
      {"buttons outside the mask pass", 3, {4, 5, 5, 4, 4}, {4, 5, 4, 4, 4}},
      {"mask 0 is all eight buttons", 0, {0x80, 0x80, 0x81, 0, 0x01}, {0x80, 0, 0, 0, 0x01}},
      {"tapping reports every press", 1, {1, 0, 1, 0, 1}, {1, 0, 1, 0, 1}},
  };
  for (const Case& c : cases) {
    cInput input = StartedRecord();
    std::vector<WORD> reported;
    for (WORD raw : c.raw) {
      input.m_wButton = raw;
      input.TriggerOnce(c.mask);
      reported.push_back(input.m_wButton);
    }
    EXPECT_EQ(reported, c.reported) << c.name;
  }
}

TEST_F(InputFilterTest, HistoryRingsTellPastFrames) {
  cInput input = StartedRecord();
  // Buttons over seven frames: 0 0 1 1 1 3 0; directions stay 0 and then 2.
  const WORD buttons[] = {0, 0, 1, 1, 1, 3, 0};
  const WORD dirs[] = {0, 0, 0, 0, 2, 2, 2};
  for (int n = 0; n < 7; ++n) {
    input.m_wButton = buttons[n];
    input.m_wDir = dirs[n];
    input.UpdateHistory();
  }
  for (int age = 0; age < 7; ++age) {
    EXPECT_EQ(input.GetHistory(1, age), buttons[6 - age]) << "age " << age;
    EXPECT_EQ(input.GetHistory(0, age), dirs[6 - age]) << "age " << age;
  }
  // Before the first recorded frame: the cleared runs count for nothing, so the walk goes
  // round the ring and ends on the present value.
  EXPECT_EQ(input.GetHistory(1, 7), 0);
  EXPECT_EQ(input.GetHistory(0, 7), 2);
  EXPECT_EQ(input.GetHistory(0, INT_MAX), 2);
  EXPECT_EQ(input.GetHistory(2, 0), 0);
  EXPECT_EQ(input.GetHistory(-1, 0), 0);
}

TEST_F(InputFilterTest, HistoryAfterClearing) {
  cInput input = StartedRecord();
  input.m_wButton = 1;
  input.UpdateHistory();
  input.ClearHistory();
  input.m_wButton = 0;
  input.UpdateHistory();
  EXPECT_EQ(input.GetHistory(1, 1), 0);
  EXPECT_EQ(input.GetHistory(1, 0), 0);
}

TEST_F(InputFilterTest, HistoryKeepsTheLatest32Runs) {
  cInput input = StartedRecord();
  // 40 runs of one frame each (values 1..40), then the last one held 5 frames more.
  for (WORD v = 1; v <= 40; ++v) {
    input.m_wButton = v;
    input.UpdateHistory();
  }
  for (int n = 0; n < 5; ++n) input.UpdateHistory();
  EXPECT_EQ(input.GetHistory(1, 5), 40);
  EXPECT_EQ(input.GetHistory(1, 6), 39);
  EXPECT_EQ(input.GetHistory(1, 36), 9);  // the oldest run still held
  EXPECT_EQ(input.GetHistory(1, 37), 40);  // past it: round to the present
}

TEST_F(InputFilterTest, HistoryRunLengthSaturates) {
  cInput input = StartedRecord();
  input.m_wDir = 4;
  input.UpdateHistory();
  input.m_History[0][input.m_nHistoryPos[0]].nFrames = INT_MAX;
  input.UpdateHistory();
  EXPECT_EQ(input.m_History[0][input.m_nHistoryPos[0]].nFrames, INT_MAX);
  EXPECT_EQ(input.GetHistory(0, INT_MAX - 1), 4);
}

std::set<int> FrontHeld(const std::vector<cInput::SeqBuffer>& buffers) {
  std::set<int> held;
  for (std::size_t n = 0; n < buffers.size(); ++n) {
    if (buffers[n].front().nState == 1) held.insert(static_cast<int>(n));
  }
  return held;
}

TEST_F(InputFilterTest, SequenceBuffersByWord) {
  struct Case {
    WORD dir;
    std::set<int> dirBuffers;
  };
  const Case dirCases[] = {
      {0, {0}},    {1, {1, 9}},  {2, {2, 9}},  {4, {3, 9}},  {8, {4, 9}},
      {5, {5, 9}}, {9, {6, 9}},  {6, {7, 9}},  {10, {8, 9}}, {3, {9}},
      {12, {9}},   {15, {9}},
  };
  for (const Case& c : dirCases) {
    cInput input = StartedRecord();
    input.m_wDir = c.dir;
    input.UpdateSequences();
    EXPECT_EQ(FrontHeld(input.m_vDirSeq), c.dirBuffers) << "direction " << c.dir;
  }
  struct ButtonCase {
    WORD buttons;
    std::set<int> buffers;
  };
  for (const ButtonCase& c : {ButtonCase{0, {0}}, ButtonCase{1, {1}}, ButtonCase{0x81, {1, 8}},
                              ButtonCase{0xFF, {1, 2, 3, 4, 5, 6, 7, 8}}}) {
    cInput input = StartedRecord();
    input.m_wButton = c.buttons;
    input.UpdateSequences();
    EXPECT_EQ(FrontHeld(input.m_vButtonSeq), c.buffers) << "buttons " << c.buttons;
  }
}

// The first `n` runs of a buffer as {state, frames}.
std::vector<std::pair<int, int>> Runs(const cInput::SeqBuffer& buffer, std::size_t n) {
  std::vector<std::pair<int, int>> runs;
  for (std::size_t i = 0; i < n && i < buffer.size(); ++i) runs.push_back({buffer[i].nState, buffer[i].nFrames});
  return runs;
}

TEST_F(InputFilterTest, SequenceBufferRecordsPressesAndReleases) {
  using Runs3 = std::vector<std::pair<int, int>>;
  // Idle frames 0-2, button 1 on frames 3-7 (five frames), released from frame 8 on. A
  // fresh buffer starts in state 0, so the idle frames lengthen its first run.
  const Runs3 expected[] = {
      {{0, 1}, {0, 0}, {0, 0}}, {{0, 2}, {0, 0}, {0, 0}}, {{0, 3}, {0, 0}, {0, 0}},
      {{1, 1}, {0, 3}, {0, 0}}, {{1, 2}, {0, 3}, {0, 0}}, {{1, 3}, {0, 3}, {0, 0}},
      {{1, 4}, {0, 3}, {0, 0}}, {{1, 5}, {0, 3}, {0, 0}}, {{0, 1}, {1, 5}, {0, 3}},
      {{0, 2}, {1, 5}, {0, 3}},
  };
  cInput input = StartedRecord();
  for (int frame = 0; frame < 10; ++frame) {
    input.m_wButton = (frame >= 3 && frame < 8) ? 1 : 0;
    input.UpdateSequences();
    EXPECT_EQ(Runs(input.m_vButtonSeq[1], 3), expected[frame]) << "frame " << frame;
  }
  EXPECT_EQ(input.m_vButtonSeq[0][0].nState, 1);  // "no button" holds again
}

TEST_F(InputFilterTest, SequenceBuffersStay32LongAndSaturate) {
  cInput input = StartedRecord();
  for (int frame = 0; frame < 100; ++frame) {
    input.m_wDir = (frame & 1) ? kDirLeft : 0;
    input.UpdateSequences();
  }
  for (const auto& buffer : input.m_vDirSeq) EXPECT_EQ(buffer.size(), 32u);
  for (const auto& buffer : input.m_vButtonSeq) EXPECT_EQ(buffer.size(), 32u);
  EXPECT_EQ(input.m_vDirSeq[1][31].nFrames, 1);  // old runs are pushed out

  input.m_vButtonSeq[0][0].nFrames = INT_MAX - 1;
  input.UpdateSequences();
  input.UpdateSequences();
  EXPECT_EQ(input.m_vButtonSeq[0][0].nFrames, INT_MAX);
  EXPECT_EQ(input.m_vButtonSeq[0][1].nFrames, 0);
}

// The pause loop keeps working on its copy; the game's record must be untouched by it.
TEST_F(InputFilterTest, CopiesAreIndependent) {
  cInput game = StartedRecord();
  game.m_wButton = 1;
  game.UpdateHistory();
  game.UpdateSequences();
  cInput pause = game;
  pause.ClearHistory();
  pause.ResetSequences();
  pause.m_wButton = 2;
  pause.UpdateSequences();
  EXPECT_EQ(game.m_vButtonSeq[1][0].nState, 1);
  EXPECT_EQ(game.m_vButtonSeq[2][0].nState, 0);
  EXPECT_EQ(game.GetHistory(1, 0), 1);
}

TEST_F(InputFilterTest, ResetGivesTheStateOfANewRecordAndKeepsTheSettings) {
  cInput input = StartedRecord();
  input.SetRepeat(9, 3);
  PublishInputFrame({{'Z'}, {}});
  for (int frame = 0; frame < 5; ++frame) {
    input.m_wDir = kDirUp;
    input.Poll(0, 3, 60);
    input.ApplyRepeat();
    input.TriggerOnce(0);
    input.UpdateHistory();
    input.UpdateSequences();
  }
  input.Reset();
  const cInput fresh;
  EXPECT_EQ(input.m_wDir, 0);
  EXPECT_EQ(input.m_wButton, 0);
  EXPECT_EQ(input.m_wDirTrail, 0);
  EXPECT_EQ(input.m_nKeypad, 5);
  EXPECT_EQ(input.m_nRepeatH + input.m_nRepeatV + input.m_bTriggerHeld, 0);
  EXPECT_EQ(input.m_nHistoryPos, fresh.m_nHistoryPos);
  EXPECT_EQ(input.GetHistory(1, 0), 0);
  EXPECT_EQ(input.m_vDirSeq.size(), 10u);
  EXPECT_EQ(input.m_vButtonSeq.size(), 9u);
  EXPECT_EQ(input.m_vButtonSeq[1][0].nState + input.m_vButtonSeq[1][0].nFrames, 0);
  EXPECT_EQ(input.m_bJoyOk, fresh.m_bJoyOk);
  EXPECT_EQ(input.m_nJoyRetry, fresh.m_nJoyRetry);
  EXPECT_EQ(input.m_nRepeatDelay, 9u);
  EXPECT_EQ(input.m_nRepeatInterval, 3u);
  EXPECT_EQ(input.m_wJoyButton[7], 0x80);
}

TEST(InputGlobal, OneFreshRecordFromTheStart) {
  ASSERT_EQ(g_Input.size(), 1u);
  EXPECT_EQ(g_Input[0].m_nKeypad, 5);
  EXPECT_EQ(g_Input[0].m_vDirSeq.size(), 10u);
  EXPECT_EQ(g_Input[0].m_vButtonSeq[8].size(), 32u);
}

}  // namespace
