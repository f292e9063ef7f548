#pragma once
// Where the message, picture and effect commands keep their settings in a command's
// parameter list (cFlowCmd::m_vParam), as the authoring tool writes them.

enum MESSAGECMDPARAM : int {
  MSGP_POSITION = 0,
  MSGP_BLOCK_X = 1,
  MSGP_BLOCK_Y = 2,
  MSGP_OFFSET_X = 3,
  MSGP_OFFSET_Y = 4,
  MSGP_KEEP_ON_SCREEN = 5,
  MSGP_DISPLAY = 6,
  MSGP_TIME = 7,
  MSGP_WAIT = 8,
  MSGP_MACRO = 9,
  MSGP_SCREEN_FIXED = 10,
  MSGP_REFRESH = 11,
  MSGP_HAS_ID = 12,
  MSGP_ID = 13,
  MSGP_FRAMED = 14,
  MSGP_DELETE = 15,
  MSGP_REFRESH_INTERVAL = 16,
  MSGP_ONE_FRAME = 17,
};

enum EFFECTCMDPARAM : int {
  EFP_ENTRY = 0,
  EFP_POSITION = 1,
  EFP_BLOCK_X = 2,
  EFP_BLOCK_Y = 3,
  EFP_OFFSET_X = 4,
  EFP_OFFSET_Y = 5,
  EFP_SCALE = 6,
  EFP_WAIT = 7,
};

enum PICTURECMDPARAM : int {
  PICP_ENTRY = 0,
  PICP_POSITION = 1,
  PICP_BLOCK_X = 2,
  PICP_BLOCK_Y = 3,
  PICP_OFFSET_X = 4,
  PICP_OFFSET_Y = 5,
  PICP_LAYER = 6,
  PICP_SCALE = 7,
  PICP_DISPLAY = 8,
  PICP_TIME = 9,
  PICP_WAIT = 10,
  PICP_SCREEN_FIXED = 11,
  PICP_HAS_ID = 12,
  PICP_ID = 13,
  PICP_ONE_FRAME = 14,
};
