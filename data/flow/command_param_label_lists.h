#pragma once
// Label lists of command parameters (p[i] is entry i of cFlowCmd::m_vParam); the value
// of a parameter is the position of its label. An item command uses the list of the
// character command of the same name.
#include "data/common/label_list.h"

// Subjects and targets.
extern const LabelList g_SubjLabels;               // SUBJ order
extern const LabelList g_SubjWithoutSystemLabels;  // SUBJ 0 to 4
extern const LabelList g_TargetSlotLabels;         // cEdMove::m_nTargetSlot, targets 1 to 4 as 0 to 3

// Status and variable operations.
extern const LabelList g_VarOpLabels;              // VAROP order
extern const LabelList g_StatusCalcModeLabels;     // FLOWCMD_STATUS p[15]
extern const LabelList g_ArrangeVarKindLabels;     // FLOWCMD_ARRANGE p[3]
extern const LabelList g_CharaVarLabels;           // the eight chara variables

// Commands.
extern const LabelList g_FlowOpLabels;             // FLOWCMD_FLOW_OPERATION p[0], FLOWOP order
extern const LabelList g_FlowScopeLabels;          // FLOWCMD_FLOW_OPERATION p[1], FLOWSCOPE order
extern const LabelList g_StageClearModeLabels;     // FLOWCMD_STAGE_CLEAR p[0]
extern const LabelList g_NextStageFacingLabels;    // FLOWCMD_STAGE_CLEAR p[8]
extern const LabelList g_MessagePosLabels;         // FLOWCMD_MESSAGE p[0]
extern const LabelList g_DisplayDurationLabels;    // FLOWCMD_MESSAGE p[6], FLOWCMD_PICTURE p[8]
extern const LabelList g_PicturePosLabels;         // FLOWCMD_EFFECT and FLOWCMD_PICTURE p[1]
extern const LabelList g_SetTargetLabels;          // FLOWCMD_SET_TARGET p[1], SETTGT order
extern const LabelList g_TargetSearchRangeLabels;  // search range of a target choice
extern const LabelList g_NoTargetFoundLabels;      // FLOWCMD_SET_TARGET p[15]
extern const LabelList g_VanishTargetLabels;       // FLOWCMD_VANISH p[0]
extern const LabelList g_VanishRangeLabels;        // FLOWCMD_VANISH p[2]
extern const LabelList g_PaletteChoiceLabels;      // GET_ITEM p[0], cEdShot::m_nSummonPalette
extern const LabelList g_CommonPaletteOnlyLabels;  // the palette choice without the stage palette
extern const LabelList g_EffectPlaybackLabels;     // FLOWCMD_CHARA_EFFECT, FLOWCMD_SCREEN_EFFECT p[1]
extern const LabelList g_DisplaySwitchLabels;      // FLOWCMD_CHANGE_BACK p[1]
extern const LabelList g_TurnLabels;               // FLOWCMD_TURN p[0]
extern const LabelList g_JumpHeightLabels;         // FLOWCMD_JUMP p[0]
