#include "stage/scripted_input.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "media/input/input.h"

namespace {

cScriptedInput g_ScriptedInput;
bool g_bScriptedInput = false;
bool g_bScriptedSeed = false;
std::int32_t g_nScriptedSeed = 0;

// A script larger than this is not a script a test writes; refusing it keeps the
// allocation bounded.
constexpr std::streamoff kMaxScriptBytes = 64 * 1024 * 1024;
constexpr std::int64_t kMaxCount = INT64_MAX / 10;

// One decimal field of a line: digits only (no sign, no blanks inside), at most `max`.
bool ParseField(const std::string& field, std::int64_t max, std::int64_t& value) {
  if (field.empty()) return false;
  value = 0;
  for (const char c : field) {
    if (c < '0' || c > '9') return false;
    const int digit = c - '0';
    if (value > (max - digit) / 10) return false;
    value = value * 10 + digit;
  }
  return true;
}

}  // namespace

bool cScriptedInput::LoadText(const std::string& text, const char* name, std::string& error) {
  m_vRun.clear();
  m_nRun = 0;
  m_nRunFrame = 0;
  std::istringstream lines(text);
  std::string line;
  int lineNo = 0;
  while (std::getline(lines, line)) {
    ++lineNo;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::istringstream words(line);
    std::string count;
    std::string dir;
    std::string button;
    std::string extra;
    words >> count >> dir >> button;
    if (count.empty()) continue;  // a blank line
    cScriptedRun run;
    std::int64_t dirValue = 0;
    std::int64_t buttonValue = 0;
    const bool ok = ParseField(count, kMaxCount, run.nCount) && ParseField(dir, 0xFFFF, dirValue) &&
                    ParseField(button, 0xFFFF, buttonValue) && !(words >> extra);
    if (!ok) {
      error = std::string(name) + " line " + std::to_string(lineNo) +
              ": expected \"COUNT DIR BUTTONS\" (decimal; DIR and BUTTONS 0 to 65535)";
      m_vRun.clear();
      return false;
    }
    run.wDir = static_cast<std::uint16_t>(dirValue);
    run.wButton = static_cast<std::uint16_t>(buttonValue);
    if (run.nCount > 0) m_vRun.push_back(run);
  }
  return true;
}

bool cScriptedInput::LoadFile(const char* path, std::string& error) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    error = std::string(path) + ": cannot be read";
    return false;
  }
  file.seekg(0, std::ios::end);
  const std::streamoff size = file.tellg();
  if (size < 0 || size > kMaxScriptBytes) {
    error = std::string(path) + ": not a readable input script of at most 64 MB";
    return false;
  }
  file.seekg(0, std::ios::beg);
  std::string text(static_cast<std::size_t>(size), '\0');
  if (size > 0 && !file.read(text.data(), size)) {
    error = std::string(path) + ": cannot be read";
    return false;
  }
  return LoadText(text, path, error);
}

void cScriptedInput::Apply(cInput& input) {
  if (m_nRun >= m_vRun.size()) {
    input.m_wDir = 0;
    input.m_wButton = 0;
    return;
  }
  const cScriptedRun& run = m_vRun[m_nRun];
  input.m_wDir = run.wDir;
  input.m_wButton = run.wButton;
  if (++m_nRunFrame >= run.nCount) {
    ++m_nRun;
    m_nRunFrame = 0;
  }
}

bool LoadScriptedInputFromEnv(std::string& error) {
  const char* path = std::getenv("TOVREL_INPUT");
  if (path == nullptr || path[0] == '\0') return true;
  if (!g_ScriptedInput.LoadFile(path, error)) return false;
  g_bScriptedInput = true;
  return true;
}

bool ScriptedInputActive() { return g_bScriptedInput; }

void ApplyScriptedInput(cInput& input) { g_ScriptedInput.Apply(input); }

bool LoadScriptedSeedFromEnv(std::string& error) {
  const char* text = std::getenv("TOVREL_SEED");
  if (text == nullptr || text[0] == '\0') return true;
  std::uint64_t n = 0;
  for (const char* p = text; *p != '\0'; ++p) {
    if (*p < '0' || *p > '9' || n > UINT32_MAX / 10) {
      n = UINT64_MAX;
      break;
    }
    n = n * 10 + static_cast<std::uint64_t>(*p - '0');
  }
  if (n > UINT32_MAX) {
    error = std::string("TOVREL_SEED=") + text + ": a whole number from 0 to 4294967295 is expected";
    return false;
  }
  // The scene keeps its seed as a signed 32-bit value, as replays store it.
  g_nScriptedSeed = static_cast<std::int32_t>(static_cast<std::uint32_t>(n));
  g_bScriptedSeed = true;
  return true;
}

bool ScriptedSeed(std::int32_t& nSeed) {
  if (!g_bScriptedSeed) return false;
  nSeed = g_nScriptedSeed;
  return true;
}
