#pragma once
// Version tests of the data records. Every gate and every conversion threshold compares
// the version as an unsigned 32-bit number, so registration and conversion
// agree even for a version word that would be negative as a signed number.
#include <cstdint>

#include "data/record/data_record.h"

// The member list of `version` includes a member present from `from` on.
inline bool VersionAtLeast(int version, std::uint32_t from) { return static_cast<std::uint32_t>(version) >= from; }

// The version of the file most recently opened for reading, as the gates compare it.
inline std::uint32_t FileVersion() { return static_cast<std::uint32_t>(g_nFileVersion); }

// The file most recently opened for reading is older than `threshold`.
inline bool FileBelow(std::uint32_t threshold) { return static_cast<std::uint32_t>(g_nFileVersion) < threshold; }
