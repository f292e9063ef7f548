#pragma once
// The user's key assignments, "user_data\KeyConfig.dat": 108 bytes, little-endian, no
// header. The player only reads it; the authoring tool writes it.
#include <cstdint>

#include "platform/win_types.h"

// nDevice of a keyboard entry; any other value names a joystick id.
constexpr std::int32_t KEYDEV_KEYBOARD = 8;
// Stick codes of joystick entries; other codes are masks over the joystick's buttons.
constexpr WORD JOYSTICK_LEFT = 0x0100;   // X 10000 or less
constexpr WORD JOYSTICK_RIGHT = 0x0200;  // X above 55534
constexpr WORD JOYSTICK_UP = 0x0400;     // Y 10000 or less
constexpr WORD JOYSTICK_DOWN = 0x0800;   // Y above 55534

constexpr const char* kKeyConfigPath = "user_data\\KeyConfig.dat";
constexpr int kKeyConfigFileSize = 108;

class cKeyConfig {
 public:
  // Entry roles by index: 0 left, 1 right, 2 up, 3 down, 4+n button n+1.
  static constexpr int kKeyCount = 12;

  struct Key {
    std::int32_t nDevice;
    WORD wCode;
    WORD wReserved;  // not read
  };

  Key m_Key[kKeyCount];
  // Entries in use: the four directions plus the buttons (12 = eight buttons).
  std::int32_t m_nKeyNum;
  // Joysticks polled: ids 0 to m_nJoyNum-1.
  std::int32_t m_nJoyNum;
  // Nonzero: input is polled by this configuration; 0: by the fixed layout.
  std::int32_t m_bUse;
};
static_assert(sizeof(cKeyConfig) == kKeyConfigFileSize);

// Zero until start-up reads the file; read-only afterwards.
extern cKeyConfig g_KeyConfig;

// Reads the file at a program path into `config`. 1 when it was read. 0 when it does not
// open (silently) or is not a whole configuration: a file shorter or longer than 108
// bytes, or one that cannot be read, is reported in the report log and leaves `config`
// untouched, so that the caller's defaults apply instead of a half-read configuration.
int LoadKeyConfig(const char* path, cKeyConfig& config);

// The default configuration: arrows and Z X C V A S D F on the keyboard, one joystick,
// polled by the fixed layout. The reserved words are left as they are.
void SetDefaultKeyConfig(cKeyConfig& config);
