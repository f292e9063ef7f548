#include "data/record/data_record.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "app/report_log.h"
#include "data/record/data_file.h"
#include "data/record/data_lists.h"
#include "platform/message_box.h"
#include "platform/message_queue.h"
#include "tests/support/byte_builder.h"
#include "tests/support/temp_dir.h"

namespace {

// Three members and two texts, as in the example body of the file format.
class cExample : public cDataRecord {
 public:
  cExample() {
    Register(g_nDataVersion);
    Reset();
  }
  void Reset() { cDataRecord::Reset(); }

  std::int32_t m_nA = 0;
  std::int16_t m_nB = 0;
  double m_dC = 0;
  std::string m_strX;
  std::string m_strY;

 protected:
  void RegisterMembers(int) override {
    ClearMembers();
    AddMember(&m_nA);
    AddMember(&m_nB);
    AddMember(&m_dC);
    AddString(&m_strX);
    AddString(&m_strY);
  }
};

// A record whose layout changed over the versions: a 16-bit value dropped at 500, an
// array, a member added at 600 with a default, and a counted list of sub-records.
class cVersioned : public cDataRecord {
 public:
  cVersioned() {
    Register(g_nDataVersion);
    Reset();
  }
  void Reset() {
    cDataRecord::Reset();
    m_nAdded = 77;
    m_strName = "default";
  }
  void Read(cDataReader& in) override {
    cDataRecord::Read(in);
    LoadVector(m_vItems, in);
  }
  void Write(cDataWriter& out) override {
    cDataRecord::Write(out);
    SaveVector(m_vItems, out);
  }

  std::int32_t m_nFirst = 0;
  std::int8_t m_anFlags[3] = {};
  std::int32_t m_nAdded = 0;
  std::string m_strName;
  std::vector<cExample> m_vItems;

 protected:
  void RegisterMembers(int version) override {
    ClearMembers();
    AddMember(&m_nFirst);
    if (static_cast<unsigned>(version) < 500) AddMember(&g_Scratch.an16[0]);
    AddMember(m_anFlags, 3);
    if (static_cast<unsigned>(version) >= 600) AddMember(&m_nAdded);
    AddString(&m_strName);
  }
};

// No members and no texts at all.
class cEmpty : public cDataRecord {
 public:
  cEmpty() { Register(g_nDataVersion); }
};

std::vector<std::uint8_t> Bytes(cDataRecord& record) {
  cDataWriter out;
  record.Write(out);
  return out.Bytes();
}

const std::vector<std::uint8_t> kExampleBody = {
    0x03, 0x00, 0x00, 0x00, 0x05, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0xE0, 0x3F, 0x02, 0x00, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00, 0x61, 0x62, 0x00, 0x01,
    0x00, 0x00, 0x00};

class DataRecordTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_nFileVersion = g_nDataVersion;
    g_bStripCR = 1;
    g_bFileTooNew = 0;
    ClearPostedMessages();
  }
  void ReadAt(cDataRecord& record, int version, const std::vector<std::uint8_t>& body) {
    g_nFileVersion = version;
    cDataReader in(body);
    record.Read(in);
    m_bDamaged = in.Damaged();
    m_Damage = in.Damage();
  }
  bool m_bDamaged = false;
  DATADAMAGE m_Damage = DATADAMAGE_NONE;
};

TEST_F(DataRecordTest, ExampleBodyMatchesTheFileLayoutBothWays) {
  cExample rec;
  rec.m_nA = 5;
  rec.m_nB = -1;
  rec.m_dC = 0.5;
  rec.m_strX = "ab";
  EXPECT_EQ(Bytes(rec), kExampleBody);

  cExample back;
  ReadAt(back, 811, kExampleBody);
  EXPECT_FALSE(m_bDamaged);
  EXPECT_EQ(back.m_nA, 5);
  EXPECT_EQ(back.m_nB, -1);
  EXPECT_EQ(back.m_dC, 0.5);
  EXPECT_EQ(back.m_strX, "ab");
  EXPECT_EQ(back.m_strY, "");
}

