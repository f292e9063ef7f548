#pragma once
// Two int32 values: per challenge stage, whether it is cleared and its high score.
#include <cstdint>

#include "data/record/data_record.h"

// File layout: int32 2, the two values, int32 0.
class cValuePair : public cDataRecord {
 public:
  cValuePair();

  std::int32_t m_bCleared = 0;
  std::int32_t m_nHigh = 0;

 protected:
  void RegisterMembers(int version) override;
};
