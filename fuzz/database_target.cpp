// Fuzz target: one database list (FUZZ_DATABASE_KIND, a DBKIND value), loaded with the
// other nine files of the seed game around it, as the start-up loads the ten.
#include <vector>

#include "data/database/database.h"
#include "fuzz/fuzz_driver.h"
#include "fuzz/seed_game.h"
#include "tests/support/database_writer.h"

namespace {

constexpr int kKind = FUZZ_DATABASE_KIND;
static_assert(kKind >= 0 && kKind < DBKIND_COUNT);
constexpr const char* kFirst = "data\\first.dat";
constexpr const char* kSecond = "data\\second.dat";

cDatabase g_SeedDatabase;

// Writes the fuzzed list of g_Database to `path`.
void SaveList(const char* path) {
  bool saved = false;
  g_Database.ForEachFileList([&](int nKind, auto& list) {
    if (nKind == kKind) saved = SaveDatabaseFile(path, list) != 0;
    return true;
  });
  if (!saved) fuzz::Fail("a loaded database list saves", path);
}

int CountReportLines() {
  int lines = 0;
  for (std::uint8_t byte : fuzz::ReadFile("Report_Game.txt")) lines += byte == '\n';
  return lines;
}

}  // namespace

void FuzzSetUp() {
  WriteAndLoadSeedGame();
  g_SeedDatabase = g_Database;
}

void FuzzOneInput(const std::uint8_t* data, std::size_t size) {
  const char* path = cDatabase::FilePath(kKind);
  fuzz::BeginInput();
  fuzz::WriteFile(path, data, size);
  g_Database = g_SeedDatabase;
  if (!g_Database.Load()) {
    // The load's own box line is always there; the reader must have said why before it.
    if (CountReportLines() < 2 && !g_bFileTooNew) fuzz::Fail("a failed load writes a report line", path);
    return;
  }
  SaveList(kFirst);
  const std::vector<std::uint8_t> first = fuzz::ReadFile(kFirst);
  fuzz::WriteFile(path, first.data(), first.size());
  g_Database = g_SeedDatabase;
  if (!g_Database.Load()) fuzz::Fail("a saved database list loads back", path);
  SaveList(kSecond);
  fuzz::CheckSameBytes(first, fuzz::ReadFile(kSecond), path);
}
