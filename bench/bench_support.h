#pragma once
// Shared by the benchmarks; header-only, since every bench/*.cpp is a program of its own:
// a temporary folder for one run, and the plain read of a file that loads are measured
// against.
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include <stdlib.h>

// A new folder of this run's own below the temporary folder, made the current folder:
// test runs start the benchmark programs too, maybe at the same time. When it ends, the
// temporary folder is made current again and the folder removed with what it holds.
class cBenchFolder {
 public:
  // The folder's name is `prefix` and six characters that make it unique.
  explicit cBenchFolder(const std::string& prefix) {
    std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "XXXXXX")).string();
    if (mkdtemp(pattern.data()) == nullptr)
      throw std::filesystem::filesystem_error("cannot make a benchmark folder", pattern,
                                              std::error_code(errno, std::generic_category()));
    m_Dir = pattern;
    std::filesystem::current_path(m_Dir);
  }
  ~cBenchFolder() {
    std::error_code ignored;
    std::filesystem::current_path(std::filesystem::temp_directory_path(), ignored);
    std::filesystem::remove_all(m_Dir, ignored);
  }
  cBenchFolder(const cBenchFolder&) = delete;
  cBenchFolder& operator=(const cBenchFolder&) = delete;

  const std::filesystem::path& Dir() const { return m_Dir; }

 private:
  std::filesystem::path m_Dir;
};

// The whole of a file (a host path) read into memory with fopen and fread: the floor a
// load is measured against. Empty when the file cannot be read.
inline std::vector<std::uint8_t> PlainRead(const std::string& path) {
  std::vector<std::uint8_t> bytes;
  FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return bytes;
  std::fseek(file, 0, SEEK_END);
  bytes.resize(static_cast<std::size_t>(std::ftell(file)));
  std::fseek(file, 0, SEEK_SET);
  if (std::fread(bytes.data(), 1, bytes.size(), file) != bytes.size()) bytes.clear();
  std::fclose(file);
  return bytes;
}
