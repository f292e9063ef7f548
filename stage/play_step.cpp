// The play state's frame: input (or replay playback), the timers, then n physics
// sub-steps in a fixed order, then the drawing.
#include <algorithm>
#include <array>
#include <climits>
#include <iterator>

#include "app/checked_access.h"
#include "app/main_window_handle.h"
#include "app/frame_timing.h"
#include "app/report_log.h"
#include "data/save/progress.h"
#include "data/stage/stage_data.h"
#include "data/system/system_data.h"
#include "media/input/input.h"
#include "objects/chara.h"
#include "objects/item.h"
#include "objects/player.h"
#include "objects/shot.h"
#include "platform/message_queue.h"
#include "shell/game_mgr.h"
#include "shell/game_init.h"
#include "shell/game_requests.h"
#include "stage/chara_index.h"
#include "stage/list_walk.h"
#include "stage/replay.h"
#include "stage/replay_requests.h"
#include "stage/scene_game.h"
#include "stage/stage_world.h"

namespace {

constexpr std::int8_t kTriggerAlways = 0;  // FLOWTRIG_ALWAYS
constexpr std::int32_t kPlayTimeCap = 599999;  // 99:59.99

enum class SubStepEnd { kGoOn, kReturn };

}  // namespace

void cSceneGame::StatePlay() {
  if (m_bQuit != 0) {
    PostMessageA(g_hWnd, WM_CLOSE, 0, 0);
    return;
  }
  if (CheckPauseKey() != 0) {
    m_nSubState = 0;
    m_nState = GAMESTATE_PAUSE;
    return;
  }
  if (CheckReplaySaveKey() != 0) return;
  ++m_nFrameCount;

  cPlayer& hero = CheckedAt(g_vPlayer, 0);
  cInput& input = CheckedAt(g_Input, 0);
  if (!IsReplayPlayback()) {
    if (hero.m_bNoDirInput != 0) input.ClearDir();
    if (hero.m_bNoButtonInput != 0) input.ClearButtons();
    if (input.m_wButton == 0)
      m_bWaitRelease = 0;
    else if (m_bWaitRelease != 0)
      input.m_wButton = 0;
    input.UpdateHistory();
    input.UpdateSequences();
    if (g_SystemData.m_bRecordReplay != 0) g_Replay.Record(input.m_wDir, input.m_wButton);
  } else {
    input.ClearDir();
    input.ClearButtons();
    std::uint16_t wDir = 0;
    std::uint16_t wButton = 0;
    if (g_Replay.Play(wDir, wButton) != 0) {
      g_Progress.RestoreSnapshot(1, g_GameMgr.m_nPlayMode, g_bStartStage);
      EnterStartState(SetStage(1, 1));
      return;
    }
    input.m_wDir = wDir;
    input.m_wButton = wButton;
    input.m_nKeypad = GetKeypadDir(input.m_wDir);
    input.UpdateHistory();
    input.UpdateSequences();
  }

  CountPlayTime();
  if (CountTimeLimit(-1) != 0 && hero.m_bDying == 0) {
    PlaySE(8);
    if (hero.Defeat() == STEP_CLEAR) {
      EndPlay();
      m_nState = GAMESTATE_CLEAR;
    }
    return;
  }

  hero.ResetTriggerLatches();
  for (cChara& chara : g_listChara) {
    if (chara.m_bDying == 0) chara.ResetTriggerLatches();
  }
  for (cChara& chara : g_listChara) chara.m_bWarpedX = chara.m_bWarpedY = 0;
  hero.m_bWarpedX = hero.m_bWarpedY = 0;

  const int n = g_StageData.m_nSubSteps;
  for (int k = 1; k <= n; ++k) {
    if (RunSubStep(k) != 0) return;
  }
  Draw(1, 0, 1, 1);
}

