#pragma once
// A dedicated character bitmap (an entry of Bmp_CharaExc.dat; graphic kind 4 of the
// palette entries).
#include <cstddef>
#include <cstdint>
#include <string>

#include "data/record/data_record.h"

// File layout at 811: int32 3, int32 m_nSetting, int32 m_bLarge, int32 m_nLargeFactor,
// int32 2, m_strName, m_strFile.
class cBmpCharaExcData : public cDataRecord {
 public:
  static constexpr std::size_t kMinBodyBytes = 8;

  cBmpCharaExcData();
  void Reset();

  // Base part; files below 153 read m_nSetting as 0.
  void Read(cDataReader& in) override;

  std::int32_t m_nSetting = 0;      // kept; nothing in play reads it (from 152)
  std::int32_t m_bLarge = 0;        // the cells are enlarged pictures (from 172)
  std::int32_t m_nLargeFactor = 0;  // their size factor n: cells of 32 × n pixels (from 172)
  std::string m_strName;
  std::string m_strFile;  // picture file of the bitmap

 protected:
  void RegisterMembers(int version) override;
};
