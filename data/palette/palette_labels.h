#pragma once
// Labels the authoring tool shows for the enumerated members of block, character and
// item entries, kept as constant lists; the player never shows them. The value of a
// member is the position of its label unless said otherwise.
#include "data/common/label_list.h"

// m_nPaletteKind of the three classes (PALETTE order).
extern const LabelList g_PaletteKindLabels;
// m_nGraphicKind of the three classes (PARTGRAPHIC order).
extern const LabelList g_PartGraphicLabels;
// m_nEmblemShow, values 0 and 1 (2, shown by the authoring tool only, has no label).
extern const LabelList g_EmblemShowLabels;

// cPaletteBlock.
extern const LabelList g_BlockHitLabels;          // m_nHit
extern const LabelList g_BlockPassSideLabels;     // m_nPassSide: the label of side v is at v + 1 (-1 none first)
extern const LabelList g_BlockFootKindLabels;     // m_nFootKind
extern const LabelList g_BlockItemPaletteLabels;  // m_nItemPaletteKind

// cPaletteChara.
extern const LabelList g_CharaControllerLabels;   // m_nController
extern const LabelList g_CharaPlayerNoLabels;     // m_nPlayerNo
extern const LabelList g_CharaFlyingLabels;       // m_nFlying
extern const LabelList g_CharaInvincibleLabels;   // m_nInvincible
extern const LabelList g_CharaSizeLabels;         // m_nSize: the label of factor v is at v - 1
extern const LabelList g_CharaSightShapeLabels;   // m_nSightShape
extern const LabelList g_CharaHitBoxLabels;       // m_nHitBox
extern const LabelList g_CharaScreenRangeLabels;  // m_nScreenRange
extern const LabelList g_CharaActiveRuleLabels;   // m_nActiveRule (the player treats 2 as 0)

// cPaletteItem.
extern const LabelList g_ItemTakeModeLabels;      // m_nTakeMode