std::int32_t cSceneGame::RunSubStep(int k) {
  m_nSubStep = k;
  ++m_nSubStepTotal;
  UpdateActive();
  cPlayer& hero = CheckedAt(g_vPlayer, 0);

  // 2. Lifetimes.
  if (hero.m_bDying == 0) {
    for (auto it = g_listChara.begin(); it != g_listChara.end();) {
      if (it->m_bDying == 0 && it->m_nLife != INT_MAX && --it->m_nLife < 0) {
        it = RemoveChara(it);
        continue;
      }
      ++it;
    }
    for (auto it = g_listItem.begin(); it != g_listItem.end();) {
      if (it->m_nLife != INT_MAX && --it->m_nLife < 0) {
        it = EraseItem(it);
        continue;
      }
      ++it;
    }
  }

  // 3. Per-character bookkeeping.
  for (cChara& chara : g_listChara) {
    chara.TickInvincibility();
    chara.ClearBlockContacts();
    chara.SavePosition();
  }
  hero.TickInvincibility();
  hero.ClearBlockContacts();
  hero.SavePosition();
  // The player's facing is not saved here: nothing of the player reads a saved facing.
  hero.SaveFootCell();

  // 4. Automatic scroll.
  m_ScrollX.Step();
  m_ScrollY.Step();

  // The block characters every moving character is resolved against, and the
  // characters by id, kept for the passes of this sub-step.
  const cCharaIndexScope charaIndex(g_listChara);
  if (hero.m_bDying == 0 && StepBlockCharas() != 0) return 1;
  if (hero.m_bDying == 0 && StepPlayer(hero) != 0) return 1;
  if (hero.m_bDying == 0 && StepCharas() != 0) return 1;
  StepShots(k);
  if (k == 1 && hero.m_bDying == 0) RemoveOutOfRange();
  if (hero.m_bDying == 0) {
    std::int32_t r = FootBlockItem(hero);
    if (r == STEP_CONTINUE) r = HitGroups(g_listChara);
    if (r == STEP_CONTINUE && hero.m_bDying == 0) r = PickUpItems(hero);
    if (r == STEP_CLEAR) return ClearPlay();
    if (r == STEP_DEFEAT) return PlayerDies(hero, nullptr);
  }
  return 0;
}

std::int32_t cSceneGame::ClearPlay() {
  EndPlay();
  m_nState = GAMESTATE_CLEAR;
  return 1;
}

std::int32_t cSceneGame::PlayerDies(cPlayer& hero, const char* lpLogLine) {
  if (lpLogLine != nullptr) WriteECf("%s", lpLogLine);
  PlaySE(8);
  if (hero.Defeat() == STEP_CLEAR) return ClearPlay();
  return 1;
}

// A character whose flows ended it (removal asked, or no HP left), or that was crushed:
// its defeat runs, and it goes now or after its defeat animation. 1 ends the sub-step.
// The defeat runs died flows; the walk stays valid whatever they erase.
std::int32_t cSceneGame::DefeatChara(cListWalk<cChara>& walk, bool bCrushed) {
  if (bCrushed) PlaySE(9);
  const std::int32_t r = HandleDefeat(walk.Current(), g_listChara);
  const auto remove = [&]() {
    if (!walk.Gone()) RemoveChara(walk.Position());
  };
  if (bCrushed) {
    if (r == STEP_CLEAR) {
      remove();
      return 1;
    }
    return r == STEP_DEFEAT ? 1 : 0;
  }
  if (g_SystemData.m_bRuleDefeat272 != 0) {
    if (r == STEP_CLEAR) {
      remove();
      return 1;
    }
    // The defeat animation runs; the drawing removes the character when it ends.
    PlaySE(9);
  } else {
    remove();
  }
  return r != STEP_CONTINUE ? 1 : 0;
}

// The block-character pass and the ordinary-character pass walk the character list with
// a cListWalk: a character's flows may summon (the new ones are visited later in the same
// pass) or erase characters, this one included.
std::int32_t cSceneGame::StepBlockCharas() {
  for (cListWalk<cChara> walk(g_listChara); !walk.AtEnd(); walk.Next()) {
    cChara& chara = walk.Current();
    if (chara.m_Def.m_bBlockChara == 0 || chara.m_bDying != 0 || chara.m_bActive == 0 || chara.m_bAppearNow == 0)
      continue;
    chara.FireTrigger(kTriggerAlways);
    const std::int32_t flows = chara.RunFlows(0);
    if (walk.Gone()) continue;
    if (flows != 0) {
      if (DefeatChara(walk, false) != 0) return 1;
      continue;
    }
    if (m_bKilled != 0 && CheckDeaths() != 0) return 1;
    if (walk.Gone()) continue;
    bool bRemove = chara.StepX() == 4;
    bool bCrushed = HitBlockX(chara) == 2;
    chara.ApplyGravityIfFree();
    const std::int32_t y = chara.StepY();
    bCrushed = bCrushed || y == 7;
    bRemove = bRemove || y == 8;
    bCrushed = HitBlockY(chara) == 2 || bCrushed;
    if (bCrushed) {
      if (DefeatChara(walk, true) != 0) return 1;
      continue;
    }
    if (bRemove) {
      RemoveChara(walk.Position());
      continue;
    }
    chara.DecayImpactX();
    chara.DecayImpactY();
  }
  return 0;
}

