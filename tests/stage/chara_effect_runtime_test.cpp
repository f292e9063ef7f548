// The character-effect runtime: how long each run mode lasts and which values it passes,
// effects of damaged entries, and the stepping the draw handlers do without drawing.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "data/database/chara_effect_data.h"
#include "data/database/database.h"
#include "objects/chara.h"
#include "objects/chara_effect.h"
#include "objects/chara_effect_draw.h"
#include "objects/part_graphic.h"
#include "stage/effect_run_tables.h"

namespace {

class CharaEffectRuntime : public ::testing::Test {
 protected:
  void SetUp() override {
    m_SavedDatabase = g_Database;
    g_Database.m_CharaEffect.assign(1, cCharaEffectData());
  }
  void TearDown() override {
    g_Database = m_SavedDatabase;
    BuildCharaEffectTables(g_CharaEffectFwd, g_CharaEffectRev);
  }
  // Adds an entry and rebuilds the prepared tables; returns its id.
  static std::int32_t AddEntry(std::int32_t kind, std::int32_t p0, std::int32_t p1 = 0, std::int32_t p2 = 0,
                               std::int32_t p3 = 0, std::int32_t p4 = 0) {
    cCharaEffectData entry;
    entry.m_nKind = kind;
    const std::int32_t params[5] = {p0, p1, p2, p3, p4};
    for (int i = 0; i < 5; ++i) entry.m_nParam[i] = params[i];
    g_Database.m_CharaEffect.push_back(entry);
    BuildCharaEffectTables(g_CharaEffectFwd, g_CharaEffectRev);
    return static_cast<std::int32_t>(g_Database.m_CharaEffect.size() - 1);
  }
  // Steps until the end (at most `limit` steps): the steps taken, 0 when it never ended.
  static int StepsToEnd(cCharaEffect& effect, int limit, std::vector<double>* values = nullptr) {
    for (int i = 1; i <= limit; ++i) {
      const std::int32_t ended = effect.Step();
      if (values != nullptr) values->push_back(effect.m_dValue);
      if (ended != 0) return i;
    }
    return 0;
  }

 private:
  cDatabase m_SavedDatabase;
};

TEST_F(CharaEffectRuntime, RunModesLastTheirPassesAndPassTheirValues) {
  struct Case {
    const char* name;
    std::int32_t mode;
    std::int32_t repeat;
    int steps;           // steps to the end, 0 = never within 200
    double firstValue;   // value after the first step
  };
  // Burst from 0 to 12 in one tenth (6 frames): 2 dots a frame; the value may reach the
  // end and ends on the step past it.
  const Case cases[] = {
      {"forward", CHARAFX_RUN_NORMAL, 0, 7, 2.0},
      {"reverse from the end value", CHARAFX_RUN_REVERSE, 0, 7, 10.0},
      {"there and back", CHARAFX_RUN_BOTH, 0, 14, 2.0},
      {"there and back, repeating", CHARAFX_RUN_BOTH, 1, 0, 2.0},
      {"forward, repeating", CHARAFX_RUN_NORMAL, 1, 0, 2.0},
  };
  const std::int32_t id = AddEntry(1, 1, 0, 12);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    cCharaEffect effect;
    effect.Start(id, c.mode, c.repeat);
    std::vector<double> values;
    EXPECT_EQ(StepsToEnd(effect, 200, &values), c.steps);
    EXPECT_DOUBLE_EQ(values.front(), c.firstValue);
  }
}

TEST_F(CharaEffectRuntime, ThereAndBackTurnsAtTheEndValue) {
  const std::int32_t id = AddEntry(11, 1, 32, 44);  // zoom 32 -> 44 in 6 frames
  cCharaEffect effect;
  effect.Start(id, CHARAFX_RUN_BOTH, 0);
  std::vector<double> values;
  ASSERT_EQ(StepsToEnd(effect, 100, &values), 14);
  EXPECT_DOUBLE_EQ(values[5], 44.0);
  EXPECT_EQ(effect.m_bReverse, 1);
  EXPECT_DOUBLE_EQ(values[7], 42.0);  // the reversed pass starts again from 44
}

