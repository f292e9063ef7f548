#include "data/system/system_ini_keys.h"

const SYSTEMINIKEY SystemIniKeys[INIKEY_COUNT] = {
    {"Direct3D", INIKIND_INT, 2, ""},
    {"WindowMode", INIKIND_INT, 0, ""},
    {"Bpp", INIKIND_INT, 0, ""},
    {"VSync", INIKIND_INT, 2, ""},
    {"D3D_FontCache", INIKIND_INT, 0, ""},
    {"DD_FontCache", INIKIND_INT, 1, ""},
    {"DD_VideoStretch", INIKIND_INT, 0, ""},
    {"ShowFps", INIKIND_INT, 1, ""},
    {"FreeStage", INIKIND_TEXT, 0, ""},
    {"English", INIKIND_INT, 0, ""},
};

void SetDefaultIniItems(std::vector<cIniItem>& items) {
  items.assign(INIKEY_COUNT, cIniItem());
  for (int i = 0; i < INIKEY_COUNT; ++i) {
    const SYSTEMINIKEY& key = SystemIniKeys[i];
    if (key.nKind == INIKIND_TEXT)
      items[static_cast<std::size_t>(i)].SetText(key.lpKey, key.lpValue);
    else
      items[static_cast<std::size_t>(i)].SetInt(key.lpKey, key.nValue);
  }
}
