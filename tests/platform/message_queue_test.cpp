#include "platform/message_queue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <thread>
#include <vector>

namespace {

HWND MessageQueueTestFakeWindow(std::uintptr_t id) { return reinterpret_cast<HWND>(id); }

class MessageQueue : public ::testing::Test {
 protected:
  void SetUp() override {
    SetMainWindowHandle(nullptr);
    ClearPostedMessages();
  }
  void TearDown() override {
    SetMainWindowHandle(nullptr);
    ClearPostedMessages();
  }
};

}  // namespace

TEST_F(MessageQueue, MessagePostedBeforeTheWindowExistsWaitsForIt) {
  EXPECT_EQ(PostMessageA(nullptr, WM_CLOSE, 1, 2), 1);
  EXPECT_EQ(CountPostedMessages(WM_CLOSE), 1);
  const HWND window = MessageQueueTestFakeWindow(0x1000);
  SetMainWindowHandle(window);
  EXPECT_EQ(GetMainWindowHandle(), window);
  MSG msg{};
  ASSERT_EQ(TakePostedMessage(&msg), 1);
  EXPECT_EQ(msg.hwnd, window);  // it reaches the window
  EXPECT_EQ(msg.message, WM_CLOSE);
  EXPECT_EQ(msg.wParam, 1u);
  EXPECT_EQ(msg.lParam, 2);
  EXPECT_EQ(TakePostedMessage(&msg), 0);
}

TEST_F(MessageQueue, NullAndMainHandlesReachTheQueueOthersAreRefused) {
  const HWND window = MessageQueueTestFakeWindow(0x1000);
  EXPECT_EQ(PostMessageA(MessageQueueTestFakeWindow(0x2000), WM_USER, 0, 0), 0);  // no window yet
  SetMainWindowHandle(window);
  EXPECT_EQ(PostMessageA(window, WM_USER + 1, 0, 0), 1);
  EXPECT_EQ(PostMessageA(nullptr, WM_USER + 2, 0, 0), 1);
  EXPECT_EQ(PostMessageA(MessageQueueTestFakeWindow(0x2000), WM_USER + 3, 0, 0), 0);
  EXPECT_EQ(CountPostedMessages(WM_USER + 1), 1);
  EXPECT_EQ(CountPostedMessages(WM_USER + 2), 1);
  EXPECT_EQ(CountPostedMessages(WM_USER + 3), 0);
  EXPECT_EQ(CountPostedMessages(WM_USER), 0);
}

TEST_F(MessageQueue, FirstInFirstOut) {
  for (int i = 0; i < 10; ++i) PostMessageA(nullptr, WM_USER + i % 3, i, -i);
  EXPECT_EQ(CountPostedMessages(WM_USER), 4);
  for (int i = 0; i < 10; ++i) {
    MSG msg{};
    ASSERT_EQ(TakePostedMessage(&msg), 1);
    EXPECT_EQ(msg.message, WM_USER + i % 3);
    EXPECT_EQ(msg.wParam, static_cast<WPARAM>(i));
    EXPECT_EQ(msg.lParam, -i);
  }
  EXPECT_EQ(TakePostedMessage(nullptr), 0);
}

TEST_F(MessageQueue, ClearDropsEverything) {
  PostMessageA(nullptr, WM_QUIT, 0, 0);
  PostMessageA(nullptr, WM_CLOSE, 0, 0);
  ClearPostedMessages();
  EXPECT_EQ(CountPostedMessages(WM_QUIT), 0);
  MSG msg{};
  EXPECT_EQ(TakePostedMessage(&msg), 0);
}

TEST_F(MessageQueue, SeveralThreadsPostWhileTheMainThreadTakes) {
  const HWND window = MessageQueueTestFakeWindow(0x1000);
  SetMainWindowHandle(window);
  constexpr int kThreads = 8;
  constexpr int kPerThread = 2000;
  std::atomic<bool> go{false};
  std::vector<std::thread> posters;
  for (int t = 0; t < kThreads; ++t) {
    posters.emplace_back([t, window, &go] {
      while (!go.load()) std::this_thread::yield();
      for (int i = 0; i < kPerThread; ++i) {
        // Half of them post to the null handle, half to the window.
        PostMessageA(i % 2 == 0 ? nullptr : window, WM_USER, static_cast<WPARAM>(t), i);
      }
    });
  }
  go.store(true);
  std::vector<int> next(kThreads, 0);
  int taken = 0;
  bool inOrder = true;
  const auto takeAll = [&] {
    MSG msg{};
    while (TakePostedMessage(&msg)) {
      ++taken;
      if (msg.message != WM_USER || msg.hwnd != window || msg.wParam >= kThreads) {
        inOrder = false;
        continue;
      }
      // Each thread's messages come out in the order it posted them.
      if (msg.lParam != next[msg.wParam]) inOrder = false;
      next[msg.wParam] = static_cast<int>(msg.lParam) + 1;
    }
  };
  while (taken < kThreads * kPerThread / 2) takeAll();  // take while they post
  for (std::thread& poster : posters) poster.join();
  takeAll();
  EXPECT_EQ(taken, kThreads * kPerThread);
  EXPECT_TRUE(inOrder);
  for (int t = 0; t < kThreads; ++t) EXPECT_EQ(next[t], kPerThread) << t;
}

namespace {

// A task for the main thread runs there, served with the sent messages; without a main
// window it does not run.
TEST(MainThreadTaskTest, RunsOnTheMainThreadWhileItServesMessages) {
  static bool ranOnMain = false;
  auto task = [](void* done) {
    ranOnMain = IsMainThread();
    *static_cast<std::atomic<bool>*>(done) = true;
  };
  std::atomic<bool> done{false};
  EXPECT_EQ(RunOnMainThread(task, &done), 1);  // on the main thread: at once
  EXPECT_TRUE(ranOnMain);

  std::atomic<int> result{-1};
  std::thread noWindow([&] { result = RunOnMainThread(task, &done); });
  noWindow.join();
  EXPECT_EQ(result.load(), 0);

  HWND fake = reinterpret_cast<HWND>(std::uintptr_t{0x4242});
  SetMainWindowHandle(fake);
  done = false;
  ranOnMain = false;
  std::thread other([&] { result = RunOnMainThread(task, &done); });
  while (!done.load()) {
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
  }
  other.join();
  SetMainWindowHandle(nullptr);
  EXPECT_EQ(result.load(), 1);
  EXPECT_TRUE(ranOnMain);
}

}  // namespace
