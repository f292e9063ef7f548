// Message text macros: see text_macro.h.
#include "stage/text_macro.h"

#include <cstddef>

#include "data/save/progress.h"
#include "platform/cp932.h"
#include "stage/ranking_text.h"
#include "stage/scene_game.h"

namespace {

// A variable number longer than any list is still read to its last digit (the digits
// belong to the macro), but it stops growing here, so a long digit run cannot overflow.
constexpr std::int64_t kNumberCap = 1 << 24;

struct cMacro {
  std::size_t nEnd = 0;   // first byte after the macro (its dot included)
  bool bCommon = false;
  bool bStage = false;
  std::int64_t nNumber = 0;
  int nMinDigits = 0;
  bool bPlus = false;
  bool bZeros = false;
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads the macro whose '#' is at nHash.
cMacro ReadMacro(const std::string& text, std::size_t nHash) {
  cMacro macro;
  bool bFormat = false;
  std::size_t i = nHash + 1;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (!bFormat) {
      if (c == 'C' || c == 'c') {
        macro.bCommon = true;
      } else if (c == 'S' || c == 's') {
        macro.bStage = true;
      } else if (IsDigit(c)) {
        macro.nNumber = macro.nNumber * 10 + (c - '0');
        if (macro.nNumber > kNumberCap) macro.nNumber = kNumberCap;
      } else if (c == '_') {
        bFormat = true;
      } else {
        break;
      }
    } else {
      if (IsDigit(c)) {
        macro.nMinDigits = c - '0';
      } else if (c == 'P' || c == 'p') {
        macro.bPlus = true;
      } else if (c == 'Z' || c == 'z') {
        macro.bZeros = true;
      } else {
        break;
      }
    }
  }
  if (i < text.size() && text[i] == '.') ++i;
  macro.nEnd = i;
  return macro;
}

const std::int32_t* VariableOf(const cMacro& macro, const std::vector<std::int32_t>& commonVars,
                               const std::vector<std::int32_t>& stageVars) {
  const std::vector<std::int32_t>* vars = nullptr;
  if (macro.bCommon) {
    vars = &commonVars;
  } else if (macro.bStage) {
    vars = &stageVars;
  }
  // Index 0 of both lists is unused; numbers past the end name nothing.
  if (vars == nullptr || macro.nNumber < 1 || macro.nNumber >= static_cast<std::int64_t>(vars->size())) return nullptr;
  return &(*vars)[static_cast<std::size_t>(macro.nNumber)];
}

}  // namespace

void ExpandTextMacroWith(std::string& text, const std::vector<std::int32_t>& commonVars,
                         const std::vector<std::int32_t>& stageVars) {
  std::string formatted;
  std::size_t i = 0;
  while (i < text.size()) {
    const auto c = static_cast<std::uint8_t>(text[i]);
    if (IsCp932LeadByte(c)) {
      i += 2;
      continue;
    }
    if (c != '#') {
      ++i;
      continue;
    }
    const cMacro macro = ReadMacro(text, i);
    const std::int32_t* value = VariableOf(macro, commonVars, stageVars);
    if (value == nullptr) {
      // Left as written; a following '#' may start the next macro.
      i = macro.nEnd;
      continue;
    }
    IntToStr(formatted, *value, macro.nMinDigits, macro.bZeros ? 1 : 0, macro.bPlus ? 1 : 0);
    text.replace(i, macro.nEnd - i, formatted);
    i += formatted.size();
  }
}

void ExpandTextMacro(std::string& text) {
  static const std::vector<std::int32_t> kNoVars;
  const cSceneGame* scene = GameScene();
  ExpandTextMacroWith(text, g_Progress.m_Vars, scene != nullptr ? scene->m_vStageVar : kNoVars);
}
