#include "flow/flow_anime_timeline.h"

#include <algorithm>
#include <climits>
#include <vector>

#include "app/checked_access.h"
#include "data/database/database.h"
#include "data/database/frame_tables.h"
#include "data/flow/flow.h"
#include "data/flow/flow_command_kinds.h"
#include "flow/cmd_prepare.h"
#include "flow/flow_run.h"
#include "objects/chara_base.h"

std::int32_t AnimeFramesBeforeHold(std::int32_t nAnime) {
  const cAnimeData& anime = CheckedAt(g_Database.m_Anime, nAnime);
  std::int64_t tenths = 0;
  for (const cAnimeFrame& frame : anime.m_vFrame) {
    if (frame.m_bHoldFrom != 0) break;
    tenths += frame.m_nTime;
  }
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(tenths * 6, INT32_MIN, INT32_MAX));
}

void BuildAnimeTimeline(cFlowRun& run) {
  run.m_vAnimeTimeline.clear();
  const std::int64_t n = FlowSubSteps();
  std::int64_t elapsed = 0;
  for (std::size_t i = 0; i < run.m_vCmdRun.size(); ++i) {
    const cFlowCmdRun& cmdRun = run.m_vCmdRun[i];
    const cFlowCmd& cmd = *cmdRun.m_lpCmd;
    const bool bUseAnime = cmd.m_nAnime != 0 && (!cmd.m_pMove || cmd.m_pMove->m_bWithAnime != 0);
    if (bUseAnime) {
      const std::int64_t t6 = AnimeFramesBeforeHold(cmd.m_nAnime);
      const std::int64_t t = t6 * n;
      cFlowAnimeEntry entry;
      entry.m_nAnime = cmd.m_nAnime;
      entry.m_nCmdFrames = static_cast<std::int16_t>(cmd.m_nTime * 6);
      entry.m_bHold = (cmd.m_nKind == FLOWCMD_SWORD || cmd.m_nKind == FLOWCMD_JUMP) ? 0 : 1;
      // Walk back over the wait commands before this one until they cover the animation.
      std::int64_t rest = t;
      bool bCovered = false;
      for (std::size_t k = i; k-- > 0;) {
        const cFlowCmdRun& earlier = run.m_vCmdRun[k];
        if (earlier.m_lpCmd->m_bNoWait != 0) continue;
        rest -= earlier.m_nDuration;
        if (rest <= 0) {
          bCovered = true;
          break;
        }
      }
      if (bCovered) {
        entry.m_nStartStep = static_cast<std::int32_t>(std::clamp<std::int64_t>(elapsed - t, INT32_MIN, INT32_MAX));
        entry.m_nSkipFrames = 0;
        entry.m_nLength = static_cast<std::int16_t>(t6);
      } else {
        const std::int64_t skip = std::min(rest / n, t6);
        entry.m_nStartStep = 0;
        entry.m_nSkipFrames = static_cast<std::int16_t>(skip);
        entry.m_nLength = static_cast<std::int16_t>(t6 - skip);
      }
      run.m_vAnimeTimeline.push_back(entry);
    }
    if (cmd.m_bNoWait == 0) elapsed += cmdRun.m_nDuration;
  }
}

void cCharaBase::StepFlowAnime() {
  for (cFlowRun& run : m_vFlowRun) {
    if (run.m_bRunning == 0 || run.m_bPaused != 0) continue;
    for (const cFlowAnimeEntry& entry : run.m_vAnimeTimeline) {
      if (entry.m_nStartStep != run.m_nStepCount) continue;
      if (entry.m_nAnime < 0 || static_cast<std::size_t>(entry.m_nAnime) >= g_AnimeTables.size()) continue;
      // The overlay plays its own copy of the animation, so the hold frame can last for the
      // command's time without changing the shared table.
      FRAMELIST frames = g_AnimeTables[static_cast<std::size_t>(entry.m_nAnime)];
      if (entry.m_nCmdFrames >= 2 && entry.m_bHold != 0) {
        for (std::size_t f = 0; f + FRAME_ITEM_INTS <= frames.size(); f += FRAME_ITEM_INTS) {
          if (frames[f] < 0) break;
          if (frames[f + 2] != 0) {
            frames[f + 1] += entry.m_nCmdFrames - 1;
            break;
          }
        }
      }
      const std::int32_t* table[2] = {frames.data(), nullptr};
      cAnimeOverlay& overlay = m_lstAnimeOverlay.emplace_front();
      overlay.m_Anime.SetTable(table);
      overlay.m_bTimed = 1;
      overlay.m_nFramesLeft = entry.m_nLength;
      overlay.m_nCmdFrames = entry.m_nCmdFrames;
      overlay.m_nFlowKey = run.m_nFlowKey;
      overlay.m_bStopped = 0;
      overlay.m_Anime.Set(0, 1);
      overlay.m_Anime.AddTicks(entry.m_nSkipFrames);
    }
  }
}
