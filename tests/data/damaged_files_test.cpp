// Every data file of a game, damaged in many ways (values overwritten, bytes changed,
// the file cut short), loads without a crash, a hang or a runaway allocation, and each
// load keeps the promise of its reader: a load that fails writes a report line naming the
// file and leaves what the reader promises (the previous lists and settings, or a new
// palette or stage); a load that succeeds leaves data the game can run on. Under the
// sanitizers this also proves that no reader touches memory outside what it owns.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
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
#include "data/record/data_lists.h"
#include "data/record/data_writer.h"
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

// The damaged bytes; cutShort tells whether the file was cut short.
std::vector<std::uint8_t> Damage(const std::vector<std::uint8_t>& original, cDamageSequence& rnd, bool& cutShort) {
  std::vector<std::uint8_t> bytes = original;
  cutShort = false;
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
      cutShort = true;
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

  // The report lines written since the report held `size` bytes.
  static std::string ReportFrom(std::uintmax_t size) {
    std::ifstream file("Report_Game.txt", std::ios::binary);
    file.seekg(static_cast<std::streamoff>(size));
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  }

  // Damages the file `count` times, each time from its original bytes, and runs `load`;
  // `check` gets what the load returned, whether the file was cut short and the report
  // lines the load added. Returns how many of the loads failed.
  int DamageAndLoad(const std::string& programPath, int count, const std::function<int()>& load,
                    const std::function<void(int result, bool cutShort, const std::string& report)>& check) {
    std::string host = programPath;
    for (char& c : host)
      if (c == '\\') c = '/';
    const std::vector<std::uint8_t> original = ReadTestFile(Dir() + "/" + host);
    EXPECT_GT(original.size(), 4u) << programPath;
    cDamageSequence rnd;
    int failures = 0;
    for (int i = 0; i < count; ++i) {
      bool cutShort = false;
      WriteTestFile(Dir() + "/" + host, Damage(original, rnd, cutShort));
      const std::uintmax_t reported = std::filesystem::file_size("Report_Game.txt");
      const int result = load();
      SCOPED_TRACE(testing::Message() << "damage " << i << (cutShort ? ", cut short" : ""));
      const std::string report = ReportFrom(reported);
      if (result == 0) {
        ++failures;
        // A failure says which file failed, in whole lines.
        EXPECT_NE(report.find(programPath), std::string::npos) << report;
        EXPECT_EQ(report.size() >= 2 ? report.substr(report.size() - 2) : report, "\r\n");
      }
      check(result, cutShort, report);
      if (HasFatalFailure()) break;
    }
    WriteTestFile(Dir() + "/" + host, original);
    return failures;
  }

  cRecordingMessageBoxes m_Boxes;
};

constexpr int kDamagesPerFile = 400;

template <typename T>
std::vector<std::uint8_t> BytesOf(T& record) {
  cDataWriter out;
  record.Write(out);
  return out.Bytes();
}

// Every list of the database as its file would hold it.
std::vector<std::vector<std::uint8_t>> DatabaseLists() {
  std::vector<std::vector<std::uint8_t>> lists;
  g_Database.ForEachFileList([&](int, auto& list) {
    cDataWriter out;
    SaveVector(list, out);
    lists.push_back(out.Bytes());
    return true;
  });
  return lists;
}

// A database file that fails shows its box and leaves every list as it was; one cut short
// always fails, since every byte of the file belongs to its entries.
TEST_F(DamagedFilesTest, DatabasesFailWithTheirBoxOrLoad) {
  for (int kind = 0; kind < DBKIND_COUNT; ++kind) {
    const std::string path = cDatabase::FilePath(kind);
    SCOPED_TRACE(path);
    // Every list as its intact file holds it, so that the files a failing load reads
    // before the damaged one change nothing.
    ASSERT_EQ(g_Database.Load(), 1);
    std::vector<std::vector<std::uint8_t>> before;
    const int failures = DamageAndLoad(
        path, kDamagesPerFile,
        [&] {
          before = DatabaseLists();
          m_Boxes.shown.clear();
          return g_Database.Load();
        },
        [&](int result, bool cutShort, const std::string&) {
          if (cutShort) {
            EXPECT_EQ(result, 0);
          }
          if (result != 0) {
            EXPECT_TRUE(m_Boxes.shown.empty());
            return;
          }
          ASSERT_EQ(m_Boxes.shown.size(), 1u);
          EXPECT_EQ(m_Boxes.shown[0].text, path + " の読み込みに失敗しました！");
          EXPECT_TRUE(DatabaseLists() == before);
        });
    EXPECT_GT(failures, 0);
  }
  EXPECT_EQ(g_Database.Load(), 1);
}

// System.dat read into a copy: damaged data leaves the settings as they were.
TEST_F(DamagedFilesTest, SystemDataFailsAndKeepsTheSettingsOrLoads) {
  ASSERT_EQ(g_Database.Load(), 1);
  std::vector<std::uint8_t> before;
  const int failures = DamageAndLoad(
      "data\\System.dat", kDamagesPerFile,
      [&] {
        before = BytesOf(g_SystemData);
        return g_SystemData.LoadFromFile("data\\System.dat");
      },
      [&](int result, bool, const std::string&) {
        if (result == 0) {
          EXPECT_TRUE(BytesOf(g_SystemData) == before);
        }
      });
  EXPECT_GT(failures, 0);
  EXPECT_EQ(g_SystemData.LoadFromFile("data\\System.dat"), 1);
}

