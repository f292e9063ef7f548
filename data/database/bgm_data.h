#pragma once
// Music (an entry of Bgm.dat); m_strFile is its MIDI or OGG file.
#include "data/database/file_entry_data.h"

class cBgmData : public cFileEntryData {
 public:
  cBgmData();
};
