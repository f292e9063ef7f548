#include "data/database/picture_data.h"

cPictureData::cPictureData() {
  Register(g_nDataVersion);
  Reset();
}
