#pragma once
// Face names offered for the system fonts; the system data's m_nFontFace picks one.

// 122 face names followed by one empty text.
inline constexpr int kSystemFontNameCount = 123;
extern const char* const SystemFontNames[kSystemFontNameCount];

// The face chosen by a new system record: "ＭＳ Ｐゴシック".
inline constexpr int kDefaultFontFace = 60;

// An index brought into the table (below 0: the first entry, past the end: the last).
int ClampFontFace(int nIndex);
// The face of an index, clamped into the table first; never reads outside it.
const char* SystemFontName(int nIndex);
