#include "data/palette/common_palette_sizes.h"

#include <climits>
#include <cstddef>

#include "data/flow/palette_sizes.h"
#include "data/palette/palette.h"

namespace {

int Length(std::size_t size) { return size > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(size); }

}  // namespace

void PublishCommonPaletteSizes(const cPalette& palette) {
  int* row = g_PaletteSizes.anSize[PALETTE_COMMON];
  row[PALETTE_BLOCKS] = Length(palette.m_vBlock.size());
  row[PALETTE_CHARAS] = Length(palette.m_vChara.size());
  row[PALETTE_ITEMS] = Length(palette.m_vItem.size());
}
