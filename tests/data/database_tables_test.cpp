#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "data/database/database.h"
#include "data/database/effect_kind_tables.h"
#include "data/database/frame_tables.h"
#include "platform/message_queue.h"

namespace {

class DatabaseTablesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_Database.Reset();
    ClearPostedMessages();
  }
  void TearDown() override { g_Database.Reset(); }
};

cAnimeFrame DatabaseTablesTestAnimeFrame(int pattern, int time, int hold) {
  cAnimeFrame f;
  f.m_nPattern = pattern;
  f.m_nTime = time;
  f.m_bHoldFrom = hold;
  return f;
}

cEffectFrame EffectFrame(int pattern, int time) {
  cEffectFrame f;
  f.m_nPattern = pattern;
  f.m_nTime = time;
  return f;
}

TEST_F(DatabaseTablesTest, AnimeTablesLoopTheNoneEntryAndHoldFromTheMarkedFrame) {
  g_Database.m_Anime.resize(4);
  g_Database.m_Anime[0].m_vFrame = {DatabaseTablesTestAnimeFrame(3, 2, 0), DatabaseTablesTestAnimeFrame(4, 5, 1)};
  g_Database.m_Anime[1].m_vFrame = {DatabaseTablesTestAnimeFrame(10, 1, 0), DatabaseTablesTestAnimeFrame(11, 2, 1), DatabaseTablesTestAnimeFrame(12, 3, 0)};
  g_Database.m_Anime[2].m_vFrame.clear();
  g_Database.m_Anime[3].m_vFrame = {DatabaseTablesTestAnimeFrame(1, INT_MAX, 0), DatabaseTablesTestAnimeFrame(2, INT_MIN, 0)};

  std::vector<FRAMELIST> tables;
  BuildAnimeTables(tables);
  const std::vector<FRAMELIST> expected = {
      {3, 0, 1, 4, 0, 1, -2, 0, 1},
      {10, 6, 0, 11, 12, 1, 12, 18, 1, -4, 0, 0},
      {-4, 0, 0},
      {1, INT_MAX, 0, 2, INT_MIN, 0, -4, 0, 0},  // durations held at the int32 limits
  };
  EXPECT_EQ(tables, expected);
}

TEST_F(DatabaseTablesTest, EffectTablesNeverHoldExceptTheNoneEntry) {
  g_Database.m_Effect.resize(3);
  g_Database.m_Effect[0].m_vFrame = {EffectFrame(1, 4), EffectFrame(2, 4)};
  g_Database.m_Effect[1].m_vFrame = {EffectFrame(5, 1), EffectFrame(6, 3)};
  g_Database.m_Effect[2].m_vFrame.clear();

  std::vector<FRAMELIST> tables(7);
  BuildEffectTables(tables);
  const std::vector<FRAMELIST> expected = {
      {1, 0, 1, 2, 0, 1, -2, 0, 1},
      {5, 6, 0, 6, 18, 0, -4, 0, 0},
      {-4, 0, 0},
  };
  EXPECT_EQ(tables, expected);
}

TEST_F(DatabaseTablesTest, EffectKindTablesHoldConsistentDescriptors) {
  static_assert(sizeof g_CharaEffectParam / sizeof g_CharaEffectParam[0] == 85);
  static_assert(sizeof g_ScrEffectParam / sizeof g_ScrEffectParam[0] == 70);
  auto chara = [](int kind, int slot) { return g_CharaEffectParam[kind * EFFECT_PARAM_SLOTS + slot]; };
  auto scr = [](int kind, int slot) { return g_ScrEffectParam[kind * EFFECT_PARAM_SLOTS + slot]; };
  // The parameters that the old-file conversion takes defaults from.
  EXPECT_EQ(chara(4, 4).m_nDefault, 2);
  EXPECT_EQ(chara(5, 4).m_nDefault, 2);
  EXPECT_EQ(chara(10, 3).m_nDefault, 2);
  EXPECT_EQ(scr(6, 4).m_nDefault, 8);
  EXPECT_EQ(scr(7, 4).m_nDefault, 10);
  EXPECT_EQ(scr(10, 3).m_nDefault, 8);

  struct Family {
    const char* what;
    const EFFECTPARAM* params;
    int kinds;
    const char* const* names;
    const char* const* notes;
  };
  const Family families[] = {
      {"character", g_CharaEffectParam, CHARA_EFFECT_KINDS, g_CharaEffectName, g_CharaEffectNote},
      {"screen", g_ScrEffectParam, SCR_EFFECT_KINDS, g_ScrEffectName, g_ScrEffectNote},
  };
  const std::string with = "Direct3D有効時：";
  const std::string without = "\nDirect3D無効時：";
  for (const Family& f : families) {
    SCOPED_TRACE(f.what);
    for (int slot = 0; slot < EFFECT_PARAM_SLOTS; ++slot) {
      const EFFECTPARAM& none = f.params[slot];
      EXPECT_STREQ(none.m_strName, "");
      EXPECT_EQ(none.m_nMin | none.m_nMax | none.m_nDefault, 0);
    }
    for (int kind = 1; kind < f.kinds; ++kind) {
      SCOPED_TRACE(kind);
      EXPECT_STREQ(f.params[kind * EFFECT_PARAM_SLOTS].m_strName, "実行時間(1/10s)");
      for (int slot = 0; slot < EFFECT_PARAM_SLOTS; ++slot) {
        const EFFECTPARAM& p = f.params[kind * EFFECT_PARAM_SLOTS + slot];
        if (*p.m_strName == '\0') {
          EXPECT_EQ(p.m_nMin | p.m_nMax | p.m_nDefault, 0) << slot;
        } else {
          EXPECT_LE(p.m_nMin, p.m_nDefault) << slot;
          EXPECT_LE(p.m_nDefault, p.m_nMax) << slot;
        }
      }
      EXPECT_STRNE(f.names[kind - 1], "");
      const std::string note = f.notes[kind - 1];
      EXPECT_EQ(note.rfind(with, 0), 0u) << note;
      EXPECT_NE(note.find(without), std::string::npos) << note;
    }
    EXPECT_STREQ(f.names[f.kinds - 1], "");
    EXPECT_STREQ(f.notes[f.kinds - 1], "");
  }
  // Kinds that share their descriptors.
  for (auto [a, b] : {std::pair{2, 3}, {4, 5}, {7, 8}}) {
    for (int slot = 0; slot < EFFECT_PARAM_SLOTS; ++slot) {
      EXPECT_STREQ(chara(a, slot).m_strName, chara(b, slot).m_strName);
      EXPECT_EQ(chara(a, slot).m_nMax, chara(b, slot).m_nMax);
      EXPECT_EQ(chara(a, slot).m_nDefault, chara(b, slot).m_nDefault);
    }
  }
  EXPECT_STREQ(g_CharaEffectNote[7], "Direct3D有効時：回転Aと回転Bは同じ\nDirect3D無効時：やや遅い。巨大キャラには描画精度重視");
  EXPECT_STREQ(g_ScrEffectName[12], "モザイク");
}

}  // namespace
