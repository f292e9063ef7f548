#include "data/system/system_data.h"

#include <gtest/gtest.h>

#include <cstring>

#include "app/report_log.h"
#include "data/common/database_list_sizes.h"
#include "data/record/data_file.h"
#include "data/system/font_faces.h"
#include "data/system/label_tables.h"
#include "data/system/list_gaps.h"
#include "data/system/screen_texts.h"
#include "data/system/system_ini_keys.h"
#include "platform/message_queue.h"
#include "tests/data/system_file_image.h"
#include "tests/support/byte_builder.h"
#include "tests/support/database_sizes_fixture.h"
#include "tests/support/temp_dir.h"

namespace {

using sysimage::cSysFileImage;

std::vector<std::uint8_t> SystemDataTestBytes(cSystemData& rec) {
  cDataWriter out;
  rec.Write(out);
  return out.Bytes();
}

std::int32_t Int32At(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  std::int32_t v = 0;
  std::memcpy(&v, bytes.data() + at, 4);
  return v;
}

// A new record as the file format stores it.
cSysFileImage NewRecordImage() {
  cSysFileImage f;
  f.nFill = 0;
  f.Values = {{2, 100}, {3, 1},  {5, 60}, {8, 1},  {9, 1},  {10, 1}, {11, 1}, {12, 1}, {13, 40},
              {14, 1},  {15, 1}, {16, 1}, {17, 1}, {18, 1}, {19, 1}, {20, 1}, {21, 1}, {22, 1},
              {23, 1},  {33, 16}, {35, 1}, {61, 2}};
  f.Title = "";
  f.Carry.assign(25, 0);
  for (int i : {0, 1, 13, 14, 16, 17, 19, 20, 21}) f.Carry[static_cast<std::size_t>(i)] = 1;
  f.ResetSw.assign(25, 0);
  f.ResetSw[11] = f.ResetSw[12] = 1;
  f.Status = {{1, 1, 4, 0, 0, 0, "スコア"},
              {1, 1, 3, 0, 0, 0, "スコア"},
              {1, 1, 0, 0, 0, 0, "HP"},
              {1, 1, 0, 0, 0, 0, "SP"},
              {1, 1, 2, 0, 0, 0, "人"}};
  f.Lives = {5, 5, 5, 99};
  f.InfiniteLives = {1, 1, 1, 1};
  f.ModeRanking = {{1, {1, 1, 1, 1, 1}}, {1, {1, 1, 1, 1, 1}}, {1, {1, 1, 1, 1, 1}}, {0, {0, 0, 0, 0, 0}}};
  f.Texts = {"ワールド", "ステージ", "スコア", "ハイスコア", "トータルスコア", "スコア", "残り時間",
             "クリア時間", "残りHP", "残りSP", "ステージに挑む", "やっぱりやめる", "セーブする",
             "やっぱりやめる", "オートセーブＯＮ", "オートセーブＯＦＦ",
             "保存先が不明です！一度は「セーブ」して下さい！", "タイトルへ戻る", "やっぱりやめる",
             "しゅうりょう", "つづける", "リトライ", "マップへ戻る", "リトライ", "マップへ戻る",
             "Vキーでジャンルの切り替え", "スペースキーでタイトルへ戻る", "スペースキーで終了",
             "F3キーでランキングへ登録"};
  f.Sounds.assign(17, "");
  f.SceneBgm = {0, 0, 0, 0};
  f.SceneBgmLoop = {1, 1, 1, 1};
  f.TitleMenu = {{1, "はじめから"}, {1, "つづきから"}, {1, "チャレンジ"}, {1, "フリー"},
                 {1, "リプレイ"},   {1, "オプション"}, {1, "しゅうりょう"}};
  f.MapMenu = {{1, "セーブ"}, {1, "オートセーブ"}, {1, "もどる"}, {1, "タイトルへ"}};
  f.OptionMenu = {{1, ""}, {1, "BGM"}, {1, "SE"}, {1, "ランキング登録"}, {1, "ランキング登録名"}, {1, "もどる"}};
  f.RankReg = {"手動登録（登録名入力）", "手動登録（登録名固定）", "自動登録（登録名入力）", "自動登録（登録名固定）"};
  f.Ini = {{0, 2, "Direct3D", ""},      {0, 0, "WindowMode", ""},      {0, 0, "Bpp", ""},
           {0, 2, "VSync", ""},         {0, 0, "D3D_FontCache", ""},   {0, 1, "DD_FontCache", ""},
           {0, 0, "DD_VideoStretch", ""}, {0, 1, "ShowFps", ""},       {1, 0, "FreeStage", ""},
           {0, 0, "English", ""}};
  return f;
}

class SystemDataTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_nFileVersion = g_nDataVersion;
    g_bStripCR = 1;
    SetDatabaseSize(DBKIND_BGM, 10);
    ClearPostedMessages();
  }
  void TearDown() override { RestoreDatabaseAndPalettes(); }
  // Reads a body as a file of `version` would hold it; true unless the data is damaged.
  bool ReadAt(cSystemData& rec, int version, const std::vector<std::uint8_t>& body) {
    g_nFileVersion = version;
    cDataReader in(body);
    rec.Read(in);
    return !in.Damaged();
  }
};