std::int32_t cSceneGame::StepPlayer(cPlayer& hero) {
  hero.FireTrigger(kTriggerAlways);
  if (hero.RunFlows(0) != 0) return PlayerDies(hero, nullptr);
  if (m_nCmdResult == STEP_CLEAR) return ClearPlay();
  if (m_nCmdResult == STEP_DEFEAT) return PlayerDies(hero, nullptr);
  if (m_bKilled != 0 && CheckDeaths() != 0) return 1;
  FootBlockEffect(hero);
  if (hero.m_bRiding != 0) CarryRider(hero, g_listChara);

  hero.StepX();
  ClampScreenX(hero);
  if (HitBlockX(hero) == 2) return PlayerDies(hero, "Dead 1");
  ClampScreenX(hero);
  hero.ApplyGravityIfFree();
  if (hero.StepY() == 7) return PlayerDies(hero, "Dead 2");
  if (ClampScreenY(hero) == 2) return PlayerDies(hero, "Dead 3");
  if (HitBlockY(hero) == 2) return PlayerDies(hero, "Dead 4");
  if (ClampScreenY(hero) == 2) return PlayerDies(hero, "Dead 5");

  const auto crushed = [&hero]() {
    return ((hero.m_bHitLeft != 0 && hero.m_bHitRight != 0) || (hero.m_bHitTop != 0 && hero.m_bHitBottom != 0)) &&
           hero.m_nContactGrace == 0;
  };
  const auto crush = [&](const char* lpLine) {
    WriteECf("Player[P1].LRUD = %d,%d,%d,%d", hero.m_bHitLeft, hero.m_bHitRight, hero.m_bHitTop, hero.m_bHitBottom);
    hero.RestorePosition();
    return PlayerDies(hero, lpLine);
  };
  if (crushed()) return crush("Dead SP");
  if (HitCharaSolid(hero, g_listChara) == 2 && hero.m_bDying == 0 && hero.m_nContactGrace == 0)
    return PlayerDies(hero, "Dead 6");
  if (hero.m_bHitLeft != 0 || hero.m_bHitRight != 0) {
    if (HitBlockXAfterPush(hero) == 2 && hero.m_bDying == 0 && hero.m_nContactGrace == 0)
      return PlayerDies(hero, "Dead 7");
  }
  if (hero.m_bHitTop != 0 || hero.m_bHitBottom != 0) {
    if (HitBlockYAfterPush(hero) == 2 && hero.m_bDying == 0 && hero.m_nContactGrace == 0)
      return PlayerDies(hero, "Dead 8");
  }
  if (crushed()) return crush("Dead 9");
  hero.DecayImpactX();
  hero.DecayImpactY();
  return 0;
}

std::int32_t cSceneGame::StepCharas() {
  for (cListWalk<cChara> walk(g_listChara); !walk.AtEnd(); walk.Next()) {
    cChara& chara = walk.Current();
    if (chara.m_Def.m_bBlockChara != 0 || chara.m_bDying != 0 || chara.m_bActive == 0 || chara.m_bAppearNow == 0)
      continue;
    chara.FireTrigger(kTriggerAlways);
    const std::int32_t flows = chara.RunFlows(0);
    if (walk.Gone()) continue;
    if (flows != 0) {
      if (chara.m_bRemove != 0) {
        RemoveChara(walk.Position());
        continue;
      }
      if (DefeatChara(walk, false) != 0) return 1;
      continue;
    }
    if (m_bKilled != 0 && CheckDeaths() != 0) return 1;
    if (walk.Gone()) continue;
    if (chara.m_bRiding != 0) CarryRider(chara, g_listChara);
    bool bRemove = chara.StepX() == 4;
    bool bCrushed = HitBlockX(chara) == 2;
    chara.ApplyGravityIfFree();
    const std::int32_t y = chara.StepY();
    bCrushed = bCrushed || y == 7;
    bRemove = bRemove || y == 8;
    bCrushed = HitBlockY(chara) == 2 || bCrushed;
    bCrushed = HitCharaSolid(chara, g_listChara) == 2 || bCrushed;
    // A push by a block character into a block that is deadly to this character kills it.
    bCrushed = HitBlockXAfterPush(chara) == 2 || bCrushed;
    bCrushed = HitBlockYAfterPush(chara) == 2 || bCrushed;
    const bool bSqueezed =
        (chara.m_bHitTop != 0 && chara.m_bHitBottom != 0) || (chara.m_bHitLeft != 0 && chara.m_bHitRight != 0);
    if (bCrushed || bSqueezed) {
      if (DefeatChara(walk, true) != 0) return 1;
      continue;
    }
    if (bRemove) {
      RemoveChara(walk.Position());
      continue;
    }
    chara.DecayImpactX();
    chara.DecayImpactY();
  }
  return 0;
}

