#include "media/input/key_config.h"

#include <cstdio>

#include "app/report_log.h"
#include "data/record/data_file.h"
#include "platform/host_files.h"
#include "platform/virtual_keys.h"

cKeyConfig g_KeyConfig{};

namespace {

std::int32_t ReadInt32(const unsigned char* p) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
                                   static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24);
}

WORD ReadWord(const unsigned char* p) { return static_cast<WORD>(p[0] | p[1] << 8); }

}  // namespace

int LoadKeyConfig(const char* path, cKeyConfig& config) {
  if (!path) return 0;
  const char* name = path;
  HOSTFILEKIND refused = HOSTFILE_NONE;
  FILE* file = OpenFile(name, "rb", &refused);
  if (!file) {
    // A missing file quietly means the defaults; anything else in its place is reported.
    if (refused != HOSTFILE_NONE) WriteReport("%s : %s。既定のキー設定を使います", name, NotAFileText(refused));
    return 0;
  }
  // One byte more than a configuration holds tells an oversized file from a whole one.
  unsigned char bytes[kKeyConfigFileSize + 1];
  const std::size_t size = std::fread(bytes, 1, sizeof(bytes), file);
  const bool readError = std::ferror(file) != 0;
  std::fclose(file);
  if (readError) {
    WriteReport("%s : 読み込みに失敗しました。既定のキー設定を使います", name);
    return 0;
  }
  if (size != static_cast<std::size_t>(kKeyConfigFileSize)) {
    WriteReport("%s : サイズが正しくありません (%zu%s バイト、正しくは %d バイト)。既定のキー設定を使います", name,
                size, size > static_cast<std::size_t>(kKeyConfigFileSize) ? " 以上" : "", kKeyConfigFileSize);
    return 0;
  }
  for (int n = 0; n < cKeyConfig::kKeyCount; ++n) {
    const unsigned char* entry = bytes + 8 * n;
    config.m_Key[n].nDevice = ReadInt32(entry);
    config.m_Key[n].wCode = ReadWord(entry + 4);
    config.m_Key[n].wReserved = ReadWord(entry + 6);
  }
  config.m_nKeyNum = ReadInt32(bytes + 96);
  config.m_nJoyNum = ReadInt32(bytes + 100);
  config.m_bUse = ReadInt32(bytes + 104);
  return 1;
}

void SetDefaultKeyConfig(cKeyConfig& config) {
  constexpr WORD kDefaultCodes[cKeyConfig::kKeyCount] = {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN, 'Z', 'X',
                                                         'C',     'V',      'A',   'S',     'D', 'F'};
  for (int n = 0; n < cKeyConfig::kKeyCount; ++n) {
    config.m_Key[n].nDevice = KEYDEV_KEYBOARD;
    config.m_Key[n].wCode = kDefaultCodes[n];
  }
  config.m_nKeyNum = cKeyConfig::kKeyCount;
  config.m_nJoyNum = 1;
  config.m_bUse = 0;
}