TEST_F(SystemDataTest, NewRecordWritesTheDefaultsInFileLayout) {
  cSystemData rec;
  const std::vector<std::uint8_t> body = SystemDataTestBytes(rec);
  EXPECT_EQ(body, NewRecordImage().Body());
  ASSERT_EQ(body.size(), 2182u);
  EXPECT_EQ(Int32At(body, 0), 61);        // members
  EXPECT_EQ(Int32At(body, 8), 100);       // member 2, after member 1
  EXPECT_EQ(Int32At(body, 4 + 235), 1);   // 58 int32 and 3 bytes, then one text
  EXPECT_EQ(Int32At(body, 4 + 235 + 4), 1);  // the empty title
  EXPECT_EQ(body[4 + 25 * 4 + 1], 0);     // green of the key colour, a single byte
}

TEST_F(SystemDataTest, NewRecordHoldsTheDefaultTables) {
  cSystemData rec;
  const char* const pause[] = {"しゅうりょう", "つづける", "リトライ", "マップへ戻る", "リトライ", "マップへ戻る"};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(rec.m_Texts[static_cast<std::size_t>(19 + i)], pause[i]);

  ASSERT_EQ(rec.m_IniItems.size(), 10u);
  const char* const keys[] = {"Direct3D", "WindowMode", "Bpp", "VSync", "D3D_FontCache",
                              "DD_FontCache", "DD_VideoStretch", "ShowFps", "FreeStage", "English"};
  const int values[] = {2, 0, 0, 2, 0, 1, 0, 1, 0, 0};
  for (std::size_t i = 0; i < 10; ++i) {
    SCOPED_TRACE(keys[i]);
    EXPECT_EQ(rec.m_IniItems[i].m_strKey, keys[i]);
    EXPECT_EQ(rec.m_IniItems[i].m_nKind, i == INIKEY_FREE_STAGE ? INIKIND_TEXT : INIKIND_INT);
    EXPECT_EQ(rec.m_IniItems[i].m_nValue, values[i]);
    EXPECT_EQ(rec.m_IniItems[i].m_strValue, "");
  }

  EXPECT_STREQ(SystemFontNames[121], "Sydnie");
  EXPECT_STREQ(SystemFontNames[122], "");
  EXPECT_STREQ(SystemFontNames[59], "ＭＳ ゴシック");
  EXPECT_STREQ(SystemFontNames[rec.m_nFontFace], "ＭＳ Ｐゴシック");
  for (int i = 0; i < 122; ++i) EXPECT_STRNE(SystemFontNames[i], "") << i;
  EXPECT_STREQ(PictureColorLabels[2], "");
  EXPECT_STREQ(DepthLabelsDD[2], "8bit(256色)");
  EXPECT_STREQ(ColorNames[9], "4色");
  EXPECT_STREQ(SideNames[3], "下");
}

TEST_F(SystemDataTest, ReadThenWriteGivesTheSameBytes) {
  cSysFileImage image;  // every member and list differs from a new record
  image.SceneBgm = {0, 3, 9, 1};
  const std::vector<std::uint8_t> body = image.Body();
  cSystemData rec;
  ASSERT_TRUE(ReadAt(rec, 811, body));
  EXPECT_EQ(rec.m_strTitle, "題名");
  EXPECT_EQ(rec.m_nFontFace, 5);
  EXPECT_EQ(rec.m_byKeyGreen, 5);
  EXPECT_EQ(rec.m_Texts[28], "t28");
  EXPECT_EQ(rec.m_IniItems[8].m_strValue, "stage");
  EXPECT_EQ(SystemDataTestBytes(rec), body);

  // Empty lists and a lone text survive as well.
  cSystemData sparse;
  sparse.m_Texts.clear();
  sparse.m_StatusItems.clear();
  sparse.m_ModeRanking.resize(1);
  sparse.m_ModeRanking[0].m_ResultOn.clear();
  const std::vector<std::uint8_t> sparseBody = SystemDataTestBytes(sparse);
  cSystemData back;
  ASSERT_TRUE(ReadAt(back, 811, sparseBody));
  EXPECT_TRUE(back.m_Texts.empty());
  EXPECT_EQ(SystemDataTestBytes(back), sparseBody);
}