void cSceneGame::StepShots(int k) {
  const std::array<cScreenOutRange, OUTRANGE_COUNT>& ranges = g_StageData.m_OutRange;
  for (auto it = m_lstShot.begin(); it != m_lstShot.end();) {
    cShot& shot = *it;
    bool bErase = shot.Update() != 0;
    if (!bErase) {
      shot.ApplyGravity();
      shot.StepY();
      shot.StepX();
      if (k == 1 && shot.m_bFlying != 0 &&
          shot.IsOutsideActiveArea(ranges[shot.m_nKind == 0 ? OUTRANGE_PLAYER_SHOT : OUTRANGE_OTHER_SHOT]))
        bErase = true;
      else if (shot.HitsSolidBlock())
        bErase = true;
    }
    it = bErase ? EraseShot(it) : std::next(it);
  }
}

void cSceneGame::RemoveOutOfRange() {
  const std::array<cScreenOutRange, OUTRANGE_COUNT>& ranges = g_StageData.m_OutRange;
  if (m_bRemoveOutChara != 0 || m_bRemoveOutSolid != 0) {
    for (auto it = g_listChara.begin(); it != g_listChara.end();) {
      const cChara& chara = *it;
      const bool bBlock = chara.m_Def.m_bBlockChara != 0;
      const bool bCheck = bBlock ? m_bRemoveOutSolid != 0 : m_bRemoveOutChara != 0;
      if (bCheck && chara.m_bDying == 0 && chara.m_bActive != 0 &&
          chara.IsOutsideActiveArea(ranges[bBlock ? OUTRANGE_FLYING_CHARA : OUTRANGE_WALKING_CHARA])) {
        it = RemoveChara(it);
        continue;
      }
      ++it;
    }
  }
  if (m_bRemoveOutItem != 0) {
    for (auto it = g_listItem.begin(); it != g_listItem.end();) {
      if (it->IsOutsideActiveArea(ranges[OUTRANGE_ITEM])) {
        it = EraseItem(it);
        continue;
      }
      ++it;
    }
  }
}

void cSceneGame::UpdateActive() {
  cPlayer& hero = CheckedAt(g_vPlayer, 0);
  hero.m_bActive = 1;
  hero.m_bOnScreen = 1;
  std::fill(m_vAppearSwitch.begin(), m_vAppearSwitch.end(), 0);
  for (cChara& chara : g_listChara) {
    if (CheckCharaConds(chara)) {
      chara.m_bActive = 1;
      chara.m_bOnScreen = chara.IsOnScreen() ? 1 : 0;
      chara.UpdateActive(m_vAppearSwitch);
    } else {
      chara.m_bActive = 0;
      chara.m_bOnScreen = 0;
    }
  }
  for (cChara& chara : g_listChara)
    chara.m_bAppearNow = chara.m_bActive != 0 && chara.CheckAppear(m_vAppearSwitch) != 0 ? 1 : 0;
  for (cItem& item : g_listItem) {
    if (CheckItemConds(item)) {
      item.m_bActive = 1;
      item.m_bOnScreen = item.IsOnScreen() ? 1 : 0;
    } else {
      item.m_bActive = 0;
      item.m_bOnScreen = 0;
    }
  }
  for (cShot& shot : m_lstShot) {
    shot.m_bActive = 1;
    shot.m_bOnScreen = shot.IsOnScreen() ? 1 : 0;
  }
}

std::int32_t cSceneGame::CountTimeLimit(std::int32_t nDelta) {
  if (m_bNoTimeLimit != 0) return 0;
  if (CountEvery(1, 60) == 0) return 0;
  // Widened: delta comes from commands; the sum is held in 0..999.
  const std::int64_t left = static_cast<std::int64_t>(m_nTimeLeft) + nDelta;
  if (left > 999) {
    m_nTimeLeft = 999;
    return 0;
  }
  if (left <= 0) {
    m_nTimeLeft = 0;
    return 1;
  }
  m_nTimeLeft = static_cast<std::int32_t>(left);
  return 0;
}

void cSceneGame::CountPlayTime() {
  if (m_nPlayTime >= kPlayTimeCap) return;
  ++m_nPlayFrames;
  const std::int64_t time = static_cast<std::int64_t>(m_nPlayFrames) * 100 / 60;
  m_nPlayTime = time > kPlayTimeCap ? kPlayTimeCap : static_cast<std::int32_t>(time);
}

std::list<cShot>::iterator cSceneGame::EraseShot(std::list<cShot>::iterator it) {
  cShot& shot = *it;
  shot.ReleaseLinks();
  if (shot.m_nLayer >= 0 && shot.m_nLayer < static_cast<std::int32_t>(m_vGroupShotList.size())) {
    std::list<cShot*>& group = m_vGroupShotList[static_cast<std::size_t>(shot.m_nLayer)];
    for (auto g = group.begin(); g != group.end();) {
      if (*g != &shot) {
        ++g;
        continue;
      }
      cListWalk<cShot*>::Erasing(group, g);
      g = group.erase(g);
    }
  }
  cListWalk<cShot>::Erasing(m_lstShot, it);
  return m_lstShot.erase(it);
}
