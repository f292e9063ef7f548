// Fuzz target: System.ini, the machine-side settings, read byte by byte over the defaults
// of a new key table.
#include <string>
#include <vector>

#include "data/system/system_ini_file.h"
#include "data/system/system_ini_keys.h"
#include "fuzz/fuzz_driver.h"
#include "writers/system_ini_writer.h"

namespace {

constexpr const char* kPath = "System.ini";
constexpr const char* kAgain = "again.ini";

std::vector<cIniItem> g_Keys;

bool Same(const cSystemIni& a, const cSystemIni& b) {
  return a.m_nDirect3D == b.m_nDirect3D && a.m_nWindowMode == b.m_nWindowMode && a.m_nBpp == b.m_nBpp &&
         a.m_nVSync == b.m_nVSync && a.m_nD3DFontCache == b.m_nD3DFontCache &&
         a.m_nDDFontCache == b.m_nDDFontCache && a.m_nDDVideoStretch == b.m_nDDVideoStretch &&
         a.m_nShowFps == b.m_nShowFps && a.m_bEnglish == b.m_bEnglish && a.m_strFreeStage == b.m_strFreeStage;
}

// A stage path the writer can put on a line of its own and the reader takes back whole,
// with the CR of the line end that it then keeps.
bool WritableStage(const std::string& path) {
  return path.size() < cSystemIni::kFreeStageMax &&
         path.find_first_of(std::string(" \t/\n\0", 5)) == std::string::npos;
}

}  // namespace

void FuzzSetUp() { SetDefaultIniItems(g_Keys); }

void FuzzOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::BeginInput();
  fuzz::WriteFile(kPath, data, size);
  cSystemIni defaults;
  SetSystemIniDefaults(defaults, g_Keys);
  cSystemIni ini = defaults;
  if (!LoadSystemIni(kPath, ini, g_Keys)) {
    fuzz::CheckFailureReported(kPath);
    if (!Same(ini, defaults)) fuzz::Fail("a failed file leaves the settings as they were", kPath);
    return;
  }
  const std::string& stage = ini.m_strFreeStage;
  if (!stage.empty() && (stage.size() < 2 || stage.size() > cSystemIni::kFreeStageMax))
    fuzz::Fail("FreeStage is empty or 2 to 259 bytes", kPath);
  if (!WritableStage(stage)) return;
  // What was read, written again by the test writer, reads back the same.
  cIniEntries entries = {{"Direct3D", std::to_string(ini.m_nDirect3D)},
                         {"WindowMode", std::to_string(ini.m_nWindowMode)},
                         {"Bpp", std::to_string(ini.m_nBpp)},
                         {"VSync", std::to_string(ini.m_nVSync)},
                         {"D3D_FontCache", std::to_string(ini.m_nD3DFontCache)},
                         {"DD_FontCache", std::to_string(ini.m_nDDFontCache)},
                         {"DD_VideoStretch", std::to_string(ini.m_nDDVideoStretch)},
                         {"ShowFps", std::to_string(ini.m_nShowFps)},
                         {"English", std::to_string(ini.m_bEnglish)}};
  if (!stage.empty()) entries.emplace_back("FreeStage", stage);
  const std::string text = SystemIniText(entries);
  fuzz::WriteFile(kAgain, reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
  cSystemIni again = defaults;
  // The writer ends its lines with CR LF, which a stage path then keeps at its end.
  if (!LoadSystemIni(kAgain, again, g_Keys)) fuzz::Fail("written settings load back", kAgain);
  if (!stage.empty()) again.m_strFreeStage.pop_back();
  if (!Same(ini, again)) fuzz::Fail("written settings read back the same", kAgain);
}
