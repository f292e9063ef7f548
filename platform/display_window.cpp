#include "platform/display_window.h"

#include <SDL.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <utility>

#include "platform/cp932.h"
#include "platform/message_queue.h"
#include "platform/win_window.h"
#include "platform/x11_window.h"

namespace {

struct cDisplayWindow {
  SDL_Window* window = nullptr;
  SDL_Renderer* renderer = nullptr;
  SDL_Texture* texture = nullptr;
  int nTexWidth = 0;
  int nTexHeight = 0;
  bool bVSync = false;
  bool bVideoInited = false;
  std::thread::id mainThread;
  std::string error;
  std::string rendererName;
};

cDisplayWindow g_Display;

// The mailbox between the drawing thread and the main thread.
std::mutex g_HandOverLock;
std::condition_variable g_HandOverShown;
cDisplayFrame g_Mailbox;
bool g_bMailboxFull = false;
std::uint64_t g_nSerial = 0;
std::uint64_t g_nShownSerial = 0;
std::atomic<bool> g_bWindowOpen{false};
std::atomic<bool> g_bVSync{false};
// Owned by the main thread: the frame being shown.
cDisplayFrame g_Shown;

std::atomic<int> g_nCursorCounter{0};
int g_nRefreshRateOverride = 0;

void DestroyRendererAndTexture() {
  if (g_Display.texture != nullptr) SDL_DestroyTexture(g_Display.texture);
  if (g_Display.renderer != nullptr) SDL_DestroyRenderer(g_Display.renderer);
  g_Display.texture = nullptr;
  g_Display.renderer = nullptr;
  g_Display.nTexWidth = g_Display.nTexHeight = 0;
}

// The main window's title (UTF-8) and class name; empty before it exists.
std::string MainWindowTitle() {
  const HWND main = GetMainWindowHandle();
  if (main == nullptr) return std::string();
  char buffer[512];
  GetWindowTextA(main, buffer, sizeof buffer);
  return Cp932ToUtf8(buffer);
}

std::string MainWindowClass() {
  const HWND main = GetMainWindowHandle();
  char buffer[256];
  if (main == nullptr || GetClassNameA(main, buffer, sizeof buffer) == 0) return std::string();
  return Cp932ToUtf8(buffer);
}

int DisplayWindowFail(const char* what) {
  g_Display.error = std::string(what) + ": " + SDL_GetError();
  return 0;
}

int ShowFrame(const cDisplayFrame& frame) {
  if (g_Display.renderer == nullptr || frame.nWidth <= 0 || frame.nHeight <= 0) return 0;
  // The renderer learns of a new window size (full screen taking effect, a resize) from
  // the window events, which arrive as they are pumped; they stay queued for the main loop.
  SDL_PumpEvents();
  if (g_Display.texture == nullptr || g_Display.nTexWidth != frame.nWidth ||
      g_Display.nTexHeight != frame.nHeight) {
    if (g_Display.texture != nullptr) SDL_DestroyTexture(g_Display.texture);
    g_Display.texture = SDL_CreateTexture(g_Display.renderer, SDL_PIXELFORMAT_ARGB8888,
                                          SDL_TEXTUREACCESS_STREAMING, frame.nWidth, frame.nHeight);
    if (g_Display.texture == nullptr) return DisplayWindowFail("SDL_CreateTexture");
    g_Display.nTexWidth = frame.nWidth;
    g_Display.nTexHeight = frame.nHeight;
  }
  void* pixels = nullptr;
  int pitch = 0;
  if (SDL_LockTexture(g_Display.texture, nullptr, &pixels, &pitch) != 0) return DisplayWindowFail("SDL_LockTexture");
  ConvertFrameToArgb(frame, static_cast<std::uint32_t*>(pixels), pitch);
  SDL_UnlockTexture(g_Display.texture);
  SDL_SetRenderDrawColor(g_Display.renderer, 0, 0, 0, 255);
  SDL_RenderClear(g_Display.renderer);
  SDL_RenderCopy(g_Display.renderer, g_Display.texture, nullptr, nullptr);
  SDL_RenderPresent(g_Display.renderer);
  return 1;
}

}  // namespace

