// The commands that change a character's look: graphic, animation set, an anime overlay
// keyed to the running flow, and the character effect.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "data/database/anime_set_data.h"
#include "data/database/chara_effect_data.h"
#include "data/database/database.h"
#include "data/database/frame_tables.h"
#include "data/flow/flow_command.h"
#include "flow/flow_run.h"
#include "objects/chara.h"
#include "platform/message_queue.h"
#include "shell/game_mgr.h"
#include "stage/effect_run_tables.h"
#include "stage/scene_game.h"

namespace {

cFlowCmd Command(std::vector<std::int32_t> params) {
  cFlowCmd cmd;
  cmd.m_vParam = std::move(params);
  return cmd;
}

class CharaVisualCmds : public ::testing::Test {
 protected:
  void SetUp() override {
    m_SavedDatabase = g_Database;
    m_SavedTables = g_AnimeTables;
    // Anime 1 shows pattern 7 for 12 frames, then ends.
    g_AnimeTables = {{0, 0, 1, -2, 0, 1}, {7, 12, 0, -4, 0, 0}};
    g_Database.m_AnimeSet.assign(3, cAnimeSetData());
    cCharaEffectData zoom;
    zoom.m_nKind = 11;
    zoom.m_nParam[0] = 10;
    zoom.m_nParam[1] = 32;
    zoom.m_nParam[2] = 64;
    g_Database.m_CharaEffect = {cCharaEffectData(), zoom};
    BuildCharaEffectTables(g_CharaEffectFwd, g_CharaEffectRev);
    ClearPostedMessages();
  }
  void TearDown() override {
    g_lpSceneGame = nullptr;
    g_AnimeTables = m_SavedTables;
    g_Database = m_SavedDatabase;
    BuildCharaEffectTables(g_CharaEffectFwd, g_CharaEffectRev);
    ClearPostedMessages();
  }
  cChara m_Chara;

 private:
  cDatabase m_SavedDatabase;
  std::vector<FRAMELIST> m_SavedTables;
};

TEST_F(CharaVisualCmds, ChangeGraphicSetsSourceNumberAndOffset) {
  cFlowCmd cmd = Command({0x104, 37, -12});
  m_Chara.CmdChangeGraphic(cmd);
  EXPECT_EQ(m_Chara.m_Def.m_nGraphicKind, 4);  // the low byte
  EXPECT_EQ(m_Chara.m_Def.m_nGraphic, 37);
  EXPECT_EQ(m_Chara.m_nGraphic, 37);
  EXPECT_EQ(m_Chara.m_Def.m_nPattern, -12);
}

TEST_F(CharaVisualCmds, ChangeAnimeSetKeepsARunningSet) {
  m_Chara.SetAnimeSet(2, 1);
  m_Chara.m_Anime.Set(0, 1);
  cFlowCmd same = Command({2});
  m_Chara.CmdChangeAnimeSet(same);
  EXPECT_EQ(m_Chara.m_nAnimeSet, 2);
  cFlowCmd other = Command({1});
  m_Chara.CmdChangeAnimeSet(other);
  EXPECT_EQ(m_Chara.m_nAnimeSet, 1);
}

TEST_F(CharaVisualCmds, AnimeOverlaysCarryTheRunningFlowsKeyAndShowUntilTheirEnd) {
  cSceneGame scene;
  g_lpSceneGame = &scene;
  cFlowCmd cmd = Command({1});
  m_Chara.CmdAnime(cmd);  // no flow runs: an item command
  cFlowRun run;
  run.m_nFlowKey = 5;
  scene.m_pFlowRun = &run;
  m_Chara.CmdAnime(cmd);
  ASSERT_EQ(m_Chara.m_lstAnimeOverlay.size(), 2u);
  EXPECT_EQ(m_Chara.m_lstAnimeOverlay.front().m_nFlowKey, 5);  // the newest in front
  EXPECT_EQ(m_Chara.m_lstAnimeOverlay.back().m_nFlowKey, -1);
  EXPECT_EQ(m_Chara.m_lstAnimeOverlay.front().m_bTimed, 0);
  EXPECT_EQ(m_Chara.StepAnime(0), 7);
  for (int i = 0; i < 10; ++i) m_Chara.StepAnime(0);
  EXPECT_EQ(m_Chara.StepAnime(0), 0);  // both reached the end mark
  EXPECT_TRUE(m_Chara.m_lstAnimeOverlay.empty());
  scene.m_pFlowRun = nullptr;
}

TEST_F(CharaVisualCmds, AnimeOfANumberOutsideTheTablesClosesTheGameSafely) {
  cFlowCmd cmd = Command({9});
  m_Chara.CmdAnime(cmd);
  EXPECT_GT(CountPostedMessages(WM_CLOSE), 0);
  // Table 0 was used instead: a harmless loop of pattern 0.
  ASSERT_EQ(m_Chara.m_lstAnimeOverlay.size(), 1u);
  EXPECT_EQ(m_Chara.StepAnime(0), 0);
}

TEST_F(CharaVisualCmds, CharaEffectStartsTheEntryInItsMode) {
  cFlowCmd cmd = Command({1, 1, 0});
  m_Chara.CmdCharaEffect(cmd);
  EXPECT_EQ(m_Chara.m_CharaEffect.m_nId, 1);
  EXPECT_EQ(m_Chara.m_CharaEffect.m_bReverse, 1);
  EXPECT_DOUBLE_EQ(m_Chara.m_CharaEffect.m_dValue, 64.0);
}

}  // namespace
