// Replays: the run-length record and its playback, the replay file and what it refuses,
// the default file name, and the game thread's save and load requests.
#include "stage/replay.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "app/main_window_handle.h"
#include "app/path_helpers.h"
#include "app/report_log.h"
#include "data/record/data_file.h"
#include "data/save/progress.h"
#include "data/stage/stage_data.h"
#include "data/system/system_data.h"
#include "platform/key_state.h"
#include "platform/message_box.h"
#include "platform/message_queue.h"
#include "platform/virtual_keys.h"
#include "shell/game_mgr.h"
#include "shell/game_requests.h"
#include "shell/main_wnd.h"
#include "stage/replay_files.h"
#include "stage/replay_requests.h"
#include "tests/data/stage_test_support.h"
#include "tests/support/byte_builder.h"
#include "tests/support/temp_dir.h"

namespace {

using Words = std::vector<std::pair<std::uint16_t, std::uint16_t>>;

// Every frame Play gives until it reports the end.
Words PlayAll(cReplay& replay) {
  Words frames;
  std::uint16_t dir = 0xAAAA;
  std::uint16_t button = 0xBBBB;
  while (replay.Play(dir, button) == 0) frames.emplace_back(dir, button);
  return frames;
}

Words Repeat(std::uint16_t dir, std::uint16_t button, int n) { return Words(static_cast<std::size_t>(n), {dir, button}); }

Words Join(std::initializer_list<Words> parts) {
  Words all;
  for (const Words& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

TEST(ReplayRecordTest, EachWordIsRecordedAsItsOwnRunsAndPlaysBackFrameByFrame) {
  struct Case {
    const char* what;
    Words frames;
    std::vector<std::uint16_t> dirValues;
    std::vector<std::int32_t> dirRuns;
    std::vector<std::uint16_t> buttonValues;
    std::vector<std::int32_t> buttonRuns;
  } const cases[] = {
      {"nothing", {}, {}, {}, {}, {}},
      {"one frame", {{1, 2}}, {1}, {1}, {2}, {1}},
      // A held button is one run however the direction changes under it.
      {"a button held for 300 frames", Join({Repeat(1, 8, 100), Repeat(2, 8, 150), Repeat(0, 8, 50)}), {1, 2, 0},
       {100, 150, 50}, {8}, {300}},
      {"a value that comes back starts a new run", {{4, 0}, {4, 1}, {8, 0}, {4, 0}}, {4, 8, 4}, {2, 1, 1}, {0, 1, 0},
       {1, 1, 2}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    cReplay replay;
    for (const auto& [dir, button] : c.frames) replay.Record(dir, button);
    EXPECT_EQ(replay.m_vDirValue, c.dirValues);
    EXPECT_EQ(replay.m_vDirRun, c.dirRuns);
    EXPECT_EQ(replay.m_vButtonValue, c.buttonValues);
    EXPECT_EQ(replay.m_vButtonRun, c.buttonRuns);
    EXPECT_EQ(PlayAll(replay), c.frames);
    // At the end the words are left as they were.
    std::uint16_t dir = 7;
    std::uint16_t button = 9;
    EXPECT_EQ(replay.Play(dir, button), 1);
    EXPECT_EQ(std::make_pair(dir, button), std::make_pair(std::uint16_t{7}, std::uint16_t{9}));
  }
}

TEST(ReplayRecordTest, AStoredRunOfZeroOrLessLastsOneFrameAndTheShorterWordEndsPlayback) {
  cReplay replay;
  replay.m_vDirValue = {5, 6, 7};
  replay.m_vDirRun = {0, -4, 2};
  replay.m_vButtonValue = {1, 2};
  replay.m_vButtonRun = {3, 1};
  EXPECT_EQ(PlayAll(replay), (Words{{5, 1}, {6, 1}, {7, 1}, {7, 2}}));
}

TEST(ReplayRecordTest, CopiesTakeTheRecordingButNotThePlaybackPositionAndResetEmpties) {
  cReplay source;
  source.m_nSeed = 1234;
  source.Record(1, 1);
  source.Record(2, 1);
  std::uint16_t dir = 0;
  std::uint16_t button = 0;
  source.Play(dir, button);
  cReplay copy;
  copy = source;
  EXPECT_EQ(copy.m_nSeed, 1234);
  EXPECT_EQ(copy.m_vDirValue, source.m_vDirValue);
  EXPECT_EQ(copy.m_nDirIndex, 0);
  EXPECT_EQ(PlayAll(copy), (Words{{1, 1}, {2, 1}}));
  copy.Reset();
  EXPECT_EQ(copy.m_nSeed, 0);
  EXPECT_TRUE(copy.m_vDirValue.empty() && copy.m_vDirRun.empty());
  EXPECT_TRUE(copy.m_vButtonValue.empty() && copy.m_vButtonRun.empty());
  EXPECT_EQ(copy.m_nDirIndex + copy.m_nButtonIndex + copy.m_nDirCount + copy.m_nButtonCount, 0);
}

// ---------------------------------------------------------------- files

class ReplayFileTest : public cTempDirTest {
 protected:
  void SetUp() override {
    cTempDirTest::SetUp();
    OpenReportLog("Report_Game.txt");
    g_nFileVersion = g_nDataVersion;
    SetDatabaseSize(DBKIND_BGM, 2);
    ClearPostedMessages();
  }
  void TearDown() override {
    SetReplaySaveLimit(0);
    g_nFileVersion = g_nDataVersion;
    RestoreDatabaseAndPalettes();
    cTempDirTest::TearDown();
  }

  // A stage of 20 x 15 blocks with a hero, a replay of a few frames and a progress record
  // with values of its own.
  static void MakePlay(cStageData& stage, cReplay& replay, cProgress& progress) {
    stage.Reset();
    stage.m_nWidth = 20;
    stage.m_nHeight = 15;
    stage.m_nTimeLimit = 77;
    cPaletteChara hero;
    hero.m_nGraphic = 1;
    hero.m_nController = CHARACTRL_PLAYER;
    hero.m_nCellX = 2;
    hero.m_nCellY = 3;
    stage.m_vCharaPlace.push_back(hero);
    replay.Reset();
    replay.m_nSeed = 0x1234567;
    for (const auto& [dir, button] : Join({Repeat(2, 0, 30), Repeat(2, 1, 12), Repeat(0, 0, 5)}))
      replay.Record(dir, button);
    progress.NewGame();
    progress.m_nLives = 3;
    progress.m_nScore = 4500;
  }

  // The bytes of a saved replay and where its replay record begins.
  std::vector<std::uint8_t> SavedFile(std::size_t* replayAt = nullptr) {
    cStageData stage;
    cReplay replay;
    cProgress progress;
    MakePlay(stage, replay, progress);
    cStageData pristine = stage;
    EXPECT_EQ(SaveReplay(replay, "user_data\\rpl4\\a.rpl4_811", stage, pristine, progress), 1);
    if (replayAt != nullptr) {
      cDataWriter body;
      stage.WriteForReplay(body, pristine);
      *replayAt = 4 + body.Size();
    }
    return ReadTestFile("user_data/rpl4/a.rpl4_811");
  }
};

TEST_F(ReplayFileTest, ASavedReplayLoadsBackWithItsStageSettingsAndProgress) {
  std::filesystem::create_directories("user_data/rpl4");
  std::size_t at = 0;
  const std::vector<std::uint8_t> file = SavedFile(&at);
  // The replay record after the stage body: one member (the seed), no texts, then the
  // four counted lists.
  cByteBuilder want;
  want.I32(1).I32(0x1234567).I32(0);
  want.U32(2).U16(2).U16(0).U32(3).U16(0).U16(1).U16(0);
  want.U32(2).I32(42).I32(5).U32(3).I32(30).I32(12).I32(5);
  ASSERT_GE(file.size(), at + want.Size());
  EXPECT_EQ(std::vector<std::uint8_t>(file.begin() + static_cast<std::ptrdiff_t>(at),
                                      file.begin() + static_cast<std::ptrdiff_t>(at + want.Size())),
            want.Get());

  cStageData stage;
  cStageData pristine;
  cReplay replay;
  cProgress progress;
  cStageData wantStage;
  cReplay wantReplay;
  cProgress wantProgress;
  MakePlay(wantStage, wantReplay, wantProgress);
  ASSERT_EQ(LoadReplay(replay, "user_data\\rpl4\\a.rpl4_811", stage, pristine, progress), 1);
  EXPECT_EQ(g_nFileVersion, 811);
  EXPECT_EQ(replay.m_nSeed, 0x1234567);
  EXPECT_EQ(PlayAll(replay), PlayAll(wantReplay));
  EXPECT_EQ(stage.m_nWidth, 20);
  EXPECT_EQ(stage.m_vCharaPlace.size(), 1u);
  EXPECT_EQ(pristine.m_nTimeLimit, 77);
  EXPECT_TRUE(pristine.m_vCharaPlace.empty());
  EXPECT_TRUE(pristine.m_vBlockDef.empty());
  EXPECT_EQ(progress.m_nLives, 3);
  EXPECT_EQ(progress.m_nScore, 4500);
}

TEST_F(ReplayFileTest, AFileOfVersion172OrOlderHasNoProgressRecord) {
  cByteBuilder b;
  b.I32(172).Bytes(stage_test::StageBody(172, {{"m_nWidth", 20}, {"m_nHeight", 15}}));
  b.I32(1).I32(99).I32(0).U32(1).U16(4).U32(1).U16(1).U32(1).I32(10).U32(1).I32(10);
  WriteTestFile("old.rpl4_811", b.Get());
  cStageData stage;
  cStageData pristine;
  cReplay replay;
  cProgress progress;
  progress.m_nLives = 42;
  ASSERT_EQ(LoadReplay(replay, "old.rpl4_811", stage, pristine, progress), 1);
  EXPECT_EQ(g_nFileVersion, 172);
  EXPECT_EQ(replay.m_nSeed, 99);
  EXPECT_EQ(PlayAll(replay), Repeat(4, 1, 10));
  EXPECT_EQ(progress.m_nLives, 42);
}

TEST_F(ReplayFileTest, DamagedAndHostileFilesAreRefusedWithABoxAndChangeNothing) {
  std::filesystem::create_directories("user_data/rpl4");
  std::size_t at = 0;
  const std::vector<std::uint8_t> good = SavedFile(&at);
  // Offsets in the replay record (see the layout above): A at 12, B at 20, R at 30, T at 42.
  const std::size_t a = at + 12;
  const std::size_t b = at + 20;
  const std::size_t r = at + 30;
  const std::size_t t = at + 42;
  const std::size_t progressAt = at + 58;
  auto withU32 = [&](std::size_t offset, std::uint32_t v) {
    std::vector<std::uint8_t> bytes = good;
    std::memcpy(bytes.data() + offset, &v, 4);
    return bytes;
  };
  auto cutAt = [&](std::size_t size) { return std::vector<std::uint8_t>(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(size)); };
  struct Case {
    const char* what;
    std::vector<std::uint8_t> bytes;
    const char* reason;  // in the box
  } const cases[] = {
      {"direction runs that do not pair with the values", withU32(r, 3), "入力の値と長さの数が合いません"},
      {"button runs that do not pair with the values", withU32(t, 2), "入力の値と長さの数が合いません"},
      {"a value count far past the file", withU32(a, 0x7FFFFFFFu), "入力の数がファイルの大きさを超えています"},
      {"a value count of 2^32 - 1", withU32(b, 0xFFFFFFFFu), "入力の数がファイルの大きさを超えています"},
      {"a run count far past the file", withU32(r, 0x40000000u), "入力の値と長さの数が合いません"},
      {"a second member in the replay record", withU32(at, 2), "リプレイの記録の形式が違います"},
      {"cut inside the direction values", cutAt(a + 6), "入力の数がファイルの大きさを超えています"},
      {"cut before the run lengths", cutAt(r), "入力の記録が途中で切れています"},
      {"cut inside the button runs", cutAt(t + 8), "入力の記録が途中で切れています"},
      {"cut inside the progress record", cutAt(progressAt + 20), ""},
      {"cut inside the stage body", cutAt(at - 8), ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WriteTestFile("bad.rpl4_811", c.bytes);
    cStageData stage;
    cStageData pristine;
    cReplay replay;
    cProgress progress;
    MakePlay(stage, replay, progress);
    pristine.m_nTimeLimit = 5;
    cRecordingMessageBoxes boxes;
    ClearPostedMessages();
    EXPECT_EQ(LoadReplay(replay, "bad.rpl4_811", stage, pristine, progress), 0);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_NE(boxes.shown[0].text.find("bad.rpl4_811 は壊れているため読み込めません！"), std::string::npos)
        << boxes.shown[0].text;
    EXPECT_NE(boxes.shown[0].text.find(c.reason), std::string::npos) << boxes.shown[0].text;
    // The game goes on with what it had.
    EXPECT_EQ(CountPostedMessages(WM_CLOSE), 0);
    EXPECT_EQ(replay.m_nSeed, 0x1234567);
    EXPECT_EQ(replay.m_vDirRun, (std::vector<std::int32_t>{42, 5}));
    EXPECT_EQ(stage.m_nTimeLimit, 77);
    EXPECT_EQ(pristine.m_nTimeLimit, 5);
    EXPECT_EQ(progress.m_nScore, 4500);
  }
}

TEST_F(ReplayFileTest, AMissingOrNewerFileIsRefusedWithTheLoadBox) {
  cByteBuilder newer;
  newer.I32(812).I32(0);
  WriteTestFile("new.rpl4_811", newer.Get());
  struct Case {
    const char* path;
    const char* box;
  } const cases[] = {
      {"none.rpl4_811", "リプレイファイル none.rpl4_811 の読み込みに失敗しました！"},
      {"new.rpl4_811",
       "リプレイファイル new.rpl4_811 の読み込みに失敗しました！\nソフトより上位のバージョンのファイルは使用できません。"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    cStageData stage;
    cStageData pristine;
    cReplay replay;
    cProgress progress;
    cRecordingMessageBoxes boxes;
    EXPECT_EQ(LoadReplay(replay, c.path, stage, pristine, progress), 0);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, c.box);
  }
}

// Placements that inherit a long list repeat it in the file once each: a save that would
// outgrow its limit is refused before it fills memory, and writes nothing.
TEST_F(ReplayFileTest, ASaveLargerThanItsLimitIsRefusedAndWritesNothing) {
  std::filesystem::create_directories("user_data/rpl4");
  cStageData stage;
  cReplay replay;
  cProgress progress;
  MakePlay(stage, replay, progress);
  std::vector<cCond> conds(500);
  cPaletteBlock block;
  block.m_nGraphic = 1;
  block.m_vCond = conds;
  for (int i = 0; i < 200; ++i) {
    block.m_nCellX = static_cast<std::int16_t>(i % 20);
    block.m_nCellY = static_cast<std::int16_t>(i / 20);
    stage.m_vBlockPlace.push_back(block);
  }
  cStageData pristine = stage;
  cDataWriter whole;
  stage.WriteForReplay(whole, pristine);
  ASSERT_GT(whole.Size(), 200u * 500u);

  SetReplaySaveLimit(whole.Size() / 4);
  cRecordingMessageBoxes boxes;
  EXPECT_EQ(SaveReplay(replay, "user_data\\rpl4\\big.rpl4_811", stage, pristine, progress), 0);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_NE(boxes.shown[0].text.find("大きすぎるため保存できません"), std::string::npos);
  EXPECT_FALSE(Exists("user_data/rpl4/big.rpl4_811"));
  EXPECT_EQ(CountPostedMessages(WM_CLOSE), 0);

  // Under the limit the same stage is saved.
  SetReplaySaveLimit(whole.Size() * 2);
  EXPECT_EQ(SaveReplay(replay, "user_data\\rpl4\\big.rpl4_811", stage, pristine, progress), 1);
  EXPECT_TRUE(Exists("user_data/rpl4/big.rpl4_811"));
}

// ---------------------------------------------------------------- the default name

TEST_F(ReplayFileTest, TheDefaultNameCarriesTheStageTheTimeAndANumberWhenTaken) {
  const SYSTEMTIME at{2024, 5, 3, 1, 10, 5, 59, 999};
  const std::string folder = "user_data/rpl4/";
  struct Case {
    const char* what;
    const char* stageName;
    int bSuffix;
    std::vector<std::string> existing;  // files in user_data/rpl4
    const char* name;                   // "" for an empty path
  } const cases[] = {
      {"the stage's own name", "data\\stg4\\x.", 0, {}, "x__2024__05_01__10_05.rpl4_811"},
      {"the ranking suffix", "data\\stg4\\x.", 1, {}, "x_c007_12__2024__05_01__10_05.rpl4_811"},
      {"the name and number 2 taken", "data\\stg4\\x.", 0,
       {"x__2024__05_01__10_05.rpl4_811", "x__2024__05_01__10_05 (2).rpl4_811"}, "x__2024__05_01__10_05 (3).rpl4_811"},
      {"no stage", "", 0, {}, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove_all("user_data");
    std::filesystem::create_directories(folder);
    for (const std::string& name : c.existing) MakeFile(folder + name);
    std::string out = "before";
    ASSERT_TRUE(MakeReplayFileNameAt(out, c.stageName, at, c.bSuffix, 7, 12));
    if (*c.name == '\0') {
      EXPECT_EQ(out, "");
      continue;
    }
    const std::string tail = std::string("\\user_data\\rpl4\\") + c.name;
    ASSERT_GE(out.size(), tail.size());
    EXPECT_EQ(out.substr(out.size() - tail.size()), tail);
    EXPECT_FALSE(PathIsRelativeA(out.c_str())) << out;
  }
}

TEST_F(ReplayFileTest, ANameThatWouldNotFitInAPathIsNotFormed) {
  const SYSTEMTIME at{2024, 5, 3, 1, 10, 5, 0, 0};
  std::string out = "before";
  EXPECT_FALSE(MakeReplayFileNameAt(out, std::string(250, 'a') + ".", at, 0, 0, 0));
  EXPECT_FALSE(MakeReplayFileNameAt(out, std::string(400, 'a') + ".", at, 0, 0, 0));
  EXPECT_EQ(out, "before");
}

// ---------------------------------------------------------------- the requests

struct cSent {
  UINT message;
  WPARAM wParam;
  bool operator==(const cSent&) const = default;
};
std::vector<cSent> g_Sent;
LRESULT g_nAnswer = 1;  // what the window answers a request; 0: given up
LRESULT ServingProc(HWND, UINT message, WPARAM wParam, LPARAM) {
  g_Sent.push_back({message, wParam});
  if (message == WM_GAME_PLAYSE) return 0;
  if (g_nAnswer != 0) {
    g_bRequestResult = 1;
    g_bRequestDone = 1;
  }
  return g_nAnswer;
}
HWND ReplayTestFakeWindow() { return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(0x52)); }

class ReplayRequestTest : public ::testing::Test {
 protected:
  void SetUp() override {
    MarkMainThread();
    g_hWnd = ReplayTestFakeWindow();
    SetMainWindowHandle(ReplayTestFakeWindow());
    SetMainWindowProc(ServingProc);
    g_Sent.clear();
    g_nAnswer = 1;
    g_SystemData.m_bRecordReplay = 1;
    g_GameMgr.m_nTitleSel = TITLEITEM_FREE;
    SetReplaySaveCoolDown(0);
    g_Replay.Reset();
    g_ReplayPrev.Reset();
  }
  void TearDown() override {
    SetKeyHeld(VK_F1, false);
    SetKeyHeld(VK_F1 + 1, false);
    SetMainWindowProc(nullptr);
    SetMainWindowHandle(nullptr);
    g_hWnd = nullptr;
    g_SystemData.m_bRecordReplay = 0;
    g_Replay.Reset();
    g_ReplayPrev.Reset();
  }
};

TEST_F(ReplayRequestTest, TheSaveKeysAskForTheCurrentOrThePreviousReplayF1First) {
  g_Replay.Record(1, 0);
  g_ReplayPrev.Record(2, 0);
  struct Case {
    const char* what;
    bool f1;
    bool f2;
    int titleSel;
    int bRecord;
    std::int32_t result;
    std::vector<cSent> sent;
  } const cases[] = {
      {"F1", true, false, TITLEITEM_FREE, 1, 1, {{WM_GAME_PLAYSE, 1}, {WM_GAME_SAVEREPLAY, 0}}},
      {"F2", false, true, TITLEITEM_FREE, 1, 1, {{WM_GAME_PLAYSE, 1}, {WM_GAME_SAVEREPLAY, 1}}},
      {"F1 and F2", true, true, TITLEITEM_FREE, 1, 1, {{WM_GAME_PLAYSE, 1}, {WM_GAME_SAVEREPLAY, 0}}},
      {"no key", false, false, TITLEITEM_FREE, 1, 0, {}},
      {"replay playback", true, false, TITLEITEM_REPLAY, 1, 0, {}},
      {"recording off", true, false, TITLEITEM_FREE, 0, 0, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    g_Sent.clear();
    SetKeyHeld(VK_F1, c.f1);
    SetKeyHeld(VK_F1 + 1, c.f2);
    g_GameMgr.m_nTitleSel = c.titleSel;
    g_SystemData.m_bRecordReplay = c.bRecord;
    EXPECT_EQ(CheckReplaySaveKey(), c.result);
    EXPECT_EQ(g_Sent, c.sent);
  }
}

TEST_F(ReplayRequestTest, NothingRecordedBuzzesAtMostOncePerSixtyFrames) {
  SetKeyHeld(VK_F1, true);
  int buzzes = 0;
  for (int frame = 0; frame < 121; ++frame) {
    g_Sent.clear();
    EXPECT_EQ(CheckReplaySaveKey(), 0);
    for (const cSent& s : g_Sent) {
      EXPECT_EQ(s, (cSent{WM_GAME_PLAYSE, 3}));
      ++buzzes;
    }
  }
  // Frames 0, 60 and 120.
  EXPECT_EQ(buzzes, 3);
}

TEST_F(ReplayRequestTest, ARequestGivenUpBecauseTheProgramClosesEndsTheWait) {
  g_nAnswer = 0;
  g_bRequestResult = 1;
  EXPECT_EQ(RequestLoadReplay(), 0);
  g_Replay.Record(1, 0);
  SetKeyHeld(VK_F1, true);
  EXPECT_EQ(CheckReplaySaveKey(), 1);
  g_nAnswer = 1;
  EXPECT_EQ(RequestLoadReplay(), 1);
}

}  // namespace
