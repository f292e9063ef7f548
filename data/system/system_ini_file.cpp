#include "data/system/system_ini_file.h"

#include <cstdint>
#include <cstdio>
#include <limits>
#include <string>

#include "app/report_log.h"
#include "data/record/data_file.h"
#include "data/system/system_ini_keys.h"
#include "platform/host_files.h"

namespace {

// The leading decimal number of a value as the C library's atoi reads it (leading white
// space, then a sign, then digits), held to the range of int32 instead of overflowing.
std::int32_t LeadingNumber(const std::string& text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  std::int64_t value = 0;
  constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > kLimit) value = kLimit;
  }
  if (negative) return static_cast<std::int32_t>(-value);
  return static_cast<std::int32_t>(value >= kLimit ? kLimit - 1 : value);
}

std::int32_t* NumberField(cSystemIni& ini, int index) {
  switch (index) {
    case INIKEY_DIRECT3D: return &ini.m_nDirect3D;
    case INIKEY_WINDOW_MODE: return &ini.m_nWindowMode;
    case INIKEY_BPP: return &ini.m_nBpp;
    case INIKEY_VSYNC: return &ini.m_nVSync;
    case INIKEY_D3D_FONT_CACHE: return &ini.m_nD3DFontCache;
    case INIKEY_DD_FONT_CACHE: return &ini.m_nDDFontCache;
    case INIKEY_DD_VIDEO_STRETCH: return &ini.m_nDDVideoStretch;
    case INIKEY_SHOW_FPS: return &ini.m_nShowFps;
    case INIKEY_ENGLISH: return &ini.m_bEnglish;
    default: return nullptr;
  }
}

// The byte-by-byte reader of one file.
class cIniParser {
 public:
  cIniParser(FILE* file, const char* path) : m_File(file), m_Path(path) {}

  enum KEYEND {
    KEYEND_VALUE,        // "=": a value follows
    KEYEND_LINE,         // a line without "=": skipped
    KEYEND_FILE_OK,      // "Exit" or a NUL
    KEYEND_FILE_EARLY,   // the end of the file
  };

  KEYEND ReadKey(std::string& key, bool& tooLong) {
    key.clear();
    tooLong = false;
    for (;;) {
      const int c = Next();
      if (c == EOF) return KEYEND_FILE_EARLY;
      if (c == '=') return KEYEND_VALUE;
      if (c == '\r' || c == ' ' || c == '\t') continue;
      if (c == '\0') return KEYEND_FILE_OK;
      if (c == '\n') {
        if (!tooLong && key == "Exit") return KEYEND_FILE_OK;
        return KEYEND_LINE;
      }
      Append(key, c, tooLong);
    }
  }

  void ReadValue(std::string& value, bool& tooLong) {
    value.clear();
    tooLong = false;
    for (;;) {
      const int c = Next();
      if (c == EOF || c == ' ' || c == '\t' || c == '/' || c == '\n' || c == '\0') return;
      Append(value, c, tooLong);
    }
  }

  // Bytes read so far: where a report line says the trouble is.
  long Position() const { return m_nRead; }
  const char* Path() const { return m_Path; }

 private:
  int Next() {
    const int c = std::fgetc(m_File);
    if (c != EOF) ++m_nRead;
    return c;
  }
  // A text past its buffer keeps being read to its end, but nothing more of it is kept.
  static void Append(std::string& text, int c, bool& tooLong) {
    if (text.size() < kIniTextMax)
      text += static_cast<char>(c);
    else
      tooLong = true;
  }

  FILE* m_File;
  const char* m_Path;
  long m_nRead = 0;
};

void Apply(cSystemIni& ini, const std::vector<cIniItem>& keyTable, const std::string& key,
           const std::string& value, const cIniParser& parser) {
  int index = -1;
  for (std::size_t i = 0; i < keyTable.size(); ++i) {
    if (keyTable[i].m_strKey == key) {
      index = static_cast<int>(i);
      break;
    }
  }
  if (index < 0) return;
  if (index == INIKEY_FREE_STAGE) {
    if (value.size() >= 2 && value.size() <= cSystemIni::kFreeStageMax) {
      ini.m_strFreeStage = value;
    } else if (value.size() > cSystemIni::kFreeStageMax) {
      WriteReport("%s : FreeStage のパスが長すぎるため無視しました (%zu バイト, %ld バイト目まで)",
                  parser.Path(), value.size(), parser.Position());
    }
    return;
  }
  if (std::int32_t* field = NumberField(ini, index)) *field = LeadingNumber(value);
}

}  // namespace

void SetSystemIniDefaults(cSystemIni& ini, const std::vector<cIniItem>& keyTable) {
  if (keyTable.size() < INIKEY_COUNT)
    WriteReport("System.ini : キー表が %zu 項目しかないため、残りは既定値を使います", keyTable.size());
  for (int i = INIKEY_DIRECT3D; i <= INIKEY_SHOW_FPS; ++i) {
    const auto at = static_cast<std::size_t>(i);
    *NumberField(ini, i) = at < keyTable.size() ? keyTable[at].m_nValue : SystemIniKeys[i].nValue;
  }
  const std::string& freeStage = INIKEY_FREE_STAGE < keyTable.size()
                                     ? keyTable[INIKEY_FREE_STAGE].m_strValue
                                     : std::string(SystemIniKeys[INIKEY_FREE_STAGE].lpValue);
  if (freeStage.size() <= cSystemIni::kFreeStageMax) {
    ini.m_strFreeStage = freeStage;
  } else {
    WriteReport("System.ini : FreeStage の既定値が長すぎるため空にしました (%zu バイト)", freeStage.size());
    ini.m_strFreeStage.clear();
  }
  ini.m_bEnglish = 0;
}

bool LoadSystemIni(const char* path, cSystemIni& ini, const std::vector<cIniItem>& keyTable) {
  if (path == nullptr) return false;
  HOSTFILEKIND refused = HOSTFILE_NONE;
  FILE* file = OpenFile(path, "rb", &refused);
  if (!file) {
    if (refused != HOSTFILE_NONE) WriteReport("%s : %s", path, NotAFileText(refused));
    return false;
  }
  cIniParser parser(file, path);
  cSystemIni read = ini;  // a file that fails leaves nothing of itself behind
  bool ok = true;
  std::string key;
  std::string value;
  key.reserve(kIniTextMax);
  value.reserve(kIniTextMax);
  for (int entry = 0; entry < kIniMaxEntries; ++entry) {
    bool keyTooLong = false;
    const cIniParser::KEYEND end = parser.ReadKey(key, keyTooLong);
    if (end == cIniParser::KEYEND_FILE_OK) break;
    if (end == cIniParser::KEYEND_FILE_EARLY) {
      WriteReport("%s : 「Exit」の行がないまま終わっています (%ld バイト)", path, parser.Position());
      ok = false;
      break;
    }
    if (end == cIniParser::KEYEND_LINE) continue;
    bool valueTooLong = false;
    parser.ReadValue(value, valueTooLong);
    if (keyTooLong || valueTooLong) {
      WriteReport("%s : %zu バイトを超えるキーか値を無視しました (%ld バイト目まで)", path, kIniTextMax,
                  parser.Position());
      continue;
    }
    Apply(read, keyTable, key, value, parser);
  }
  std::fclose(file);
  if (ok) ini = read;
  return ok;
}
