// The repairs of a stage after reading and before writing.
#include <algorithm>
#include <climits>
#include <cstdint>

#include "data/common/database_list_sizes.h"
#include "data/record/shared_list.h"
#include "data/stage/stage_data.h"
#include "data/stage/stage_entry_lists.h"

namespace {

// The view is 20 blocks wide and 15 high.
constexpr std::int64_t kViewBlocksX = 20;
constexpr std::int64_t kViewBlocksY = 15;
constexpr std::size_t kMinDefinitionEntries = 2;

// Lowers `value` to `limit` when it is greater (a limit below the int32 range lowers it
// to the smallest int32).
void ClampAbove(std::int32_t& value, std::int64_t limit) {
  if (value > limit) value = static_cast<std::int32_t>(std::max<std::int64_t>(limit, INT32_MIN));
}

template <typename T>
void FillUpDefinitions(std::vector<T>& list) {
  if (list.size() < kMinDefinitionEntries) list.resize(kMinDefinitionEntries, NewEntry<T>());
}

void NormalizeEntries(std::vector<cPaletteBlock>& list) {
  for (cPaletteBlock& block : list) {
    block.ValidateRef();
    block.ValidateItemRef();
  }
}

void NormalizeEntries(std::vector<cPaletteChara>& list) {
  for (cPaletteChara& chara : list) {
    chara.Validate();
    chara.Normalize2();
  }
}

void NormalizeEntries(std::vector<cPaletteItem>& list) {
  for (cPaletteItem& item : list) {
    item.Normalize();
    item.Normalize2();
  }
}

}  // namespace

void cStageData::Normalize() {
  // 1. The scroll range ends inside the stage; there is no lower bound.
  ClampAbove(m_nLimitLeft, std::int64_t{m_nWidth} - kViewBlocksX);
  ClampAbove(m_nLimitRight, std::int64_t{m_nWidth} - 1);
  ClampAbove(m_nLimitTop, std::int64_t{m_nHeight} - kViewBlocksY);
  ClampAbove(m_nLimitBottom, std::int64_t{m_nHeight} - 1);

  // 2.
  SetCollisionLevel(m_nCollisionLevel);

  // 3. A music index outside the Bgm database (taken as unsigned) means no music.
  if (static_cast<std::uint32_t>(m_nBgm) >= static_cast<std::uint32_t>(GetDatabaseSize(DBKIND_BGM))) m_nBgm = 0;

  // 4.
  FillUpDefinitions(m_vBlockDef);
  FillUpDefinitions(m_vCharaDef);
  FillUpDefinitions(m_vItemDef);

  // 5. Lists shared by inheritance are repaired once for all their holders.
  const cRepairPass pass;
  // References of kind 2 are tested against the definitions of g_StageData as they
  // stand now (filled up above when this is g_StageData).
  NormalizeEntries(m_vBlockDef);
  NormalizeEntries(m_vCharaDef);
  NormalizeEntries(m_vItemDef);
  NormalizeEntries(m_vBlockPlace);
  NormalizeEntries(m_vCharaPlace);
  NormalizeEntries(m_vItemPlace);
}
