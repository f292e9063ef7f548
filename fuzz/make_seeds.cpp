// Writes the seed inputs of every fuzz target, made by the game's own writers: the files
// of the seed game, each into the folder of the target that reads it.
//   fuzz_seeds <folder>   makes <folder>/<target>/<file> for every target
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "data/boot/boot_data.h"
#include "data/database/database.h"
#include "fuzz/seed_game.h"
#include "platform/host_files.h"
#include "writers/system_ini_writer.h"

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
  // The machine-side files beside the game: settings with a comment and a start stage,
  // and the start-up choice of a player who picked DirectDraw and the dialog no more.
  const bool written =
      WriteSystemIniLines("System.ini", {{"Direct3D", "2"}, {"WindowMode", "1 // window"}, {"Bpp", "16"},
                                    {"VSync", "2"}, {"ShowFps", "0"}, {"English", "1"},
                                    {"FreeStage", "data\\stg4\\flows.stg4_811"}}) &&
      MakeDirectory("user_data") && [] {
        cBootData boot;
        boot.m_nDrawMode = BOOTDRAW_DIRECTDRAW;
        boot.m_bNoAsk = 1;
        return boot.SaveToFile(kBootFilePath) == 1;
      }();
  fs::current_path(previous);
  if (!written) {
    std::fprintf(stderr, "System.ini or Boot.dat cannot be written\n");
    return 1;
  }

  for (const cGameStage& stage : SeedGame().Stages) Copy(game, GameStagePath(stage.strName), out / "stage");
  Copy(game, "data\\System.dat", out / "system_data");
  Copy(game, kCommonPalettePath, out / "common_palette");
  Copy(game, "System.ini", out / "system_ini");
  Copy(game, kBootFilePath, out / "boot_data");
  for (int kind = 0; kind < DBKIND_COUNT; ++kind) {
    const fs::path file = HostPathOf(cDatabase::FilePath(kind));
    Copy(game, cDatabase::FilePath(kind), out / ("database_" + file.stem().string()));
  }
  fs::remove_all(game);
  std::printf("seeds written to %s\n", out.c_str());
  return 0;
}
