// Message windows of stage play: see message_window.h.
#include "stage/message_window.h"

#include <cstddef>
#include <iterator>

#include "app/main_window_handle.h"
#include "media/draw/dd_blit.h"
#include "media/draw/dd_display.h"
#include "media/draw/dd_fill.h"
#include "media/draw/display_report.h"
#include "media/draw/font.h"
#include "objects/chara_base.h"
#include "objects/part_graphic.h"
#include "objects/trunc.h"
#include "platform/message_queue.h"
#include "stage/scene_game.h"
#include "stage/text_macro.h"

namespace {

constexpr int kIconSize = 16;
constexpr int kIconFrames = 30;           // an icon rises over these frames
constexpr int kStatusIconX = 0;           // the extra-life icon on the accessory sheet
constexpr int kStatusIconY = 48;
constexpr DWORD kMessageWindowColorKey = 1;
constexpr int kMessageWindowScreenW = 640;
constexpr int kMessageWindowScreenH = 480;
constexpr int kStatusBarH = 20;           // kept-on-screen windows stay below the status bar
constexpr DWORD kMessageWindowLowVideoMemoryPercent = 20;

cFont& MessageFont() { return g_Font[1]; }

// Positions from data (offsets and blocks of any size, set by bindings too) are worked out
// in 64 bits and held far off the screen, where the keep-on-screen arithmetic and the
// anchoring stay within int.
constexpr std::int64_t kMessageWindowMaxSpread = 1 << 20;
std::int32_t HeldSum(std::int64_t a, std::int64_t b) {
  const std::int64_t sum = a + b;
  return static_cast<std::int32_t>(sum < -kMessageWindowMaxSpread ? -kMessageWindowMaxSpread : (sum > kMessageWindowMaxSpread ? kMessageWindowMaxSpread : sum));
}

// DirectDraw keeps video memory for the stage's pictures: a window goes to system memory
// when less than a fifth of it is free.
int WindowMemoryType() {
  if (lpDDCon == nullptr) return 0;
  DWORD total = 0;
  DWORD free = 0;
  GetVideoMemory(&total, &free);
  return free * 100 < total * kMessageWindowLowVideoMemoryPercent ? 1 : 0;
}

// Index of a surface in the scene's message surface list, -1 when it is not there.
int SurfaceIndex(const cSceneGame& scene, const DDSURFACEDATA* lpSurface) {
  int i = 0;
  for (const DDSURFACEDATA& s : scene.m_lstMessageSurface) {
    if (&s == lpSurface) return i;
    ++i;
  }
  return -1;
}

}  // namespace

cMessageSetup ItemIconMessage(std::int32_t nPartKind, std::int32_t nGraphic, std::int32_t nPattern,
                              std::int32_t nPlayerId) {
  cMessageSetup setup;
  setup.nKind = MSGKIND_PART_ICON;
  setup.nIconKind = nPartKind;
  setup.nIconGraphic = nGraphic;
  setup.nIconPattern = nPattern;
  setup.nPosMode = MSGPOS_HERO_ABOVE;
  setup.bScreenFixed = 1;
  setup.nDispMode = MSGDISP_TIME;
  setup.nFrames = kIconFrames;
  setup.nSubjectId = nPlayerId;
  return setup;
}

cMessageSetup ExtraLifeMessage(std::int32_t nPlayerId) {
  cMessageSetup setup;
  setup.nKind = MSGKIND_STATUS_ICON;
  setup.nPosMode = MSGPOS_HERO_ABOVE;
  setup.bScreenFixed = 1;
  setup.nDispMode = MSGDISP_TIME;
  setup.nFrames = kIconFrames;
  setup.bCountWhilePaused = 1;  // it rises while the notice holds the game
  setup.nSubjectId = nPlayerId;
  return setup;
}

cMessageSetup GameWaitMessage(std::int32_t nFrames) {
  cMessageSetup setup;
  setup.nKind = MSGKIND_WAIT;
  setup.bScreenFixed = 1;
  setup.nDispMode = MSGDISP_TIME;
  setup.nFrames = nFrames;
  setup.bCountWhilePaused = 1;
  return setup;
}

