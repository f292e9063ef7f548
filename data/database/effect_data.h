#pragma once
// A hit effect (an entry of Effect.dat) and its frames.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "data/record/data_record.h"

// One frame of a hit effect. No texts; the same members in every version.
class cEffectFrame : public cDataRecord {
 public:
  static constexpr std::size_t kMinBodyBytes = 8;

  cEffectFrame();
  // Base reset, then the default m_nTime 1.
  void Reset();

  std::int32_t m_nPattern = 0;  // picture number
  std::int32_t m_nTime = 1;     // duration in tenths of a second

 protected:
  void RegisterMembers(int version) override;
};

// File layout at 811: int32 4, int32 m_nSetting, int32 m_nWidth, int32 m_nHeight,
// int32 m_bCharaScale, int32 2, m_strName, m_strFile, then the frames as a counted list.
class cEffectData : public cDataRecord {
 public:
  static constexpr std::size_t kMinBodyBytes = 12;
  // A new entry holds one frame on the heap.
  static constexpr std::size_t kNewElementHeapBytes = sizeof(cEffectFrame);

  cEffectData();
  // Base reset, then the defaults: 32 × 32 pixels, one new frame.
  void Reset();

  // Base part and frames; files below 153 read m_nSetting as 0.
  void Read(cDataReader& in) override;
  void Write(cDataWriter& out) override;

  std::int32_t m_nSetting = 0;     // kept; nothing in play reads it (from 151)
  std::int32_t m_nWidth = 32;      // width of one picture in pixels
  std::int32_t m_nHeight = 32;     // height of one picture in pixels
  std::int32_t m_bCharaScale = 0;  // enlarged by the size factor of its character
  std::string m_strName;
  std::string m_strFile;  // picture file of the effect
  std::vector<cEffectFrame> m_vFrame;

 protected:
  void RegisterMembers(int version) override;
};
