// Stage names and ranking keys. A stage is known by its file name without the extension
// and without the "-1" that marks the first stage of a numbered series, ending in "."
// (abc-1.stg4_811 and abc.stg4_811 are both the stage "abc."); its ranking key adds the
// ranking suffix of the world-map entry it was started from.
#include <cstdio>

#include "data/save/progress.h"

void AppendVarSuffix(std::string& text, int bSuffix, int nSuffixA, int nSuffixB) {
  if (!bSuffix) return;
  const bool dot = !text.empty() && text.back() == '.';
  if (dot) text.pop_back();
  char suffix[48];
  std::snprintf(suffix, sizeof suffix, "_c%03d_%d", nSuffixA, nSuffixB);
  text += suffix;
  if (dot) text += '.';
}

void cProgress::MakeStageName(const std::string& file, int bSuffix, int nSuffixA, int nSuffixB) {
  m_strStageName = file;
  m_bRankSuffix = bSuffix;
  m_nRankSuffixA = nSuffixA;
  m_nRankSuffixB = nSuffixB;
  m_bSeries = 0;

  // Bytes "-", "1" and "." are never the trail byte of a double-byte character, so the
  // name can be searched byte by byte.
  std::string& name = m_strStageName;
  bool series = false;
  for (std::size_t i = name.size(); i >= 2; --i) {
    if (name[i - 2] == '-' && name[i - 1] == '1') {
      name.resize(i - 1);
      name[i - 2] = '.';
      series = true;
      break;
    }
  }
  if (series) {
    m_bSeries = 1;
  } else {
    const std::size_t dot = name.rfind('.');
    if (dot == std::string::npos)
      name.clear();
    else
      name.resize(dot + 1);
  }
  m_strRankKey = name;
  AppendVarSuffix(m_strRankKey, m_bRankSuffix, m_nRankSuffixA, m_nRankSuffixB);
}
