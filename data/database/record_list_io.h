#pragma once
// Sizes of the smallest record bodies inside the database files, for the counts of their
// lists.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "data/record/data_lists.h"
#include "data/record/data_reader.h"

// The smallest body of a record with `lists` counted lists after its registered part.
constexpr std::size_t MinRecordBodyBytes(int lists) {
  return kMinRecordBodyBytes + 4 * static_cast<std::size_t>(lists);
}
