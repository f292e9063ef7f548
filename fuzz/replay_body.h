#pragma once
// The bytes of a replay as stage play records one: the version word, the stage body of
// the running stage with the pristine copy's settings, the replay record (a seed and a
// few frames of input), then the progress body. Shared by the seeds and the stage-for-play target.
#include <cstdint>
#include <vector>

#include "data/save/progress.h"
#include "data/stage/stage_data.h"

std::vector<std::uint8_t> ReplayBytes(cStageData& stage, const cStageData& pristine, cProgress& progress);
