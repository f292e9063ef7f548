#pragma once
// How far outside the view an object of one group may go before stage play removes it.
#include <cstdint>

#include "data/record/data_reader.h"
#include "data/record/data_record.h"
#include "data/record/data_writer.h"

// File layout at 811: int32 8, the eight int32 below, int32 0 (40 bytes). Files below
// version 125 hold only m_bLeft and the four margins.
class cScreenOutRange : public cDataRecord {
 public:
  // Every member 0.
  cScreenOutRange();
  cScreenOutRange(const cScreenOutRange&) = default;
  cScreenOutRange& operator=(const cScreenOutRange&) = default;
  ~cScreenOutRange() override = default;

  void Reset() { cDataRecord::Reset(); }

  // Stores the eight members in member order.
  void Set(std::int32_t bLeft, std::int32_t bRight, std::int32_t bTop, std::int32_t bBottom, std::int32_t nLeft,
           std::int32_t nRight, std::int32_t nTop, std::int32_t nBottom);

  // Registered members, in file order. A side is tested when its flag is 1; its margin
  // is in blocks beyond that edge of the view.
  std::int32_t m_bLeft = 0;
  std::int32_t m_bRight = 0;   // from 125
  std::int32_t m_bTop = 0;     // from 125
  std::int32_t m_bBottom = 0;  // from 125
  std::int32_t m_nLeft = 0;
  std::int32_t m_nRight = 0;
  std::int32_t m_nTop = 0;
  std::int32_t m_nBottom = 0;

 protected:
  void RegisterMembers(int version) override;
};
