#pragma once
// What the movement, jump, shot and summon commands share: the move direction codes and
// their resolution, turn requests, coordinate kinds and unit helpers. The velocity, jump,
// impact and placement operations themselves are members of cCharaBase
// (objects/chara_base.h), defined in move_support.cpp.
#include <cstdint>

enum MOVEDIR : std::int32_t {
  MOVEDIR_FORWARD = 0,
  MOVEDIR_BACKWARD = 1,
  MOVEDIR_LEFT = 2,
  MOVEDIR_RIGHT = 3,
  MOVEDIR_FORWARD_Y = 4,
  MOVEDIR_BACKWARD_Y = 5,
  MOVEDIR_UP = 6,
  MOVEDIR_DOWN = 7,
  MOVEDIR_UP_LEFT = 8,
  MOVEDIR_DOWN_LEFT = 9,
  MOVEDIR_UP_RIGHT = 10,
  MOVEDIR_DOWN_RIGHT = 11,
  MOVEDIR_KEY = 12,
};

enum TURN : std::int32_t {
  TURN_NONE = 0,
  TURN_LEFT = 1,
  TURN_RIGHT = 2,
};

enum MOVECOORD : std::int32_t {
  MOVECOORD_FROM_PLACEMENT = 0,
  MOVECOORD_RELATIVE = 1,
  MOVECOORD_ABSOLUTE = 2,
  MOVECOORD_SCREEN = 3,
};

// Key-direction index 0-9 (none, left, right, up, down, up-left, down-left, up-right,
// down-right, other) to a resolved direction.
extern const std::int32_t g_KeyDirTable[10];

[[nodiscard]] inline std::int32_t HblToDot(std::int8_t nHbl) { return nHbl * 16; }
// Hundredths of a dot per frame squared to dots per sub-step squared.
[[nodiscard]] double AccelParamToStep(std::int16_t nParam);
// The direction of a key-direction index for a character facing `facing`, following the
// rule of the replay's file version while a replay chosen from the title plays.
[[nodiscard]] std::int32_t ResolveMoveDirection(std::int32_t nKeyIndex, std::int32_t nKeyFlag, std::int32_t nFacing);
