#pragma once
// An animation played over a character's own animation, started by the anime command or
// by a flow's animation timeline. New overlays go to the front of the character's list.
#include <cstdint>

#include "media/draw/anime_seq.h"

class cAnimeOverlay {
 public:
  cAnimeSeq m_Anime;
  std::int32_t m_bTimed = 0;      // frames left counts down and ends the overlay
  std::int32_t m_nFramesLeft = 0; // counts down by one per animation step, also below 0
  std::int32_t m_nCmdFrames = 0;  // the starting command's time x 6
  std::int32_t m_nFlowKey = 0;    // key of the flow that started it, -1 when none ran
  std::int32_t m_bStopped = 0;
};
