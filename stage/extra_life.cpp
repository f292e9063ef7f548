#include "stage/extra_life.h"

#include "data/save/progress.h"

std::int32_t ExtraLivesEarned(std::int32_t nOldSum, std::int32_t nNewSum, std::int32_t nStep, std::int32_t nLives) {
  if (nLives == kInfiniteLives || nStep == 0) return 0;
  // In 64 bits: the smallest sum divided by a step of -1 has no int32 result.
  const std::int64_t steps = std::int64_t{nNewSum} / nStep - std::int64_t{nOldSum} / nStep;
  if (steps <= 0) return 0;
  // A life over the cap would be no life at all: it neither counts nor shows a notice.
  const std::int64_t room = nLives < kMaxLives ? std::int64_t{kMaxLives} - nLives : 0;
  return static_cast<std::int32_t>(steps < room ? steps : room);
}
