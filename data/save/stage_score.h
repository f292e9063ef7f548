#pragma once
// The best value reached in one stage, under the stage's ranking key.
#include <cstdint>
#include <string>

#include "data/record/data_reader.h"
#include "data/record/data_record.h"

// File layout at 811: int32 4, the four int32 members below, int32 2, the two texts.
// Files below 759 store only the best value and the stage name; their key is the name.
class cStageScore : public cDataRecord {
 public:
  cStageScore();
  void Read(cDataReader& in) override;

  std::int32_t m_bRankSuffix = 0;   // from 759
  std::int32_t m_nRankSuffixA = 0;  // from 759
  std::int32_t m_nRankSuffixB = 0;  // from 759
  std::int32_t m_nBest = 0;
  std::string m_strStageName;
  std::string m_strRankKey;         // from 759

 protected:
  void RegisterMembers(int version) override;
};
