#include "data/palette/stage_definition_lists.h"

#include "data/stage/stage_data.h"

std::vector<cPaletteBlock>& StageBlockDefs() { return g_StageData.m_vBlockDef; }
std::vector<cPaletteChara>& StageCharaDefs() { return g_StageData.m_vCharaDef; }
std::vector<cPaletteItem>& StageItemDefs() { return g_StageData.m_vItemDef; }
