#pragma once
// The animation set of a character (an entry of AnimeSet.dat): graphic offsets and one
// animation per animation state.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "data/database/anime_data.h"
#include "data/record/data_record.h"

// File layout at 811: int32 3, int32 m_nInvincibleOffset, int32 m_nSolidOffset,
// int32 m_nFlyingOffset, int32 1, m_strName, then the states as a counted list of
// animation bodies. States 0 to 3: standing, moving while standing, flying, moving while
// flying.
class cAnimeSetData : public cDataRecord {
 public:
  static constexpr std::size_t kMinBodyBytes = 12;
  static constexpr std::size_t kStateCount = 4;
  // A new set holds its states on the heap, each with what a new anime holds.
  static constexpr std::size_t kNewElementHeapBytes =
      kStateCount * (sizeof(cAnimeData) + cAnimeData::kNewElementHeapBytes + kHeapBlockOverhead);

  cAnimeSetData();
  // Base reset, then the defaults: offsets 4 and 8, four states named "立ち", "立ち移動",
  // "飛行", "飛行移動".
  void Reset();

  // Base part and states; files below 119 get exactly four states, files below 128 also
  // the names of the two flying states.
  void Read(cDataReader& in) override;
  void Write(cDataWriter& out) override;

  std::int32_t m_nInvincibleOffset = 4;  // added to the graphic numbers while invincible
  std::int32_t m_nSolidOffset = 8;       // added while the character is a block character
  std::int32_t m_nFlyingOffset = 0;      // added while the character flies (from 119)
  std::string m_strName;
  std::vector<cAnimeData> m_vState;

 protected:
  void RegisterMembers(int version) override;
};
