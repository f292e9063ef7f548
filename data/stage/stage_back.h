#pragma once
// One background layer of a stage: a picture, or a plain fill of one colour.
#include <cstdint>
#include <string>
#include <vector>

#include "data/record/data_reader.h"
#include "data/record/data_record.h"
#include "data/record/data_writer.h"

// File layout at 811: int32 10, 56 bytes of members in the order below, int32 1, the
// picture file. Version 61 stores nine members (no m_bVisible; the two offsets as int32,
// dropped); version 60 and earlier five (m_bFill, m_nFillColour, m_nLayer and the two
// speeds as int32, dropped). Members an old layout lacks keep the defaults.
class cStageBack : public cDataRecord {
 public:
  cStageBack();
  cStageBack(const cStageBack&) = default;
  cStageBack(cStageBack&&) noexcept = default;
  cStageBack& operator=(const cStageBack&) = default;
  cStageBack& operator=(cStageBack&&) noexcept = default;
  ~cStageBack() override = default;

  // Base reset, then visible, fill colour 16 and both speed factors 0.1.
  void Reset();

  // Registered members, in file order.
  std::int32_t m_bVisible = 0;     // from 62: the layer is drawn
  std::int32_t m_bFill = 0;        // a plain fill of m_nFillColour instead of a picture
  std::int32_t m_nFillColour = 0;  // colour value of the fill
  std::int32_t m_nLayer = 0;       // drawing layer of the background
  double m_dSpeedX = 0;            // from 61: share of the view's scroll followed, or own speed per frame
  double m_dSpeedY = 0;            // from 61
  std::int32_t m_bAutoX = 0;       // from 61: scrolls by itself horizontally at m_dSpeedX
  std::int32_t m_bAutoY = 0;       // from 61
  double m_dPosX = 0;              // from 62: offset of the picture
  double m_dPosY = 0;              // from 62
  std::string m_strPicture;        // picture file, loaded unless m_bFill is 1

 protected:
  void RegisterMembers(int version) override;
};

// Gives `destination` the length of `source` (growing with new backgrounds), then copies
// each element's registered members and picture with CopyFrom.
void AssignStageBackList(std::vector<cStageBack>& destination, const std::vector<cStageBack>& source);
// Empties the list and refills it with n new backgrounds.
void ResizeStageBackList(std::vector<cStageBack>& list, std::size_t n);
