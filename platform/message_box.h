#pragma once
// Message boxes. Until the on-screen box exists a box is written to standard error and
// answered with its first button. Tests install a provider that records what was shown
// and answers from a script.
#include <deque>
#include <mutex>
#include <string>
#include <vector>

#include "platform/message_queue.h"  // MarkMainThread
#include "platform/win_types.h"

struct MessageBoxRecord {
  HWND owner;
  std::string text;     // CP932, as the program passed it
  std::string caption;  // CP932
  UINT type;
};

class cMessageBoxProvider {
 public:
  virtual ~cMessageBoxProvider() = default;
  virtual int Show(const MessageBoxRecord& box) = 0;
};

// Installs a provider; null restores the default one. Returns the previous provider (null
// when it was the default one). Install and remove providers while no box is showing.
cMessageBoxProvider* SetMessageBoxProvider(cMessageBoxProvider* provider);

int MessageBoxA(HWND owner, const char* text, const char* caption, UINT type);

// Shows a box through the given provider, or the default one when it is null: for a
// provider that stands in front of another and hands boxes on to it.
int ShowMessageBoxWith(cMessageBoxProvider* provider, const MessageBoxRecord& box);

// The calling thread's active window: the main window on the main thread once it
// exists, none on any other thread.
HWND GetActiveWindow();

// Test seam: records every box and answers from a script (IDOK once the script is empty).
// Installs itself when made and puts the previous provider back when destroyed. Boxes may
// come from several threads; read `shown` once they are done.
class cRecordingMessageBoxes : public cMessageBoxProvider {
 public:
  cRecordingMessageBoxes();
  ~cRecordingMessageBoxes() override;
  int Show(const MessageBoxRecord& box) override;

  std::vector<MessageBoxRecord> shown;
  std::deque<int> answers;

 private:
  cMessageBoxProvider* m_previous;
  std::mutex m_lock;  // guards shown and answers during Show
};