int OpenDisplayWindow(const DisplayWindowOptions& options) {
  g_Display.error.clear();
  if (!g_Display.bVideoInited) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return DisplayWindowFail("SDL_InitSubSystem");
    g_Display.bVideoInited = true;
  }
  g_Display.mainThread = std::this_thread::get_id();
  // Full screen covers the desktop from the start: without a window manager nobody would
  // resize a smaller window when it turns full screen.
  SDL_Rect desktop{SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, options.nWidth, options.nHeight};
  if (options.bFullScreen && SDL_GetDisplayBounds(0, &desktop) != 0)
    desktop = SDL_Rect{SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, options.nWidth, options.nHeight};
  const std::string title = options.title != nullptr && options.title[0] != '\0' ? options.title : MainWindowTitle();
  bool bMade = false;
  if (g_Display.window == nullptr) {
    // Made hidden and shown once it carries its class: a window manager reads the class
    // when the window is mapped.
    Uint32 flags = SDL_WINDOW_HIDDEN;
    if (options.bFullScreen) flags |= SDL_WINDOW_FULLSCREEN_DESKTOP | SDL_WINDOW_BORDERLESS;
    g_Display.window = SDL_CreateWindow(title.c_str(), desktop.x, desktop.y, desktop.w, desktop.h, flags);
    if (g_Display.window == nullptr) return DisplayWindowFail("SDL_CreateWindow");
    bMade = true;
  } else {
    SDL_SetWindowTitle(g_Display.window, title.c_str());
    if (!options.bFullScreen) SDL_SetWindowFullscreen(g_Display.window, 0);
    SDL_SetWindowBordered(g_Display.window, options.bFullScreen ? SDL_FALSE : SDL_TRUE);
    SDL_SetWindowSize(g_Display.window, desktop.w, desktop.h);
    SDL_SetWindowPosition(g_Display.window, desktop.x, desktop.y);
    if (options.bFullScreen) SDL_SetWindowFullscreen(g_Display.window, SDL_WINDOW_FULLSCREEN_DESKTOP);
  }
  DestroyRendererAndTexture();
  const Uint32 vsync = options.bVSync ? SDL_RENDERER_PRESENTVSYNC : 0;
  g_Display.renderer = SDL_CreateRenderer(g_Display.window, -1, SDL_RENDERER_ACCELERATED | vsync);
  if (g_Display.renderer == nullptr)
    g_Display.renderer = SDL_CreateRenderer(g_Display.window, -1, SDL_RENDERER_SOFTWARE | vsync);
  // After the renderer: an OpenGL renderer makes the window anew, without the class.
  const std::string className = MainWindowClass();
  if (!className.empty()) SetX11WindowClass(g_Display.window, className);
  if (bMade) {
    SDL_ShowWindow(g_Display.window);
    // Over whatever handler SDL's video start-up left.
    WatchDisplayConnection();
  }
  if (g_Display.renderer == nullptr) return DisplayWindowFail("SDL_CreateRenderer");
  SDL_RendererInfo info;
  g_Display.rendererName = SDL_GetRendererInfo(g_Display.renderer, &info) == 0 ? info.name : "";
  // Point sampling keeps the pixels of the 640 x 480 screen sharp when scaled.
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
  SDL_RenderSetLogicalSize(g_Display.renderer, options.nWidth, options.nHeight);
  g_Display.bVSync = options.bVSync;
  g_bVSync.store(options.bVSync);
  g_bWindowOpen.store(true);
  return 1;
}

void CloseDisplayWindow() {
  {
    std::lock_guard<std::mutex> lock(g_HandOverLock);
    g_bWindowOpen.store(false);
    g_bMailboxFull = false;
  }
  g_HandOverShown.notify_all();
  DestroyRendererAndTexture();
  if (g_Display.window != nullptr) SDL_DestroyWindow(g_Display.window);
  g_Display.window = nullptr;
  g_Shown = cDisplayFrame();
}

void SetDisplayWindowTitle(const std::string& utf8) {
  if (g_Display.window == nullptr || std::this_thread::get_id() != g_Display.mainThread) return;
  SDL_SetWindowTitle(g_Display.window, utf8.c_str());
}

std::string DisplayWindowTitle() {
  if (g_Display.window == nullptr) return std::string();
  const char* title = SDL_GetWindowTitle(g_Display.window);
  return title != nullptr ? title : "";
}

int IsDisplayWindowOpen() { return g_bWindowOpen.load() ? 1 : 0; }
const std::string& DisplayWindowError() { return g_Display.error; }

int ShowNewestFrame() {
  {
    std::lock_guard<std::mutex> lock(g_HandOverLock);
    if (!g_bMailboxFull) return 0;
    std::swap(g_Shown, g_Mailbox);
    g_bMailboxFull = false;
  }
  ShowFrame(g_Shown);
  {
    std::lock_guard<std::mutex> lock(g_HandOverLock);
    g_nShownSerial = g_Shown.nSerial;
  }
  g_HandOverShown.notify_all();
  return 1;
}