void cMessage::Set(const cMessageSetup& setup) {
  m_nKind = setup.nKind;
  if (setup.lpText != nullptr) {
    m_strText = setup.lpText;
    m_strRawText = setup.lpText;
  }
  m_nIconKind = setup.nIconKind;
  m_nIconGraphic = setup.nIconGraphic;
  m_nIconPattern = setup.nIconPattern;
  m_nPosMode = setup.nPosMode;
  m_nBlockX = setup.nBlockX;
  m_nBlockY = setup.nBlockY;
  m_nOffsetX = setup.nOffsetX;
  m_nOffsetY = setup.nOffsetY;
  m_bKeepOnScreen = setup.bKeepOnScreen;
  m_bScreenFixed = setup.bScreenFixed;
  m_nDispMode = setup.nDispMode;
  m_nFramesLeft = setup.nFrames;
  m_bCountWhilePaused = setup.bCountWhilePaused;
  m_nSubjectId = setup.nSubjectId;
  m_bMacro = setup.bMacro;
  m_bRefresh = setup.bRefresh;
  m_nRefreshInterval = setup.nRefreshInterval;
  m_bFramed = setup.bFramed;
  m_bHasId = setup.bHasId;
  m_nId = setup.nId;
  m_bPosStored = 0;

  if (m_bMacro != 0) ExpandTextMacro(m_strText);
  if (m_nKind == MSGKIND_TEXT) {
    GetTextSize(&m_nWidth, &m_nHeight, m_strText);
  } else if (m_nKind == MSGKIND_PART_ICON || m_nKind == MSGKIND_STATUS_ICON) {
    m_nWidth = kIconSize;
    m_nHeight = kIconSize;
  }
  m_bOpening = m_nDispMode == MSGDISP_KEY && setup.bContinued == 0 ? 1 : 0;
  m_dOpening = 0;
  if (m_nKind != MSGKIND_TEXT) return;
  if (setup.bKeepSurface == 0 || m_pSurface == nullptr) CreateSurface(-1);
  if (m_pSurface != nullptr) DrawText(m_pSurface);
}

void cMessage::GetTextSize(std::int32_t* pWidth, std::int32_t* pHeight, const std::string& text) {
  const cFont& font = MessageFont();
  const SIZE size = font.m_nPitch != 0 ? font.GetTextExtent(text.c_str()) : font.MeasureText(text.c_str());
  *pWidth = static_cast<std::int32_t>(size.cx) + 2;
  *pHeight = static_cast<std::int32_t>(size.cy) + 2;
}

void cMessage::CreateSurface(int nIndex) {
  m_pSurface = nullptr;
  m_pSurfaceDef = nullptr;
  cSceneGame* scene = GameScene();
  if (scene == nullptr) return;
  std::list<DDSURFACEDATA>& surfaces = scene->m_lstMessageSurface;
  std::list<DDSURFACEDEF>& defs = scene->m_lstMessageDef;
  const int nCount = static_cast<int>(surfaces.size());
  const bool bInside = nIndex >= 0 && nIndex < nCount;
  const int nAt = bInside ? nIndex : nCount;
  const int nMemType = WindowMemoryType();
  const bool bMade = bInside ? DDInsertSurfaceToList(&surfaces, &defs, nAt, m_nWidth, m_nHeight, 1, nMemType, 0, 0)
                             : DDAddSurfaceToList(&surfaces, &defs, m_nWidth, m_nHeight, 1, nMemType, 0, 0);
  // The list holds the new record even when its surface could not be made, so that the
  // window and the list stay in step; the program closes.
  if (!bMade) PostMessageA(g_hWnd, WM_CLOSE, 0, 0);
  if (nAt < static_cast<int>(surfaces.size())) m_pSurface = &*std::next(surfaces.begin(), nAt);
  if (nAt < static_cast<int>(defs.size())) m_pSurfaceDef = &*std::next(defs.begin(), nAt);
}

