#pragma once
// A picture shown by the picture command (an entry of Picture.dat); m_strFile is its picture file.
#include "data/database/file_entry_data.h"

class cPictureData : public cFileEntryData {
 public:
  cPictureData();
};
