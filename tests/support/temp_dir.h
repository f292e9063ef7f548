#pragma once
// A fresh temporary folder for one test, made the current folder while the test runs
// (every test runs as a process of its own), and removed afterwards.
#include <string>

#include <gtest/gtest.h>

class cTempDirTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // The temporary folder as a host path.
  const std::string& Dir() const { return m_Dir; }

 private:
  std::string m_Dir;
  std::string m_PreviousDir;
};
