#pragma once
// A tested value compared with the condition's compare value, or, when the condition takes
// its value as a percentage, with that percentage of a base value kept within a range.
class cCond;

// CompareByCode(value, m_nValue, m_nCmp); with m_bPercentOfMax set the compare value is
// PercentOfRounded(base, m_nValue), raised to min when below it, else lowered to max when
// above it.
int CompareWithPercent(int value, int base, const cCond& cond, int min, int max);
// The same with the values and the percentage taken in 16 bits.
int CompareWithPercent16(int value, int base, const cCond& cond, int min, int max);