void cMessage::ReleaseSurface() {
  cSceneGame* scene = GameScene();
  if (scene != nullptr && m_pSurface != nullptr)
    DDRemoveSurfaceFromList(&scene->m_lstMessageSurface, &scene->m_lstMessageDef, m_pSurface);
  m_pSurface = nullptr;
  m_pSurfaceDef = nullptr;
}

void cMessage::DrawText(DDSURFACEDATA* lpSurface) {
  if (m_bFramed != 0) {
    MessageFont().DrawTextBox(lpSurface, 1, 1, 0, 0, m_strText.c_str());
    return;
  }
  DDFillSurface(lpSurface, 0);
  MessageFont().DrawText(lpSurface, 1, 1, m_strText.c_str());
}

void cMessage::Refresh() {
  std::string text = m_strRawText;
  ExpandTextMacro(text);
  if (text == m_strText) return;
  m_strText = std::move(text);
  std::int32_t w = 0;
  std::int32_t h = 0;
  GetTextSize(&w, &h, m_strText);
  if (w != m_nWidth || h != m_nHeight || m_pSurface == nullptr) {
    m_nWidth = w;
    m_nHeight = h;
    const cSceneGame* scene = GameScene();
    const int nIndex = scene != nullptr ? SurfaceIndex(*scene, m_pSurface) : -1;
    ReleaseSurface();
    CreateSurface(nIndex);
  }
  if (m_pSurface != nullptr) DrawText(m_pSurface);
}

bool cMessage::Place(std::int32_t* pX, std::int32_t* pY) {
  const cSceneGame& scene = *GameScene();
  const double sx = scene.m_ScrollX.m_dPos;
  const double sy = scene.m_ScrollY.m_dPos;
  const std::int32_t w = m_nWidth;
  const std::int32_t h = m_nHeight;
  std::int32_t x = 0;
  std::int32_t y = 0;
  switch (m_nPosMode) {
    case MSGPOS_CENTRE:
      x = HeldSum(m_nOffsetX, -(w / 2) + kMessageWindowScreenW / 2);
      y = HeldSum(m_nOffsetY, -(h / 2) + kMessageWindowScreenH / 2);
      break;
    case MSGPOS_SELF_ABOVE:
    case MSGPOS_SELF_BELOW:
    case MSGPOS_SELF_CENTRE:
    case MSGPOS_HERO_ABOVE:
    case MSGPOS_HERO_BELOW:
    case MSGPOS_HERO_CENTRE: {
      const cCharaBase* subject = FindObjectById(m_nSubjectId);
      if (subject == nullptr) return false;
      const std::int32_t ox = TruncToInt(subject->m_dX - sx);
      const std::int32_t oy = TruncToInt(subject->m_dY - sy);
      x = HeldSum(m_nOffsetX, std::int64_t{ox} + subject->m_nCellW / 2 - w / 2 - subject->m_nBoxOffX);
      const std::int32_t nPlace = (m_nPosMode - MSGPOS_SELF_ABOVE) % 3;  // 0 above, 1 below, 2 centre
      if (nPlace == 0) {
        y = HeldSum(m_nOffsetY, std::int64_t{oy} - subject->m_nBoxOffY - h);
      } else if (nPlace == 1) {
        y = HeldSum(m_nOffsetY, std::int64_t{oy} + subject->m_nCellH - subject->m_nBoxOffY + 1);
      } else {
        y = HeldSum(m_nOffsetY, std::int64_t{oy} + subject->m_nCellH / 2 - h / 2 - subject->m_nBoxOffY);
      }
      break;
    }
    case MSGPOS_SCREEN:
      x = HeldSum(m_nOffsetX, std::int64_t{m_nBlockX} * 32);
      y = HeldSum(m_nOffsetY, std::int64_t{m_nBlockY} * 32);
      break;
    case MSGPOS_STAGE:
      x = HeldSum(TruncToInt((static_cast<double>(m_nBlockX) + scene.m_ScrollX.m_nMargin) * 32.0 + m_nOffsetX - sx), 0);
      y = HeldSum(TruncToInt((static_cast<double>(m_nBlockY) + scene.m_ScrollY.m_nMargin) * 32.0 + m_nOffsetY - sy), 0);
      break;
    default:
      break;
  }
  const bool bScreenMode = m_nPosMode == MSGPOS_CENTRE || m_nPosMode == MSGPOS_SCREEN;
  if (m_bScreenFixed != 0 && !bScreenMode) {
    // It stays where it first appeared on screen.
    if (m_bPosStored == 0) {
      m_bPosStored = 1;
      m_nStoredX = x;
      m_nStoredY = y;
    }
    x = m_nStoredX;
    y = m_nStoredY;
  } else if (m_bScreenFixed == 0 && bScreenMode) {
    // It keeps the stage point it first appeared over and scrolls with the stage.
    if (m_bPosStored == 0) {
      m_bPosStored = 1;
      m_nStoredX = TruncToInt(x + sx);
      m_nStoredY = TruncToInt(y + sy);
    }
    x = TruncToInt(m_nStoredX - sx);
    y = TruncToInt(m_nStoredY - sy);
  }
  if (m_bKeepOnScreen != 0) {
    if (x < 0) {
      x = 0;
    } else if (x + w >= kMessageWindowScreenW - 1) {
      x = kMessageWindowScreenW - w;
    }
    if (y < kStatusBarH) {
      y = kStatusBarH;
    } else if (y + h >= kMessageWindowScreenH - 1) {
      y = kMessageWindowScreenH - h;
    }
  }
  *pX = x;
  *pY = y;
  return true;
}