TEST_F(DataRecordTest, OldVersionsReadTheirOwnLayoutAndLeaveRegisteredAtCurrent) {
  struct Case {
    int version;
    std::vector<std::uint8_t> body;
    std::int32_t first;
    std::int8_t flag2;
    std::int32_t added;
  };
  const Case cases[] = {
      // Below 500 a dropped 16-bit value sits between the first value and the flags.
      {499, cByteBuilder().Count(3).I32(9).I16(0x1234).I8(1).I8(2).I8(3).Count(1).Text("n").Count(0).Get(), 9, 3, 77},
      // 500 to 599: no dropped value, no added member: the default stays.
      {500, cByteBuilder().Count(2).I32(8).I8(4).I8(5).I8(6).Count(1).Text("n").Count(0).Get(), 8, 6, 77},
      // From 600 the added member is read.
      {600, cByteBuilder().Count(3).I32(7).I8(0).I8(0).I8(1).I32(-5).Count(1).Text("n").Count(0).Get(), 7, 1, -5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.version);
    cVersioned rec;
    ReadAt(rec, c.version, c.body);
    EXPECT_FALSE(m_bDamaged);
    EXPECT_EQ(rec.m_nFirst, c.first);
    EXPECT_EQ(rec.m_anFlags[2], c.flag2);
    EXPECT_EQ(rec.m_nAdded, c.added);
    EXPECT_EQ(rec.m_strName, "n");
    EXPECT_EQ(rec.RegisteredVersion(), g_nDataVersion);
    // The upgrade path: written again, it holds the current member list.
    EXPECT_EQ(Bytes(rec), cByteBuilder().Count(3).I32(c.first).Raw(rec.m_anFlags, 3).I32(c.added).Count(1).Text("n").Count(0).Get());
  }
}

TEST_F(DataRecordTest, ListElementsStartFromClassDefaults) {
  cVersioned rec;
  rec.m_vItems.resize(5);
  // n = 0 empties the list; n = 2 yields two elements, each a fresh record before reading.
  ReadAt(rec, 811, cByteBuilder().Count(0).Count(0).Count(0).Get());
  EXPECT_TRUE(rec.m_vItems.empty());

  auto body = cByteBuilder().Count(0).Count(0).Count(2);
  for (int i = 0; i < 2; ++i) body.Count(1).I32(i + 1).Count(0);
  ReadAt(rec, 811, body.Get());
  ASSERT_EQ(rec.m_vItems.size(), 2u);
  EXPECT_EQ(rec.m_vItems[1].m_nA, 2);
  EXPECT_EQ(rec.m_vItems[1].m_nB, 0);
  EXPECT_EQ(rec.m_vItems[1].m_strX, "");
}

TEST_F(DataRecordTest, TextsLoseCarriageReturnsAndStopAtZeroBytes) {
  cExample rec;
  rec.m_strY = "x\r\ny";  // registered but not in the file: still stripped
  ReadAt(rec, 811, cByteBuilder().Count(0).Count(1).Text("a\r\nb").Get());
  EXPECT_EQ(rec.m_strX, "a\nb");
  EXPECT_EQ(rec.m_strY, "x\ny");

  rec.m_strX = std::string("ab\0cd", 5);
  rec.m_strY.clear();
  const auto bytes = Bytes(rec);
  EXPECT_EQ(rec.m_strX, "ab");
  EXPECT_EQ(std::vector<std::uint8_t>(bytes.end() - 11, bytes.end()),
            cByteBuilder().Text("ab").Text("").Get());
}

TEST_F(DataRecordTest, ZeroMemberCountKeepsValuesButStillReadsTexts) {
  cExample rec;
  rec.m_nA = 42;
  ReadAt(rec, 811, cByteBuilder().Count(0).Count(2).Text("t").Text("u").Get());
  EXPECT_EQ(rec.m_nA, 42);
  EXPECT_EQ(rec.m_strY, "u");
}

TEST_F(DataRecordTest, CopyAndAssignmentKeepEachRecordOnItsOwnMembers) {
  cVersioned a;
  a.m_nFirst = 3;
  a.m_strName = "a";
  a.m_vItems.resize(1);
  cVersioned b = a;  // copy
  cVersioned c;
  c = a;  // assignment
  b.m_nFirst = 4;
  c.m_strName = "c";
  // Each record writes its own values: the tables never point into another record.
  EXPECT_EQ(Bytes(b)[4], 4);
  EXPECT_EQ(Bytes(a)[4], 3);

  cVersioned d;
  d.CopyFrom(c);  // registered members and texts only
  EXPECT_EQ(d.m_strName, "c");
  EXPECT_EQ(d.m_nFirst, 3);
  EXPECT_TRUE(d.m_vItems.empty());
}

