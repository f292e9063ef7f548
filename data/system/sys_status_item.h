#pragma once
// One item of the status bar drawn during stage play.
#include <cstdint>
#include <string>

#include "data/record/data_reader.h"
#include "data/record/data_record.h"

// The items of the status bar, in list order.
enum STATUSITEM {
  STATUSITEM_SCORE = 0,
  STATUSITEM_STAGE_SCORE,
  STATUSITEM_HP,
  STATUSITEM_SP,
  STATUSITEM_LIVES,
  STATUSITEM_COUNT,
};

// File at 811: 6 members, 1 text.
class cSysStatusItem : public cDataRecord {
 public:
  cSysStatusItem();
  // Every number 0, empty label.
  void Reset();

  // Files before 204 lack m_bShowNumber: their gauges show the number.
  void Read(cDataReader& in) override;

  std::int32_t m_bShow = 0;        // 1: the item is drawn
  std::int32_t m_bIcon = 0;        // 1: a 16-dot icon in front of the value, not the label
  std::int32_t m_nDigits = 0;      // width of the value (HP and SP draw a 50-dot gauge)
  std::int32_t m_bShowNumber = 0;  // HP and SP: 1 draws the number beside the gauge (from 204)
  std::int32_t m_nThreshold = 0;   // threshold of the low-value test (from 587)
  std::int32_t m_bPercent = 0;     // 1: m_nThreshold is a percentage of the maximum (from 587)
  std::string m_strLabel;

 protected:
  void RegisterMembers(int version) override;
};
