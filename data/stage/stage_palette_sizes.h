#pragma once
// Tells the second normalisation pass of commands how many entries the stage palette
// (the definition lists of g_StageData) holds.
#include <cstddef>

void PublishStagePaletteSizes(std::size_t nBlocks, std::size_t nCharas, std::size_t nItems);
