#include "writers/system_ini_writer.h"

#include <cstdio>

#include "platform/host_files.h"

namespace {

int WriteText(const char* programPath, const std::string& text) {
  FILE* file = OpenFile(programPath, "wb");
  if (file == nullptr) return 0;
  const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  return std::fclose(file) == 0 && written ? 1 : 0;
}

}  // namespace

std::string SystemIniText(const cIniEntries& entries, const char* lineEnd) {
  std::string text;
  for (const auto& [key, value] : entries) text += key + "=" + value + lineEnd;
  text += std::string("Exit") + lineEnd;
  return text;
}

int WriteSystemIniLines(const char* programPath, const cIniEntries& entries) {
  return WriteText(programPath, SystemIniText(entries));
}

int WriteSystemIni(const char* programPath, const std::vector<cIniItem>& items) {
  cIniEntries entries;
  for (const cIniItem& item : items) {
    if (item.m_strKey.empty()) continue;
    if (item.m_nKind == INIKIND_TEXT) {
      if (!item.m_strValue.empty()) entries.emplace_back(item.m_strKey, item.m_strValue);
    } else {
      entries.emplace_back(item.m_strKey, std::to_string(item.m_nValue));
    }
  }
  return WriteText(programPath, SystemIniText(entries, "\n"));
}