std::int32_t cMessage::Draw(DDSURFACEDATA* lpDst, std::int32_t bPaused) {
  const cSceneGame* scene = GameScene();
  if (scene == nullptr) return 0;
  if (m_nDispMode == MSGDISP_TIME) {
    if (bPaused == 0 || m_bCountWhilePaused != 0) --m_nFramesLeft;
    if (m_nFramesLeft < 0) {
      if (m_nKind == MSGKIND_TEXT) ReleaseSurface();
      return 1;
    }
  }
  if (m_bRefresh != 0 && m_nRefreshInterval > 0 && scene->m_nFrameCount % m_nRefreshInterval == 0 &&
      m_nKind == MSGKIND_TEXT && m_bMacro != 0)
    Refresh();
  if (m_nKind == MSGKIND_WAIT) return 0;

  std::int32_t x = 0;
  std::int32_t y = 0;
  if (!Place(&x, &y)) {
    // Its character has left the stage: nothing to stand over any more.
    ReleaseSurface();
    return 1;
  }
  const std::int32_t nRise = (kIconFrames - m_nFramesLeft) >> 2;
  switch (m_nKind) {
    case MSGKIND_TEXT: {
      if (m_pSurface == nullptr) return 0;
      if (m_pSurface->bLost != 0) {
        DrawText(m_pSurface);
        m_pSurface->bLost = 0;
      }
      if (m_strText.empty()) return 0;
      if (m_bOpening != 0) {
        m_dOpening += 1;
        if (m_dOpening < kMessageOpeningFrames) {
          if (m_bFramed != 0) {
            const std::int32_t bw = TruncToInt(0.1 * m_dOpening * m_nWidth);
            const std::int32_t bh = TruncToInt(0.1 * m_dOpening * m_nHeight);
            MessageFont().DrawWindow(lpDst, x + m_nWidth / 2 - bw / 2, y + m_nHeight / 2 - bh / 2, bw, bh);
          }
          return 0;
        }
        m_bOpening = 0;
      }
      DDBlt(lpDst, x, y, m_nWidth, m_nHeight, m_pSurface, 0, 0, kMessageWindowColorKey);
      break;
    }
    case MSGKIND_PART_ICON:
      DrawPartIcon(lpDst, x, y - nRise, m_nIconKind, m_nIconGraphic, m_nIconPattern);
      break;
    case MSGKIND_STATUS_ICON:
      DDBlt(lpDst, x, y - nRise, kIconSize, kIconSize, &g_FixedSurface[kAccessorySheetRow], kStatusIconX,
            kStatusIconY, kMessageWindowColorKey);
      break;
    default:
      break;
  }
  return 0;
}
