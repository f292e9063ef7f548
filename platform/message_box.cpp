#include "platform/message_box.h"

#include <atomic>
#include <cstdio>
#include <mutex>

#include "platform/cp932.h"
#include "platform/message_queue.h"
#include "platform/modal_host.h"

namespace {

// The answer of a box's first button, by the button set in the low four bits of its type.
int FirstButton(UINT type) {
  switch (type & 0xFu) {
    case 2: return 3;  // abort, retry, ignore: IDABORT
    case 3: return IDYES;  // yes, no, cancel
    case MB_YESNO: return IDYES;
    case 5: return 4;  // retry, cancel: IDRETRY
    case 6: return IDCANCEL;  // cancel, try again, continue
    default: return IDOK;  // ok; ok, cancel
  }
}

// On screen, drawn by the modal host in the main window (made for the box when it does not
// exist yet), when the display can show one; otherwise "caption: text" on standard error,
// in UTF-8, answered with the first button.
class cStderrMessageBoxes : public cMessageBoxProvider {
 public:
  int Show(const MessageBoxRecord& box) override {
    int answer = 0;
    if (tovrel_platform::ShowMessageBoxOnScreen(box, answer)) return answer;
    // From another thread the box is shown by the main thread, which the caller waits for.
    if (!IsMainThread() && tovrel_platform::OnScreenSeenPossible()) {
      struct cRequest {
        const MessageBoxRecord* box;
        int answer;
        bool shown;
      } request{&box, 0, false};
      auto show = [](void* context) {
        auto* r = static_cast<cRequest*>(context);
        r->shown = tovrel_platform::ShowMessageBoxOnScreen(*r->box, r->answer);
      };
      if (RunOnMainThread(show, &request) && request.shown) return request.answer;
    }
    const std::string line = Cp932ToUtf8(box.caption) + ": " + Cp932ToUtf8(box.text) + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
    return FirstButton(box.type);
  }
};

cStderrMessageBoxes g_stderrBoxes;
// Null while the default provider is in place.
std::atomic<cMessageBoxProvider*> g_provider{nullptr};

}  // namespace

cMessageBoxProvider* SetMessageBoxProvider(cMessageBoxProvider* provider) {
  return g_provider.exchange(provider, std::memory_order_acq_rel);
}

int MessageBoxA(HWND owner, const char* text, const char* caption, UINT type) {
  MessageBoxRecord box{owner, text != nullptr ? text : "",
                       caption != nullptr ? caption : "Error", type};  // Windows' own caption
  return ShowMessageBoxWith(g_provider.load(std::memory_order_acquire), box);
}

int ShowMessageBoxWith(cMessageBoxProvider* provider, const MessageBoxRecord& box) {
  if (provider == nullptr) provider = &g_stderrBoxes;
  return provider->Show(box);
}

HWND GetActiveWindow() {
  if (!IsMainThread()) return nullptr;
  return GetMainWindowHandle();
}

// Installed in the body, once every member (the lock too) has been made.
cRecordingMessageBoxes::cRecordingMessageBoxes() : m_previous(nullptr) {
  m_previous = SetMessageBoxProvider(this);
}

cRecordingMessageBoxes::~cRecordingMessageBoxes() { SetMessageBoxProvider(m_previous); }

int cRecordingMessageBoxes::Show(const MessageBoxRecord& box) {
  std::lock_guard<std::mutex> lock(m_lock);
  shown.push_back(box);
  if (answers.empty()) return IDOK;
  const int answer = answers.front();
  answers.pop_front();
  return answer;
}
