#pragma once
// The host's current folder. Internal to the platform layer.
#include <string>

namespace tovrel_platform {

// The absolute host path of the current folder; empty when it cannot be had.
std::string CurrentHostDirectory();

}  // namespace tovrel_platform
