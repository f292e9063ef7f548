#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "app/report_log.h"
#include "data/database/database.h"
#include "data/record/data_writer.h"
#include "platform/message_box.h"
#include "platform/message_queue.h"
#include "tests/support/byte_builder.h"
#include "tests/support/database_writer.h"
#include "tests/support/temp_dir.h"

namespace {

using DatabaseLoadTestBytes = std::vector<std::uint8_t>;

template <typename T>
DatabaseLoadTestBytes ListBytes(std::vector<T>& list) {
  cDataWriter out;
  SaveVector(list, out);
  return out.Bytes();
}

// Every list of the database written as a file body would be, in file order.
std::vector<DatabaseLoadTestBytes> AllListBytes(cDatabase& db) {
  std::vector<DatabaseLoadTestBytes> lists;
  db.ForEachFileList([&](int, auto& list) {
    lists.push_back(ListBytes(list));
    return true;
  });
  return lists;
}

// A database whose every list differs from a new one: list k holds k + 1 entries, each
// named after its list and place.
cDatabase MakeGameDatabase() {
  cDatabase db;
  db.ForEachFileList([](int nKind, auto& list) {
    list.resize(static_cast<std::size_t>(nKind) + 1);
    for (std::size_t i = 0; i < list.size(); ++i)
      list[i].m_strName = "名" + std::to_string(nKind) + "_" + std::to_string(i);
    return true;
  });
  db.m_Anime[1].m_vFrame.resize(3);
  db.m_SwordType[3].m_vFrame[0].m_nSrcX = 64;
  db.m_Effect[4].m_nWidth = 48;
  db.m_CharaEffect[0].m_nKind = 3;  // entry 0 is "none" whatever the file says
  db.m_CharaEffect[5].m_nKind = 16;
  db.m_CharaEffect[5].m_nParam[0] = 10;  // the parameters of kind 16 within their ranges
  db.m_CharaEffect[5].m_nParam[1] = 1;
  db.m_CharaEffect[5].m_nParam[2] = 4;
  db.m_ScrEffect[0].m_nKind = 5;
  db.m_ScrEffect[6].m_nParam[2] = 240;
  db.m_Bgm[9].m_strFile = "bgm\\last.ogg";
  return db;
}

class DatabaseLoadTest : public cTempDirTest {
 protected:
  void SetUp() override {
    cTempDirTest::SetUp();
    ASSERT_EQ(OpenReportLog("Report_Game.txt"), 1);
    g_bStripCR = 1;
    g_bFileTooNew = 0;
    g_Database.Reset();
    ClearPostedMessages();
  }
  void TearDown() override {
    g_Database.Reset();
    cTempDirTest::TearDown();
  }
  void WriteGame() {
    m_Game = MakeGameDatabase();
    ASSERT_EQ(SaveDatabaseFiles(m_Game), 1);
  }
  std::string HostFile(int nKind) const {
    std::string name = cDatabase::FilePath(nKind);
    return Dir() + "/data/database/" + name.substr(name.rfind('\\') + 1);
  }

  std::string ReadLog() const {
    const DatabaseLoadTestBytes log = ReadTestFile(Dir() + "/Report_Game.txt");
    return std::string(log.begin(), log.end());
  }

