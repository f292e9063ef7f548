// A sound request sent from the game thread to the main thread, which waits on its queue:
// the round trip the game thread pays for every PlaySE (the play itself is of a sound
// without samples, so the handling costs next to nothing), against a bare hand-over of
// a value between two threads through a mutex and condition variable.
#include <benchmark/benchmark.h>

#include <condition_variable>
#include <mutex>
#include <thread>

#include "app/main_window_handle.h"
#include "media/sound/sound.h"
#include "platform/message_queue.h"
#include "shell/game_requests.h"

namespace {

HWND FakeWindow() { return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(0x77)); }

LRESULT WindowProc(HWND, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_GAME_PLAYSE) OnPlaySE(wParam);
  return 0;
}

void BM_PlaySERoundTrip(benchmark::State& state) {
  g_Sound.clear();
  g_Sound.resize(17);
  g_hWnd = FakeWindow();
  SetMainWindowHandle(FakeWindow());
  SetMainWindowProc(WindowProc);
  std::mutex lock;
  std::condition_variable ready;
  bool marked = false;
  // This thread plays the main thread: it serves sent messages while it waits on its queue.
  std::thread main([&] {
    MarkMainThread();
    {
      std::lock_guard<std::mutex> guard(lock);
      marked = true;
    }
    ready.notify_all();
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0)) {
    }
  });
  {
    std::unique_lock<std::mutex> guard(lock);
    ready.wait(guard, [&] { return marked; });
  }
  for (auto _ : state) PlaySE(3);
  PostMessageA(FakeWindow(), WM_QUIT, 0, 0);
  main.join();
  SetMainWindowProc(nullptr);
  SetMainWindowHandle(nullptr);
  g_hWnd = nullptr;
}
BENCHMARK(BM_PlaySERoundTrip)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_ConditionVariablePingPong(benchmark::State& state) {
  std::mutex lock;
  std::condition_variable cv;
  int turn = 0;  // 1: the other thread's, 2: stop
  std::thread other([&] {
    std::unique_lock<std::mutex> guard(lock);
    for (;;) {
      cv.wait(guard, [&] { return turn != 0; });
      if (turn == 2) return;
      turn = 0;
      cv.notify_all();
    }
  });
  for (auto _ : state) {
    std::unique_lock<std::mutex> guard(lock);
    turn = 1;
    cv.notify_all();
    cv.wait(guard, [&] { return turn == 0; });
  }
  {
    std::lock_guard<std::mutex> guard(lock);
    turn = 2;
  }
  cv.notify_all();
  other.join();
}
BENCHMARK(BM_ConditionVariablePingPong)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
