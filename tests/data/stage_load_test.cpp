// Loading a stage for play from a game written by the test game writer: the naming rule,
// the integrity check, the read on the load thread, the hero test, the pristine copy and
// the stage body of a replay.
#include "data/stage/stage_load.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "app/main_window_handle.h"
#include "app/report_log.h"
#include "app/thread.h"
#include "data/database/database.h"
#include "data/record/data_file.h"
#include "data/record/data_record.h"
#include "platform/host_files.h"
#include "platform/message_box.h"
#include "platform/message_queue.h"
#include "tests/support/byte_builder.h"
#include "tests/support/game_writer.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

const std::string kCorrupt = "ステージファイル data\\stg4\\stage1.stg4_811 が破損しています！";
const std::string kLoadFailed = "ステージファイル data\\stg4\\stage1.stg4_811 の読み込みに失敗しました！";
const std::string kNoHero = "主人公が配置されていないのでプレイできません！";

// The host form of a stage file of the game in the current folder.
std::string HostStage(const std::string& name, int number) {
  char suffix[8];
  std::snprintf(suffix, sizeof suffix, "_%03d", number);
  return "data/stg4/" + name + ".stg4" + suffix;
}

class StageLoad : public cTempDirTest {
 protected:
  void SetUp() override {
    cTempDirTest::SetUp();
    g_StageData = cStageData();
    g_StageDataOrg = cStageData();
    SetECLog(0, "EC_Game.txt");
  }
  void TearDown() override {
    g_StageData = cStageData();
    g_StageDataOrg = cStageData();
    g_Database.Reset();
    cTempDirTest::TearDown();
  }
  // Writes the game and loads its databases, as start-up has them before any stage.
  void Write(const cGameContent& game) {
    ASSERT_EQ(WriteGame(game), 1);
    ASSERT_EQ(g_Database.Load(), 1);
  }
  static std::vector<std::string> Texts(const std::vector<MessageBoxRecord>& shown) {
    std::vector<std::string> texts;
    for (const MessageBoxRecord& box : shown) texts.push_back(box.text);
    return texts;
  }
  static int Closes() { return CountPostedMessages(WM_CLOSE); }

  cRecordingMessageBoxes boxes;
};

// A stage with a text, a second background and changed settings of its own.
cGameStage MarkedStage(const std::string& name, int width) {
  cGameStage shape;
  shape.strName = name;
  shape.nWidth = width;
  shape.Charas.push_back({6, 13});
  return shape;
}

}  // namespace

