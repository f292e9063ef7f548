#pragma once
// The counted lists of block, character and item entries inside a stage body: the
// definitions (int32 n, n entry bodies) and the placements (int32 n, then n times an
// int32 written as 0 and skipped unread, and an entry body).
#include <cstddef>
#include <cstdint>
#include <vector>

#include "data/record/data_lists.h"
#include "data/record/data_reader.h"
#include "data/record/data_writer.h"

// Smallest entry bodies: member and text counts, the cell position, then the counts of
// the entry's lists (characters also hold the carried item).
constexpr std::size_t kMinBlockEntryBytes = 8 + 4 + 4 + 4;
constexpr std::size_t kMinCharaEntryBytes = 8 + 4 + 4 + 4 + 4 + 4;
constexpr std::size_t kMinItemEntryBytes = 8 + 4 + 4 + 4 + 4;
// Entries are named by int16 indices: a definition list never holds more.
constexpr std::int32_t kMaxDefinitionEntries = 32768;

enum class eEntryList { Definitions, Placements };

// A new entry of class T; new list elements are copies of it.
template <typename T>
const T& NewEntry() {
  static const T prototype;
  return prototype;
}

// Reads a counted list of entries. The list is first made exactly n new entries long,
// then each entry reads itself in order, so an entry that inherits from a later entry
// of the list being read finds a new entry there. A count larger than the bytes left or
// than `maxEntries` marks the data damaged and leaves the list empty.
template <typename T>
void ReadStageEntryList(std::vector<T>& list, cDataReader& in, eEntryList kind, std::size_t minEntryBytes,
                        std::int32_t maxEntries) {
  const bool bPlaced = kind == eEntryList::Placements;
  std::int32_t n = in.ReadCount(minEntryBytes + (bPlaced ? 4 : 0));
  if (n > maxEntries) {
    in.MarkDamaged(DATADAMAGE_STAGE_TOO_MANY_ENTRIES);
    n = 0;
  }
  if (!SpendOnList<T>(in, n)) n = 0;
  // Assigned rather than cleared and refilled: entries already in the list (the stage
  // read before) take the new entry's values in their own storage.
  list.assign(static_cast<std::size_t>(n), NewEntry<T>());
  for (T& entry : list) {
    if (in.Damaged() || in.Truncated()) break;
    if (bPlaced) in.ReadInt32();
    entry.Read(in);
  }
}

template <typename T>
void WriteStageEntryList(std::vector<T>& list, cDataWriter& out, eEntryList kind) {
  const bool bPlaced = kind == eEntryList::Placements;
  out.WriteInt32(static_cast<std::int32_t>(list.size()));
  for (T& entry : list) {
    if (bPlaced) out.WriteInt32(0);
    entry.Write(out);
  }
}
