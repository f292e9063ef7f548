#pragma once
// The parts of stage set-up that are plain arithmetic on the stage's settings.
#include <cstdint>
#include <vector>

// The row shift of the block grid for a stage `width` cells wide: the bit count of
// width + 19, so that a row of 1 << shift cells holds the stage and both margins.
int GridRowShift(std::int32_t width);

// The group hit schedule: `steps` gets n entries, 1 on the sub-steps where the group hit
// pass runs. k of the n sub-steps are chosen, spread by a step of n / k accumulated in
// double precision; when fewer than k were chosen the last one is chosen too. k = 0
// chooses every sub-step. k comes from the stage file: below 0 it counts as 0, above n
// as n.
void BuildHitSteps(std::vector<std::int32_t>& steps, int n, int k);

// Fixed surface rows of the stage's eight backgrounds.
constexpr int kFirstBackgroundRow = 55;
constexpr int kBackgroundRowCount = 8;

// Names the picture of each background row from the stage's backgrounds; a filled
// background, or none, leaves its row without a file. A name longer than the row's name
// buffer is not cut (a cut name could name another file): the row gets none, with a
// report line.
void NameBackgroundRows();
