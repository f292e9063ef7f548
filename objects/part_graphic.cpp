// Where a part's picture lies: see part_graphic.h.
#include "objects/part_graphic.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "app/system_ini.h"
#include "data/database/bmp_chara_exc_data.h"
#include "data/database/database.h"
#include "media/draw/dd_blit.h"
#include "media/draw/dd_display.h"
#include "media/draw/dd_surface.h"
#include "objects/game_obj.h"
#include "stage/scene_game.h"

DDSURFACEDATA* g_pScaledMarkSheet = nullptr;
DDSURFACEDATA* g_pCharaWorkA = nullptr;
DDSURFACEDATA* g_pCharaWorkB = nullptr;

namespace {

constexpr std::int32_t kCell = 32;
constexpr std::int32_t kBlocksPerColumn = 15;   // block, character and item sheets: 15 rows
constexpr std::int32_t kShotsPerColumn = 30;
constexpr std::int32_t kDedicatedRowCells = 16; // cells per row of a dedicated bitmap
constexpr std::int32_t kMaxCustomCell = 16;     // a custom cell is at most one row wide
constexpr std::int32_t kSurfacesPerDedicated = 4;
// Cell coordinates come from data (pattern numbers, graphic numbers): they are worked in
// 64 bits and held far outside any sheet rather than wrapped.
constexpr std::int64_t kCoordLimit = 1 << 24;

std::int32_t Coord(std::int64_t value) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, -kCoordLimit, kCoordLimit));
}

bool DrawsFromVideoMemory() { return lpDDCon != nullptr && g_SystemIni.m_nDDVideoStretch != 0; }

// The system-memory copy of a fixed row, or the row itself when there is none (Direct3D
// draws the copies from the same picture).
DDSURFACEDATA* CompanionOf(int nRow) {
  const int companion = nRow + kCompanionRowOffset;
  if (companion < kFixedSurfaceCount && g_FixedSurface[companion].nWidth > 0) return &g_FixedSurface[companion];
  return &g_FixedSurface[nRow];
}

bool InsideSheet(const DDSURFACEDATA* sheet, std::int32_t x, std::int32_t y) {
  return sheet != nullptr && x >= 0 && y >= 0 && x < sheet->nWidth && y < sheet->nHeight;
}

// The scene's dedicated bitmaps, or null when none is loaded.
std::vector<DDSURFACEDATA>* DedicatedSurfaces() {
  cSceneGame* scene = GameScene();
  return scene != nullptr ? &scene->m_vCharaExcSurface : nullptr;
}

// Surface index of dedicated bitmap n for a facing, or -1 when the bitmap is not loaded.
std::int64_t DedicatedBase(std::int32_t n, std::int32_t nFacing) {
  std::vector<DDSURFACEDATA>* surfaces = DedicatedSurfaces();
  if (surfaces == nullptr || n < 1) return -1;
  const std::int64_t first = static_cast<std::int64_t>(n) * kSurfacesPerDedicated - kSurfacesPerDedicated;
  if (first + kSurfacesPerDedicated > static_cast<std::int64_t>(surfaces->size())) return -1;
  return first + nFacing;
}

// Cell size in blocks of dedicated bitmap n: 1 without a custom cell. A size below 1 would
// divide by zero and one above 16 leave no cell in a row, so it is held to 1..16.
std::int32_t DedicatedCellSize(std::int32_t n, std::int32_t* pCustom) {
  *pCustom = 0;
  if (n < 0 || static_cast<std::size_t>(n) >= g_Database.m_BmpCharaExc.size()) return 1;
  const cBmpCharaExcData& entry = g_Database.m_BmpCharaExc[static_cast<std::size_t>(n)];
  if (entry.m_bLarge == 0) return 1;
  *pCustom = 1;
  return std::clamp<std::int32_t>(entry.m_nLargeFactor, 1, kMaxCustomCell);
}

void DedicatedCell(std::int32_t nPattern, std::int32_t s, std::int32_t* pX, std::int32_t* pY) {
  const std::int32_t perRow = kDedicatedRowCells / s;
  *pX = Coord(static_cast<std::int64_t>(nPattern % perRow) * kCell * s);
  *pY = Coord(static_cast<std::int64_t>(nPattern / perRow) * kCell * s);
}

}  // namespace

