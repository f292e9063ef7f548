#pragma once
// Label lists of flows, conditions and key conditions: the value stored in a member is
// the position of its label. Commands: command_param_label_lists.h; movement and shot
// blocks: param_block_label_lists.h; statuses: status_descriptor_tables.h.
#include "data/common/label_list.h"

// cFlow::m_nTrigger, FLOWTRIG order.
extern const LabelList g_FlowTrigLabels;

// Flow letters: cFlow::m_nID "-", "A" to "Z"; cFlow::m_nSwitch "-", "a" to "z"; and the
// IDs with "全て" in place of "-".
extern const LabelList g_FlowIdLabels;
extern const LabelList g_FlowSwitchLabels;
extern const LabelList g_FlowIdOrAllLabels;
// ITEMCMD_CHANGE_FLOW: p[0] the operation, p[1] the flows removed ("全て削除" or an ID).
extern const LabelList g_ChangeFlowOpLabels;
extern const LabelList g_ChangeFlowIdLabels;

// Conditions.
extern const LabelList g_CondKindLabels;              // cCond::m_nKind, COND order
extern const LabelList g_CondModeLabels;              // cFlow::m_nCondMode, cCondList::m_nMode
extern const LabelList g_CmpLabels;                   // cCond::m_nCmp, CMP order
extern const LabelList g_StateTestLabels;             // m_nCmp of COND_STATUS3
extern const LabelList g_StateLabels;                 // m_nSelect of COND_STATUS3
extern const LabelList g_CondSubjLabels;              // m_nSubject, m_nRightSubject, CONDSUBJ order
extern const LabelList g_CondSubjWithoutSystemLabels; // CONDSUBJ 0 to 4
extern const LabelList g_CondLeftSrcLabels;           // m_nLeftSrc of COND_STATUS
extern const LabelList g_CondRightSrcLabels;          // m_nRightSrc of COND_STATUS
extern const LabelList g_VarKindLabels;               // m_nLeftVarKind, m_nRightVarKind
extern const LabelList g_DistShapeLabels;             // m_nShape
extern const LabelList g_DistCmpLabels;               // m_nCmp of COND_DISTANCE
extern const LabelList g_DistRangeDisplayLabels;      // m_nLeftSrc of COND_DISTANCE

// Key conditions.
extern const LabelList g_KeySlotStateLabels;  // each entry of cKeyCond::m_vKey
extern const LabelList g_KeyMatchLabels;      // cKeyCond::m_nKeyMatch
