#pragma once
// The play modes; also the index of the per-mode lists of the system data.
enum PLAYMODE : int {
  PLAYMODE_STORY = 0,
  PLAYMODE_CHALLENGE = 1,
  PLAYMODE_FREE = 2,
  PLAYMODE_REPLAY = 3,
};
