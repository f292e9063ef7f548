#include "data/stage/stage_size_limits.h"

#include <bit>

namespace {

constexpr std::int32_t kBlockPixels = 32;

}  // namespace

std::int64_t StageGridCells(std::int32_t width, std::int32_t height) {
  if (width < 0 || height < 0) return -1;
  const std::uint64_t lastColumn = static_cast<std::uint64_t>(width) + 2 * kStageGridMargin - 1;
  const std::uint64_t rowLength = std::uint64_t{1} << std::bit_width(lastColumn);
  const std::uint64_t rows = static_cast<std::uint64_t>(height) + 2 * kStageGridMargin;
  return static_cast<std::int64_t>(rowLength * rows);
}

bool StageSizeWithinLimits(std::int32_t width, std::int32_t height) {
  if (width < 0 || height < 0 || width > kMaxStageSide || height > kMaxStageSide) return false;
  return StageGridCells(width, height) <= kMaxStageGridCells;
}

bool StagePixelSizeWithinLimits(std::int32_t pixels) {
  return pixels >= 0 && pixels <= kMaxStageSide * kBlockPixels;
}
