#include "media/draw/fast_font.h"

#include <cstring>

#include "media/draw/dd_blit.h"
#include "media/draw/dd_display.h"
#include "media/draw/dd_fill.h"

namespace {

std::uint16_t GlyphKey(const char* lpGlyph) {
  return static_cast<std::uint16_t>((static_cast<std::uint8_t>(lpGlyph[0]) << 8) |
                                    static_cast<std::uint8_t>(lpGlyph[0] != 0 ? lpGlyph[1] : 0));
}

}  // namespace

void ClearToColourKey(DDSURFACEDATA* lpSD) {
  if (lpSD == nullptr) return;
  if (lpDTCon == nullptr && lpSD->lpDDData != nullptr && lpSD->lpDDData->lpDDS != nullptr &&
      lpSD->lpDDData->lpDDS->HasColorKey()) {
    DDFillSurfaceRGB(lpSD, lpSD->lpDDData->lpDDS->ColorKey());
    return;
  }
  DDFillSurface(lpSD, 0);
}

int cFastFont::Init(int nKind, int nCellW, int nCellH, int nCols, int nRows) {
  Release();
  m_nKind = nKind;
  m_nCellW = nCellW;
  m_nCellH = nCellH;
  m_nCols = nCols;
  m_nRows = nRows;
  m_nCapacity = nCols * nRows;
  if (nCellW <= 0 || nCellH <= 0 || nCols <= 0 || nRows <= 0) return 0;
  if (!DDCreateSurface(&m_SD, nCellW * nCols, nCellH * nRows, 1, 0, 0, 0, 0)) return 0;
  Clear();
  return 1;
}

void cFastFont::Release() {
  if (m_SD.lpDT != nullptr || m_SD.lpDDData != nullptr) DDReleaseSurface(&m_SD);
  m_Glyphs.clear();
  m_First.clear();
  m_nCount = 0;
}

void cFastFont::Clear() { ClearToColourKey(&m_SD); }

int cFastFont::Add(const char* lpGlyph) {
  if (lpGlyph == nullptr || m_nCount >= m_nCapacity) return 0;
  FASTFONTGLYPH entry{};
  entry.glyph[0] = lpGlyph[0];
  entry.glyph[1] = lpGlyph[0] != 0 ? lpGlyph[1] : 0;
  entry.nIndex = m_nCount;
  entry.nCellX = m_nCount % m_nCols;
  entry.nCellY = m_nCount / m_nCols;
  m_Glyphs.push_back(entry);
  m_First.emplace(GlyphKey(lpGlyph), m_nCount);
  ++m_nCount;
  return 1;
}

int cFastFont::DrawCell(DDSURFACEDATA* lpDst, int x, int y, char ch, DWORD dwFlags) {
  const auto b = static_cast<std::uint8_t>(ch);
  if (b >= 0x80 && !(b >= 0xA0 && b <= 0xDF)) return 0;
  if (m_nCols <= 0) return 0;
  return DDBlt(lpDst, x, y, m_nCellW, m_nCellH, &m_SD, m_nCellW * (b % m_nCols), m_nCellH * (b / m_nCols), dwFlags);
}

const FASTFONTGLYPH* cFastFont::Find(const char* lpGlyph) const {
  if (lpGlyph == nullptr) return nullptr;
  const auto found = m_First.find(GlyphKey(lpGlyph));
  return found != m_First.end() ? &m_Glyphs[static_cast<std::size_t>(found->second)] : nullptr;
}

int cFastFont::DrawGlyph(DDSURFACEDATA* lpDst, int x, int y, const char* lpGlyph, DWORD dwFlags) {
  const FASTFONTGLYPH* entry = Find(lpGlyph);
  if (entry == nullptr) return 0;
  DDBlt(lpDst, x, y, m_nCellW, m_nCellH, &m_SD, m_nCellW * entry->nCellX, m_nCellH * entry->nCellY, dwFlags);
  return 1;
}
