#include "platform/x11_window.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <vector>

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
