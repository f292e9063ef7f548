// A character's animation: the player built from its animation set, the overlays that
// flows lay over it, and animation numbers the set does not have.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "data/database/anime_set_data.h"
#include "data/database/database.h"
#include "objects/chara.h"

namespace {

cAnimeFrame Frame(std::int32_t pattern, std::int32_t tenths) {
  cAnimeFrame frame;
  frame.m_nPattern = pattern;
  frame.m_nTime = tenths;
  return frame;
}

class CharaAnime : public ::testing::Test {
 protected:
  void SetUp() override {
    m_SavedDatabase = g_Database;
    cAnimeSetData set;
    set.m_vState.assign(2, cAnimeData());
    set.m_vState[0].m_vFrame = {Frame(3, 1), Frame(5, 2)};
    set.m_vState[1].m_vFrame = {Frame(9, 1)};
    g_Database.m_AnimeSet.assign(2, cAnimeSetData());
    g_Database.m_AnimeSet[1] = set;
  }
  void TearDown() override { g_Database = m_SavedDatabase; }

  std::vector<std::int32_t> Patterns(int frames, std::int32_t bPaused = 0) {
    std::vector<std::int32_t> out;
    for (int i = 0; i < frames; ++i) out.push_back(m_Chara.StepAnime(bPaused));
    return out;
  }
  // An overlay showing `pattern` for a long time, then ending with the data's end mark.
  cAnimeOverlay& AddOverlay(std::int32_t pattern, std::int32_t bTimed, std::int32_t framesLeft,
                            std::int32_t ticks = 1000) {
    static std::vector<std::vector<std::int32_t>> s_Lists;
    s_Lists.push_back({pattern, ticks, 0, -4, 0, 0});
    const std::int32_t* table[2] = {s_Lists.back().data(), nullptr};
    cAnimeOverlay& overlay = m_Chara.m_lstAnimeOverlay.emplace_front();
    overlay.m_Anime.SetTable(table);
    overlay.m_Anime.Set(0, 1);
    overlay.m_bTimed = bTimed;
    overlay.m_nFramesLeft = framesLeft;
    return overlay;
  }

  cChara m_Chara;

 private:
  cDatabase m_SavedDatabase;
};

TEST_F(CharaAnime, TheSetsStatesPlayInSixthsAndLoop) {
  m_Chara.SetAnimeSet(1, 1);
  const std::vector<std::int32_t> patterns = Patterns(20);
  // Pattern 3 for one tenth (6 frames), 5 for two (12), then from the start again.
  std::vector<std::int32_t> expected(5, 3);
  expected.insert(expected.end(), 12, 5);
  expected.insert(expected.end(), 3, 3);
  EXPECT_EQ(patterns, expected);
  EXPECT_EQ(Patterns(3, 1), std::vector<std::int32_t>(3, 3));  // paused: the frame stands
}

TEST_F(CharaAnime, ASetIsRebuiltOnlyWhenItChangesOrIsForced) {
  m_Chara.SetAnimeSet(1, 1);
  Patterns(8);
  m_Chara.SetAnimeSet(1, 0);
  EXPECT_EQ(m_Chara.StepAnime(0), 5);  // still where it was
  m_Chara.SetAnimeSet(1, 1);
  EXPECT_EQ(m_Chara.StepAnime(0), 3);  // started again
  m_Chara.m_Anime.Set(1, 1);
  EXPECT_EQ(m_Chara.StepAnime(0), 9);
}

TEST_F(CharaAnime, OverlaysShowByTheirKindAndFramesLeft) {
  struct Overlay {
    std::int32_t pattern;
    std::int32_t timed;
    std::int32_t framesLeft;
    std::int32_t stopped;
  };
  struct Case {
    const char* name;
    std::vector<Overlay> oldestFirst;
    std::int32_t shown;
  };
  const Case cases[] = {
      {"none: the set's own", {}, 3},
      {"an untimed one", {{40, 0, 0, 0}}, 40},
      {"a timed one wins over an untimed newer one", {{41, 1, 50, 0}, {40, 0, 0, 0}}, 41},
      {"of two timed the one with fewer frames left", {{41, 1, 50, 0}, {42, 1, 20, 0}, {43, 1, 30, 0}}, 42},
      {"a stopped one is not shown", {{41, 1, 50, 0}, {42, 1, 20, 1}}, 41},
      {"run-out timed ones: the first expired after one at 0", {{41, 1, -5, 0}, {42, 1, -1, 0}, {43, 1, 0, 0}}, 42},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    m_Chara.m_lstAnimeOverlay.clear();
    m_Chara.SetAnimeSet(1, 1);
    for (const Overlay& o : c.oldestFirst) AddOverlay(o.pattern, o.timed, o.framesLeft).m_bStopped = o.stopped;
    EXPECT_EQ(m_Chara.StepAnime(1), c.shown);
  }
}

TEST_F(CharaAnime, AnOverlayEndsWithItsAnimationAndTimedOnesCountDown) {
  m_Chara.SetAnimeSet(1, 1);
  cAnimeOverlay& timed = AddOverlay(40, 1, 10, 3);
  EXPECT_EQ(m_Chara.StepAnime(0), 40);
  EXPECT_EQ(timed.m_nFramesLeft, 9);
  EXPECT_EQ(m_Chara.StepAnime(0), 40);
  // The third step reaches the end mark: the overlay goes and the set shows again.
  EXPECT_EQ(m_Chara.StepAnime(0), 3);
  EXPECT_TRUE(m_Chara.m_lstAnimeOverlay.empty());
}

TEST_F(CharaAnime, AnAnimationTheSetLacksDrawsPatternZeroAndIsReportedOnce) {
  m_Chara.SetAnimeSet(1, 1);
  m_Chara.m_Anime.Set(7, 1);
  EXPECT_EQ(Patterns(3), std::vector<std::int32_t>(3, 0));
  m_Chara.m_Anime.Set(8, 1);
  Patterns(2);
  m_Chara.m_Anime.Set(7, 1);
  Patterns(2);
  EXPECT_EQ(m_Chara.m_vBadAnimeReported, (std::vector<std::int32_t>{7, 8}));
}

}  // namespace
