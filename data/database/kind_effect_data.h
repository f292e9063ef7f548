#pragma once
// The records shared by character effects (CharaEffect.dat) and screen effects
// (ScrEffect.dat): a kind and its five parameters (effect_kind_tables.h gives their
// meanings, ranges and defaults by kind).
#include <cstddef>
#include <cstdint>
#include <string>

#include "data/record/data_record.h"

struct EFFECTPARAM;

// File layout (every version): int32 2, int32 m_nKind, 5 × int32 m_nParam, int32 1,
// m_strName.
class cKindEffectData : public cDataRecord {
 public:
  static constexpr std::size_t kMinBodyBytes = 8;

  std::int32_t m_nKind = 0;  // 0 none, then a kind of the database's table
  std::int32_t m_nParam[5] = {};
  std::string m_strName;

 protected:
  void RegisterMembers(int version) override;

  // Base part; entries of files below 511 get the defaults, from `params` (the table of
  // the database's kinds), of the parameters that 511 added: the roughness of the waves
  // (kinds waveKind and waveKind + 1) and of the circle (kind 10).
  void ReadFilling511Params(cDataReader& in, const EFFECTPARAM* params, int waveKind);
};
