#pragma once
// The block, character and item definition lists of the stage held in g_StageData
// (m_vBlockDef, m_vCharaDef, m_vItemDef): the lists that references of kind
// PALETTE_STAGE name.
#include <vector>

#include "data/palette/palette_block.h"
#include "data/palette/palette_chara.h"
#include "data/palette/palette_item.h"

std::vector<cPaletteBlock>& StageBlockDefs();
std::vector<cPaletteChara>& StageCharaDefs();
std::vector<cPaletteItem>& StageItemDefs();
