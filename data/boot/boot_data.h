#pragma once
// The start-up choice (user_data\Boot.dat): the drawing back end picked in the start-up
// dialog and whether the dialog is skipped next time. Written only by the dialog's Start
// button; a missing file means the defaults.
#include <cstdint>

#include "app/path_table.h"
#include "data/record/data_reader.h"
#include "data/record/data_record.h"

inline const char* const& kBootFilePath = g_PathTable[PATH_BOOT];

// Drawing modes of the boot record.
enum BOOTDRAWMODE : std::int32_t {
  BOOTDRAW_DIRECTDRAW = 0,
  BOOTDRAW_DIRECT3D = 1,
};

// File layout: int32 2, the two int32 members, int32 0 (no texts).
class cBootData : public cDataRecord {
 public:
  // Direct3D, the dialog shown.
  cBootData();

  // The body; a damaged body leaves the record as it was. A drawing mode other than the
  // two above (a damaged file) reads as DirectDraw, which is what the start-up sequence
  // makes of it anyway, so that the dialog shows the choice it stands for; a report line
  // says so.
  void Read(cDataReader& in) override;

  std::int32_t m_nDrawMode = BOOTDRAW_DIRECT3D;
  std::int32_t m_bNoAsk = 0;  // skip the start-up dialog

 protected:
  void RegisterMembers(int version) override;
};

extern cBootData g_BootData;