TEST_F(DataRecordTest, SurplusMembersAndTextsAreReportedAndClose) {
  cExample rec;
  // One member too many: reported, the program is asked to close, the bytes land in
  // member 0 (as written), and the texts after it are still found.
  ReadAt(rec, 811, cByteBuilder().Count(4).I32(1).I16(2).F64(3).I32(9).Count(3).Text("a").Text("b").Text("c").Get());
  EXPECT_FALSE(m_bDamaged);
  EXPECT_EQ(rec.m_nA, 9);
  EXPECT_EQ(rec.m_strX, "c");
  EXPECT_EQ(CountPostedMessages(WM_CLOSE), 2);
}

// Up to 16 surplus members or texts are each reported and read into the first one; the
// 17th makes the data damaged without another line, so a hostile count cannot log without
// end. Both sides of the cap, for members and for texts.
TEST_F(DataRecordTest, SurplusCapAllowsSixteenAndRefusesSeventeen) {
  struct Case {
    const char* what;
    bool texts;  // surplus texts instead of surplus members
    int surplus;
    DATADAMAGE damage;
  };
  const Case cases[] = {
      {"16 members", false, 16, DATADAMAGE_NONE},
      {"17 members", false, 17, DATADAMAGE_SURPLUS_MEMBERS},
      {"16 texts", true, 16, DATADAMAGE_NONE},
      {"17 texts", true, 17, DATADAMAGE_SURPLUS_TEXTS},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ClearPostedMessages();
    cByteBuilder body;
    const int members = c.texts ? 0 : c.surplus;
    const int texts = c.texts ? c.surplus : 0;
    body.Count(3 + members).I32(1).I16(2).F64(3);
    for (int i = 1; i <= members; ++i) body.I32(100 + i);
    body.Count(2 + texts).Text("x").Text("y");
    for (int i = 1; i <= texts; ++i) body.Text("t" + std::to_string(i));
    cExample rec;
    ReadAt(rec, 811, body.Get());
    EXPECT_EQ(m_Damage, c.damage);
    EXPECT_EQ(CountPostedMessages(WM_CLOSE), 16);
    if (c.damage == DATADAMAGE_NONE) {
      // The last surplus value is the one the first member or text keeps.
      if (c.texts)
        EXPECT_EQ(rec.m_strX, "t16");
      else
        EXPECT_EQ(rec.m_nA, 116);
    }
  }
}

TEST_F(DataRecordTest, RecordWithoutMembersNeverWritesThroughAFallback) {
  cEmpty rec;
  // Surplus texts are skipped (their length says how far); surplus members cannot be
  // sized, so the data counts as damaged.
  ReadAt(rec, 811, cByteBuilder().Count(0).Count(2).Text("abc").Text("d").Get());
  EXPECT_FALSE(m_bDamaged);
  EXPECT_EQ(CountPostedMessages(WM_CLOSE), 2);
  ReadAt(rec, 811, cByteBuilder().Count(2).I32(1).I32(2).Count(0).Get());
  EXPECT_TRUE(m_bDamaged);
  EXPECT_EQ(m_Damage, DATADAMAGE_SURPLUS_MEMBERS);
}

TEST_F(DataRecordTest, DamagedAndTruncatedBodiesReadSafely) {
  struct Case {
    const char* what;
    std::vector<std::uint8_t> body;
    DATADAMAGE damage;
  };
  const Case cases[] = {
      {"huge member count", cByteBuilder().Count(0x7FFFFFFF).I32(1).Get(), DATADAMAGE_COUNT_PAST_END},
      {"negative text count", cByteBuilder().Count(0).Count(-1).Get(), DATADAMAGE_NEGATIVE_COUNT},
      {"text longer than the data", cByteBuilder().Count(0).Count(1).I32(1000000).Raw("ab", 2).Get(),
       DATADAMAGE_TEXT_LENGTH},
      {"text length zero", cByteBuilder().Count(0).Count(1).I32(0).Raw("ab", 2).Get(), DATADAMAGE_TEXT_LENGTH},
      {"list count beyond the data", cByteBuilder().Count(0).Count(0).Count(1 << 30).Get(),
       DATADAMAGE_COUNT_PAST_END},
      {"cut inside the members", cByteBuilder().Count(3).I32(1).Fill(3).Get(), DATADAMAGE_NONE},
      {"cut before the list count", cByteBuilder().Count(0).Count(0).Get(), DATADAMAGE_NONE},
      {"empty", {}, DATADAMAGE_NONE},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    cVersioned rec;
    ReadAt(rec, 811, c.body);
    EXPECT_EQ(m_bDamaged, c.damage != DATADAMAGE_NONE);
    EXPECT_EQ(m_Damage, c.damage);
    EXPECT_TRUE(rec.m_vItems.empty());
  }
}

