#include "tests/support/temp_dir.h"

#include <filesystem>
#include <system_error>

#include <stdlib.h>

#include "platform/host_files.h"

void cTempDirTest::SetUp() {
  char pattern[] = "/tmp/tovrel-test-XXXXXX";
  const char* made = mkdtemp(pattern);
  ASSERT_NE(made, nullptr);
  m_Dir = made;
  m_PreviousDir = std::filesystem::current_path().string();
  std::filesystem::current_path(m_Dir);
  ForgetDirectoryListings();
}

void cTempDirTest::TearDown() {
  std::error_code ignored;
  if (!m_PreviousDir.empty()) std::filesystem::current_path(m_PreviousDir, ignored);
  if (!m_Dir.empty()) std::filesystem::remove_all(m_Dir, ignored);
  ForgetDirectoryListings();
}
