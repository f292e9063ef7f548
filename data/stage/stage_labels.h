#pragma once
// Labels the authoring tool shows for stage settings, kept as constant lists; the player
// never shows them. The value of a member is the position of its label.
#include "data/common/label_list.h"

// cStageData::m_nScrollModeX and m_nScrollModeY.
extern const LabelList g_StageScrollModeLabels;
// cStageData::m_nCollisionLevel: the label of level v is at position v - 1.
extern const LabelList g_StageCollisionLevelLabels;
// cStageData::m_nHitChecksPerFrame, 0 to 5 (the list ends with a further empty label).
extern const LabelList g_StageHitChecksLabels;

// Choices of the authoring tool's stage dialogs that no stored member of the player holds.
extern const LabelList g_StageResizeXLabels;        // where columns are added or removed
extern const LabelList g_StageResizeYLabels;        // where rows are added or removed
extern const LabelList g_StageBoxPlaceLabels;       // centre or bottom of the cell
extern const LabelList g_StageBoxPlaceShortLabels;  // the same, short
extern const LabelList g_StageHitDisplayLabels;     // hidden, shown, frame only
extern const LabelList g_StageHitColourLabels;
extern const LabelList g_StageAxisLabels;
