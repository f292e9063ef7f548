#pragma once
// Helpers of the platform tests. The tests are built with -fexec-charset=CP932 like the
// program, so a plain literal holds CP932 bytes; UTF-8 text is written as u8 literals.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "platform/host_files.h"

inline std::string U8(const char8_t* text) { return std::string(reinterpret_cast<const char*>(text)); }

// A fresh temporary folder made the current folder for the test, removed afterwards.
// The folder listings cached by the platform layer are forgotten on both sides.
class PlatformTempDirTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_previous = std::filesystem::current_path();
    std::random_device random;
    for (int attempt = 0; attempt < 100 && m_dir.empty(); ++attempt) {
      const auto candidate = std::filesystem::temp_directory_path() /
                             ("tovrel_platform_" + std::to_string(random()) + "_" + std::to_string(attempt));
      if (std::filesystem::create_directory(candidate)) m_dir = candidate;
    }
    ASSERT_FALSE(m_dir.empty());
    std::filesystem::current_path(m_dir);
    ForgetDirectoryListings();
  }

  void TearDown() override {
    std::filesystem::current_path(m_previous);
    ForgetDirectoryListings();
    std::error_code ignored;
    if (!m_dir.empty()) std::filesystem::remove_all(m_dir, ignored);
  }

  // Makes a file (and its folders) at a host path relative to the temporary folder; the
  // path is raw bytes, so names may be UTF-8 or raw CP932.
  static void MakeFile(const std::string& hostPath, const std::string& contents = "x") {
    const std::filesystem::path path(hostPath);
    if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out << contents;
  }

  static std::string ReadFile(const std::string& hostPath) {
    std::ifstream in(std::filesystem::path(hostPath), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  // Reads a whole file opened through OpenFile; empty when it does not open.
  static std::string ReadProgramFile(const std::string& programPath) {
    FILE* file = OpenFile(programPath, "rb");
    if (file == nullptr) return std::string();
    std::string contents;
    char buffer[256];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) contents.append(buffer, n);
    std::fclose(file);
    return contents;
  }

  const std::filesystem::path& Dir() const { return m_dir; }

 private:
  std::filesystem::path m_previous;
  std::filesystem::path m_dir;
};
