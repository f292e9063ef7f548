#include "tests/support/temp_dir.h"

#include <cerrno>
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

cTempFolder::cTempFolder(const std::string& prefix) {
  std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "XXXXXX")).string();
  if (mkdtemp(pattern.data()) == nullptr)
    throw std::filesystem::filesystem_error("cannot make a temporary folder", pattern,
                                            std::error_code(errno, std::generic_category()));
  m_Dir = pattern;
  m_PreviousDir = std::filesystem::current_path().string();
  std::filesystem::current_path(m_Dir);
  ForgetDirectoryListings();
}

cTempFolder::~cTempFolder() {
  std::error_code ignored;
  std::filesystem::current_path(m_PreviousDir, ignored);
  std::filesystem::remove_all(m_Dir, ignored);
  ForgetDirectoryListings();
}

void cTempDirTest::SetUp() {
  m_Folder.emplace("tovrel-test-");
  ClearPostedMessages();
}

void cTempDirTest::TearDown() {
  ClearPostedMessages();
  m_Folder.reset();
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
