#include "tests/support/temp_dir.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <vector>

#include <stdlib.h>

#include "platform/host_files.h"
#include "platform/message_queue.h"
#include "tests/support/byte_builder.h"

void cTempDirTest::SetUp() {
  std::string pattern = (std::filesystem::temp_directory_path() / "tovrel-test-XXXXXX").string();
  const char* made = mkdtemp(pattern.data());
  ASSERT_NE(made, nullptr);
  m_Dir = made;
  m_PreviousDir = std::filesystem::current_path().string();
  std::filesystem::current_path(m_Dir);
  ForgetDirectoryListings();
  ClearPostedMessages();
}

void cTempDirTest::TearDown() {
  ClearPostedMessages();
  std::error_code ignored;
  if (!m_PreviousDir.empty()) std::filesystem::current_path(m_PreviousDir, ignored);
  if (!m_Dir.empty()) std::filesystem::remove_all(m_Dir, ignored);
  ForgetDirectoryListings();
}

void cTempDirTest::MakeFile(const std::string& hostPath, const std::string& contents) {
  const std::filesystem::path path(hostPath);
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << contents;
  ForgetDirectoryListings();
}

std::string cTempDirTest::ReadBytes(const std::string& hostPath) {
  const std::vector<std::uint8_t> bytes = ReadTestFile(hostPath);
  return std::string(bytes.begin(), bytes.end());
}

std::string cTempDirTest::ReadProgramFile(const std::string& programPath) {
  FILE* file = OpenFile(programPath, "rb");
  if (file == nullptr) return std::string();
  std::string contents;
  char buffer[256];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) contents.append(buffer, n);
  std::fclose(file);
  return contents;
}

bool cTempDirTest::Exists(const std::string& hostPath) { return std::filesystem::exists(hostPath); }
