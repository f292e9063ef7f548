// One running player: the lock file, a second player that finds it held, and the take-over
// that ends the first player and holds the lock within half a second.
#include "platform/single_instance.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "platform/win_time.h"

namespace {

constexpr const char* kName = "\x83\x51\x81\x5B\x83\x80";  // the program's instance name, CP932

class SingleInstanceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_Folder = std::filesystem::temp_directory_path() /
               ("tovrel_lock_" + std::to_string(getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(m_Folder);
    SetInstanceLockFolder(m_Folder.c_str());
  }
  void TearDown() override {
    SetInstanceLockFolder(nullptr);
    std::filesystem::remove_all(m_Folder);
  }
  std::filesystem::path m_Folder;
};

TEST_F(SingleInstanceTest, ASecondHolderFindsTheLockTakenUntilItIsLetGo) {
  cInstanceLock first, second;
  ASSERT_EQ(first.Acquire(kName), eInstanceLock::kTaken);
  EXPECT_EQ(second.Acquire(kName), eInstanceLock::kHeldByAnother);
  EXPECT_EQ(first.Path(), second.Path());
  EXPECT_EQ(std::filesystem::path(first.Path()).parent_path(), m_Folder);
  // Before the first player's window exists there is no process to end: the second
  // starts beside it.
  EXPECT_EQ(second.HolderProcess(), 0);
  EXPECT_EQ(second.TakeOver(), eTakeOver::kNoProcess);
  first.Release();
  EXPECT_EQ(second.Acquire(kName), eInstanceLock::kTaken);
}

TEST_F(SingleInstanceTest, AFolderThatCannotHoldTheLockFileFails) {
  SetInstanceLockFolder((m_Folder / "missing").c_str());
  cInstanceLock lock;
  EXPECT_EQ(lock.Acquire(kName), eInstanceLock::kFailed);
  EXPECT_FALSE(lock.IsHeld());
}

TEST_F(SingleInstanceTest, TakingOverEndsTheRunningPlayerAndHoldsTheLockWithinHalfASecond) {
  int ready[2];
  ASSERT_EQ(pipe(ready), 0);
  const pid_t first = fork();
  ASSERT_GE(first, 0);
  if (first == 0) {
    // The first player: holds the lock, records itself as its window would, and runs on.
    cInstanceLock lock;
    const char ok = lock.Acquire(kName) == eInstanceLock::kTaken && lock.RecordProcess() ? 'y' : 'n';
    if (write(ready[1], &ok, 1) != 1) _exit(2);
    for (;;) pause();
  }
  close(ready[1]);
  char ok = 0;
  ASSERT_EQ(read(ready[0], &ok, 1), 1);
  close(ready[0]);
  ASSERT_EQ(ok, 'y');

  cInstanceLock second;
  ASSERT_EQ(second.Acquire(kName), eInstanceLock::kHeldByAnother);
  EXPECT_EQ(second.HolderProcess(), static_cast<long>(first));
  const DWORD start = timeGetTime();
  EXPECT_EQ(second.TakeOver(500), eTakeOver::kTaken);
  EXPECT_LT(timeGetTime() - start, 500u);
  EXPECT_TRUE(second.IsHeld());
  int status = 0;
  ASSERT_EQ(waitpid(first, &status, 0), first);
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
  // The new holder's file names no process until its own window exists.
  cInstanceLock third;
  EXPECT_EQ(third.Acquire(kName), eInstanceLock::kHeldByAnother);
  EXPECT_EQ(third.HolderProcess(), 0);
}

}  // namespace