TEST_F(SystemDataTest, SceneMusicOutsideTheBgmDatabaseBecomesNone) {
  cSysFileImage image;
  image.SceneBgm = {0, 3, 99, -1};
  cSystemData rec;
  ASSERT_TRUE(ReadAt(rec, 811, image.Body()));
  EXPECT_EQ(rec.m_SceneBgm, (std::vector<std::int32_t>{0, 3, 0, 0}));

  rec.m_SceneBgm = {9, 10, 1, 0};
  SystemDataTestBytes(rec);
  EXPECT_EQ(rec.m_SceneBgm, (std::vector<std::int32_t>{9, 0, 1, 0}));
}

TEST_F(SystemDataTest, FontFaceIsClampedIntoTheFaceTable) {
  const struct {
    std::int32_t nStored;
    std::int32_t nRead;
  } cases[] = {{0, 0}, {60, 60}, {122, 122}, {123, 122}, {0x7FFFFFFF, 122}, {-1, 0}, {INT32_MIN, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.nStored);
    cSysFileImage image;
    image.Values[5] = c.nStored;
    cSystemData rec;
    ASSERT_TRUE(ReadAt(rec, 811, image.Body()));
    EXPECT_EQ(rec.m_nFontFace, c.nRead);
    EXPECT_EQ(SystemFontName(c.nStored), SystemFontNames[c.nRead]);
  }
}

TEST_F(SystemDataTest, StatusThresholdsByValueAndByPercentage) {
  cSystemData rec;
  rec.m_StatusItems[STATUSITEM_HP].m_nThreshold = 33;
  rec.m_StatusItems[STATUSITEM_HP].m_bPercent = 1;
  rec.m_StatusItems[STATUSITEM_SP].m_nThreshold = 5;
  const struct {
    int nItem, nValue, nMax, nReached;
  } cases[] = {
      {STATUSITEM_HP, 33, 100, 1}, {STATUSITEM_HP, 34, 100, 0}, {STATUSITEM_HP, 1, 3, 0},
      {STATUSITEM_HP, 0, 0, 0},    {STATUSITEM_HP, 1, 0, 0},    {STATUSITEM_HP, -1, 0, 1},
      {STATUSITEM_SP, 5, 0, 1},    {STATUSITEM_SP, 6, 100, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.nItem << ": " << c.nValue << " of " << c.nMax);
    EXPECT_EQ(rec.IsStatusReached(c.nItem, c.nValue, c.nMax), c.nReached);
  }
  // An item the list lacks is reported and the program asked to close.
  rec.IsStatusReached(7, 1, 1);
  EXPECT_EQ(CountPostedMessages(WM_CLOSE), 1);
}

