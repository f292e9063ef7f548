#include "platform/x11_window.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <vector>

namespace {

std::atomic<void (*)()> g_DisplayLostReport{nullptr};

int OnDisplayConnectionLost(Display*) {
  static const char kNotice[] = "the connection to the X server was lost: the player ends\n";
  const ssize_t written = write(STDERR_FILENO, kNotice, sizeof kNotice - 1);
  static_cast<void>(written);
  if (void (*report)() = g_DisplayLostReport.load()) report();
  _exit(kDisplayLostExitCode);
}

}  // namespace

void SetX11WindowClass(SDL_Window* window, const std::string& className) {
  if (window == nullptr || className.empty()) return;
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWindowWMInfo(window, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_X11) return;
  std::vector<char> name(className.begin(), className.end());
  name.push_back('\0');
  XClassHint hint;
  hint.res_name = name.data();
  hint.res_class = name.data();
  XSetClassHint(info.info.x11.display, info.info.x11.window, &hint);
  XFlush(info.info.x11.display);
}

void EndProgramOnDisplayLoss(void (*report)()) {
  g_DisplayLostReport.store(report);
  WatchDisplayConnection();
}

void WatchDisplayConnection() { XSetIOErrorHandler(OnDisplayConnectionLost); }
