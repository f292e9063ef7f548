#include "stage/ranking_kinds.h"

#include "data/save/progress.h"
#include "data/system/system_data.h"
#include "stage/ranking.h"

namespace {

const cModeRanking* ModeRanking(int nPlayMode) {
  const std::vector<cModeRanking>& modes = g_SystemData.m_ModeRanking;
  if (nPlayMode < 0 || static_cast<std::size_t>(nPlayMode) >= modes.size()) return nullptr;
  return &modes[static_cast<std::size_t>(nPlayMode)];
}

int NextKind(int k, int dir) { return (k + dir + kRankLists) % kRankLists; }

}  // namespace

int IsRankKindOn(int nPlayMode, int k) {
  const cModeRanking* mode = ModeRanking(nPlayMode);
  if (mode == nullptr || k < 0 || static_cast<std::size_t>(k) >= mode->m_ResultOn.size()) return 0;
  return mode->m_ResultOn[static_cast<std::size_t>(k)] != 0 ? 1 : 0;
}

int GetCmdCount(int nPlayMode) {
  const cModeRanking* mode = ModeRanking(nPlayMode);
  if (mode == nullptr || mode->m_bRankingOn == 0) return 0;
  int n = 0;
  for (int k = 0; k < kRankLists; ++k) n += IsRankKindOn(nPlayMode, k);
  return n;
}

void MoveCmdCursor(cProgress& progress, int nPlayMode, int n) {
  int enabled = 0;
  for (int k = 0; k < kRankLists; ++k) enabled += IsRankKindOn(nPlayMode, k);
  // The genre is read from save files: one out of range would index past the lists.
  int kind = progress.m_nRankGenre >= 0 && progress.m_nRankGenre < kRankLists ? progress.m_nRankGenre : 0;
  if (enabled == 0) {
    progress.m_nRankGenre = kind;
    return;
  }
  if (n == 0) {
    while (IsRankKindOn(nPlayMode, kind) == 0) kind = NextKind(kind, 1);
  } else {
    const int dir = n > 0 ? 1 : -1;
    long long steps = n > 0 ? static_cast<long long>(n) : -static_cast<long long>(n);
    const auto step = [&] {
      do {
        kind = NextKind(kind, dir);
      } while (IsRankKindOn(nPlayMode, kind) == 0);
    };
    if (IsRankKindOn(nPlayMode, kind) == 0) {
      step();  // the first step reaches an enabled kind
      --steps;
    }
    // From an enabled kind, a whole turn over the enabled kinds comes back to it.
    for (long long s = steps % enabled; s > 0; --s) step();
  }
  progress.m_nRankGenre = kind;
}
