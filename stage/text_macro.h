#pragma once
// The '#' macros of message texts: "#C5" is common variable 5, "#S2" stage variable 2,
// and an underscore part sets the digits ("#C5_3" pads to three), a plus sign ("_P") and
// leading zeros ("_Z"). A macro ended by '.' takes the dot with it.
#include <cstdint>
#include <string>
#include <vector>

// Replaces every macro of `text` that names an existing variable: common variables are
// 1 .. commonVars.size() - 1, stage variables 1 .. stageVars.size() - 1. Any other macro
// (no variable letter, number 0 or past the end) stays as written.
void ExpandTextMacroWith(std::string& text, const std::vector<std::int32_t>& commonVars,
                         const std::vector<std::int32_t>& stageVars);
// The same with the game's variables and the running stage's (none without a stage).
void ExpandTextMacro(std::string& text);
