#include "stage/ranking.h"

#include <cstring>

#include "app/checked_access.h"
#include "app/path_helpers.h"
#include "app/path_table.h"
#include "data/record/data_lists.h"
#include "data/save/play_mode.h"
#include "data/save/progress.h"
#include "data/stage/stage_data.h"

cRankingSet g_RankingSet;

namespace {

// Files up to this version hold fewer lists, and their HP and SP lists ranked lower
// first.
constexpr int kLastThreeListVersion = 180;

// Higher-is-better of a fresh list of each result kind: only the clear time ranks the
// lower value first.
constexpr std::int32_t kFreshHigherBetter[kRankLists] = {1, 1, 0, 1, 1};

}  // namespace

cRankEntry::cRankEntry() { Register(g_nDataVersion); }

void cRankEntry::RegisterMembers(int version) {
  (void)version;
  ClearMembers();
  AddMember(&m_bUsed);
  AddMember(&m_nValue);
  AddString(&m_strName);
}

cRanking::cRanking() {
  Register(g_nDataVersion);
  Reset();
}

void cRanking::Reset() {
  m_bHigherBetter = 0;
  m_vEntry.resize(kRankPlaces);
}

void cRanking::RegisterMembers(int version) {
  (void)version;
  ClearMembers();
  AddMember(&m_bHigherBetter);
}

void cRanking::Read(cDataReader& in) {
  cDataRecord::Read(in);
  LoadVector(m_vEntry, in);
}

void cRanking::Write(cDataWriter& out) {
  cDataRecord::Write(out);
  SaveVector(m_vEntry, out);
}

int cRanking::GetRank(std::int32_t value) const {
  for (std::size_t i = 0; i < m_vEntry.size(); ++i) {
    const cRankEntry& entry = m_vEntry[i];
    if (entry.m_bUsed == 0) return static_cast<int>(i);
    const bool worse = m_bHigherBetter != 0 ? entry.m_nValue < value : entry.m_nValue > value;
    if (worse) return static_cast<int>(i);
  }
  return -1;
}

void cRanking::Insert(const std::string& name, std::int32_t value) {
  const int place = GetRank(value);
  cRankEntry entry;
  entry.m_bUsed = 1;
  entry.m_strName = name;
  entry.m_nValue = value;
  if (place >= 0 && static_cast<std::size_t>(place) < m_vEntry.size())
    m_vEntry.insert(m_vEntry.begin() + place, entry);
  else
    m_vEntry.push_back(entry);
  m_vEntry.pop_back();
}

cRankingSet::cRankingSet() {
  Register(g_nDataVersion);
  Reset();
}

void cRankingSet::Reset() {
  m_vRanking.assign(kRankLists, cRanking());
  for (int k = 0; k < kRankLists; ++k) m_vRanking[static_cast<std::size_t>(k)].m_bHigherBetter = kFreshHigherBetter[k];
}

void cRankingSet::Read(cDataReader& in) {
  cDataRecord::Read(in);
  // A list body is at least its two counts and its entry count.
  LoadVector(m_vRanking, in, kMinRecordBodyBytes + sizeof(std::int32_t));
  if (in.Version() <= kLastThreeListVersion) {
    // Lists that old files lack come fresh with the lower value first, as the lists of
    // those files were; then HP and SP rank the higher value first.
    if (m_vRanking.size() > kRankLists) m_vRanking.resize(kRankLists);
    while (m_vRanking.size() < kRankLists) m_vRanking.emplace_back();
    m_vRanking[RESULT_HPLEFT].m_bHigherBetter = 1;
    m_vRanking[RESULT_SPLEFT].m_bHigherBetter = 1;
  }
  Normalize();
}

void cRankingSet::Normalize() {
  if (m_vRanking.size() > kRankLists) m_vRanking.resize(kRankLists);
  for (std::size_t k = m_vRanking.size(); k < kRankLists; ++k) {
    m_vRanking.emplace_back();
    m_vRanking.back().m_bHigherBetter = kFreshHigherBetter[k];
  }
  for (cRanking& ranking : m_vRanking) ranking.m_vEntry.resize(kRankPlaces);
}

void cRankingSet::Write(cDataWriter& out) {
  cDataRecord::Write(out);
  SaveVector(m_vRanking, out);
}

bool GetRankingPath(std::string& out, int nPlayMode, const std::string& stageName, int bSuffix, int nSuffixA,
                    int nSuffixB) {
  int folder = 0;
  switch (nPlayMode) {
    case PLAYMODE_STORY:
      folder = PATH_RANKING_STORY;
      break;
    case PLAYMODE_CHALLENGE:
      folder = PATH_RANKING_CHALLENGE;
      break;
    case PLAYMODE_FREE:
      folder = PATH_RANKING_FREE;
      break;
    default:
      return false;
  }
  std::string name = stageName;
  // One stage file serves world entries with different variable presets: each preset has
  // a ranking of its own.
  if (nPlayMode == PLAYMODE_STORY) AppendVarSuffix(name, bSuffix, nSuffixA, nSuffixB);
  std::vector<char> buffer(name.begin(), name.end());
  buffer.push_back('\0');
  StripDir(buffer.data());
  out = g_PathTable[folder];
  out += buffer.data();
  out += g_ExtTable[EXT_RANKING];
  return true;
}

bool cRankingSet::Load(cRankingSet& set, int nPlayMode, const std::string& stageName, int bSuffix, int nSuffixA,
                       int nSuffixB) {
  std::string path;
  if (GetRankingPath(path, nPlayMode, stageName, bSuffix, nSuffixA, nSuffixB) && set.LoadFromFile(path.c_str()) != 0) {
    return true;
  }
  set.Reset();
  return false;
}

bool cRankingSet::Save(cRankingSet& set, int nPlayMode, const std::string& stageName, int bSuffix, int nSuffixA,
                       int nSuffixB) {
  std::string path;
  if (!GetRankingPath(path, nPlayMode, stageName, bSuffix, nSuffixA, nSuffixB)) return false;
  return set.SaveToFile(path.c_str()) != 0;
}
