#pragma once
// A screen effect (an entry of ScrEffect.dat): a kind and its five parameters
// (effect_kind_tables.h gives their meanings, ranges and defaults by kind).
#include <cstddef>
#include <cstdint>
#include <string>

#include "data/record/data_record.h"

// File layout (every version): int32 2, int32 m_nKind, 5 × int32 m_nParam, int32 1,
// m_strName.
class cScrEffectData : public cDataRecord {
 public:
  static constexpr std::size_t kMinBodyBytes = 8;

  cScrEffectData();
  void Reset();

  // Base part; entries of files below 511 get the defaults of the parameters that 511
  // added (the roughness of the waves and of the circle).
  void Read(cDataReader& in) override;

  std::int32_t m_nKind = 0;  // 0 none, 1 to 13
  std::int32_t m_nParam[5] = {};
  std::string m_strName;

 protected:
  void RegisterMembers(int version) override;
};
