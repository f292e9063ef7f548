// Fuzz target: one database list (FUZZ_DATABASE_KIND, a DBKIND value), loaded with the
// other nine files of the seed game around it, as the start-up loads the ten.
#include <vector>

#include "data/database/database.h"
#include "data/record/data_lists.h"
#include "fuzz/fuzz_driver.h"
#include "fuzz/seed_game.h"

namespace {

constexpr int kKind = FUZZ_DATABASE_KIND;
static_assert(kKind >= 0 && kKind < DBKIND_COUNT);

// The bytes the authoring tool writes for a list: the version word and the counted list.
template <typename T>
std::vector<std::uint8_t> ListBytes(std::vector<T>& list) {
  cDataWriter out;
  out.WriteInt32(g_nDataVersion);
  SaveVector(list, out);
  return out.Bytes();
}

// Reads such bytes back as the start-up reads a database file; false when the reader
// finds them damaged, cut short or without entries.
template <typename T>
bool LoadList(std::vector<T>& list, const std::vector<std::uint8_t>& bytes) {
  cDataReader in(bytes);
  in.SetVersion(in.ReadInt32());
  g_nFileVersion = in.Version();
  std::vector<T> loaded;
  LoadVector(loaded, in, T::kMinBodyBytes);
  if (in.Truncated() || in.Damaged() || loaded.empty()) return false;
  list.swap(loaded);
  return true;
}

int CountReportLines() {
  int lines = 0;
  for (std::uint8_t byte : fuzz::ReadFile("Report_Game.txt")) lines += byte == '\n';
  return lines;
}

}  // namespace

void FuzzSetUp() { WriteAndLoadSeedGame(); }

void FuzzOneInput(const std::uint8_t* data, std::size_t size) {
  const char* path = cDatabase::FilePath(kKind);
  fuzz::BeginInput();
  fuzz::WriteFile(path, data, size);
  // Every list is read afresh from its file; what a failed load leaves behind is not
  // carried into the next input's checks.
  if (!g_Database.Load()) {
    // The load's own box line is always there; the reader must have said why before it.
    if (CountReportLines() < 2 && !g_bFileTooNew) fuzz::Fail("a failed load writes a report line", path);
    return;
  }
  g_Database.ForEachFileList([&](int nKind, auto& list) {
    if (nKind != kKind) return true;
    // A loaded list saves, loads back and saves again to the same bytes.
    const std::vector<std::uint8_t> first = ListBytes(list);
    std::remove_reference_t<decltype(list)> again;
    if (!LoadList(again, first)) fuzz::Fail("a saved database list loads back", path);
    fuzz::CheckSameBytes(first, ListBytes(again), path);
    return false;
  });
}
