#include "data/database/frame_tables.h"

#include <cstddef>
#include <limits>

#include "data/database/database.h"

std::vector<FRAMELIST> g_AnimeTables;
std::vector<FRAMELIST> g_EffectTables;

namespace {

constexpr int kFramesPerTenth = 6;

// Tenths of a second as frames; a value from a file too large for int32 frames is held at
// the int32 limits rather than overflowing.
std::int32_t TenthsToFrames(std::int32_t tenths) {
  const std::int64_t frames = static_cast<std::int64_t>(tenths) * kFramesPerTenth;
  if (frames > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
  if (frames < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(frames);
}

void AddItem(FRAMELIST& list, std::int32_t pattern, std::int32_t duration, std::int32_t hold) {
  list.push_back(pattern);
  list.push_back(duration);
  list.push_back(hold);
}

void AddEndItem(FRAMELIST& list, bool isNoneEntry) {
  if (isNoneEntry)
    AddItem(list, FRAME_END_LOOP, 0, 1);
  else
    AddItem(list, FRAME_END_FINISHED, 0, 0);
}

}  // namespace

void BuildAnimeTables(std::vector<FRAMELIST>& tables) {
  const std::vector<cAnimeData>& anime = g_Database.m_Anime;
  tables.assign(anime.size(), FRAMELIST());
  for (std::size_t i = 0; i < anime.size(); ++i) {
    const bool isNone = i == 0;
    FRAMELIST& list = tables[i];
    list.reserve((anime[i].m_vFrame.size() + 1) * FRAME_ITEM_INTS);
    bool holding = false;
    for (const cAnimeFrame& frame : anime[i].m_vFrame) {
      holding = holding || frame.m_bHoldFrom != 0;
      if (isNone)
        AddItem(list, frame.m_nPattern, 0, 1);
      else
        AddItem(list, frame.m_nPattern, TenthsToFrames(frame.m_nTime), holding ? 1 : 0);
    }
    AddEndItem(list, isNone);
  }
}

void BuildEffectTables(std::vector<FRAMELIST>& tables) {
  const std::vector<cEffectData>& effects = g_Database.m_Effect;
  tables.assign(effects.size(), FRAMELIST());
  for (std::size_t i = 0; i < effects.size(); ++i) {
    const bool isNone = i == 0;
    FRAMELIST& list = tables[i];
    list.reserve((effects[i].m_vFrame.size() + 1) * FRAME_ITEM_INTS);
    for (const cEffectFrame& frame : effects[i].m_vFrame) {
      if (isNone)
        AddItem(list, frame.m_nPattern, 0, 1);
      else
        AddItem(list, frame.m_nPattern, TenthsToFrames(frame.m_nTime), 0);
    }
    AddEndItem(list, isNone);
  }
}