TEST_F(CharaEffectRuntime, EqualStartAndEndRunByTimeAtAConstantValue) {
  const std::int32_t id = AddEntry(13, 2, 5, 5);  // colour level 5 for two tenths
  cCharaEffect effect;
  effect.Start(id, CHARAFX_RUN_NORMAL, 0);
  std::vector<double> values;
  const int steps = StepsToEnd(effect, 100, &values);
  EXPECT_GE(steps, 12);
  EXPECT_LE(steps, 13);
  for (double v : values) EXPECT_DOUBLE_EQ(v, 5.0);
}

TEST_F(CharaEffectRuntime, DamagedTimesEndAfterOneFrameAtTheEndValue) {
  struct Case {
    const char* name;
    std::int32_t kind;
    std::int32_t p0;
  };
  const Case cases[] = {
      {"time 0 would divide by zero", 1, 0},
      {"negative time would run away from the end", 1, -5},
      {"blink of time 0", 6, 0},
      {"equal values with time 0", 13, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::int32_t id = AddEntry(c.kind, c.p0, 3, c.kind == 13 ? 3 : 40);
    cCharaEffect effect;
    effect.Start(id, CHARAFX_RUN_NORMAL, 0);
    EXPECT_EQ(effect.Step(), 1);
    EXPECT_DOUBLE_EQ(effect.m_dValue, effect.m_nEnd);
  }
}

TEST_F(CharaEffectRuntime, PreparedDirectionsSwapStartAndEndWithoutTouchingTheEntry) {
  const std::int32_t id = AddEntry(7, 10, 0, 1440);
  ASSERT_LT(static_cast<std::size_t>(id), g_CharaEffectRev.size());
  EXPECT_EQ(g_CharaEffectFwd[id].m_nStart, 0);
  EXPECT_EQ(g_CharaEffectFwd[id].m_nEnd, 1440);
  EXPECT_EQ(g_CharaEffectRev[id].m_nStart, 1440);
  EXPECT_EQ(g_CharaEffectRev[id].m_nEnd, 0);
  EXPECT_DOUBLE_EQ(g_CharaEffectFwd[id].m_dStep, 24.0);
  // Building again gives the same tables: nothing was swapped in the database.
  BuildCharaEffectTables(g_CharaEffectFwd, g_CharaEffectRev);
  EXPECT_EQ(g_CharaEffectRev[id].m_nStart, 1440);
  EXPECT_EQ(g_Database.m_CharaEffect[id].m_nParam[1], 0);
}

// The handlers' stepping without drawing (a character off screen).
class CharaEffectSteps : public CharaEffectRuntime {
 protected:
  std::int32_t StepOnce(std::int32_t bPaused) {
    cPartGraphic part;
    return DrawCharaEffectKind(m_Chara.m_CharaEffect.m_nId != 0 ? m_Chara.m_CharaEffect.Kind() : 0, m_Chara, nullptr,
                               part, bPaused, 0);
  }
  cChara m_Chara;
};

TEST_F(CharaEffectSteps, BlinksFlipTheirToggleAtTheInterval) {
  struct Case {
    const char* name;
    std::int32_t kind;
    std::int32_t interval;
    std::vector<std::int32_t> toggles;  // the toggle after each of the first steps
  };
  const Case cases[] = {
      {"blink, interval 0: every frame", 6, 0, {1, 0, 1, 0, 1}},
      {"blink, interval 2", 6, 2, {0, 0, 1, 1, 0}},
      {"translucent, interval 1", 14, 1, {0, 1, 0, 1, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::int32_t id = AddEntry(c.kind, 100, c.interval);
    m_Chara.m_CharaEffect.Start(id, CHARAFX_RUN_NORMAL, 0);
    EXPECT_EQ(m_Chara.m_CharaEffect.m_bToggle, 0);
    std::vector<std::int32_t> toggles;
    for (std::size_t i = 0; i < c.toggles.size(); ++i) {
      EXPECT_EQ(StepOnce(0), 0);
      toggles.push_back(m_Chara.m_CharaEffect.m_bToggle);
    }
    EXPECT_EQ(toggles, c.toggles);
  }
}

TEST_F(CharaEffectSteps, WavesTurnTheirPhaseAndPausedEffectsStandStill) {
  const std::int32_t id = AddEntry(4, 100, 0, 32, 2, 2);
  m_Chara.m_CharaEffect.Start(id, CHARAFX_RUN_NORMAL, 0);
  m_Chara.m_CharaEffect.m_nPhase = 358;
  StepOnce(0);
  EXPECT_EQ(m_Chara.m_CharaEffect.m_nPhase, 359);
  StepOnce(0);
  EXPECT_EQ(m_Chara.m_CharaEffect.m_nPhase, 0);
  const double value = m_Chara.m_CharaEffect.m_dValue;
  EXPECT_EQ(StepOnce(1), 0);
  EXPECT_EQ(m_Chara.m_CharaEffect.m_nPhase, 0);
  EXPECT_DOUBLE_EQ(m_Chara.m_CharaEffect.m_dValue, value);
}

TEST_F(CharaEffectSteps, UnknownKindsEndAtOnceAndNoEffectNeverEnds) {
  cPartGraphic part;
  for (std::int32_t kind : {-1, 17, 1000}) {
    SCOPED_TRACE(kind);
    EXPECT_EQ(DrawCharaEffectKind(kind, m_Chara, nullptr, part, 0, 1), 1);
  }
  for (int i = 0; i < 100; ++i) ASSERT_EQ(DrawCharaEffectKind(0, m_Chara, nullptr, part, 0, 1), 0);
}

TEST_F(CharaEffectSteps, TheCharacterStepClearsTheIdAtTheEnd) {
  const std::int32_t id = AddEntry(1, 1, 0, 12);
  m_Chara.m_CharaEffect.Start(id, CHARAFX_RUN_NORMAL, 0);
  int frames = 0;
  while (m_Chara.m_CharaEffect.m_nId != 0 && frames < 100) {
    m_Chara.StepCharaEffect(0);
    ++frames;
  }
  EXPECT_EQ(frames, 7);
}

}  // namespace

namespace {

// The defeat animation: how many frames it lasts for each kind of character.
class DefeatAnimation : public CharaEffectSteps {
 protected:
  // Frames of DrawDying until it reports the end (at most `limit`), paused every
  // `pauseEvery`-th frame when not 0.
  int FramesToEnd(int limit, int pauseEvery = 0) {
    for (int i = 1; i <= limit; ++i) {
      const std::int32_t paused = pauseEvery != 0 && i % pauseEvery == 0 ? 1 : 0;
      if (m_Chara.DrawDying(nullptr, paused) != 0) return i;
    }
    return 0;
  }
};

TEST_F(DefeatAnimation, EndsAfterTheEffectAndForAHeroSixtyOneFramesMore) {
  struct Case {
    const char* name;
    std::int32_t kind;  // m_nKind: 0 a hero, 1 a computer character
    bool effect;
    int pauseEvery;
    int frames;
  };
  // The effect: a burst of one tenth, 7 steps.
  const Case cases[] = {
      {"computer character without an effect: at once", 1, false, 0, 1},
      {"computer character: with its effect's end", 1, true, 0, 7},
      {"hero without an effect: 61 frames", 0, false, 0, 61},
      {"hero: its effect, then 61 frames", 0, true, 0, 68},
      {"hero: paused frames do not count", 0, false, 2, 121},
  };
  const std::int32_t id = AddEntry(1, 1, 0, 12);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    m_Chara = cChara();
    m_Chara.m_nKind = c.kind;
    m_Chara.m_bDying = 1;
    if (c.effect) m_Chara.m_CharaEffect.Start(id, CHARAFX_RUN_NORMAL, 0);
    EXPECT_EQ(FramesToEnd(300, c.pauseEvery), c.frames);
  }
}

TEST_F(CharaEffectSteps, GaugesShowTheirChangeUntilSixtyFramesAreLeft) {
  cGaugeAnim& gauge = m_Chara.m_HpGauge;
  gauge.m_nFrames = 62;
  gauge.m_dSegment = -6;
  gauge.m_dShrink = -0.1;
  m_Chara.DrawHpGauge(nullptr);
  EXPECT_EQ(gauge.m_nFrames, 61);
  EXPECT_DOUBLE_EQ(gauge.m_dSegment, -5.9);
  m_Chara.DrawHpGauge(nullptr);
  m_Chara.DrawHpGauge(nullptr);
  EXPECT_EQ(gauge.m_nFrames, 59);
  EXPECT_DOUBLE_EQ(gauge.m_dSegment, 0);
  // A dying character shows none and its gauge stands.
  m_Chara.m_bDying = 1;
  m_Chara.DrawHpGauge(nullptr);
  EXPECT_EQ(gauge.m_nFrames, 59);
}

}  // namespace
