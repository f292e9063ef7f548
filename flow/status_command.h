#pragma once
// The status command (FLOWCMD_STATUS): changes a status value of a character, a system
// value or a variable by an operation with an operand that is a constant, a random number,
// another status value or a variable.
#include <cstdint>
#include <vector>

class cCharaBase;

// `receiver` runs the command; `param` is the command's parameter list (18 values; a
// shorter list, from damaged data, does nothing). Returns 0.
std::int32_t ExecStatusCommand(cCharaBase& receiver, const std::vector<std::int32_t>& param);
