#pragma once
// The palette lists that references name: kind PALETTE_COMMON the lists of
// g_CommonPalette, kind PALETTE_STAGE the definition lists of the current stage.
#include <cstdint>
#include <type_traits>
#include <vector>

#include "data/palette/palette_block.h"
#include "data/palette/palette_chara.h"
#include "data/palette/palette_item.h"

// The list of `kind` that holds entries of the class T; none for any other kind.
std::vector<cPaletteBlock>* PaletteBlockList(int kind);
std::vector<cPaletteChara>* PaletteCharaList(int kind);
std::vector<cPaletteItem>* PaletteItemList(int kind);

template <typename T>
std::vector<T>* PaletteListOf(int kind) {
  if constexpr (std::is_same_v<T, cPaletteBlock>) return PaletteBlockList(kind);
  else if constexpr (std::is_same_v<T, cPaletteChara>) return PaletteCharaList(kind);
  else {
    static_assert(std::is_same_v<T, cPaletteItem>);
    return PaletteItemList(kind);
  }
}

// True when `index` names an entry of `list` (not negative, below its length).
template <typename T>
bool IsPaletteIndex(const std::vector<T>& list, int index) {
  return index >= 0 && static_cast<std::size_t>(index) < list.size();
}

// The reference repair shared by the three classes: a reference of kind 1 or 2 whose
// index lies outside the named list becomes (0, 0); other kinds stay as they are.
template <typename T>
void RepairPaletteRef(std::int8_t& kind, std::int16_t& index) {
  const std::vector<T>* list = PaletteListOf<T>(kind);
  if (list && !IsPaletteIndex(*list, index)) {
    kind = PALETTE_NONE;
    index = 0;
  }
}
