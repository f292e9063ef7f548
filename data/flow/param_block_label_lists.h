#pragma once
// Label lists of the movement block (cEdMove) and the shot block (cEdShot); the value of
// a member is the position of its label. Formations and trajectories:
// shot_parameter_tables.h.
#include "data/common/label_list.h"

// Movement block.
extern const LabelList g_StraightMoveModeLabels;     // cEdMove::m_nMode of a straight move
extern const LabelList g_WarpModeLabels;             // cEdMove::m_nMode of a warp
extern const LabelList g_DirectionLabels;            // cEdMove::m_nDir, cEdShot::m_nDir
extern const LabelList g_CoordKindLabels;            // cEdMove::m_nCoordKind
extern const LabelList g_CoordKindWithoutPlacementLabels;  // the same without the placement origin
extern const LabelList g_CircleTurnLabels;           // cEdMove::m_nDir of FLOWCMD_MOVE_CIRCLE
extern const LabelList g_SpeedModeLabels;            // cEdMove::m_nSpeedMode
extern const LabelList g_CircleSpeedModeLabels;      // cEdMove::m_nSpeedMode of FLOWCMD_MOVE_CIRCLE
extern const LabelList g_DistUnitLabels;             // cEdMove::m_nDistUnit

// Shot block.
extern const LabelList g_FormOriginLabels;           // cEdShot::m_nFormOrigin
extern const LabelList g_BlockSummonModeLabels;      // cEdShot::m_nBlockSummonMode
extern const LabelList g_SummonSideLabels;           // cEdShot::m_nSummonSide
