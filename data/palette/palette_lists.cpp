#include "data/palette/palette_lists.h"

#include <climits>

#include "data/palette/palette.h"
#include "data/common/palette_list_size.h"
#include "data/palette/stage_definition_lists.h"

std::vector<cPaletteBlock>* PaletteBlockList(int kind) {
  if (kind == PALETTE_COMMON) return &g_CommonPalette.m_vBlock;
  if (kind == PALETTE_STAGE) return &StageBlockDefs();
  return nullptr;
}

std::vector<cPaletteChara>* PaletteCharaList(int kind) {
  if (kind == PALETTE_COMMON) return &g_CommonPalette.m_vChara;
  if (kind == PALETTE_STAGE) return &StageCharaDefs();
  return nullptr;
}

std::vector<cPaletteItem>* PaletteItemList(int kind) {
  if (kind == PALETTE_COMMON) return &g_CommonPalette.m_vItem;
  if (kind == PALETTE_STAGE) return &StageItemDefs();
  return nullptr;
}

namespace {

template <typename T>
int LengthOf(const std::vector<T>* list) {
  if (!list) return 0;
  return list->size() > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(list->size());
}

}  // namespace

int PaletteListSize(int kind, int list) {
  switch (list) {
    case PALETTE_CLASS_BLOCK: return LengthOf(PaletteBlockList(kind));
    case PALETTE_CLASS_CHARA: return LengthOf(PaletteCharaList(kind));
    case PALETTE_CLASS_ITEM: return LengthOf(PaletteItemList(kind));
    default: return 0;
  }
}

cPaletteItem* GetPaletteItem(std::int8_t kind, std::int16_t index) {
  std::vector<cPaletteItem>* list = PaletteItemList(kind);
  if (!list || !IsPaletteIndex(*list, index)) return nullptr;
  return &(*list)[static_cast<std::size_t>(index)];
}
