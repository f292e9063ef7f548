// The repeated pictures of the stage: background pictures tiled over the frame from their
// parallax or auto-scroll origin, and the block cells under the view.
#include <cstdint>

#include "data/palette/palette_block.h"
#include "data/stage/stage_back.h"
#include "media/draw/dd_blit.h"
#include "objects/part_graphic.h"
#include "objects/trunc.h"
#include "stage/block_cell.h"
#include "stage/scroll.h"
#include "stage/stage_draw_parts.h"

namespace {

constexpr int kStageTilesCell = 32;
constexpr int kStageTilesMarksPerColumn = 15;
constexpr DWORD kStageTilesColorKey = 1;

// The first tile's offset into a picture of `size` for an origin v: v mod size, made
// non-negative.
int WrapInto(int v, int size) {
  const int m = v % size;
  return m < 0 ? m + size : m;
}

// Mark n lies inside the mark sheet: a damaged number reads nothing of other memory.
bool SheetHasCell(const DDSURFACEDATA& sheet, int n) {
  if (n < 0) return false;
  return n / kStageTilesMarksPerColumn * kStageTilesCell < sheet.nWidth && n % kStageTilesMarksPerColumn * kStageTilesCell < sheet.nHeight;
}

}  // namespace

bool BackgroundSurfaceExists(int nRow) {
  const DDSURFACEDATA& surface = g_FixedSurface[nRow];
  return surface.nWidth > 0 && surface.nHeight > 0 && (surface.lpDT != nullptr || surface.lpDDData != nullptr);
}

int BackgroundOrigin(std::int32_t bAuto, double dOffset, double dFactor, const cScroll& axis, bool bRoundView) {
  const int margin = axis.m_nMargin * kStageTilesCell;
  if (bAuto != 0) return TruncToInt(dOffset + axis.m_dPos - margin);
  // The horizontal view position is rounded to the dot; the vertical one is cut.
  const int view = bRoundView ? TruncToInt(axis.m_dPos + 0.5) : TruncToInt(axis.m_dPos);
  return TruncToInt(static_cast<double>(std::int64_t{view} - margin) * dFactor);
}

void DrawBackgroundTiles(DDSURFACEDATA* lpDst, const cStageBack& back, int nRow, const cScroll& sx,
                         const cScroll& sy, bool bOpaque) {
  DDSURFACEDATA* src = &g_FixedSurface[nRow];
  const int w = src->nWidth;
  const int h = src->nHeight;
  const int x = BackgroundOrigin(back.m_bAutoX, back.m_dPosX, back.m_dSpeedX, sx, true);
  const int y = BackgroundOrigin(back.m_bAutoY, back.m_dPosY, back.m_dSpeedY, sy, false);
  const int tx0 = WrapInto(x, w);
  const int ty0 = WrapInto(y, h);
  const DWORD flags = bOpaque ? 0 : kStageTilesColorKey;
  DDBeginSpriteBatch(0);
  int ty = ty0;
  int sy0 = 0;
  for (int row = 0; row < kTileLimit && sy0 < 480; ++row) {
    const int rowH = h - ty;
    int tx = tx0;
    int sx0 = 0;
    for (int column = 0; column < kTileLimit && sx0 < 640; ++column) {
      const int columnW = w - tx;
      DDBlt(lpDst, sx0, sy0, columnW, rowH, src, tx, ty, flags);
      sx0 += columnW;
      tx = 0;
    }
    sy0 += rowH;
    ty = 0;
  }
  DDFlushSpriteBatch();
}

void DrawPaletteBlock(DDSURFACEDATA* lpDst, int x, int y, const cBlockCell& cell) {
  cPartGraphic part;
  part.Set(PARTUSE_PLAIN, cell.m_nGraphicKind, cell.m_nGraphic, cell.m_nPattern, nullptr, 0);
  if (part.HasPicture()) DDBlt(lpDst, x, y, kStageTilesCell, kStageTilesCell, part.m_pDraw[0], part.m_nCellX, part.m_nCellY, kStageTilesColorKey);
  DDSURFACEDATA* marks = &g_FixedSurface[kMarkSheetRow];
  if (cell.m_nEmblemShow == 1 && SheetHasCell(*marks, cell.m_nEmblem)) {
    const int m = cell.m_nEmblem;
    DDBlt(lpDst, x, y, kStageTilesCell, kStageTilesCell, marks, m / kStageTilesMarksPerColumn * kStageTilesCell, m % kStageTilesMarksPerColumn * kStageTilesCell, kStageTilesColorKey);
  }
}
