#pragma once
// The ranking settings of one play mode. The same one-member registration serves the
// entries of the front end's save-slot list.
#include <cstdint>
#include <vector>

#include "data/record/data_reader.h"
#include "data/record/data_record.h"
#include "data/record/data_writer.h"

// Stage result kinds, in the order of cModeRanking::m_ResultOn.
enum RANKRESULT {
  RANKRESULT_SCORE = 0,
  RANKRESULT_TIME_LEFT,
  RANKRESULT_CLEAR_TIME,
  RANKRESULT_HP_LEFT,
  RANKRESULT_SP_LEFT,
  RANKRESULT_COUNT,
};

// File: 1 member, 0 texts, then int32 n and n bytes of m_ResultOn.
class cModeRanking : public cDataRecord {
 public:
  cModeRanking();
  // Ranking off, five result flags 0.
  void Reset();

  void Read(cDataReader& in) override;
  void Write(cDataWriter& out) override;

  std::int32_t m_bRankingOn = 0;        // 1: rankings are recorded in this play mode
  std::vector<std::uint8_t> m_ResultOn;  // per RANKRESULT: 1 the kind is ranked and shown

 protected:
  void RegisterMembers(int version) override;
};
