#pragma once
// A sword swung by the sword command (an entry of SwordType.dat) and the frames of its
// swing.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "data/record/data_record.h"

// One frame of a swing. No texts. File layout at 811: int32 10, then the ten int32
// members in the order below, int32 0.
class cSwordFrame : public cDataRecord {
 public:
  static constexpr std::size_t kMinBodyBytes = 8;

  cSwordFrame();
  // Base reset, then the default m_bMirrorX 1.
  void Reset();

  std::int32_t m_nOffsetX = 0;  // from the placement point, × the wielder's size factor
  std::int32_t m_nOffsetY = 0;
  std::int32_t m_bMirrorX = 1;  // X offset negated when the wielder faces right (from 138)
  std::int32_t m_bMirrorY = 0;  // Y offset negated when the wielder faces right (from 138)
  std::int32_t m_nSide = 0;     // 0 in front, 1 behind, 2 above, 3 below the wielder
  std::int32_t m_nSrcX = 0;     // the frame's picture on the sword sheet
  std::int32_t m_nSrcY = 0;
  std::int32_t m_nWidth = 0;  // × the wielder's size factor
  std::int32_t m_nHeight = 0;
  std::int32_t m_nTime = 0;  // duration in tenths of a second

 protected:
  void RegisterMembers(int version) override;
};

// File layout at 811: int32 1, int32 m_nSetting, int32 3, m_strName, m_strFile,
// m_strFile2, then the frames as a counted list.
class cSwordTypeData : public cDataRecord {
 public:
  static constexpr std::size_t kMinBodyBytes = 12;
  // A new entry holds one frame on the heap.
  static constexpr std::size_t kNewElementHeapBytes = sizeof(cSwordFrame);

  cSwordTypeData();
  // Base reset, then one frame whose m_nTime is 1.
  void Reset();

  // Base part and frames; files below 153 read m_nSetting as 0.
  void Read(cDataReader& in) override;
  void Write(cDataWriter& out) override;

  std::int32_t m_nSetting = 0;  // kept; nothing in play reads it (from 151)
  std::string m_strName;
  std::string m_strFile;   // picture file of the sword
  std::string m_strFile2;  // second picture file of the sword
  std::vector<cSwordFrame> m_vFrame;

 protected:
  void RegisterMembers(int version) override;
};
