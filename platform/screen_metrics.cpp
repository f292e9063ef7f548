#include "platform/screen_metrics.h"

#include <SDL.h>

#include <atomic>

namespace {

std::atomic<int> g_nOverrideWidth{0};
std::atomic<int> g_nOverrideHeight{0};

bool UsableArea(int& width, int& height) {
  if (g_nOverrideWidth.load() > 0 && g_nOverrideHeight.load() > 0) {
    width = g_nOverrideWidth.load();
    height = g_nOverrideHeight.load();
    return true;
  }
  if (SDL_WasInit(SDL_INIT_VIDEO) == 0) return false;
  SDL_Rect bounds;
  if (SDL_GetDisplayUsableBounds(0, &bounds) != 0 || bounds.w <= 0 || bounds.h <= 0) return false;
  width = bounds.w;
  height = bounds.h;
  return true;
}

}  // namespace

int GetSystemMetrics(int index) {
  int width = 640;
  int height = 480;
  UsableArea(width, height);
  if (index == SM_CXFULLSCREEN) return width;
  if (index == SM_CYFULLSCREEN) return height;
  return 0;
}

void OverrideScreenMetrics(int width, int height) {
  g_nOverrideWidth.store(width);
  g_nOverrideHeight.store(height);
}
