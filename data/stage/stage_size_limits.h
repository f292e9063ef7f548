#pragma once
// The largest stage the player accepts from a file. Stage play lays the stage out as a
// block grid with a margin of 10 cells on every side: (height + 20) rows of 2^k cells,
// 2^k the smallest power of two above width + 19. Every grid cell holds a copy of a
// block entry (about 150 bytes), so the size a file states is bounded before anything is
// built from it.
#include <cstdint>

// Cells are addressed by int16 coordinates.
constexpr std::int32_t kMaxStageSide = 32767;
// At most 2^21 grid cells (some 300 MB of cells): a stage of 2000 x 1000 blocks fits,
// seventeen times the grid of a large stage of 1000 x 100 blocks.
constexpr std::int64_t kMaxStageGridCells = std::int64_t{1} << 21;
// Margin cells of the block grid on each side.
constexpr std::int32_t kStageGridMargin = 10;

// Cells of the block grid of a stage of width x height blocks; -1 for a negative size.
std::int64_t StageGridCells(std::int32_t width, std::int32_t height);

// The size is not negative, neither side is longer than kMaxStageSide and the grid
// holds at most kMaxStageGridCells cells.
bool StageSizeWithinLimits(std::int32_t width, std::int32_t height);

// A pixel size as the authoring tool stores it (blocks x 32) for a stage within limits.
bool StagePixelSizeWithinLimits(std::int32_t pixels);
