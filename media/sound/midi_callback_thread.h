#pragma once
// The thread that serves one MIDI player's position callbacks. A small wrapper so that
// the program's own thread class can take its place without touching the player.
#include <functional>
#include <thread>

class cMidiCallbackThread {
 public:
  cMidiCallbackThread() = default;
  ~cMidiCallbackThread() { Join(); }
  cMidiCallbackThread(const cMidiCallbackThread&) = delete;
  cMidiCallbackThread& operator=(const cMidiCallbackThread&) = delete;

  void Start(std::function<void()> body) { m_Thread = std::thread(std::move(body)); }
  // Waits until the body has returned (the caller has told it to end).
  void Join() {
    if (m_Thread.joinable()) m_Thread.join();
  }
  bool IsRunning() const { return m_Thread.joinable(); }

 private:
  std::thread m_Thread;
};
