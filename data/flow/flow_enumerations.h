#pragma once
// Values of flow, condition and command members that have names of their own. Each value
// is the position of its label in the matching label list (flow_label_lists.h,
// command_param_label_lists.h).

// Flow trigger, cFlow::m_nTrigger.
enum FLOWTRIG {
  FLOWTRIG_ALWAYS = 0,
  FLOWTRIG_DAMAGED = 1,
  FLOWTRIG_IMPACTED = 2,
  FLOWTRIG_DIED = 3,
  FLOWTRIG_HIT_CHARA = 4,
  FLOWTRIG_HIT_BLOCK_CHARA = 5,
  FLOWTRIG_ON_BLOCK_CHARA = 6,
  FLOWTRIG_HIT_SHOT = 7,
  FLOWTRIG_HIT_ITEM = 8,
  FLOWTRIG_HIT_BLOCK = 9,
  FLOWTRIG_BLOCK_LEFT_RIGHT = 10,
  FLOWTRIG_BLOCK_LEFT = 11,
  FLOWTRIG_BLOCK_RIGHT = 12,
  FLOWTRIG_BLOCK_UP_DOWN = 13,
  FLOWTRIG_BLOCK_UP = 14,
  FLOWTRIG_BLOCK_DOWN = 15,
  FLOWTRIG_RIDDEN_BY_HERO = 16,
  FLOWTRIG_RIDDEN_BY_CHARA = 17,
  FLOWTRIG_ATTACK_DAMAGE = 18,
  FLOWTRIG_ATTACK_IMPACT = 19,
  FLOWTRIG_ATTACK_HIT = 20,
  FLOWTRIG_BEFORE_STAGE_START = 21,
  FLOWTRIG_NONE = 22,  // started only by a flow operation command
};

// Condition kind, cCond::m_nKind. COND_NONE never holds.
enum COND {
  COND_NONE = 0,
  COND_COMMON_VAR = 1,
  COND_STAGE_VAR = 2,
  COND_CHARA_VAR = 3,
  COND_STATUS = 4,
  COND_STATUS2 = 5,
  COND_STATUS3 = 6,
  COND_DISTANCE = 7,
};

// Comparison of a condition, cCond::m_nCmp.
enum CMP {
  CMP_EQ = 0,
  CMP_NE = 1,
  CMP_GE = 2,
  CMP_LE = 3,
  CMP_GT = 4,
  CMP_LT = 5,
  CMP_MULTIPLE = 6,
  CMP_NOT_MULTIPLE = 7,
};

// Subject of a condition, cCond::m_nSubject and m_nRightSubject.
enum CONDSUBJ {
  CONDSUBJ_HERO = 0,
  CONDSUBJ_TARGET1 = 1,
  CONDSUBJ_TARGET2 = 2,
  CONDSUBJ_TARGET3 = 3,
  CONDSUBJ_TARGET4 = 4,
  CONDSUBJ_SYSTEM = 5,
};

// Subject of a command.
enum SUBJ {
  SUBJ_SELF = 0,
  SUBJ_TARGET1 = 1,
  SUBJ_TARGET2 = 2,
  SUBJ_TARGET3 = 3,
  SUBJ_TARGET4 = 4,
  SUBJ_SYSTEM = 5,
};

// Operation on a status or variable.
enum VAROP {
  VAROP_SET = 0,
  VAROP_ADD = 1,
  VAROP_SUB = 2,
  VAROP_MUL = 3,
  VAROP_DIV = 4,
  VAROP_MOD = 5,
  VAROP_PERCENT = 6,
};

// Operation of FLOWCMD_FLOW_OPERATION, p[0].
enum FLOWOP {
  FLOWOP_START = 0,
  FLOWOP_END = 1,
  FLOWOP_PAUSE = 2,
  FLOWOP_RESUME = 3,
  FLOWOP_DELETE = 4,
  FLOWOP_STOP_FOREVER = 5,
};

// Flows addressed by FLOWCMD_FLOW_OPERATION, p[1].
enum FLOWSCOPE {
  FLOWSCOPE_THIS = 0,
  FLOWSCOPE_OTHERS = 1,
  FLOWSCOPE_BY_ID = 2,
};

// Target choice of FLOWCMD_SET_TARGET, p[1]; 7 to 10 take the character's own targets.
enum SETTGT {
  SETTGT_HERO = 0,
  SETTGT_SELF = 1,
  SETTGT_NEAREST = 2,
  SETTGT_BY_ID = 3,
  SETTGT_PARENT = 4,
  SETTGT_LAST_CHILD = 5,
  SETTGT_CHILD_COND = 6,
  SETTGT_TARGET1 = 7,
  SETTGT_TARGET2 = 8,
  SETTGT_TARGET3 = 9,
  SETTGT_TARGET4 = 10,
};
