#pragma once
// The status-value condition (COND_STATUS): a status value of a character, a system value
// or a variable, compared with an operand that is a constant, a random number, another
// status value or a variable.
class cCharaBase;
class cCond;

// `pSubject` is the character that runs the flow or owns the condition list.
int CheckStatusValueCond(const cCond& cond, cCharaBase* pSubject);
