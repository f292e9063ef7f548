#include "tests/support/system_ini_writer.h"

#include <cstdio>

#include "platform/host_files.h"

std::string SystemIniText(const cIniEntries& entries) {
  std::string text;
  for (const auto& [key, value] : entries) text += key + "=" + value + "\r\n";
  text += "Exit\r\n";
  return text;
}

int WriteSystemIniLines(const char* programPath, const cIniEntries& entries) {
  const std::string text = SystemIniText(entries);
  FILE* file = OpenFile(programPath, "wb");
  if (!file) return 0;
  const bool ok = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  return (std::fclose(file) == 0 && ok) ? 1 : 0;
}
