#pragma once
// One animation (an entry of Anime.dat, or a state of an animation set) and its frames.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "data/record/data_record.h"

// One frame of an animation. No texts; the same members in every version.
class cAnimeFrame : public cDataRecord {
 public:
  static constexpr std::size_t kMinBodyBytes = 8;

  cAnimeFrame();
  void Reset();

  std::int32_t m_nPattern = 0;   // pattern number shown
  std::int32_t m_nTime = 1;      // duration in tenths of a second (6 frames each)
  std::int32_t m_bHoldFrom = 0;  // from this frame on the animation cannot be interrupted

 protected:
  void RegisterMembers(int version) override;
};

// File layout at 811: int32 3, int16 m_nSetting1, int8 m_nSetting2, int16 m_nSetting3,
// int32 1, m_strName, then the frames as a counted list.
class cAnimeData : public cDataRecord {
 public:
  static constexpr std::size_t kMinBodyBytes = 12;
  // A new entry holds one frame on the heap.
  static constexpr std::size_t kNewElementHeapBytes = sizeof(cAnimeFrame);

  cAnimeData();
  // Base reset, then the defaults: m_nSetting2 1 and one new frame.
  void Reset();

  void Read(cDataReader& in) override;
  void Write(cDataWriter& out) override;

  // Kept and written back; nothing in play reads them (from version 55).
  std::int16_t m_nSetting1 = 0;
  std::int8_t m_nSetting2 = 1;
  std::int16_t m_nSetting3 = 0;
  std::string m_strName;
  std::vector<cAnimeFrame> m_vFrame;

 protected:
  void RegisterMembers(int version) override;
};