  cDatabase m_Game;
  cRecordingMessageBoxes m_Boxes;
};

TEST_F(DatabaseLoadTest, LoadsTheTenFilesAndClearsTheNoneEffects) {
  WriteGame();
  ASSERT_EQ(g_Database.Load(), 1) << ReadLog();
  EXPECT_TRUE(m_Boxes.shown.empty());
  EXPECT_EQ(g_Database.m_CharaEffect[0].m_nKind, 0);
  EXPECT_EQ(g_Database.m_ScrEffect[0].m_nKind, 0);
  m_Game.FixNoneEntries();
  EXPECT_EQ(AllListBytes(g_Database), AllListBytes(m_Game));
  EXPECT_EQ(CountPostedMessages(WM_CLOSE), 0);
}

// Carriage returns of entry texts are dropped as each entry is read, in every list.
TEST_F(DatabaseLoadTest, CarriageReturnsOfEntryTextsAreDropped) {
  m_Game = MakeGameDatabase();
  m_Game.m_AnimeSet[0].m_strName = "a\r\nb\r";
  m_Game.m_Bgm[9].m_strFile = "bgm\\\rlast.ogg";
  ASSERT_EQ(SaveDatabaseFiles(m_Game), 1);
  ASSERT_EQ(g_Database.Load(), 1) << ReadLog();
  EXPECT_EQ(g_Database.m_AnimeSet[0].m_strName, "a\nb");
  EXPECT_EQ(g_Database.m_Bgm[9].m_strFile, "bgm\\last.ogg");
}

TEST_F(DatabaseLoadTest, MissingOrNewerFileStopsThereWithItsBox) {
  struct Case {
    const char* what;
    DatabaseLoadTestBytes bytes;  // empty: the file is removed
    const char* box;
  };
  const Case cases[] = {
      {"missing", {}, "data\\database\\Effect.dat の読み込みに失敗しました！"},
      {"newer", cByteBuilder().I32(812).Count(1).Count(0).Count(0).Count(0).Get(),
       "data\\database\\Effect.dat の読み込みに失敗しました！\nソフトより上位のバージョンのファイルは使用できません。"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    g_Database.Reset();
    m_Boxes.shown.clear();
    WriteGame();
    if (c.bytes.empty())
      std::filesystem::remove(HostFile(DBKIND_EFFECT));
    else
      WriteTestFile(HostFile(DBKIND_EFFECT), c.bytes);

    EXPECT_EQ(g_Database.Load(), 0);
    ASSERT_EQ(m_Boxes.shown.size(), 1u);
    EXPECT_EQ(m_Boxes.shown[0].text, c.box);
    // The four files before it were loaded; the rest keep the lists of a new game.
    EXPECT_EQ(g_Database.m_AnimeSet[0].m_strName, "名0_0");
    EXPECT_EQ(g_Database.m_Anime[1].m_vFrame.size(), 3u);
    EXPECT_EQ(g_Database.m_BmpCharaExc.size(), 3u);
    EXPECT_EQ(g_Database.m_SwordType.size(), 4u);
    EXPECT_EQ(g_Database.m_Effect.size(), 2u);
    EXPECT_EQ(g_Database.m_Bgm.size(), 2u);
    EXPECT_EQ(g_Database.m_Bgm[1].m_strFile, "");
  }
}

TEST_F(DatabaseLoadTest, FileWithoutEntriesFailsWithItsBox) {
  WriteGame();
  WriteTestFile(HostFile(DBKIND_SOUND), cByteBuilder().I32(811).Count(0).Get());
  EXPECT_EQ(g_Database.Load(), 0);
  ASSERT_EQ(m_Boxes.shown.size(), 1u);
  EXPECT_EQ(m_Boxes.shown[0].text, "data\\database\\Sound.dat の読み込みに失敗しました！");
  EXPECT_EQ(m_Boxes.shown[0].caption, "エラー");
  EXPECT_EQ(g_Database.m_Sound.size(), 2u);  // left as it was
  EXPECT_EQ(g_Database.m_Picture.size(), 8u);
}

TEST_F(DatabaseLoadTest, DamagedFilesFailWithTheirBoxAndLeaveTheList) {
  const DatabaseLoadTestBytes frame = cByteBuilder().Count(3).I32(1).I32(1).I32(0).Count(0).Get();
  struct Case {
    const char* what;
    DatabaseLoadTestBytes bytes;
  };
  const Case cases[] = {
      {"negative entry count", cByteBuilder().I32(811).Count(-1).Get()},
      {"entry count beyond the file", cByteBuilder().I32(811).Count(0x7FFFFFFF).Fill(64).Get()},
      {"frame count beyond the file",
       cByteBuilder().I32(811).Count(1).Count(0).Count(1).Text("a").Count(0x40000000).Bytes(frame).Get()},
      {"member count beyond the file", cByteBuilder().I32(811).Count(1).Count(0x10000000).Fill(16).Get()},
      {"name length beyond the file", cByteBuilder().I32(811).Count(1).Count(0).Count(1).I32(1 << 30).Fill(16).Get()},
      {"name length zero", cByteBuilder().I32(811).Count(1).Count(0).Count(1).I32(0).Count(0).Get()},
      {"cut inside an entry", cByteBuilder().I32(811).Count(2).Count(0).Count(1).Text("a").Count(1).Bytes(frame)
                                  .Count(3).I16(0).Get()},
      {"cut before the second entry",
       cByteBuilder().I32(811).Count(2).Count(0).Count(1).Text("abcdefghijklmn").Count(0).Get()},
      {"version word only", cByteBuilder().I32(811).Get()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    g_Database.Reset();
    m_Boxes.shown.clear();
    ASSERT_TRUE(std::filesystem::create_directories(Dir() + "/data/database") ||
                std::filesystem::exists(Dir() + "/data/database"));
    cDatabase fresh;
    ASSERT_EQ(SaveDatabaseFile(cDatabase::FilePath(DBKIND_ANIMESET), fresh.m_AnimeSet), 1);
    WriteTestFile(HostFile(DBKIND_ANIME), c.bytes);

    EXPECT_EQ(g_Database.Load(), 0);
    ASSERT_EQ(m_Boxes.shown.size(), 1u);
    EXPECT_EQ(m_Boxes.shown[0].text, "data\\database\\Anime.dat の読み込みに失敗しました！");
    ASSERT_EQ(g_Database.m_Anime.size(), 2u);
    EXPECT_EQ(g_Database.m_Anime[0].m_strName, "なし");
  }
}

}  // namespace
