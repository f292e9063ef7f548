#pragma once
// The numeric settings of commands that an arrange command may bind to a variable: per
// command kind the list of settable parameters (label and range), and per kind a getter
// and a setter that reach the member the parameter number stands for.
#include <cstdint>
#include <string>
#include <vector>

class cFlowCmd;

class VARPARAMDESC {
 public:
  void Set(const char* name, std::int32_t min, std::int32_t max) {
    m_strName = name;
    m_nMin = min;
    m_nMax = max;
  }

  std::string m_strName;  // the authoring tool's label
  std::int32_t m_nMin = 0;
  std::int32_t m_nMax = 0;
};

// Indexed by FLOWCMD kind (40 lists); kinds without settable parameters have an empty list.
extern std::vector<std::vector<VARPARAMDESC>> g_VarParamTable;

// Reads parameter `param` of the command into *out (16-bit and 8-bit members
// sign-extended). False, and *out untouched, for a parameter number outside the kind's
// list or a command without the block the parameter lives in.
using VarParamGetter = bool (*)(std::int32_t* out, int param, const cFlowCmd& cmd);
// Writes the value back, truncated to the member's width; nothing in the same cases.
using VarParamSetter = void (*)(std::int32_t value, int param, cFlowCmd& cmd);

// Indexed by FLOWCMD kind; null for kinds without settable parameters.
extern const VarParamGetter g_VarParamGetters[40];
extern const VarParamSetter g_VarParamSetters[40];

// Builds g_VarParamTable; start-up calls it once.
void InitVarParamTable();