TEST_F(StageLoad, TheNamingRuleTakesTheHighestNumberThatExists) {
  const struct {
    const char* what;
    std::vector<int> numbers;  // files made, each with its number as the stage width
    const char* name;
    int width;                 // expected; 0: no file found
    const char* path;
  } cases[] = {
      {"two numbers", {810, 811}, "data\\stg4\\stage01-1.stg4", 811 - 780, "data\\stg4\\stage01-1.stg4_811"},
      {"another extension", {5, 811}, "data\\stg4\\stage01-1.rpl4", 811 - 780, "data\\stg4\\stage01-1.stg4_811"},
      {"only 000", {0}, "data\\stg4\\stage01-1.stg4", 20, "data\\stg4\\stage01-1.stg4_000"},
      {"no file", {}, "data\\stg4\\stage01-1.stg4", 0, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all("data");
    ForgetDirectoryListings();
    Write(cGameContent());
    for (const int number : c.numbers) {
      cGameContent game;
      game.Stages = {MarkedStage("stage01-1", number == 0 ? 20 : number - 780)};
      ASSERT_EQ(WriteGame(game), 1);
      fs::rename(HostStage("stage01-1", 811), HostStage("stage01-1", number));
    }
    ForgetDirectoryListings();
    g_StageData = cStageData();
    EXPECT_EQ(LoadStageForPlay(c.name, 1, &g_StageDataOrg), c.width != 0 ? 1 : 0);
    EXPECT_TRUE(boxes.shown.empty());  // a stage not found is not reported
    if (c.width == 0) continue;
    EXPECT_EQ(g_StageData.m_strPath, c.path);
    EXPECT_EQ(g_StageData.m_bPathIsName, 1);
    EXPECT_EQ(g_StageData.m_nWidth, c.width);
  }
}

TEST_F(StageLoad, ANameWithoutADotKeepsItsText) {
  Write(cGameContent());
  fs::copy_file(HostStage("stage1", 811), "data/stg4/plain_007");
  ForgetDirectoryListings();
  EXPECT_EQ(LoadStageForPlay("data\\stg4\\plain", 1, nullptr), 1);
  EXPECT_EQ(g_StageData.m_strPath, "data\\stg4\\plain_007");
}

TEST_F(StageLoad, ALoadedStageMatchesWhatWasWrittenAndThePristineCopyHoldsItsSettings) {
  cGameContent game;
  cGameStage& shape = game.Stages[0];
  shape.nWidth = 48;
  shape.Charas.push_back({9, 12});
  shape.Items.push_back({11, 12});
  Write(game);
  // Settings of the written file, read back directly, for comparison.
  cStageData written;
  ASSERT_EQ(written.LoadFromFile(GameStagePath("stage1").c_str()), 1);

  // The pristine copy had lists of its own: they are released.
  g_StageDataOrg.m_vCharaPlace.resize(3);
  const std::string absolute = Dir() + "/data/stg4/stage1.stg4_811";
  std::string programPath;
  for (const char ch : absolute) programPath += ch == '/' ? '\\' : ch;
  ASSERT_EQ(LoadStageForPlay(programPath.c_str(), 0, &g_StageDataOrg), 1);
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_EQ(g_StageData.m_strPath, ".\\" + GameStagePath("stage1"));  // made relative
  EXPECT_EQ(g_StageData.m_bPathIsName, 0);
  EXPECT_EQ(g_StageData.m_bLoaded, 1);
  EXPECT_FALSE(thLoad.IsRunning());

  EXPECT_EQ(g_StageData.m_nWidth, 48);
  EXPECT_EQ(g_StageData.m_vBlockPlace.size(), 48u);
  EXPECT_EQ(g_StageData.m_vCharaPlace.size(), 2u);
  EXPECT_EQ(g_StageData.m_vItemPlace.size(), 2u);
  EXPECT_EQ(g_StageData.m_vCharaDef.size(), written.m_vCharaDef.size());
  EXPECT_EQ(g_StageData.GetHeroIndex(), 0);

  const cStageData& org = g_StageDataOrg;
  EXPECT_EQ(org.m_nWidth, 48);
  EXPECT_EQ(org.m_nLimitRight, 47);
  EXPECT_EQ(org.m_dGravity, written.m_dGravity);
  EXPECT_EQ(org.m_vResultKind, written.m_vResultKind);
  ASSERT_EQ(org.m_vBack.size(), written.m_vBack.size());
  EXPECT_EQ(org.m_vBack[0].m_bFill, written.m_vBack[0].m_bFill);
  EXPECT_EQ(org.m_vText.size(), written.m_vText.size());
  for (int r = 0; r < OUTRANGE_COUNT; ++r) EXPECT_EQ(org.m_OutRange[r].m_nLeft, written.m_OutRange[r].m_nLeft);
  for (const auto* list : {&org.m_vBlockPlace, &org.m_vBlockDef}) {
    EXPECT_TRUE(list->empty());
    EXPECT_EQ(list->capacity(), 0u);
  }
  EXPECT_EQ(org.m_vCharaPlace.capacity(), 0u);
  EXPECT_EQ(org.m_vCharaDef.capacity(), 0u);
  EXPECT_EQ(org.m_vItemPlace.capacity(), 0u);
  EXPECT_EQ(org.m_vItemDef.capacity(), 0u);
}

TEST_F(StageLoad, TheHeroIsTheFirstPlayerPlacementWithAGraphic) {
  const struct {
    const char* what;
    std::vector<std::pair<int, int>> places;  // controller, graphic
    int hero;
  } cases[] = {
      {"none", {}, -1},
      {"only stage characters", {{CHARACTRL_COMPUTER, 1}, {CHARACTRL_COMPUTER, 2}}, -1},
      {"a player without a graphic first", {{CHARACTRL_PLAYER, 0}, {CHARACTRL_COMPUTER, 1}, {CHARACTRL_PLAYER, 3}}, 2},
      {"the first of two", {{CHARACTRL_PLAYER, 1}, {CHARACTRL_PLAYER, 1}}, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    cStageData stage;
    for (const auto& [controller, graphic] : c.places) {
      cPaletteChara& place = stage.m_vCharaPlace.emplace_back();
      place.m_nController = static_cast<std::int8_t>(controller);
      place.m_nGraphic = static_cast<std::int16_t>(graphic);
    }
    EXPECT_EQ(stage.GetHeroIndex(), c.hero);
    EXPECT_EQ(stage.HasHero(), c.hero >= 0 ? 1 : 0);
  }
}

TEST_F(StageLoad, AStageWithoutAHeroIsRefusedAndClosesTheProgram) {
  cGameContent game;
  game.Stages[0].Charas.clear();
  Write(game);
  g_StageDataOrg.m_nWidth = 77;
  EXPECT_EQ(LoadStageForPlay(GameStagePath("stage1").c_str(), 0, &g_StageDataOrg), 0);
  EXPECT_EQ(Texts(boxes.shown), std::vector<std::string>{kNoHero});
  EXPECT_EQ(Closes(), 1);
  EXPECT_EQ(g_StageDataOrg.m_nWidth, 77);  // a failed load leaves the pristine copy alone
}

TEST_F(StageLoad, TheIntegrityCheckTestsTheSentinelOfFilesFrom174) {
  const struct {
    const char* what;
    std::int32_t version;  // 0: as written
    bool breakSentinel;
    int checked;
    std::vector<std::string> boxes;
    int closes;  // -1: not counted (a body read under another version's layout repairs
                 // references and reports them; that is the reader's business)
  } cases[] = {
      {"sound file", 0, false, 1, {}, 0},
      {"version 173, wrong sentinel", 173, true, 1, {kLoadFailed}, -1},
      {"version 174, wrong sentinel", 174, true, 0, {kCorrupt}, -1},
      {"811, wrong sentinel", 0, true, 0, {kCorrupt}, 1},
      {"newer than the player", 812, false, 1, {kLoadFailed}, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all("data");
    ForgetDirectoryListings();
    Write(cGameContent());
    std::vector<std::uint8_t> bytes = ReadTestFile(HostStage("stage1", 811));
    ASSERT_GT(bytes.size(), 8u);
    if (c.version != 0) std::memcpy(bytes.data(), &c.version, 4);
    if (c.breakSentinel) bytes[bytes.size() - 1] ^= 0x5A;
    WriteTestFile(HostStage("stage1", 811), bytes);
    ForgetDirectoryListings();
    ClearPostedMessages();
    boxes.shown.clear();

    EXPECT_EQ(CheckStageFile(GameStagePath("stage1").c_str()), c.checked);
    boxes.shown.clear();
    ClearPostedMessages();
    EXPECT_EQ(LoadStageForPlay(GameStagePath("stage1").c_str(), 0, &g_StageDataOrg), c.boxes.empty() ? 1 : 0);
    // The 173 file holds an 811 body, which reads as damaged under the 173 layout: the
    // load fails after the check let it pass.
    EXPECT_EQ(Texts(boxes.shown), c.boxes);
    if (c.closes >= 0) {
      EXPECT_EQ(Closes(), c.closes);
    }
    if (c.checked == 0) {
      EXPECT_GE(Closes(), 1);
    }
  }
  // A missing file passes the check; the load reports it.
  boxes.shown.clear();
  EXPECT_EQ(CheckStageFile("data\\stg4\\none.stg4_811"), 1);
  EXPECT_TRUE(boxes.shown.empty());
}

namespace {

// The records a replay carries after its stage body: the replay record and the progress
// record, here as plain bytes that do not end in the sentinel.
std::vector<std::uint8_t> ReplayTail() {
  cByteBuilder b;
  b.I32(3).I32(1).I32(2).I32(3);     // a few recorded key frames
  b.I32(7).Text("aaa").I32(0).I32(5);  // progress: values, ranking name, switches
  return b.Get();
}

// Writes a replay of the loaded stage: version word, stage body, then its own records.
std::vector<std::uint8_t> ReplayBytes(cStageData& stage, const cStageData& pristine) {
  cDataWriter out;
  out.WriteInt32(g_nDataVersion);
  stage.WriteForReplay(out, pristine);
  std::vector<std::uint8_t> bytes = out.Bytes();
  const std::vector<std::uint8_t> tail = ReplayTail();
  bytes.insert(bytes.end(), tail.begin(), tail.end());
  return bytes;
}

}  // namespace

TEST_F(StageLoad, AReplayBodyHoldsThePristineSettingsWithTheStagesEntriesAndPassesTheCheck) {
  cGameContent game;
  game.Stages[0].nWidth = 30;
  Write(game);
  ASSERT_EQ(LoadStageForPlay(GameStagePath("stage1").c_str(), 0, &g_StageDataOrg), 1);
  // Play changed the running stage's settings and entries; the replay keeps the settings
  // as loaded and the entries as they are now.
  g_StageData.m_nTimeLimit = 5;
  g_StageData.m_vBack.clear();
  g_StageData.m_vItemPlace.clear();
  g_StageDataOrg.m_vText.resize(1);
  g_StageDataOrg.m_vText[0].m_strText = "note";

  const std::vector<std::uint8_t> bytes = ReplayBytes(g_StageData, g_StageDataOrg);
  fs::create_directories("user_data/rpl4");
  WriteTestFile("user_data/rpl4/stage1__2026.rpl4_811", bytes);
  ForgetDirectoryListings();

  // The stage body ends with the sentinel, right before the replay's own records.
  const std::size_t bodyEnd = bytes.size() - ReplayTail().size();
  std::int32_t sentinel = 0;
  std::memcpy(&sentinel, bytes.data() + bodyEnd - 4, 4);
  EXPECT_EQ(sentinel, kStageSentinel);

  EXPECT_EQ(CheckStageFile("user_data\\rpl4\\stage1__2026.rpl4_811"), 1);
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_EQ(Closes(), 0);

  cDataReader in(bytes);
  g_nFileVersion = in.ReadInt32();
  cStageData back;
  back.Read(in);
  EXPECT_FALSE(in.Damaged());
  EXPECT_EQ(in.Position(), bodyEnd);
  EXPECT_EQ(back.m_nTimeLimit, g_StageDataOrg.m_nTimeLimit);
  EXPECT_EQ(back.m_nWidth, 30);
  EXPECT_EQ(back.m_vBack.size(), g_StageDataOrg.m_vBack.size());
  ASSERT_EQ(back.m_vText.size(), 1u);
  EXPECT_EQ(back.m_vText[0].m_strText, "note");
  EXPECT_EQ(back.m_vBlockPlace.size(), 30u);
  EXPECT_EQ(back.m_vCharaPlace.size(), g_StageData.m_vCharaPlace.size());
  EXPECT_TRUE(back.m_vItemPlace.empty());

  // Offered as a stage, a replay loads as one.
  ClearPostedMessages();
  EXPECT_EQ(LoadStageForPlay("user_data\\rpl4\\stage1__2026.rpl4_811", 0, nullptr), 1);
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_EQ(g_StageData.m_nWidth, 30);
  EXPECT_TRUE(g_StageData.m_vItemPlace.empty());
}

TEST_F(StageLoad, AReplayWhoseBodyIsDamagedIsRefused) {
  Write(cGameContent());
  ASSERT_EQ(LoadStageForPlay(GameStagePath("stage1").c_str(), 0, &g_StageDataOrg), 1);
  std::vector<std::uint8_t> bytes = ReplayBytes(g_StageData, g_StageDataOrg);
  const std::size_t bodyEnd = bytes.size() - ReplayTail().size();
  bytes[bodyEnd - 2] ^= 0x11;  // inside the sentinel
  fs::create_directories("user_data/rpl4");
  WriteTestFile("user_data/rpl4/bad.rpl4_811", bytes);
  ForgetDirectoryListings();
  EXPECT_EQ(CheckStageFile("user_data\\rpl4\\bad.rpl4_811"), 0);
  EXPECT_EQ(Texts(boxes.shown), std::vector<std::string>{"ステージファイル user_data\\rpl4\\bad.rpl4_811 が破損しています！"});
  EXPECT_EQ(Closes(), 1);
}

TEST_F(StageLoad, AQuitTakenWhileLoadingEndsTheLoadAndIsPutBack) {
  // A large stage, so that the loader is still reading when the queue is looked at.
  cGameContent game;
  cGameStage& shape = game.Stages[0];
  shape.nWidth = 1000;
  shape.nHeight = 100;
  for (std::int16_t y = 0; y < 60; ++y)
    for (std::int16_t x = 0; x < 1000; ++x) shape.Blocks.push_back({x, y});
  Write(game);
  SetECLog(1, "EC_Game.txt");
  PostThreadMessageA(GetCurrentThreadId(), WM_QUIT, 9, 0);
  g_StageDataOrg.m_nWidth = 5;
  EXPECT_EQ(LoadStageForPlay(GameStagePath("stage1").c_str(), 0, &g_StageDataOrg), 0);
  EXPECT_FALSE(thLoad.IsRunning());  // ended and joined
  EXPECT_EQ(g_StageDataOrg.m_nWidth, 5);
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_NE(ReadBytes("EC_Game.txt").find("msg.message == WM_QUIT"), std::string::npos);
  // The caller's own loop still sees the quit.
  MSG msg{};
  ASSERT_EQ(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE), 1);
  EXPECT_EQ(msg.wParam, 9u);
  SetECLog(0, "EC_Game.txt");
}

TEST_F(StageLoad, MessagesToTheWindowAreServedWhileTheStageLoads) {
  cGameContent game;
  game.Stages[0].nWidth = 1000;
  game.Stages[0].nHeight = 100;
  for (std::int16_t y = 0; y < 60; ++y)
    for (std::int16_t x = 0; x < 1000; ++x) game.Stages[0].Blocks.push_back({x, y});
  Write(game);
  static std::atomic<int> served{0};
  static std::atomic<int> whileLoading{0};
  served = 0;
  whileLoading = 0;
  SetMainWindowHandle(reinterpret_cast<HWND>(std::uintptr_t{0x5150}));
  g_hWnd = GetMainWindowHandle();
  SetMainWindowProc([](HWND, UINT message, WPARAM, LPARAM) -> LRESULT {
    if (message == WM_USER) {
      ++served;
      if (thLoad.IsRunning()) ++whileLoading;
    }
    return 0;
  });
  PostMessageA(g_hWnd, WM_USER, 0, 0);
  EXPECT_EQ(LoadStageForPlay(GameStagePath("stage1").c_str(), 0, nullptr), 1);
  EXPECT_EQ(served.load(), 1);
  EXPECT_EQ(whileLoading.load(), 1);
  SetMainWindowProc(nullptr);
  SetMainWindowHandle(nullptr);
  g_hWnd = nullptr;
}