TEST_F(SystemDataTest, GapsMoveEntriesUpAndLoseTheLast) {
  const struct {
    int nIndex;
    std::vector<std::string> after;
  } cases[] = {
      {0, {"a", "a", "b", "c"}},
      {2, {"a", "b", "c", "c"}},
      {3, {"a", "b", "c", "d"}},
      {9, {"a", "b", "c", "d"}},
      {-1, {"a", "b", "c", "d"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.nIndex);
    std::vector<std::string> list = {"a", "b", "c", "d"};
    InsertTextGap(list, c.nIndex);
    EXPECT_EQ(list, c.after);
  }
  std::vector<std::uint8_t> none;
  InsertByteGap(none, 0);
  EXPECT_TRUE(none.empty());
}

TEST_F(SystemDataTest, DamagedDataFailsAndLeavesTheRecordWhole) {
  // The body up to the end of the title, for hand-made tails.
  cSysFileImage head;
  const std::vector<std::uint8_t> full = head.Body();
  const std::size_t titleEnd = 4 + 235 + 4 + 4 + head.Title.size() + 1;
  const auto headThen = [&](const cByteBuilder& tail) {
    std::vector<std::uint8_t> body(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(titleEnd));
    body.insert(body.end(), tail.Get().begin(), tail.Get().end());
    return body;
  };
  const struct {
    const char* what;
    std::vector<std::uint8_t> body;
  } cases[] = {
      {"huge member count", cByteBuilder().Count(0x7FFFFFFF).I32(1).Get()},
      {"negative byte-list count", headThen(cByteBuilder().Count(-1))},
      {"byte list longer than the data", headThen(cByteBuilder().Count(1 << 30).Fill(8))},
      {"status list longer than the data", headThen(cByteBuilder().Count(0).Count(0).Count(0x10000000))},
      {"text list longer than the data",
       headThen(cByteBuilder().Count(0).Count(0).Count(0).Count(0).Count(0).Count(0).Count(100000000))},
      {"text length beyond the data", headThen(cByteBuilder()
                                                   .Count(0)
                                                   .Count(0)
                                                   .Count(0)
                                                   .Count(0)
                                                   .Count(0)
                                                   .Count(0)
                                                   .Count(1)
                                                   .I32(0x7FFFFFF0)
                                                   .Raw("abc", 3))},
      {"negative ranking flags", headThen(cByteBuilder()
                                              .Count(0)
                                              .Count(0)
                                              .Count(0)
                                              .Count(0)
                                              .Count(0)
                                              .Count(1)
                                              .Count(1)
                                              .I32(1)
                                              .Count(0)
                                              .Count(-5)
                                              .Fill(16))},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    cSystemData fresh;
    cSystemData rec;
    EXPECT_FALSE(ReadAt(rec, 811, c.body));
    EXPECT_EQ(SystemDataTestBytes(rec), SystemDataTestBytes(fresh));
  }
}

TEST_F(SystemDataTest, ListsPastTheEndOfACutFileKeepTheirEntries) {
  cSysFileImage image;
  std::vector<std::uint8_t> body = image.Body();
  const std::size_t titleEnd = 4 + 235 + 4 + 4 + image.Title.size() + 1;
  body.resize(titleEnd + 4 + 25);  // the carry switches and nothing after them
  cSystemData rec;
  ASSERT_TRUE(ReadAt(rec, 811, body));
  EXPECT_EQ(rec.m_CarrySwitch[24], 124);
  cSystemData fresh;
  EXPECT_EQ(rec.m_ResetSwitch, fresh.m_ResetSwitch);
  EXPECT_EQ(rec.m_Texts, fresh.m_Texts);
  EXPECT_EQ(rec.m_IniItems.size(), 10u);
}

class SystemDataFileTest : public cTempDirTest {
 protected:
  void SetUp() override {
    cTempDirTest::SetUp();
    g_bStripCR = 1;
    g_bFileTooNew = 0;
    SetDatabaseSize(DBKIND_BGM, 10);
    ASSERT_EQ(OpenReportLog("Report_Game.txt"), 1);
  }
  void TearDown() override {
    RestoreDatabaseAndPalettes();
    cTempDirTest::TearDown();
  }
};

TEST_F(SystemDataFileTest, SavedFileLoadsBackAndADamagedOneFails) {
  cSystemData rec;
  rec.m_strTitle = "ゲーム";
  rec.m_SceneBgm = {1, 2, 3, 4};
  rec.m_bRuleCode752 = 1;
  rec.m_TitleMenu[6].m_bEnabled = 0;
  ASSERT_EQ(rec.SaveToFile("System.dat"), 1);
  const std::vector<std::uint8_t> file = ReadTestFile(Dir() + "/System.dat");
  ASSERT_GE(file.size(), 8u);
  EXPECT_EQ(Int32At(file, 0), 811);

  cSystemData back;
  ASSERT_EQ(back.LoadFromFile("System.dat"), 1);
  EXPECT_EQ(SystemDataTestBytes(back), SystemDataTestBytes(rec));

  // The member count cut to a huge value: a load failure with the record left whole.
  std::vector<std::uint8_t> damaged = file;
  damaged[4] = damaged[5] = damaged[6] = 0xFF;
  damaged[7] = 0x7F;
  WriteTestFile(Dir() + "/Bad.dat", damaged);
  cSystemData failed;
  EXPECT_EQ(failed.LoadFromFile("Bad.dat"), 0);
  cSystemData fresh;
  EXPECT_EQ(SystemDataTestBytes(failed), SystemDataTestBytes(fresh));
}

}  // namespace
