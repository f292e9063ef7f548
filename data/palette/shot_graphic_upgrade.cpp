#include "data/palette/shot_graphic_upgrade.h"

#include <algorithm>

#include "data/common/palette_kind.h"

void UpgradeShotGraphic(std::int8_t graphicKind, std::int16_t& graphic) {
  if (graphicKind != PARTGRAPHIC_SHOT) return;
  const int upgraded = std::min(graphic + 1, static_cast<int>(kMaxShotGraphic));
  graphic = static_cast<std::int16_t>(upgraded);
}
