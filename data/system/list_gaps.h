#pragma once
// Opening a gap in a list of fixed length, as the conversions of old system files do:
// every entry from `index` to the second-last moves up one place, the last entry is
// lost, and entry `index` keeps its old value for the caller to overwrite. An index
// outside the list (or at its last place) moves nothing.
#include <cstdint>
#include <string>
#include <vector>

#include "data/system/ini_item.h"

template <typename T>
void InsertListGap(std::vector<T>& list, int index) {
  if (index < 0 || static_cast<std::size_t>(index) + 1 >= list.size()) return;
  for (std::size_t i = list.size() - 1; i > static_cast<std::size_t>(index); --i) list[i] = list[i - 1];
}

inline void InsertByteGap(std::vector<std::uint8_t>& list, int index) { InsertListGap(list, index); }
inline void InsertTextGap(std::vector<std::string>& list, int index) { InsertListGap(list, index); }
inline void InsertIniGap(std::vector<cIniItem>& list, int index) { InsertListGap(list, index); }
