// The animation player: end codes, interruption and tables with nothing to play.
#include "media/draw/anime_seq.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "platform/message_queue.h"

namespace {

typedef std::vector<std::int32_t> Triples;

// A table in the form the objects hand over: a null-terminated list of triple runs.
struct TableSource {
  std::vector<Triples> animes;
  std::vector<const std::int32_t*> pointers;
  explicit TableSource(std::vector<Triples> a) : animes(std::move(a)) {
    for (const Triples& t : animes) pointers.push_back(t.data());
    pointers.push_back(nullptr);
  }
};

struct UpdateCase {
  const char* name;
  std::vector<Triples> table;
  int start;  // animation Set (forced) before the ticks
  std::vector<int> patterns;
};

// Every case also checks that no table element outside its animation was asked for:
// the guard would close the game.
TEST(AnimeSeqTest, UpdatePlaysTheEndCodes) {
  const UpdateCase cases[] = {
      {"LoopCountsTheFirstTick", {{5, 2, 0, 6, 3, 0, -2, 0, 0}}, 0, {5, 6, 6, 6, 5, 5, 6, 6, 6, 5}},
      {"HoldStaysOnTheLastRealFrame", {{1, 1, 0, -1, 0, 0}}, 0, {1, 1, 1, 1}},
      {"HoldAfterSeveralFrames", {{1, 1, 0, 2, 2, 0, -1, 0, 0}}, 0, {2, 2, 2, 2, 2}},
      {"SwitchShowsTheTargetInTheSameTick", {{1, 1, 0, -3, 1, 0}, {9, 4, 0, -1, 0, 0}}, 0, {9, 9, 9, 9, 9}},
      {"SwitchAfterAFrame", {{1, 2, 0, -3, 1, 0}, {9, 1, 0, 8, 1, 0, -2, 0, 0}}, 0, {1, 9, 8, 9, 8}},
      {"SwitchOutsideTheTableHolds", {{1, 1, 0, 2, 1, 0, -3, 7, 0}}, 0, {2, 2, 2}},
      {"SwitchToANegativeNumberHolds", {{3, 1, 0, -3, -1, 0}}, 0, {3, 3, 3}},
      // Entries with no real frame, as the start-up frame lists build them.
      {"OnlyTheFinishedMarker", {{-4, 0, 0}}, 0, {-4, -4, -4}},
      {"OnlyALoopCode", {{-2, 0, 1}}, 0, {-2, -2, -2}},
      {"OnlyAHoldCode", {{-1, 0, 0}}, 0, {-1, -1}},
      {"OnlyASwitchToItself", {{-3, 0, 0}}, 0, {-3, -3}},
      {"FinishedMarkerAfterFrames", {{4, 1, 0, 5, 1, 0, -4, 0, 0}}, 0, {5, -4, -4, -4}},
      {"EmptyTableDrawsZero", {}, 0, {0, 0}},
      {"StartedOutsideTheTableDrawsZero", {{1, 1, 0, -1, 0, 0}}, 3, {0, 0}},
  };
  for (const UpdateCase& c : cases) {
    SCOPED_TRACE(c.name);
    const int closes = CountPostedMessages(WM_CLOSE);
    TableSource source(c.table);
    cAnimeSeq seq;
    seq.SetTable(source.pointers.data());
    seq.Set(c.start, 1);
    std::vector<int> got;
    for (std::size_t i = 0; i < c.patterns.size(); ++i) got.push_back(seq.Update());
    EXPECT_EQ(got, c.patterns);
    EXPECT_EQ(CountPostedMessages(WM_CLOSE), closes);
  }
}

TEST(AnimeSeqTest, SetTableKeepsTheFirstEndCodeAndTheLowByteOfTheFlag) {
  // The triples after the first end code are never read into the animation.
  TableSource source({{7, 3, 0x100, 8, 1, 0x101, -1, 0, 0, 99, 99, 1}, {-2, 0, 0}});
  cAnimeSeq seq;
  seq.SetTable(source.pointers.data());
  seq.Set(0, 1);
  EXPECT_EQ(seq.GetPattern(), 7);
  EXPECT_EQ(seq.Set(1, 0), 1) << "0x100 has a clear low byte";
  seq.Set(0, 1);
  for (int i = 0; i < 3; ++i) seq.Update();
  EXPECT_EQ(seq.GetPattern(), 8);
  EXPECT_EQ(seq.Set(1, 0), 0) << "0x101 forbids interruption";
  EXPECT_EQ(seq.Update(), 8);
  EXPECT_EQ(seq.Update(), 8) << "held, the trailing triple never read";

  seq.SetTable(nullptr);
  EXPECT_EQ(seq.GetPattern(), 8) << "a null table changes nothing";
}

TEST(AnimeSeqTest, NoInterruptFramesRefuseUnlessForced) {
  TableSource source({{1, 5, 1, -1, 0, 0}, {2, 5, 0, -1, 0, 0}});
  struct {
    const char* name;
    bool change;  // Change instead of Set
    int target, force, result, anime;
  } cases[] = {
      {"SetRefused", false, 1, 0, 0, 0},     {"SetForced", false, 1, 1, 1, 1},
      {"ChangeRefused", true, 1, 0, 0, 0},   {"ChangeForced", true, 1, 1, 1, 1},
      {"ChangeToCurrent", true, 0, 0, 1, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    cAnimeSeq seq;
    seq.SetTable(source.pointers.data());
    seq.Set(0, 1);
    seq.Update();
    seq.Update();
    const int result = c.change ? seq.Change(c.target, c.force) : seq.Set(c.target, c.force);
    EXPECT_EQ(result, c.result);
    EXPECT_EQ(seq.GetAnime(), c.anime);
  }
}

TEST(AnimeSeqTest, ChangeToTheCurrentAnimationKeepsItRunningAndSetRestarts) {
  TableSource source({{1, 2, 0, 2, 2, 0, -2, 0, 0}});
  cAnimeSeq seq;
  seq.SetTable(source.pointers.data());
  seq.Set(0, 1);
  seq.Update();
  seq.Update();  // frame 1 reached
  EXPECT_EQ(seq.Change(0, 0), 1);
  EXPECT_EQ(seq.Update(), 2);
  EXPECT_EQ(seq.Set(0, 0), 1);
  EXPECT_EQ(seq.GetPattern(), 1);
  EXPECT_EQ(seq.Update(), 1);
}

TEST(AnimeSeqTest, AnEmptyTableNeverRefusesAStart) {
  cAnimeSeq seq;
  const int closes = CountPostedMessages(WM_CLOSE);
  EXPECT_EQ(seq.Set(2, 0), 1);
  EXPECT_EQ(seq.Change(5, 0), 1);
  EXPECT_EQ(seq.GetPattern(), 0);
  EXPECT_EQ(CountPostedMessages(WM_CLOSE), closes);
}

}  // namespace
