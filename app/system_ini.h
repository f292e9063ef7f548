#pragma once
// The machine-side settings of the player, read from "System.ini" at start-up over
// defaults from the game's system data, then adjusted by the start-up sequence and only
// read afterwards (by the drawing layer, the dialogs and the frame-rate display).
#include <cstdint>
#include <string>

class cSystemIni {
 public:
  std::int32_t m_nDirect3D = 0;        // 0 DirectDraw, 1 Direct3D, 2 or more: ask at start-up
  std::int32_t m_nWindowMode = 0;      // 0 full screen, 1 window, 2 resizable window (Direct3D)
  std::int32_t m_nBpp = 0;             // colour depth; 0 automatic
  std::int32_t m_nVSync = 0;           // 0 off, 1 on, 2 automatic
  std::int32_t m_nD3DFontCache = 0;    // font cache of fonts whose own setting is 2, Direct3D
  std::int32_t m_nDDFontCache = 0;     // the same with DirectDraw
  std::int32_t m_nDDVideoStretch = 0;  // DirectDraw may stretch from video memory
  std::int32_t m_nShowFps = 0;         // 0 none, 2 plain text, other values a boxed text
  std::int32_t m_bEnglish = 0;         // English texts in the dialogs and the ranking window
  // Stage file to start on, a program path of at most kFreeStageMax bytes; empty for a
  // normal start.
  std::string m_strFreeStage;

  static constexpr std::size_t kFreeStageMax = 259;
};

extern cSystemIni g_SystemIni;