// A common palette that fails leaves the template entries only, with a box; one that
// loads holds at least the template and one entry in every list.
TEST_F(DamagedFilesTest, CommonPaletteFailsToTheTemplatesOrLoads) {
  ASSERT_EQ(g_Database.Load(), 1);
  cPalette templates;
  const std::vector<std::uint8_t> templateBytes = BytesOf(templates);
  const int failures = DamageAndLoad(
      kCommonPalettePath, kDamagesPerFile,
      [&] {
        m_Boxes.shown.clear();
        return LoadCommonPalette();
      },
      [&](int result, bool, const std::string&) {
        if (result == 0) {
          EXPECT_EQ(m_Boxes.shown.size(), 1u);
          EXPECT_TRUE(BytesOf(g_CommonPalette) == templateBytes);
          return;
        }
        EXPECT_TRUE(m_Boxes.shown.empty());
        EXPECT_GE(g_CommonPalette.m_vBlock.size(), 2u);
        EXPECT_GE(g_CommonPalette.m_vChara.size(), 2u);
        EXPECT_GE(g_CommonPalette.m_vItem.size(), 2u);
      });
  EXPECT_GT(failures, 0);
  EXPECT_EQ(LoadCommonPalette(), 1);
}

// A stage that fails is replaced by a new stage; one cut short always fails, since a
// stage ends in its end mark.
TEST_F(DamagedFilesTest, StagesFailToANewStageOrLoad) {
  ASSERT_EQ(g_Database.Load(), 1);
  ASSERT_EQ(LoadCommonPalette(), 1);
  cStageData fresh;
  g_nFileVersion = g_nDataVersion;
  cDataReader empty(std::vector<std::uint8_t>{});
  fresh.Read(empty);
  ASSERT_TRUE(empty.Damaged());
  const std::vector<std::uint8_t> newStage = BytesOf(fresh);
  for (const char* name : {"stage1", "flows"}) {
    const std::string path = GameStagePath(name);
    SCOPED_TRACE(path);
    const int failures = DamageAndLoad(
        path, kDamagesPerFile, [&] { return g_StageData.LoadFromFile(path.c_str()); },
        [&](int result, bool cutShort, const std::string&) {
          if (cutShort) {
            EXPECT_EQ(result, 0);
          }
          if (result == 0) {
            EXPECT_TRUE(BytesOf(g_StageData) == newStage);
          } else {
            EXPECT_GE(g_StageData.m_vBlockDef.size(), 2u);
            EXPECT_GE(g_StageData.m_vCharaDef.size(), 2u);
            EXPECT_GE(g_StageData.m_vItemDef.size(), 2u);
          }
        });
    EXPECT_GT(failures, 0);
    EXPECT_EQ(g_StageData.LoadFromFile(path.c_str()), 1);
  }
}

TEST_F(DamagedFilesTest, WorldMapAndUserFilesSurviveDamage) {
  ASSERT_EQ(g_Database.Load(), 1);
  ASSERT_EQ(g_SystemData.LoadFromFile("data\\System.dat"), 1);
  char slotFile[MAX_PATH];
  GetStoryFileName(slotFile, 0);
  // A world map or user file that fails leaves its record as it was before the load.
  std::vector<std::uint8_t> before;
  const auto keepsRecord = [&before](auto& record) {
    return [&before, &record](int result, bool, const std::string&) {
      if (result == 0) {
        EXPECT_TRUE(BytesOf(record) == before);
      }
    };
  };
  EXPECT_GT(DamageAndLoad(kWorldMapPath, kDamagesPerFile, [&] {
              before = BytesOf(g_WorldMap);
              return g_WorldMap.LoadFromFile(kWorldMapPath);
            }, keepsRecord(g_WorldMap)), 0);
  EXPECT_GT(DamageAndLoad(slotFile, kDamagesPerFile, [&] {
              before = BytesOf(g_Progress);
              return g_Progress.LoadSlot(0);
            }, keepsRecord(g_Progress)), 0);
  EXPECT_GT(DamageAndLoad(kChallengeFilePath, kDamagesPerFile, [&] {
              before = BytesOf(g_Progress);
              return g_Progress.LoadChallenge();
            }, keepsRecord(g_Progress)), 0);
  EXPECT_GT(DamageAndLoad(kOptionFilePath, kDamagesPerFile, [&] {
              before = BytesOf(g_OptionData);
              return g_OptionData.LoadFromFile(kOptionFilePath);
            }, keepsRecord(g_OptionData)), 0);
  // The undamaged files still load afterwards.
  EXPECT_EQ(g_WorldMap.LoadFromFile(kWorldMapPath), 1);
  EXPECT_EQ(g_Progress.LoadSlot(0), 1);
  EXPECT_EQ(g_Progress.GetStageScore("stage1."), 300);
  EXPECT_EQ(g_Progress.LoadChallenge(), 1);
  EXPECT_EQ(g_OptionData.LoadFromFile(kOptionFilePath), 1);
  EXPECT_EQ(g_OptionData.m_strRankName, "abc");
}

}  // namespace
