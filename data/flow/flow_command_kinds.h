#pragma once
// Kinds of flow commands: the character commands (FLOWCMD, cFlowCmd::m_bItemCmd 0) and
// the item commands (ITEMCMD, m_bItemCmd 1), with the label, the parameter count and the
// parameter block of each kind. The kind stored in a command comes from a file, so every
// lookup takes any int and answers a kind outside the table with an empty entry.

enum FLOWCMD {
  FLOWCMD_NONE = 0,
  FLOWCMD_WAIT = 1,
  FLOWCMD_MOVE_STRAIGHT = 2,
  FLOWCMD_MOVE_GROUND_TURN = 3,
  FLOWCMD_MOVE_CIRCLE = 4,
  FLOWCMD_MOVE_CHARGE = 5,
  FLOWCMD_MOVE_HOMING = 6,
  FLOWCMD_MOVE_AVOID_OFFSCREEN = 7,
  FLOWCMD_MOVE_DISABLE = 8,
  FLOWCMD_TURN = 9,
  FLOWCMD_JUMP = 10,
  FLOWCMD_SHOT = 11,
  FLOWCMD_SWORD = 12,
  FLOWCMD_SUMMON_BLOCK = 13,
  FLOWCMD_SUMMON_CHARA = 14,
  FLOWCMD_SUMMON_ITEM = 15,
  FLOWCMD_FLOW_OPERATION = 16,
  FLOWCMD_STAGE_CLEAR = 17,
  FLOWCMD_GAME_WAIT = 18,
  FLOWCMD_MESSAGE = 19,
  FLOWCMD_WARP = 20,
  FLOWCMD_SET_TARGET = 21,
  FLOWCMD_STATUS = 22,
  FLOWCMD_STATUS2 = 23,
  FLOWCMD_VANISH = 24,
  FLOWCMD_GET_ITEM = 25,
  FLOWCMD_CHANGE_GRAPHIC = 26,
  FLOWCMD_CHANGE_ANIMESET = 27,
  FLOWCMD_ANIME = 28,
  FLOWCMD_EFFECT = 29,
  FLOWCMD_CHARA_EFFECT = 30,
  FLOWCMD_SCREEN_EFFECT = 31,
  FLOWCMD_PICTURE = 32,
  FLOWCMD_SCREEN_COLOR = 33,
  FLOWCMD_CHANGE_BACK = 34,
  FLOWCMD_SE = 35,
  FLOWCMD_BGM = 36,
  FLOWCMD_CODE = 37,  // program text in cFlowCmd::m_sText
  FLOWCMD_ARRANGE = 38,
  FLOWCMD_LOOP = 39,
};
constexpr int kFlowCmdKindCount = 40;

// Item kinds 2 to 24 are the character kinds 17 to 39 (item kind + 15), with the same
// label, parameter count and block.
enum ITEMCMD {
  ITEMCMD_NONE = 0,
  ITEMCMD_CHANGE_FLOW = 1,  // besides its parameters, the flows of cFlowCmd::m_vFlow
  ITEMCMD_STAGE_CLEAR = 2,
  ITEMCMD_GAME_WAIT = 3,
  ITEMCMD_MESSAGE = 4,
  ITEMCMD_WARP = 5,
  ITEMCMD_SET_TARGET = 6,
  ITEMCMD_STATUS = 7,
  ITEMCMD_STATUS2 = 8,
  ITEMCMD_VANISH = 9,
  ITEMCMD_GET_ITEM = 10,
  ITEMCMD_CHANGE_GRAPHIC = 11,
  ITEMCMD_CHANGE_ANIMESET = 12,
  ITEMCMD_ANIME = 13,
  ITEMCMD_EFFECT = 14,
  ITEMCMD_CHARA_EFFECT = 15,
  ITEMCMD_SCREEN_EFFECT = 16,
  ITEMCMD_PICTURE = 17,
  ITEMCMD_SCREEN_COLOR = 18,
  ITEMCMD_CHANGE_BACK = 19,
  ITEMCMD_SE = 20,
  ITEMCMD_BGM = 21,
  ITEMCMD_CODE = 22,
  ITEMCMD_ARRANGE = 23,
  ITEMCMD_LOOP = 24,
};
constexpr int kItemCmdKindCount = 25;

// The parameter block a kind uses: cEdMove, cEdShot or cCondList.
enum CMDBLOCK {
  CMDBLOCK_NONE = 0,
  CMDBLOCK_MOVE = 1,
  CMDBLOCK_SHOT = 2,
  CMDBLOCK_COND = 3,
};

// Number of entries of cFlowCmd::m_vParam for a kind; 0 for a kind outside the table.
int GetFlowCmdParamCount(int nKind);
int GetItemCmdParamCount(int nKind);

// Label of a kind (the authoring tool's name for it); "" for a kind outside the table.
const char* GetFlowCmdLabel(int nKind);
const char* GetItemCmdLabel(int nKind);

// Parameter block of a kind; CMDBLOCK_NONE for a kind outside the table.
CMDBLOCK GetFlowCmdBlock(int nKind);
CMDBLOCK GetItemCmdBlock(int nKind);
