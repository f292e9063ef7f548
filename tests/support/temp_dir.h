#pragma once
// Temporary folders for tests and benchmarks.
#include <optional>
#include <string>

#include <gtest/gtest.h>

// A new folder of its own below the system's temporary folder, made the current folder for
// the holder's lifetime: test and benchmark programs may run at the same time. The folder
// listings cached by the platform layer are forgotten on both sides, so that path look-ups
// of the code under test see the folder as it is. At the end the previous current folder
// comes back and the folder is removed with what it holds.
class cTempFolder {
 public:
  // The folder's name is `prefix` and six characters that make it unique. Throws
  // std::filesystem::filesystem_error when no folder can be made.
  explicit cTempFolder(const std::string& prefix);
  ~cTempFolder();
  cTempFolder(const cTempFolder&) = delete;
  cTempFolder& operator=(const cTempFolder&) = delete;

  // The folder as a host path.
  const std::string& Dir() const { return m_Dir; }

 private:
  std::string m_Dir;
  std::string m_PreviousDir;
};

// A fresh temporary folder for one test (every test runs as a process of its own), current
// while the test runs. Posted messages are dropped on both sides, so that a test sees only
// what the code under test posts; log lines land in the folder.
class cTempDirTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // The temporary folder as a host path.
  const std::string& Dir() const { return m_Folder->Dir(); }

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
  std::optional<cTempFolder> m_Folder;
};
