#pragma once
// The code command's expression language: integer arithmetic with assignment over the
// common and stage variables, characters' status values and a few system values, with
// parentheses and the function rand. Game thread only.
#include <cstdint>
#include <string>

class cCharaBase;

// Set by every error of an evaluation; cleared by ExecCode.
extern std::int32_t g_bCodeError;

// Runs `text` for `chara` (the running character); 1 on success, 0 when an error was
// reported. Changes of the running character's own HP and SP start its gauges.
int ExecCode(const std::string& text, cCharaBase* chara);
// The value of a text with parentheses and function calls.
int EvalCodeParens(const std::string& text, cCharaBase* chara);
// The value of a flat statement (no parentheses left).
int EvalCodeStatement(const std::string& text, cCharaBase* chara);