int ShowLastFrameAgain() {
  if (g_Shown.nSerial == 0) return 0;
  return ShowFrame(g_Shown);
}

void HandOverFrame(cDisplayFrame& frame) {
  std::uint64_t serial = 0;
  {
    std::lock_guard<std::mutex> lock(g_HandOverLock);
    if (!g_bWindowOpen.load()) return;
    serial = ++g_nSerial;
    frame.nSerial = serial;
    std::swap(frame, g_Mailbox);
    g_bMailboxFull = true;
  }
  if (std::this_thread::get_id() == g_Display.mainThread) {
    ShowNewestFrame();
    return;
  }
  // Wakes the main loop, which waits on SDL events.
  SDL_Event wake{};
  wake.type = SDL_USEREVENT;
  SDL_PushEvent(&wake);
  if (!g_bVSync.load()) return;
  std::unique_lock<std::mutex> lock(g_HandOverLock);
  g_HandOverShown.wait_for(lock, std::chrono::milliseconds(250),
                           [serial] { return g_nShownSerial >= serial || !g_bWindowOpen.load(); });
}

std::uint64_t ShownFrameSerial() {
  std::lock_guard<std::mutex> lock(g_HandOverLock);
  return g_nShownSerial;
}

int ReadWindowPixels(std::vector<std::uint32_t>& pixels, int& width, int& height) {
  if (g_Display.renderer == nullptr) return 0;
  if (SDL_GetRendererOutputSize(g_Display.renderer, &width, &height) != 0) return 0;
  pixels.assign(static_cast<std::size_t>(width) * height, 0);
  // The logical size would scale the rectangle; read the whole output as it is.
  SDL_Rect all{0, 0, width, height};
  SDL_RenderSetLogicalSize(g_Display.renderer, 0, 0);
  const int result = SDL_RenderReadPixels(g_Display.renderer, &all, SDL_PIXELFORMAT_ARGB8888,
                                          pixels.data(), width * 4);
  SDL_RenderSetLogicalSize(g_Display.renderer, g_Display.nTexWidth > 0 ? g_Display.nTexWidth : 640,
                           g_Display.nTexHeight > 0 ? g_Display.nTexHeight : 480);
  return result == 0 ? 1 : 0;
}

std::string DisplayVideoDriver() {
  const char* name = SDL_GetCurrentVideoDriver();
  return name != nullptr ? name : "";
}

std::string DisplayRendererName() { return g_Display.rendererName; }

int DisplayRefreshRate() {
  if (g_nRefreshRateOverride > 0) return g_nRefreshRateOverride;
  if (!g_Display.bVideoInited) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return 60;
    g_Display.bVideoInited = true;
  }
  SDL_DisplayMode mode;
  // A display that does not tell its rate (virtual ones) is taken to run at 60 Hz.
  if (SDL_GetDesktopDisplayMode(0, &mode) != 0 || mode.refresh_rate <= 0) return 60;
  return mode.refresh_rate;
}

void OverrideDisplayRefreshRate(int hz) { g_nRefreshRateOverride = hz; }

int DisplayRefreshRateKnown() {
  if (g_nRefreshRateOverride > 0) return 1;
  if (!g_Display.bVideoInited) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return 0;
    g_Display.bVideoInited = true;
  }
  SDL_DisplayMode mode;
  return SDL_GetDesktopDisplayMode(0, &mode) == 0 && mode.refresh_rate > 0 ? 1 : 0;
}

int DesktopBitsPerPixel() {
  if (!g_Display.bVideoInited) return 32;
  SDL_DisplayMode mode;
  if (SDL_GetDesktopDisplayMode(0, &mode) != 0) return 32;
  const int bits = SDL_BITSPERPIXEL(mode.format);
  if (bits == 15 || bits == 16) return 16;
  return 32;
}

std::string VideoLibraryVersion() {
  SDL_version v;
  SDL_GetVersion(&v);
  return std::to_string(v.major) + "." + std::to_string(v.minor) + "." + std::to_string(v.patch);
}

int ShowCursor(BOOL show) {
  const int counter = show ? ++g_nCursorCounter : --g_nCursorCounter;
  if (g_Display.bVideoInited && std::this_thread::get_id() == g_Display.mainThread)
    SDL_ShowCursor(counter >= 0 ? SDL_ENABLE : SDL_DISABLE);
  return counter;
}

// The host of dialogs and boxes draws into the same window and renderer.
SDL_Window* DisplaySdlWindow() { return g_Display.window; }
SDL_Renderer* DisplaySdlRenderer() { return g_Display.renderer; }
SDL_Texture* DisplaySdlTexture() { return g_Display.texture; }
