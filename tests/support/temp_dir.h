#pragma once
// A fresh temporary folder for one test, made the current folder while the test runs
// (every test runs as a process of its own), and removed afterwards. The folder listings
// cached by the platform layer are forgotten and the posted messages dropped on both
// sides, so log lines and path look-ups of the code under test land in the folder.
#include <string>

#include <gtest/gtest.h>

class cTempDirTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // The temporary folder as a host path.
  const std::string& Dir() const { return m_Dir; }

  // Writes a file (and the folders on its way) at a host path relative to the temporary
  // folder, then forgets the cached folder listings so that the program sees it. The
  // path is raw bytes, so names may be UTF-8 or raw CP932.
  static void MakeFile(const std::string& hostPath, const std::string& contents = "x");
  // The bytes of a file (a host path); empty when it does not exist.
  static std::string ReadBytes(const std::string& hostPath);
  // The whole of a file opened through OpenFile (a program path); empty when it does not
  // open.
  static std::string ReadProgramFile(const std::string& programPath);
  static bool Exists(const std::string& hostPath);

 private:
  std::string m_Dir;
  std::string m_PreviousDir;
};
