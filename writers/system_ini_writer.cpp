#include "writers/system_ini_writer.h"

#include <cstdio>
#include <string>

#include "platform/host_files.h"

int WriteSystemIni(const char* programPath, const std::vector<cIniItem>& items) {
  std::string text;
  for (const cIniItem& item : items) {
    if (item.m_strKey.empty()) continue;
    if (item.m_nKind == INIKIND_TEXT) {
      if (item.m_strValue.empty()) continue;
      text += item.m_strKey + "=" + item.m_strValue + "\n";
    } else {
      text += item.m_strKey + "=" + std::to_string(item.m_nValue) + "\n";
    }
  }
  text += "Exit\n";
  FILE* file = OpenFile(programPath, "wb");
  if (file == nullptr) return 0;
  const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  return std::fclose(file) == 0 && written ? 1 : 0;
}
