#pragma once
// Extra lives for score steps: each time the score sum passes a multiple of the System
// data's step the player earns a life, up to the cap of lives a play can hold.
#include <cstdint>

constexpr std::int32_t kMaxLives = 99;

// The lives to add when the score sum goes from nOldSum to nNewSum with one life per
// nStep points and nLives lives in hand: the steps passed, but only as many as fit under
// kMaxLives (none with infinite lives, a step of 0 or a sum that went down). Each of
// them is a life actually added, so each earns its own notice.
std::int32_t ExtraLivesEarned(std::int32_t nOldSum, std::int32_t nNewSum, std::int32_t nStep, std::int32_t nLives);
