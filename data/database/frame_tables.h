#pragma once
// Frame lists of the animations and hit effects in the item format of the animation
// player, built once at start-up from the Anime and Effect databases.
#include <cstdint>
#include <vector>

// One frame list: items of three int32 {pattern, duration in frames, hold flag}, one per
// frame, then an end item.
typedef std::vector<std::int32_t> FRAMELIST;

constexpr int FRAME_ITEM_INTS = 3;
// End items: entry 0 loops with {-2, 0, 1}; every other entry ends with {-4, 0, 0}, which
// the animation player leaves in place and its users read as "finished".
constexpr std::int32_t FRAME_END_LOOP = -2;
constexpr std::int32_t FRAME_END_FINISHED = -4;

extern std::vector<FRAMELIST> g_AnimeTables;   // one per entry of g_Database.m_Anime
extern std::vector<FRAMELIST> g_EffectTables;  // one per entry of g_Database.m_Effect

// `tables` becomes one frame list per animation: durations are tenths of a second × 6;
// the hold flag is 1 from the first frame with m_bHoldFrom set on. The lists of entry 0
// hold every frame with duration 0 and hold 1.
void BuildAnimeTables(std::vector<FRAMELIST>& tables);
// The same from the hit effects; their frames never hold (entry 0 as above).
void BuildEffectTables(std::vector<FRAMELIST>& tables);
