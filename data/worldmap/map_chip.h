#pragma once
// A chip kind of the world map: the picture a cell shows and whether the cursor may
// enter it.
#include <cstdint>
#include <string>

#include "data/record/data_record.h"

// File layout: int32 3, the three int32 members below, int32 2, the two texts.
class cMapChip : public cDataRecord {
 public:
  cMapChip();

  std::int32_t m_nChipValue = 0;    // kept for the authoring tool
  std::int32_t m_bBlocked = 0;      // 1: the cursor cannot enter cells of this kind
  std::int32_t m_nChipGraphic = 0;  // number of the chip's picture on the map sheet
  std::string m_strChipText;        // kept for the authoring tool
  std::string m_strChipName;        // the kind's label

 protected:
  void RegisterMembers(int version) override;
};
