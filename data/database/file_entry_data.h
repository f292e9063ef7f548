#pragma once
// The common shape of the entries of Picture.dat, Sound.dat and Bgm.dat: a name and the
// file the entry plays or shows.
#include <cstddef>
#include <cstdint>
#include <string>

#include "data/record/data_record.h"

// File layout at 811: int32 1, int32 m_nSetting, int32 2, m_strName, m_strFile.
class cFileEntryData : public cDataRecord {
 public:
  static constexpr std::size_t kMinBodyBytes = 8;

  void Reset();

  // Base part; files below 153 read m_nSetting as 0.
  void Read(cDataReader& in) override;

  std::int32_t m_nSetting = 0;  // kept; nothing in play reads it (from 151)
  std::string m_strName;
  std::string m_strFile;

 protected:
  // Only the entry classes below are made; each registers itself.
  cFileEntryData() = default;
  void RegisterMembers(int version) override;
};
