// A character's animation: the player built from its animation set, and the overlays that
// flows lay over it (the anime command's, and the animation timelines' that end exactly
// when their command begins).
#include <algorithm>
#include <climits>
#include <cstdint>
#include <vector>

#include "app/checked_access.h"
#include "app/report_log.h"
#include "data/database/anime_set_data.h"
#include "data/database/database.h"
#include "objects/chara_base.h"

namespace {

constexpr std::int32_t kOverlayEnd = -4;  // the data's end mark of one-shot animations
constexpr std::int32_t kCharaAnimeFramesPerTenth = 6;

std::int32_t TenthsToFrames(std::int32_t nTenths) {
  const std::int64_t frames = static_cast<std::int64_t>(nTenths) * kCharaAnimeFramesPerTenth;
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(frames, INT32_MIN, INT32_MAX));
}

// Chooses the overlay to show, newest first: a running timed overlay with the fewest frames
// left wins; a run-out one (frames left <= 0) met when the best so far has run out too
// switches to comparing run-out overlays only, keeping the one nearest to 0; an untimed
// overlay shows only when it comes first among the candidates.
const cAnimeOverlay* ChooseOverlay(const std::list<cAnimeOverlay>& overlays) {
  const cAnimeOverlay* best = nullptr;
  std::int32_t v = INT32_MAX;
  bool bExpired = false;
  for (const cAnimeOverlay& o : overlays) {
    if (o.m_bStopped != 0) continue;
    const std::int32_t f = o.m_nFramesLeft;
    if (!bExpired) {
      if (o.m_bTimed != 0) {
        if (f <= 0 && v <= 0) {
          best = &o;
          v = f;
          bExpired = true;
        } else if (f < v) {
          best = &o;
          v = f;
        }
      } else if (best == nullptr) {
        best = &o;
        v = INT32_MAX;
      }
    } else if (f <= 0 && f > v) {
      best = &o;
      v = f;
    }
  }
  return best;
}

}  // namespace

void cCharaBase::SetAnimeSet(std::int32_t nSet, std::int32_t bForce) {
  if (bForce == 0 && nSet == m_nAnimeSet) return;
  m_nAnimeSet = nSet;
  const cAnimeSetData& set = CheckedAt(g_Database.m_AnimeSet, nSet);
  // The triples of every state, each list closed by the loop code; the animation player
  // copies them, so these buffers only live for the call (a set change, not a frame).
  std::vector<std::vector<std::int32_t>> states(set.m_vState.size());
  std::vector<const std::int32_t*> table;
  table.reserve(states.size() + 1);
  for (std::size_t i = 0; i < states.size(); ++i) {
    std::vector<std::int32_t>& triples = states[i];
    for (const cAnimeFrame& frame : set.m_vState[i].m_vFrame) {
      triples.push_back(frame.m_nPattern);
      triples.push_back(TenthsToFrames(frame.m_nTime));
      triples.push_back(1);
    }
    triples.insert(triples.end(), {ANIME_END_LOOP, 0, 1});
    table.push_back(triples.data());
  }
  table.push_back(nullptr);
  m_Anime.SetTable(table.data());
  m_Anime.Set(0, 1);
}

std::int32_t cCharaBase::StepAnime(std::int32_t bPaused) {
  if (bPaused == 0) {
    m_Anime.Update();
    for (auto it = m_lstAnimeOverlay.begin(); it != m_lstAnimeOverlay.end();) {
      if (it->m_bStopped != 0) {
        ++it;
        continue;
      }
      if (it->m_Anime.Update() == kOverlayEnd) {
        it = m_lstAnimeOverlay.erase(it);
        continue;
      }
      // Counts on below 0 (the choice compares expired overlays), but never wraps.
      if (it->m_nFramesLeft > INT32_MIN) --it->m_nFramesLeft;
      ++it;
    }
  }
  // An animation the set does not have draws pattern 0; the author learns of it once.
  const std::int32_t nAnime = m_Anime.GetAnime();
  if ((nAnime < 0 || nAnime >= m_Anime.GetAnimeCount()) &&
      std::find(m_vBadAnimeReported.begin(), m_vBadAnimeReported.end(), nAnime) == m_vBadAnimeReported.end()) {
    m_vBadAnimeReported.push_back(nAnime);
    WriteReport("character %d (graphic %d): animation %d is not in animation set %d, which has %d: pattern 0 is drawn",
                m_nObjId, m_nGraphic, nAnime, m_nAnimeSet, m_Anime.GetAnimeCount());
  }
  const cAnimeOverlay* shown = ChooseOverlay(m_lstAnimeOverlay);
  return shown != nullptr ? shown->m_Anime.GetPattern() : m_Anime.GetPattern();
}
