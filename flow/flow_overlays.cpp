#include "flow/flow_overlays.h"

#include <cstdint>

#include "objects/chara_base.h"

void RemoveFlowAnimeOverlays(cCharaBase& chara, std::int32_t nFlowKey) {
  chara.m_lstAnimeOverlay.remove_if([nFlowKey](const cAnimeOverlay& o) { return o.m_nFlowKey == nFlowKey; });
}

void StopFlowAnimeOverlays(cCharaBase& chara, std::int32_t nFlowKey) {
  for (auto it = chara.m_lstAnimeOverlay.begin(); it != chara.m_lstAnimeOverlay.end();) {
    if (it->m_nFlowKey != nFlowKey) {
      ++it;
      continue;
    }
    // Summed in 64 bits: frames left count down without a floor.
    if (static_cast<std::int64_t>(it->m_nFramesLeft) + it->m_nCmdFrames - 1 < 0) {
      it = chara.m_lstAnimeOverlay.erase(it);
    } else {
      it->m_bStopped = 1;
      ++it;
    }
  }
}

void ResumeFlowAnimeOverlays(cCharaBase& chara, std::int32_t nFlowKey) {
  for (cAnimeOverlay& o : chara.m_lstAnimeOverlay) {
    if (o.m_nFlowKey == nFlowKey) o.m_bStopped = 0;
  }
}
