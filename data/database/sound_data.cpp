#include "data/database/sound_data.h"

cSoundData::cSoundData() {
  Register(g_nDataVersion);
  Reset();
}