TEST_F(DataRecordTest, TruncatedMembersKeepTheirValues) {
  cExample rec;
  rec.m_dC = 2.5;
  ReadAt(rec, 811, cByteBuilder().Count(3).I32(7).I16(8).Raw("\x01\x02", 2).Get());
  EXPECT_EQ(rec.m_nA, 7);
  EXPECT_EQ(rec.m_dC, 2.5);
}

class DataFileTest : public cTempDirTest {
 protected:
  void SetUp() override {
    cTempDirTest::SetUp();
    g_bStripCR = 1;
    g_bFileTooNew = 0;
    ASSERT_EQ(OpenReportLog("Report_Game.txt"), 1);
  }
};

TEST_F(DataFileTest, SaveThenLoadGivesTheSameRecord) {
  cVersioned rec;
  rec.m_nFirst = -12;
  rec.m_anFlags[1] = 1;
  rec.m_strName = "名前";
  rec.m_vItems.resize(2);
  rec.m_vItems[1].m_strY = "y";
  ASSERT_EQ(rec.SaveToFile("rec.dat"), 1);

  const auto file = ReadTestFile(Dir() + "/rec.dat");
  ASSERT_GE(file.size(), 4u);
  EXPECT_EQ(std::vector<std::uint8_t>(file.begin(), file.begin() + 4),
            (std::vector<std::uint8_t>{0x2B, 0x03, 0x00, 0x00}));

  cVersioned back;
  ASSERT_EQ(back.LoadFromFile("rec.dat"), 1);
  EXPECT_EQ(Bytes(back), Bytes(rec));
  EXPECT_EQ(g_nFileVersion, 811);
}

TEST_F(DataFileTest, NewerOrMissingFilesAreRefusedAndLeaveTheRecord) {
  struct Case {
    const char* name;
    std::vector<std::uint8_t> bytes;  // empty: no file
    int tooNew;
  };
  const Case cases[] = {
      {"v812.dat", cByteBuilder().I32(812).Count(0).Count(0).Get(), 1},
      {"vneg.dat", cByteBuilder().I32(-1).Count(0).Count(0).Get(), 1},
      {"missing.dat", {}, 0},
      {"", {}, 0},
      {"short.dat", {0x2B, 0x03}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (!c.bytes.empty()) WriteTestFile(Dir() + "/" + c.name, c.bytes);
    g_bFileTooNew = 0;
    cExample rec;
    rec.m_nA = 5;
    EXPECT_EQ(rec.LoadFromFile(c.name), 0);
    EXPECT_EQ(g_bFileTooNew, c.tooNew);
    EXPECT_EQ(rec.m_nA, 5);
  }
  EXPECT_EQ(cExample().LoadFromFile(nullptr), 0);
}

TEST_F(DataFileTest, DamagedFileFailsToLoad) {
  WriteTestFile(Dir() + "/bad.dat", cByteBuilder().I32(811).Count(0).Count(0).Count(-3).Get());
  cVersioned rec;
  EXPECT_EQ(rec.LoadFromFile("bad.dat"), 0);
}

TEST_F(DataFileTest, FailedSaveLeavesThePreviousFile) {
  cExample rec;
  rec.m_nA = 1;
  ASSERT_EQ(rec.SaveToFile("save.dat"), 1);
  const auto before = ReadTestFile(Dir() + "/save.dat");

  // The temporary file cannot be made: a folder stands in its place.
  std::filesystem::create_directory(Dir() + "/save.dat.tmp");
  std::filesystem::create_directory(Dir() + "/save.dat.tmp/x");
  rec.m_nA = 2;
  EXPECT_EQ(rec.SaveToFile("save.dat"), 0);
  EXPECT_EQ(ReadTestFile(Dir() + "/save.dat"), before);

  // A save into a folder that does not exist fails too.
  EXPECT_EQ(rec.SaveToFile("nowhere\\save.dat"), 0);
}

TEST_F(DataFileTest, LoadErrorBoxSaysWhyTheFileFailed) {
  cRecordingMessageBoxes boxes;
  g_bFileTooNew = 0;
  ShowLoadError("data\\x%s.dat");
  g_bFileTooNew = 1;
  ShowLoadError("data\\y.dat");
  ASSERT_EQ(boxes.shown.size(), 2u);
  EXPECT_EQ(boxes.shown[0].text, "data\\x%s.dat の読み込みに失敗しました！");
  EXPECT_EQ(boxes.shown[0].caption, "エラー");
  EXPECT_EQ(boxes.shown[1].text,
            "data\\y.dat の読み込みに失敗しました！\nソフトより上位のバージョンのファイルは使用できません。");
}

}  // namespace
