// Writes the seed inputs of every fuzz target, made by the game's own writers: the files
// of the seed game, each into the folder of the target that reads it.
//   fuzz_seeds <folder>   makes <folder>/<target>/<file> for every target
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "data/database/database.h"
#include "fuzz/seed_game.h"

namespace {

namespace fs = std::filesystem;

// "data\database\Sound.dat" -> "data/database/Sound.dat".
std::string HostPathOf(const std::string& programPath) {
  std::string path = programPath;
  for (char& c : path)
    if (c == '\\') c = '/';
  return path;
}

void Copy(const fs::path& game, const std::string& programPath, const fs::path& folder) {
  const fs::path from = game / HostPathOf(programPath);
  fs::create_directories(folder);
  fs::copy_file(from, folder / from.filename(), fs::copy_options::overwrite_existing);
}

}  // namespace

#ifdef TOVREL_FUZZ_AFL
// Built beside the instrumented targets, with the same instrumentation: nothing to count.
extern "C" [[gnu::no_sanitize_coverage]] void __sanitizer_cov_trace_pc() {}
#endif

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s folder\n", argv[0]);
    return 2;
  }
  const fs::path out = fs::absolute(argv[1]);
  const fs::path game = fs::temp_directory_path() / ("tovrel-seed-game-" + std::to_string(getpid()));
  fs::create_directories(game);
  const fs::path previous = fs::current_path();
  fs::current_path(game);
  WriteAndLoadSeedGame();
  fs::current_path(previous);

  for (const cGameStage& stage : SeedGame().Stages) Copy(game, GameStagePath(stage.strName), out / "stage");
  Copy(game, "data\\System.dat", out / "system_data");
  Copy(game, kCommonPalettePath, out / "common_palette");
  for (int kind = 0; kind < DBKIND_COUNT; ++kind) {
    const fs::path file = HostPathOf(cDatabase::FilePath(kind));
    Copy(game, cDatabase::FilePath(kind), out / ("database_" + file.stem().string()));
  }
  fs::remove_all(game);
  std::printf("seeds written to %s\n", out.c_str());
  return 0;
}
