#pragma once
// A flow's animation timeline: for each command with an animation to play before it, the
// step at which that animation starts so that it ends exactly when the command begins
// (or, when the flow has not run long enough, how many of its first frames are skipped).
#include <cstdint>

class cFlowRun;

// Fills the run's m_vAnimeTimeline from its command runs (their durations must be set).
void BuildAnimeTimeline(cFlowRun& run);

// Frames of Anime database record `nAnime` up to its first hold frame: 6 x the sum of
// the frame times before it.
std::int32_t AnimeFramesBeforeHold(std::int32_t nAnime);
