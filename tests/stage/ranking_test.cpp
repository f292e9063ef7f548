// Rankings: the place of a value and the insert, the ranking file with its old and
// damaged forms, the path rule, the result kinds of a play mode and the number texts.
#include "stage/ranking.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>

#include "data/record/data_record.h"
#include "data/save/play_mode.h"
#include "data/save/progress.h"
#include "data/system/system_data.h"
#include "stage/ranking_kinds.h"
#include "stage/ranking_text.h"
#include "tests/support/byte_builder.h"
#include "tests/support/temp_dir.h"

namespace {

cRanking Filled(int higherBetter, std::initializer_list<std::int32_t> values) {
  cRanking ranking;
  ranking.m_bHigherBetter = higherBetter;
  for (const std::int32_t v : values) ranking.Insert("abc", v);
  return ranking;
}

std::vector<std::int32_t> Values(const cRanking& ranking) {
  std::vector<std::int32_t> values;
  for (const cRankEntry& e : ranking.m_vEntry)
    if (e.m_bUsed != 0) values.push_back(e.m_nValue);
  return values;
}

TEST(RankingTest, InsertKeepsOrderTiesAndLength) {
  struct Case {
    const char* what;
    int higherBetter;
    std::vector<std::int32_t> before;
    std::int32_t value;
    int expectRank;
    std::vector<std::int32_t> after;
  } const cases[] = {
      {"a tie goes after the equal value", 1, {900, 500, 300}, 500, 2, {900, 500, 500, 300}},
      {"an empty place takes anything", 1, {}, -7, 0, {-7}},
      {"lower first: smaller before larger", 0, {1000, 3000}, 2000, 1, {1000, 2000, 3000}},
      {"lower first: a tie goes after", 0, {1000, 3000}, 1000, 1, {1000, 1000, 3000}},
      {"the smallest int ranks last when higher is better", 1, {0, -5}, INT_MIN, 2, {0, -5, INT_MIN}},
      {"the smallest int ranks first when lower is better", 0, {-5, 0}, INT_MIN, 0, {INT_MIN, -5, 0}},
      {"the largest int ranks first", 1, {INT_MAX - 1}, INT_MAX, 0, {INT_MAX, INT_MAX - 1}},
  };
  for (const Case& c : cases) {
    cRanking ranking = Filled(c.higherBetter, {});
    for (const std::int32_t v : c.before) ranking.Insert("abc", v);
    EXPECT_EQ(ranking.GetRank(c.value), c.expectRank) << c.what;
    ranking.Insert("new", c.value);
    EXPECT_EQ(Values(ranking), c.after) << c.what;
    EXPECT_EQ(ranking.m_vEntry.size(), 20u) << c.what;
    EXPECT_EQ(ranking.m_vEntry[static_cast<std::size_t>(c.expectRank)].m_strName, "new") << c.what;
  }
}

TEST(RankingTest, AFullListRefusesWhatRanksNowhere) {
  cRanking ranking = Filled(1, {});
  for (int i = 0; i < 20; ++i) ranking.Insert("abc", 100 - i);
  EXPECT_EQ(ranking.GetRank(81), -1);  // equal to the twentieth: after it, so nowhere
  EXPECT_EQ(ranking.GetRank(INT_MIN), -1);
  const std::vector<std::int32_t> before = Values(ranking);
  ranking.Insert("zzz", 50);
  EXPECT_EQ(Values(ranking), before);
  ranking.Insert("top", 1000);  // the last place drops out
  EXPECT_EQ(Values(ranking).front(), 1000);
  EXPECT_EQ(Values(ranking).back(), 82);
  EXPECT_EQ(ranking.m_vEntry.size(), 20u);
}

TEST(RankingTest, FreshSetHasFiveListsAndWritesItsExactSize) {
  cRankingSet set;
  ASSERT_EQ(set.m_vRanking.size(), 5u);
  const std::int32_t higher[] = {1, 1, 0, 1, 1};
  for (std::size_t k = 0; k < 5; ++k) {
    EXPECT_EQ(set.m_vRanking[k].m_bHigherBetter, higher[k]);
    EXPECT_EQ(set.m_vRanking[k].m_vEntry.size(), 20u);
  }
  cDataWriter out;
  out.WriteInt32(g_nDataVersion);
  set.Write(out);
  EXPECT_EQ(out.Bytes().size(), 2096u);
}

// A set body: the set's counts, then the lists given as (higher-better, entries).
struct ListSpec {
  std::int32_t higherBetter;
  std::vector<std::pair<std::string, std::int32_t>> entries;
  std::int32_t emptyPlaces = 0;
};
std::vector<std::uint8_t> SetFile(std::int32_t version, const std::vector<ListSpec>& lists) {
  cByteBuilder b;
  b.I32(version).I32(0).I32(0).Count(static_cast<std::int32_t>(lists.size()));
  for (const ListSpec& l : lists) {
    b.I32(1).I32(l.higherBetter).I32(0).Count(static_cast<std::int32_t>(l.entries.size()) + l.emptyPlaces);
    for (const auto& [name, value] : l.entries) b.I32(2).I32(1).I32(value).I32(1).Text(name);
    for (int i = 0; i < l.emptyPlaces; ++i) b.I32(2).I32(0).I32(0).I32(1).Text("");
  }
  return b.Get();
}

class RankingFileTest : public cTempDirTest {};

TEST_F(RankingFileTest, ReadGivesFiveListsOfTwentyWhateverTheFileHeld) {
  struct Case {
    const char* what;
    std::int32_t version;
    std::vector<ListSpec> lists;
    std::vector<std::int32_t> expectHigher;
  } const cases[] = {
      {"an old file of three lists", 180, {{0, {{"abc", 5}}}, {0, {}}, {0, {}}}, {0, 0, 0, 1, 1}},
      {"a current file of two lists", 811, {{1, {{"abc", 5}}}, {1, {}}}, {1, 1, 0, 1, 1}},
      {"no lists at all", 811, {}, {1, 1, 0, 1, 1}},
      {"seven lists", 811, {{1, {}}, {1, {}}, {0, {}}, {1, {}}, {1, {}}, {0, {}}, {0, {}}}, {1, 1, 0, 1, 1}},
      {"a list of 25 places", 811, {{1, {{"abc", 5}}, 24}}, {1, 1, 0, 1, 1}},
  };
  for (const Case& c : cases) {
    WriteTestFile("r.rkg", SetFile(c.version, c.lists));
    cRankingSet set;
    set.m_vRanking.clear();
    ASSERT_EQ(set.LoadFromFile("r.rkg"), 1) << c.what;
    ASSERT_EQ(set.m_vRanking.size(), 5u) << c.what;
    for (std::size_t k = 0; k < 5; ++k) {
      EXPECT_EQ(set.m_vRanking[k].m_bHigherBetter, c.expectHigher[k]) << c.what << " list " << k;
      EXPECT_EQ(set.m_vRanking[k].m_vEntry.size(), 20u) << c.what << " list " << k;
    }
    if (!c.lists.empty() && !c.lists[0].entries.empty()) {
      EXPECT_EQ(set.m_vRanking[0].m_vEntry[0].m_strName, "abc") << c.what;
      EXPECT_EQ(set.m_vRanking[0].m_vEntry[0].m_nValue, 5) << c.what;
    }
  }
}

TEST_F(RankingFileTest, EveryCutOfAFileLeavesFiveListsOfTwenty) {
  cRankingSet full;
  full.m_vRanking[0].Insert("abc", 7);
  full.m_vRanking[2].Insert("xy", 9);
  cDataWriter out;
  out.WriteInt32(g_nDataVersion);
  full.Write(out);
  const std::vector<std::uint8_t> bytes(out.Bytes().begin(), out.Bytes().end());
  // Cut anywhere, and with one count byte spoiled, the set still has its five lists of
  // twenty places whether or not the load is refused.
  for (std::size_t n = 0; n <= bytes.size(); n += 7) {
    for (const bool spoil : {false, true}) {
      std::vector<std::uint8_t> cut(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(n));
      if (spoil && cut.size() > 16) cut[16] = 0x7F;  // the first list's member count
      WriteTestFile("cut.rkg", cut);
      cRankingSet set;
      set.LoadFromFile("cut.rkg");
      ASSERT_EQ(set.m_vRanking.size(), 5u) << n;
      for (const cRanking& ranking : set.m_vRanking) ASSERT_EQ(ranking.m_vEntry.size(), 20u) << n;
    }
  }
}

TEST_F(RankingFileTest, LoadAndSaveByPlayModeAndStageName) {
  std::filesystem::create_directories("user_data/free");
  std::filesystem::create_directories("user_data/story");
  std::string path;
  EXPECT_TRUE(GetRankingPath(path, PLAYMODE_FREE, "data\\stg4\\stage01.", 1, 2, 3));
  EXPECT_EQ(path, "user_data\\free\\stage01.rkg");
  EXPECT_TRUE(GetRankingPath(path, PLAYMODE_STORY, "data\\stg4\\stage01.", 1, 2, 3));
  EXPECT_EQ(path, "user_data\\story\\stage01_c002_3.rkg");
  EXPECT_TRUE(GetRankingPath(path, PLAYMODE_CHALLENGE, "c01.", 0, 0, 0));
  EXPECT_EQ(path, "user_data\\challenge\\c01.rkg");
  EXPECT_FALSE(GetRankingPath(path, PLAYMODE_REPLAY, "stage01.", 0, 0, 0));

  cRankingSet set;
  set.m_vRanking[0].Insert("abc", 1234);
  ASSERT_TRUE(cRankingSet::Save(set, PLAYMODE_FREE, "stage01.", 0, 0, 0));
  EXPECT_FALSE(cRankingSet::Save(set, PLAYMODE_REPLAY, "stage01.", 0, 0, 0));
  cRankingSet loaded;
  ASSERT_TRUE(cRankingSet::Load(loaded, PLAYMODE_FREE, "stage01.", 0, 0, 0));
  EXPECT_EQ(loaded.m_vRanking[0].m_vEntry[0].m_strName, "abc");
  EXPECT_EQ(loaded.m_vRanking[0].m_vEntry[0].m_nValue, 1234);

  // A missing file, a newer one and the replay mode leave a fresh set.
  EXPECT_FALSE(cRankingSet::Load(loaded, PLAYMODE_FREE, "other.", 0, 0, 0));
  EXPECT_EQ(loaded.m_vRanking[0].m_vEntry[0].m_bUsed, 0);
  WriteTestFile("user_data/free/newer.rkg", SetFile(g_nDataVersion + 1, {{1, {{"abc", 9}}}}));
  loaded = set;
  EXPECT_FALSE(cRankingSet::Load(loaded, PLAYMODE_FREE, "newer.", 0, 0, 0));
  EXPECT_EQ(loaded.m_vRanking[0].m_vEntry[0].m_bUsed, 0);
  ASSERT_EQ(loaded.m_vRanking.size(), 5u);
  // A file whose list count is absurd is damaged: a fresh set, nothing allocated for it.
  cByteBuilder huge;
  huge.I32(811).I32(0).I32(0).Count(INT_MAX);
  WriteTestFile("user_data/free/huge.rkg", huge.Get());
  loaded = set;
  EXPECT_FALSE(cRankingSet::Load(loaded, PLAYMODE_FREE, "huge.", 0, 0, 0));
  EXPECT_EQ(loaded.m_vRanking.size(), 5u);
  EXPECT_EQ(loaded.m_vRanking[0].m_vEntry[0].m_bUsed, 0);
}

class RankKindsTest : public ::testing::Test {
 protected:
  void SetUp() override { m_Saved = g_SystemData.m_ModeRanking; }
  void TearDown() override { g_SystemData.m_ModeRanking = m_Saved; }
  void SetMode(int mode, int on, std::vector<std::uint8_t> kinds) {
    g_SystemData.m_ModeRanking.resize(4);
    g_SystemData.m_ModeRanking[static_cast<std::size_t>(mode)].m_bRankingOn = on;
    g_SystemData.m_ModeRanking[static_cast<std::size_t>(mode)].m_ResultOn = std::move(kinds);
  }
  std::vector<cModeRanking> m_Saved;
};

TEST_F(RankKindsTest, CountAndCursorOverTheEnabledKinds) {
  SetMode(PLAYMODE_FREE, 1, {0, 0, 1, 0, 0});
  EXPECT_EQ(GetCmdCount(PLAYMODE_FREE), 1);
  cProgress progress;
  progress.m_nRankGenre = 0;
  MoveCmdCursor(progress, PLAYMODE_FREE, 1);
  EXPECT_EQ(progress.m_nRankGenre, 2);
  MoveCmdCursor(progress, PLAYMODE_FREE, 1);
  EXPECT_EQ(progress.m_nRankGenre, 2);

  SetMode(PLAYMODE_STORY, 0, {1, 0, 1, 0, 1});
  EXPECT_EQ(GetCmdCount(PLAYMODE_STORY), 0);  // the ranking switch is off
  struct Case {
    int from, n, expect;
  } const cases[] = {
      {0, 1, 2}, {2, 1, 4}, {4, 1, 0}, {0, -1, 4}, {1, 0, 2}, {3, -1, 2},
      {0, 3, 0}, {0, INT_MIN, 2},  // whole turns come back; the smallest int steps safely
      {7, 0, 0}, {-3, 1, 2},       // a damaged genre counts as kind 0
  };
  for (const Case& c : cases) {
    progress.m_nRankGenre = c.from;
    MoveCmdCursor(progress, PLAYMODE_STORY, c.n);
    EXPECT_EQ(progress.m_nRankGenre, c.expect) << c.from << " " << c.n;
  }
  SetMode(PLAYMODE_CHALLENGE, 1, {0, 0, 0, 0, 0});
  progress.m_nRankGenre = 3;
  MoveCmdCursor(progress, PLAYMODE_CHALLENGE, 1);
  EXPECT_EQ(progress.m_nRankGenre, 3);
  EXPECT_EQ(GetCmdCount(9), 0);
}

TEST(RankingTextTest, DigitsNumbersAndTimes) {
  struct Digits {
    std::int32_t v;
    int expect;
  } const digits[] = {{0, 1}, {9, 1}, {10, 2}, {-42, 2}, {999999, 6}, {INT_MAX, 10}, {INT_MIN, 10}};
  for (const Digits& d : digits) EXPECT_EQ(GetDigitNum(d.v), d.expect) << d.v;

  struct Text {
    std::int32_t value;
    int width, zeroPad, plus;
    const char* expect;
  } const texts[] = {
      {7, 3, 0, 0, "  7"},  {7, 3, 1, 1, "+007"},          {-42, 0, 1, 0, "-42"},
      {0, 3, 0, 0, "  0"},  {INT_MIN, 0, 0, 0, "-2147483648"}, {123, 1, 0, 0, "123"},
      {5, 1000000, 1, 0, "0000000000000000000000000000000000000000000000000000000000000005"},
  };
  for (const Text& t : texts) {
    std::string out;
    IntToStr(out, t.value, t.width, t.zeroPad, t.plus);
    EXPECT_EQ(out, t.expect) << t.value << " " << t.width;
  }
  std::string time;
  TimeToStr(time, 12345);
  EXPECT_EQ(time, "02:03.45");
  TimeToStr(time, 599999);
  EXPECT_EQ(time, "99:59.99");
  TimeToStr(time, 0);
  EXPECT_EQ(time, "00:00.00");
  EXPECT_EQ(CountValue({-1, 3, -1, -1}, -1), 3);
}

}  // namespace
