#include "media/draw/display_report.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "app/report_log.h"
#include "media/draw/dd_display.h"
#include "platform/display_window.h"
#include "platform/system_facts.h"

namespace {

// The software devices draw in main memory: its size and what is free stand for video
// memory.
void MemoryBytes(std::uint64_t& total, std::uint64_t& available) {
  MemoryFacts facts;
  ReadMemoryFacts(facts);
  total = facts.totalPhys;
  available = facts.availPhys;
}

}  // namespace

int WriteDisplayReport(int detailed) {
  if (!WriteReportText(g_bWindow ? "Mode : Window" : "Mode : Fullscreen")) return 0;
  WriteReport("Bpp : %d", g_nBpp);
  if (lpDD != nullptr) {
    std::uint64_t total = 0, available = 0;
    MemoryBytes(total, available);
    const double toMB = 1.0 / 1048576.0;
    WriteReport("VRAM Total : %.3fMB", static_cast<double>(static_cast<DWORD>(std::min<std::uint64_t>(total, 0xFFFFFFFFu))) * toMB);
    WriteReport("VRAM Free : %.3fMB", static_cast<double>(static_cast<DWORD>(std::min<std::uint64_t>(available, 0xFFFFFFFFu))) * toMB);
    WriteReport("RR : %u", static_cast<unsigned>(DisplayRefreshRate()));
  }
  if (lpDTCon != nullptr) WriteDxDiagReport(detailed);
  return 1;
}

int WriteDxDiagReport(int) {
  if (lpDTCon == nullptr || lpDevice == nullptr) return 0;
  std::uint64_t total = 0, available = 0;
  MemoryBytes(total, available);
  WriteReport("SDL %s", VideoLibraryVersion().c_str());
  WriteReport("TextureMem : %dMB", static_cast<int>(available >> 20));
  WriteReportText("---デバイス0");
  const std::string renderer = DisplayRendererName();
  if (!renderer.empty()) WriteReport("Destination : %s", renderer.c_str());
  WriteReport("VRAM : %d MB", static_cast<int>(total >> 20));
  int major = 0, minor = 0, patch = 0;
  std::sscanf(VideoLibraryVersion().c_str(), "%d.%d.%d", &major, &minor, &patch);
  WriteReport("Driver : %s %1d.%02d.%04d.%04d", DisplayVideoDriver().c_str(), major, minor, patch, 0);
  WriteReport("DDI : %d", GetDDIVersion());
  const cSoftDeviceCaps& caps = lpDTCon->caps;
  WriteReport("TextureMaxSize : (%d,%d)", caps.nMaxTextureWidth, caps.nMaxTextureHeight);
  WriteReport("TextureMaxBlend : (%d,%d)", caps.nMaxTextureBlendStages, caps.nMaxSimultaneousTextures);
  if (caps.bAlphaFullscreenFlipOrDiscard) WriteReportText("D3DCAPS3_ALPHA_FULLSCREEN_FLIP_OR_DISCARD");
  if (caps.bPow2) WriteReportText("D3DPTEXTURECAPS_POW2");
  if (caps.bSquareOnly) WriteReportText("D3DPTEXTURECAPS_SQUAREONLY");
  if (caps.bDynamicTextures) WriteReportText("D3DCAPS2_DYNAMICTEXTURES");
  WriteReportText("DirectDraw : ○");
  WriteReportText("Direct3D : ○");
  return 1;
}

void GetVideoMemory(DWORD* lpTotal, DWORD* lpFree) {
  *lpTotal = 0;
  *lpFree = 0;
  if (lpDD == nullptr) return;
  std::uint64_t total = 0, available = 0;
  MemoryBytes(total, available);
  *lpTotal = static_cast<DWORD>(std::min<std::uint64_t>(total >> 20, 0xFFFFFFFFu));
  *lpFree = static_cast<DWORD>(std::min<std::uint64_t>(available >> 20, 0xFFFFFFFFu));
}

int GetDDIVersion() { return 9; }
