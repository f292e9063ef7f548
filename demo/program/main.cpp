// Writes the demo game into a folder: tovrel_demo_game [folder] (default "demo_game").
// The folder is made when missing; files already there are replaced.
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "demo/demo_game.h"
#include "platform/host_files.h"

int main(int argc, char** argv) {
  const std::filesystem::path folder = argc > 1 ? argv[1] : "demo_game";
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (!error) std::filesystem::current_path(folder, error);
  if (error) {
    std::fprintf(stderr, "%s: %s\n", folder.c_str(), error.message().c_str());
    return 1;
  }
  ForgetDirectoryListings();
  if (!WriteDemoGame()) {
    std::fprintf(stderr, "the demo game could not be written into %s\n", folder.c_str());
    return 1;
  }
  std::printf("demo game written into %s\n", folder.c_str());
  return 0;
}
