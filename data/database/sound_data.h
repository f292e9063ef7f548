#pragma once
// A sound effect (an entry of Sound.dat); m_strFile is its WAVE file.
#include "data/database/file_entry_data.h"

class cSoundData : public cFileEntryData {
 public:
  cSoundData();
};
