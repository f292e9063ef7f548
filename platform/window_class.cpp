#include "platform/window_class.h"

#include <cstdint>
#include <map>
#include <mutex>
#include <string>

namespace {

struct cRegisteredClass {
  ATOM atom;
  WNDPROC proc;
};

std::mutex g_ClassLock;
std::map<std::string, cRegisteredClass> g_Classes;
ATOM g_nNextAtom = 0xC000;  // the range the system gives registered classes

// Non-null values that stand for a resource without being one.
template <typename Handle>
Handle Token(std::uintptr_t value) {
  return reinterpret_cast<Handle>(value);
}

}  // namespace

HICON LoadIconA(HINSTANCE, int resourceId) { return Token<HICON>(0x1000u + static_cast<unsigned>(resourceId)); }
HCURSOR LoadArrowCursor() { return Token<HCURSOR>(0x2000u); }
HBRUSH GetStockBrush(int brush) { return Token<HBRUSH>(0x3000u + static_cast<unsigned>(brush)); }

ATOM RegisterClassExA(const WNDCLASSEXA* windowClass) {
  if (windowClass == nullptr || windowClass->cbSize != sizeof(WNDCLASSEXA) || windowClass->lpfnWndProc == nullptr ||
      windowClass->lpszClassName == nullptr || windowClass->lpszClassName[0] == '\0')
    return 0;
  std::lock_guard<std::mutex> lock(g_ClassLock);
  cRegisteredClass& entry = g_Classes[windowClass->lpszClassName];
  if (entry.atom == 0) entry.atom = g_nNextAtom++;
  entry.proc = windowClass->lpfnWndProc;
  return entry.atom;
}

WNDPROC ClassWindowProc(const char* className) {
  if (className == nullptr) return nullptr;
  std::lock_guard<std::mutex> lock(g_ClassLock);
  const auto it = g_Classes.find(className);
  return it != g_Classes.end() ? it->second.proc : nullptr;
}

std::string ClassNameOfWindowProc(WNDPROC proc) {
  if (proc == nullptr) return std::string();
  std::lock_guard<std::mutex> lock(g_ClassLock);
  const std::string* name = nullptr;
  ATOM newest = 0;
  for (const auto& [className, entry] : g_Classes) {
    if (entry.proc != proc || entry.atom < newest) continue;
    newest = entry.atom;
    name = &className;
  }
  return name != nullptr ? *name : std::string();
}
