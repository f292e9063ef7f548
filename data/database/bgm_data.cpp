#include "data/database/bgm_data.h"

cBgmData::cBgmData() {
  Register(g_nDataVersion);
  Reset();
}
