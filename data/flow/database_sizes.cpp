#include "data/flow/database_sizes.h"

cDatabaseSizes g_DatabaseSizes;

int GetDatabaseListSize(int nKind) {
  if (nKind < 0 || nKind >= DBLIST_COUNT) return 0;
  return g_DatabaseSizes.anSize[nKind];
}

const std::vector<std::int32_t>& GetSwordTypeFrameTimes(int nIndex) {
  static const std::vector<std::int32_t> kNoFrames;
  const auto& types = g_DatabaseSizes.SwordFrameTimes;
  if (nIndex < 0 || static_cast<std::size_t>(nIndex) >= types.size()) return kNoFrames;
  return types[static_cast<std::size_t>(nIndex)];
}