void cPartGraphic::Set(std::int32_t nUse, std::int32_t nKind, std::int32_t nGraphic, std::int32_t nPattern,
                       const cGameObj* pObj, std::int32_t nExtra) {
  // The blend fields are the character's (GetGraphicNumber fills them first): they stay.
  const std::int32_t bBlend = m_bBlend;
  const DDBLEND blend = m_Blend;
  *this = cPartGraphic();
  m_bBlend = bBlend;
  m_Blend = blend;
  const std::int32_t n = nGraphic;
  const std::int32_t facing = nUse == PARTUSE_CHARA && pObj != nullptr && pObj->m_nFacing != 0 ? 1 : 0;
  const auto setRows = [this](int rowThis, int rowOther) {
    m_pSrc[0] = &g_FixedSurface[rowThis];
    m_pSrc[1] = &g_FixedSurface[rowOther];
    m_pCompanion[0] = CompanionOf(rowThis);
    m_pCompanion[1] = CompanionOf(rowOther);
  };
  switch (nKind) {
    case PARTKIND_BLOCK:
      if (n < 0) return;
      m_pSrc[0] = m_pSrc[1] = &g_FixedSurface[kBlockSheetRow];
      m_pCompanion[0] = m_pCompanion[1] = &g_FixedSurface[kBlockSheetRow + 1];
      m_nCellX = n / kBlocksPerColumn * kCell;
      m_nCellY = n % kBlocksPerColumn * kCell;
      break;
    case PARTKIND_CHARA: {
      const std::int32_t pair = n >= 0 ? n / kBlocksPerColumn : kCharaSheetCount;
      std::int32_t sheetFacing = facing;
      std::int64_t column = static_cast<std::int64_t>(nPattern) + nExtra;
      if (nUse != PARTUSE_CHARA) {
        column = nPattern;
        sheetFacing = nPattern >= 20 ? 1 : 0;
        if (sheetFacing != 0) column -= 20;
      }
      const int row = kFirstCharaSheetRow + 2 * pair + sheetFacing;
      m_nCellX = Coord(column * kCell);
      m_nCellY = n >= 0 ? n % kBlocksPerColumn * kCell : 0;
      // A graphic past the eight sheets, or a cell outside its sheet, shows the first
      // sheet's first cell rather than another sheet's picture.
      if (pair >= kCharaSheetCount || !InsideSheet(&g_FixedSurface[row], m_nCellX, m_nCellY)) {
        setRows(kFirstCharaSheetRow, kFirstCharaSheetRow + 1);
        m_nCellX = 0;
        m_nCellY = 0;
      } else {
        setRows(row, kFirstCharaSheetRow + 2 * pair + (1 - sheetFacing));
      }
      break;
    }
    case PARTKIND_ITEM:
      if (n < 0) return;
      m_pSrc[0] = m_pSrc[1] = &g_FixedSurface[kItemSheetRow];
      m_pCompanion[0] = m_pCompanion[1] = &g_FixedSurface[kItemSheetRow + 1];
      m_nCellX = Coord(static_cast<std::int64_t>(n / kBlocksPerColumn) * 64 +
                       (nUse == PARTUSE_ITEM ? static_cast<std::int64_t>(nExtra) * kCell : 0));
      m_nCellY = n % kBlocksPerColumn * kCell;
      break;
    case PARTKIND_SHOT: {
      if (n < 0) return;
      const int rowThis = nUse == PARTUSE_CHARA ? kShotSheetRow + facing : kShotSheetRow;
      const int rowOther = nUse == PARTUSE_CHARA ? kShotSheetRow + 1 - facing : kShotSheetRow;
      m_pSrc[0] = m_pCompanion[0] = &g_FixedSurface[rowThis];
      m_pSrc[1] = m_pCompanion[1] = &g_FixedSurface[rowOther];
      m_nCellX = n / kShotsPerColumn * 64;
      m_nCellY = n % kShotsPerColumn * kCell;
      break;
    }
    case PARTKIND_DEDICATED: {
      const std::int64_t base = DedicatedBase(n, nUse == PARTUSE_CHARA ? facing : 0);
      const std::int64_t other = DedicatedBase(n, nUse == PARTUSE_CHARA ? 1 - facing : 0);
      if (base < 0 || other < 0) return;
      std::vector<DDSURFACEDATA>& surfaces = *DedicatedSurfaces();
      m_pSrc[0] = &surfaces[static_cast<std::size_t>(base)];
      m_pSrc[1] = &surfaces[static_cast<std::size_t>(other)];
      m_pCompanion[0] = &surfaces[static_cast<std::size_t>(base + 2)];
      m_pCompanion[1] = &surfaces[static_cast<std::size_t>(other + 2)];
      const std::int64_t wide = nUse == PARTUSE_CHARA ? static_cast<std::int64_t>(nPattern) + nExtra : nPattern;
      const std::int32_t pattern = Coord(wide);
      std::int32_t custom = 0;
      const std::int32_t s = DedicatedCellSize(n, &custom);
      DedicatedCell(pattern, s, &m_nCellX, &m_nCellY);
      m_bCustomCell = custom;
      m_nCellSize = s;
      break;
    }
    default:
      return;
  }
  const bool video = DrawsFromVideoMemory();
  m_pDraw[0] = video ? m_pSrc[0] : m_pCompanion[0];
  m_pDraw[1] = video ? m_pSrc[1] : m_pCompanion[1];
}

