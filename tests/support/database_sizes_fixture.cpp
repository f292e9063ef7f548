#include "tests/support/database_sizes_fixture.h"

#include <cstddef>

#include "data/database/database.h"
#include "data/palette/palette.h"
#include "data/common/palette_kind.h"
#include "data/palette/palette_lists.h"

namespace {

std::size_t Count(int n) { return n < 0 ? 0 : static_cast<std::size_t>(n); }

template <typename T>
void Resize(std::vector<T>* list, int n) {
  if (list) list->resize(Count(n));
}

}  // namespace

void SetAllDatabaseSizes(int n) {
  g_Database.ForEachFileList([n](int, auto& list) {
    list.resize(Count(n));
    return true;
  });
}

void SetDatabaseSize(int nKind, int n) {
  g_Database.ForEachFileList([nKind, n](int kind, auto& list) {
    if (kind == nKind) list.resize(Count(n));
    return true;
  });
}

void SetSwordFrameTimes(const std::vector<std::vector<std::int32_t>>& frameTimes) {
  std::vector<cSwordTypeData>& types = g_Database.m_SwordType;
  types.assign(frameTimes.size(), cSwordTypeData());
  for (std::size_t i = 0; i < frameTimes.size(); ++i) {
    types[i].m_vFrame.assign(frameTimes[i].size(), cSwordFrame());
    for (std::size_t f = 0; f < frameTimes[i].size(); ++f) types[i].m_vFrame[f].m_nTime = frameTimes[i][f];
  }
}

void SetPaletteListSize(int kind, int list, int n) {
  switch (list) {
    case PALETTE_CLASS_BLOCK: Resize(PaletteBlockList(kind), n); break;
    case PALETTE_CLASS_CHARA: Resize(PaletteCharaList(kind), n); break;
    case PALETTE_CLASS_ITEM: Resize(PaletteItemList(kind), n); break;
    default: break;
  }
}

void SetAllPaletteSizes(int n) {
  for (int kind : {PALETTE_COMMON, PALETTE_STAGE})
    for (int list : {PALETTE_CLASS_BLOCK, PALETTE_CLASS_CHARA, PALETTE_CLASS_ITEM}) SetPaletteListSize(kind, list, n);
}

void RestoreDatabaseAndPalettes() {
  g_Database.Reset();
  g_CommonPalette = cPalette();
  PaletteBlockList(PALETTE_STAGE)->assign(1, cPaletteBlock());
  PaletteCharaList(PALETTE_STAGE)->assign(1, cPaletteChara());
  PaletteItemList(PALETTE_STAGE)->assign(1, cPaletteItem());
}
