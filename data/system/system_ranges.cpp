// The ranges of System.dat's numbers. Members that keep their own rule for a value
// outside their set stay with it: the scene music (no music), the font face (the
// nearest face) and the colour depths (any other value counts as 32 bits).
#include "data/system/system_ranges.h"

#include <climits>
#include <cstdint>

#include "data/record/member_ranges.h"

namespace {

constexpr cIntRange<cSystemData> kSystemIntRanges[] = {
    // Lives are earned each time the score passes a multiple of this step; 0 earns none.
    {"m_nExtraLifeScore", &cSystemData::m_nExtraLifeScore, 0, INT32_MAX},
    // The challenge list shows at most 999 stages.
    {"m_nChallengeCount", &cSystemData::m_nChallengeCount, 0, 999},
    // Added to and taken from a colour component of 0 to 255 each frame.
    {"m_nColorAnimeSpeed", &cSystemData::m_nColorAnimeSpeed, 0, 255},
};

// Characters of a status value: an int32 has ten digits, and the bar is laid out from the
// widths of its items.
constexpr cIntRange<cSysStatusItem> kStatusItemRanges[] = {
    {"m_nDigits", &cSysStatusItem::m_nDigits, 0, 32},
};

// Lives at the start of a game: play holds at most 99 and starts with one less.
constexpr std::int32_t kSystemMaxLives = 99;

}  // namespace

void ClampSystemRanges(cSystemData& system, const std::string& file) {
  const cRangeSource source{file.c_str()};
  ClampIntoRanges<cSystemData>(system, kSystemIntRanges, source);
  ClampIntList(system.m_Lives, source, "m_Lives", 0, kSystemMaxLives);
  for (std::size_t i = 0; i < system.m_StatusItems.size(); ++i)
    ClampIntoRanges<cSysStatusItem>(system.m_StatusItems[i], kStatusItemRanges, source.Element("m_StatusItems", i));
}
