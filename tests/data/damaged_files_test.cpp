// Every data file of a game, damaged in many ways (values overwritten, bytes changed,
// the file cut short), loads without a crash, a hang or a runaway allocation: a damaged
// file either still loads or fails with its message. Under the sanitizers this also
// proves that no reader touches memory outside what it owns.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/report_log.h"
#include "data/database/database.h"
#include "data/common/database_list_sizes.h"
#include "data/option/option_data.h"
#include "data/save/progress.h"
#include "data/save/slot_list.h"
#include "data/worldmap/world_map.h"
#include "data/palette/palette.h"
#include "data/stage/stage_data.h"
#include "data/system/system_data.h"
#include "platform/message_box.h"
#include "tests/support/byte_builder.h"
#include "tests/support/game_writer.h"
#include "tests/support/stage_builder.h"
#include "tests/support/temp_dir.h"

namespace {

// A fixed sequence of pseudo-random numbers, so that every run damages the same way.
class cDamageSequence {
 public:
  std::uint32_t Next() {
    m_nState ^= m_nState << 13;
    m_nState ^= m_nState >> 17;
    m_nState ^= m_nState << 5;
    return m_nState;
  }
  std::size_t Below(std::size_t n) { return n == 0 ? 0 : Next() % n; }

 private:
  std::uint32_t m_nState = 2463534242u;
};

// Values that make counts, lengths and indices go wrong.
constexpr std::int32_t kHostileValues[] = {-1, 0, 1, 2, 0x7FFFFFFF, INT32_MIN, 0x10000, 32768, 1000000, 255};

std::vector<std::uint8_t> Damage(const std::vector<std::uint8_t>& original, cDamageSequence& rnd) {
  std::vector<std::uint8_t> bytes = original;
  if (bytes.size() <= 4) return bytes;
  switch (rnd.Below(3)) {
    case 0: {  // an int32 somewhere after the version word becomes a hostile value
      const std::size_t at = 4 + rnd.Below(bytes.size() - 4);
      const std::int32_t value = kHostileValues[rnd.Below(std::size(kHostileValues))];
      for (std::size_t i = 0; i < 4 && at + i < bytes.size(); ++i)
        bytes[at + i] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) >> (8 * i));
      break;
    }
    case 1:  // a few bytes changed at random
      for (std::size_t n = 1 + rnd.Below(8); n > 0; --n)
        bytes[4 + rnd.Below(bytes.size() - 4)] = static_cast<std::uint8_t>(rnd.Next());
      break;
    default:  // cut short
      bytes.resize(4 + rnd.Below(bytes.size() - 4));
      break;
  }
  return bytes;
}

class DamagedFilesTest : public cTempDirTest {
 protected:
  void SetUp() override {
    cTempDirTest::SetUp();
    ASSERT_EQ(OpenReportLog("Report_Game.txt"), 1);
    cGameContent game;
    cStageShape shape;
    shape.nWidth = 24;
    shape.nHeight = 12;
    shape.nCharaPlacements = 3;
    shape.nItemPlacements = 2;
    shape.nFlowsPerChara = 2;
    shape.nCommandsPerFlow = 4;
    cGameStage& stage = game.Stages.emplace_back();
    stage.strName = "flows";
    BuildStage(stage.Prepared.emplace(), shape);
    // The player's own files too, with something in every list of the save data.
    game.Options.emplace().m_strRankName = "abc";
    cProgress& saved = game.StorySlots.emplace_back().Progress;
    saved.UpdateStageScore("stage1.", "stage1.", 0, 0, 0, 300);
    saved.m_CarryOver[0].m_Chara = game.Palette.m_vChara[1];
    saved.m_CarryOver[0].m_Chara.m_vFlow.resize(2);
    saved.m_ChallengeState.resize(3);
    game.Challenge.emplace(saved);
    ASSERT_EQ(WriteGame(game), 1);
  }

  // Damages the file `count` times, each time from its original bytes, and runs `load`.
  void DamageAndLoad(const std::string& programPath, int count, const std::function<void()>& load) {
    std::string host = programPath;
    for (char& c : host)
      if (c == '\\') c = '/';
    const std::vector<std::uint8_t> original = ReadTestFile(Dir() + "/" + host);
    ASSERT_GT(original.size(), 4u) << programPath;
    cDamageSequence rnd;
    for (int i = 0; i < count; ++i) {
      WriteTestFile(Dir() + "/" + host, Damage(original, rnd));
      load();
    }
    WriteTestFile(Dir() + "/" + host, original);
  }

  cRecordingMessageBoxes m_Boxes;
};

constexpr int kDamagesPerFile = 400;

TEST_F(DamagedFilesTest, DatabasesSystemDataAndPaletteSurviveDamage) {
  for (int kind = 0; kind < DBKIND_COUNT; ++kind) {
    SCOPED_TRACE(cDatabase::FilePath(kind));
    DamageAndLoad(cDatabase::FilePath(kind), kDamagesPerFile, [] { g_Database.Load(); });
  }
  ASSERT_EQ(g_Database.Load(), 1);
  DamageAndLoad("data\\System.dat", kDamagesPerFile, [] { g_SystemData.LoadFromFile("data\\System.dat"); });
  DamageAndLoad(kCommonPalettePath, kDamagesPerFile, [] { LoadCommonPalette(); });
  // The undamaged game still loads afterwards.
  EXPECT_EQ(g_SystemData.LoadFromFile("data\\System.dat"), 1);
  EXPECT_EQ(LoadCommonPalette(), 1);
}

TEST_F(DamagedFilesTest, StagesSurviveDamage) {
  ASSERT_EQ(g_Database.Load(), 1);
  ASSERT_EQ(LoadCommonPalette(), 1);
  for (const char* name : {"stage1", "flows"}) {
    const std::string path = GameStagePath(name);
    SCOPED_TRACE(path);
    DamageAndLoad(path, kDamagesPerFile, [&] { g_StageData.LoadFromFile(path.c_str()); });
    EXPECT_EQ(g_StageData.LoadFromFile(path.c_str()), 1);
  }
}

TEST_F(DamagedFilesTest, WorldMapAndUserFilesSurviveDamage) {
  ASSERT_EQ(g_Database.Load(), 1);
  ASSERT_EQ(g_SystemData.LoadFromFile("data\\System.dat"), 1);
  char slotFile[MAX_PATH];
  GetStoryFileName(slotFile, 0);
  DamageAndLoad(kWorldMapPath, kDamagesPerFile, [] { g_WorldMap.LoadFromFile(kWorldMapPath); });
  DamageAndLoad(slotFile, kDamagesPerFile, [] { g_Progress.LoadSlot(0); });
  DamageAndLoad(kChallengeFilePath, kDamagesPerFile, [] { g_Progress.LoadChallenge(); });
  DamageAndLoad(kOptionFilePath, kDamagesPerFile, [] { g_OptionData.LoadFromFile(kOptionFilePath); });
  // The undamaged files still load afterwards.
  EXPECT_EQ(g_WorldMap.LoadFromFile(kWorldMapPath), 1);
  EXPECT_EQ(g_Progress.LoadSlot(0), 1);
  EXPECT_EQ(g_Progress.GetStageScore("stage1."), 300);
  EXPECT_EQ(g_Progress.LoadChallenge(), 1);
  EXPECT_EQ(g_OptionData.LoadFromFile(kOptionFilePath), 1);
  EXPECT_EQ(g_OptionData.m_strRankName, "abc");
}

}  // namespace