void DrawPartIcon(DDSURFACEDATA* pDst, std::int32_t x, std::int32_t y, std::int32_t nKind, std::int32_t n,
                  std::int32_t p) {
  if (pDst == nullptr || n < 0) return;
  constexpr DWORD kKey = 1;
  constexpr int kIcon = 16;
  switch (nKind) {
    case PARTKIND_BLOCK:
      DDStretchBlt(pDst, x, y, kIcon, kIcon, &g_FixedSurface[kBlockSheetRow + 1], n / kBlocksPerColumn * kCell,
                   n % kBlocksPerColumn * kCell, kCell, kCell, kKey);
      break;
    case PARTKIND_CHARA: {
      const std::int32_t pair = n / kBlocksPerColumn;
      if (pair >= kCharaSheetCount) return;
      DDStretchBlt(pDst, x, y, kIcon, kIcon, CompanionOf(kFirstCharaSheetRow + 2 * pair),
                   Coord(static_cast<std::int64_t>(p) * kCell), n % kBlocksPerColumn * kCell, kCell, kCell, kKey);
      break;
    }
    case PARTKIND_ITEM:
      DDBlt(pDst, x, y, kIcon, kIcon, &g_FixedSurface[kSmallItemSheetRow], n / kBlocksPerColumn * kCell,
            n % kBlocksPerColumn * kIcon, kKey);
      break;
    case PARTKIND_SHOT:
      DDStretchBlt(pDst, x, y, kIcon, kIcon, &g_FixedSurface[kShotSheetRow], n / kShotsPerColumn * 64,
                   n % kShotsPerColumn * kCell, kCell, kCell, kKey);
      break;
    case PARTKIND_DEDICATED: {
      const std::int64_t base = DedicatedBase(n, 0);
      if (base < 0) return;
      std::int32_t custom = 0;
      const std::int32_t s = DedicatedCellSize(n, &custom);
      std::int32_t cx = 0;
      std::int32_t cy = 0;
      DedicatedCell(p, s, &cx, &cy);
      DDStretchBlt(pDst, x, y, kIcon, kIcon, &(*DedicatedSurfaces())[static_cast<std::size_t>(base + 2)], cx, cy,
                   kCell * s, kCell * s, kKey);
      break;
    }
    default:
      break;
  }
}

void SelectCharaWorkSurfaces() {
  const bool directDraw = lpDDCon != nullptr;
  const bool video = DrawsFromVideoMemory();
  g_pScaledMarkSheet = &g_FixedSurface[video ? kMarkSheetRow : kMarkSheetRow + 1];
  g_pCharaWorkA = &g_FixedSurface[video ? kBlank640Row : kBlank640Row + 1];
  g_pCharaWorkB = &g_FixedSurface[directDraw ? kBlank640Row + 1 : kBlank1024Row];
}

DDSURFACEDATA* ScaledMarkSheet() {
  SelectCharaWorkSurfaces();
  return g_pScaledMarkSheet;
}

DDSURFACEDATA* CharaWorkA() {
  SelectCharaWorkSurfaces();
  return g_pCharaWorkA;
}

DDSURFACEDATA* CharaWorkB() {
  SelectCharaWorkSurfaces();
  return g_pCharaWorkB;
}
