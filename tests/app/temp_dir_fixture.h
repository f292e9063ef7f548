#pragma once
// A fresh temporary folder of the test's own, made the current folder for the test and
// removed afterwards. Log lines and path look-ups of the code under test land there.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/host_files.h"
#include "platform/message_queue.h"

class TempDirTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_previous = std::filesystem::current_path();
    std::string pattern = (std::filesystem::temp_directory_path() / "tovrel_app_XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    m_dir = pattern;
    ASSERT_EQ(chdir(m_dir.c_str()), 0);
    ForgetDirectoryListings();
    ClearPostedMessages();
  }

  void TearDown() override {
    ClearPostedMessages();
    std::filesystem::current_path(m_previous);
    ForgetDirectoryListings();
    std::error_code ignored;
    std::filesystem::remove_all(m_dir, ignored);
  }

  // The bytes of a file of the temporary folder; empty when it does not exist.
  static std::string ReadBytes(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  static void WriteBytes(const std::string& name, const std::string& bytes) {
    std::ofstream(name, std::ios::binary) << bytes;
    ForgetDirectoryListings();
  }

  static bool Exists(const std::string& name) { return std::filesystem::exists(name); }

  std::filesystem::path m_dir;

 private:
  std::filesystem::path m_previous;
};
