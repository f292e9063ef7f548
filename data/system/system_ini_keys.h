#pragma once
// The keys of System.ini with their built-in defaults (cSystemData::m_IniItems of a new
// record). The System.ini reader takes its defaults from the system data's table.
#include <vector>

#include "data/system/ini_item.h"

enum INIKEY {
  INIKEY_DIRECT3D = 0,
  INIKEY_WINDOW_MODE,
  INIKEY_BPP,
  INIKEY_VSYNC,
  INIKEY_D3D_FONT_CACHE,
  INIKEY_DD_FONT_CACHE,
  INIKEY_DD_VIDEO_STRETCH,
  INIKEY_SHOW_FPS,
  INIKEY_FREE_STAGE,
  INIKEY_ENGLISH,
  INIKEY_COUNT,
};

struct SYSTEMINIKEY {
  const char* lpKey;
  int nKind;  // INIKIND
  int nValue;
  const char* lpValue;
};

// By INIKEY.
extern const SYSTEMINIKEY SystemIniKeys[INIKEY_COUNT];

// Makes `items` the key table of a new record: INIKEY_COUNT entries, each set by
// cIniItem::SetInt or, for text keys, cIniItem::SetText.
void SetDefaultIniItems(std::vector<cIniItem>& items);
