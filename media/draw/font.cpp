#include "media/draw/font.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

#include "app/bounded_format.h"
#include "app/main_window_handle.h"
#include "app/report_log.h"
#include "media/draw/dd_blit.h"
#include "media/draw/dd_colour.h"
#include "media/draw/dd_display.h"
#include "media/draw/dd_fill.h"
#include "media/draw/glyph_ink.h"
#include "platform/cp932.h"
#include "platform/message_queue.h"

FONTDESC g_FontDesc[kSystemFontCount] = {
    {"ＭＳ ゴシック", 0, 9, 10, 10, 241, 45, 1, 240, 50, 2},
    {"ＭＳ ゴシック", 0, 16, 16, 16, 241, 45, 1, 240, 50, 2},
    {"ＭＳ ゴシック", 0, 30, 32, 32, 241, 45, 1, 240, 50, 0},
};

// The katakana run holds ト twice and no ド: the second ト takes a cell that is never
// found, and ド is added on first use like any other character. Cell positions of the
// characters after it depend on that, so the list stays as it is.
const char kFastFontSeed[] =
    "０１２３４５６７８９ー～、。．！？「」（）・…※→↑↓←＋－＝○●×ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰＱＲＳＴＵＶＷＸＹＺ"
    "ａｂｃｄｅｆｇｈｉｊｋｌｍｎｏｐｑｒｓｔｕｖｗｘｙｚあいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほ"
    "まみむめもやゆよらりるれろわをんがぎぐげござじずぜぞだぢづでどばびぶべぼぱぴぷぺぽぁぃぅぇぉっゃゅょアイウエオ"
    "カキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワヲンガギグゲゴザジズゼゾダヂヅデ"
    "トバビブベボヴパピプペポァィゥェォッャュョ□■☆★％＆＜＞：";

// The list first: the fonts leave it when they are destroyed at exit, so it must outlive them.
std::list<cFont*> g_FontList;
cFont g_Font[kSystemFontCount];
DDSURFACEDATA g_FontDigitSurface[kSystemFontCount];

namespace {

constexpr std::uint16_t kFullWidthSpace = 0x8140;
// A formatted text longer than this is cut (on a character boundary): no screen shows
// more, and a runaway format must not ask for unbounded memory.
constexpr std::size_t kMaxFormatted = 65536;

std::vector<char> FormatText(const char* lpFormat, std::va_list args) {
  std::va_list measure;
  va_copy(measure, args);
  const int length = std::vsnprintf(nullptr, 0, lpFormat, measure);
  va_end(measure);
  std::vector<char> text(std::min(static_cast<std::size_t>(std::max(length, 0)), kMaxFormatted - 1) + 1, 0);
  VFormatBounded(text.data(), text.size(), lpFormat, args);
  return text;
}

// The text of a sprite batch the caller has open is drawn first, so that text drawn now
// lands on top of it, as it would without the batch; the batch is opened again afterwards.
class cOuterBatch {
 public:
  cOuterBatch() : m_bOpen(lpDTCon != nullptr && g_bSpriteBatch != 0), m_bSort(g_bSpriteSort) {
    if (m_bOpen) DDFlushSpriteBatch();
  }
  ~cOuterBatch() {
    if (m_bOpen) DDBeginSpriteBatch(m_bSort);
  }
  cOuterBatch(const cOuterBatch&) = delete;
  cOuterBatch& operator=(const cOuterBatch&) = delete;

 private:
  bool m_bOpen;
  int m_bSort;
};

bool IsLoaded(DDSURFACEDATA* lpSD) { return lpSD != nullptr && DDSurfacePixels(lpSD) != nullptr; }

int FontCounterNext() {
  if (lpDTCon != nullptr) return lpDTCon->nFontCount++;
  if (lpDDCon != nullptr) return lpDDCon->nFontCount++;
  return 0;
}

// A box picture with a frame around it, outside: the window box of the fonts.
void DrawBoxWithFrame(DDSURFACEDATA* lpDst, int x, int y, int w, int h, DDSURFACEDATA* lpBox, int t, int nColor) {
  if (lpBox != nullptr) DDBlt(lpDst, x, y, w, h, lpBox, 0, 0, 0);
  const int fx = x - t, fy = y - t, fw = w + 2 * t, fh = h + 2 * t;
  DDBeginRectBatch();
  DDFillRect(lpDst, fx, fy, fw, t, static_cast<DWORD>(nColor));
  DDFillRect(lpDst, fx, fy + fh - t, fw, t, static_cast<DWORD>(nColor));
  DDFillRect(lpDst, fx, fy, t, fh, static_cast<DWORD>(nColor));
  DDFillRect(lpDst, fx + fw - t, fy, t, fh, static_cast<DWORD>(nColor));
  DDFlushRectBatch();
}

}  // namespace

cFont::~cFont() { g_FontList.remove(this); }

bool cFont::HasIcons() const { return m_bIcon && IsLoaded(m_lpIconSD); }

int cFont::Init(const char* lpFace, int nWidth, int nHeight, int nPitch, int nLineHeight, int nColor,
                DDSURFACEDATA* lpBoxSD, int nBoxFrame, int nBoxFrameColor, DDSURFACEDATA* lpIconSD, int bFast) {
  m_nWidth = nWidth;
  m_nHeight = nHeight;
  m_nPitch = nPitch;
  m_nLineHeight = nLineHeight;
  m_nColor = nColor;
  m_lpBoxSD = lpBoxSD;
  m_nBoxFrame = nBoxFrame;
  m_nBoxFrameColor = nBoxFrameColor;
  m_lpIconSD = lpIconSD;
  m_bIcon = lpIconSD != nullptr ? 1 : 0;
  m_bFast = bFast;
  const char* face = lpFace != nullptr ? lpFace : "";
  m_nFace = FontGlyphSource().OpenFace(face);
  m_GlyphPages.clear();
  int result = 1;
  if (m_nFace < 0) {
    WriteReport("フォントがありません: %s (%s)", face, FontGlyphSource().LastError().c_str());
    result = 0;
  } else if (const std::string note = FontGlyphSource().LastError(); !note.empty()) {
    WriteReport("フォント「%s」の代わりの書体: %s", face, note.c_str());
  }
  m_nID = FontCounterNext();
  if (std::find(g_FontList.begin(), g_FontList.end(), this) == g_FontList.end()) g_FontList.push_back(this);

  m_lpFastFont_Half.reset();
  m_lpFastFont_FullAdd.reset();
  if (!bFast) return result;
  if (nPitch <= 0 || nLineHeight <= 0) {
    WriteECText("※フォントクラスで文字間が未設定！");
    return result;
  }
  m_lpFastFont_Half = std::make_unique<cFastFont>();
  if (!m_lpFastFont_Half->Init(0, nPitch, nLineHeight, 16, 16)) {
    WriteECText("m_lpFastFont_Half Err");
    PostMessageA(g_hWnd, WM_CLOSE, 0, 0);
    m_lpFastFont_Half.reset();
    return 0;
  }
  int cols, rows;
  if (lpDTCon != nullptr) {
    cols = std::min(1024 / nPitch, 32);
    rows = std::min(1024 / nLineHeight, 32);
  } else {
    cols = std::min(g_BackBuffer.nWidth / nPitch, 32);
    rows = std::min(g_BackBuffer.nHeight / nLineHeight, 30);
  }
  m_lpFastFont_FullAdd = std::make_unique<cFastFont>();
  if (!m_lpFastFont_FullAdd->Init(1, nPitch, nLineHeight, cols, rows)) {
    WriteECText("m_lpFastFont_FullAdd Err");
    PostMessageA(g_hWnd, WM_CLOSE, 0, 0);
    m_lpFastFont_FullAdd.reset();
    return 0;
  }
  BuildHalfCache();
  BuildFullCache(false);
  return result;
}

void cFont::Release() {
  m_lpFastFont_Half.reset();
  m_lpFastFont_FullAdd.reset();
  g_FontList.remove(this);
}

void cFont::BuildHalfCache() {
  cFastFont* cache = m_lpFastFont_Half.get();
  if (cache == nullptr) return;
  cache->Clear();
  // Byte b in cell (b mod 16, b div 16); the control codes of row 0, lead bytes and
  // unassigned bytes keep empty cells.
  for (int b = 0x20; b < 0x100; ++b) {
    if (IsCp932LeadByte(static_cast<std::uint8_t>(b))) continue;
    RenderIntoCell(&cache->m_SD, m_nPitch * (b % 16), m_nLineHeight * (b / 16), static_cast<std::uint16_t>(b), 1);
  }
}

void cFont::RenderFullCell(const FASTFONTGLYPH& entry) {
  cFastFont* cache = m_lpFastFont_FullAdd.get();
  std::uint16_t code = 0;
  if (NextTextChar(entry.glyph, &code) != 2) return;
  RenderIntoCell(&cache->m_SD, m_nPitch * entry.nCellX, m_nLineHeight * entry.nCellY, code, 2);
}

void cFont::BuildFullCache(bool bRebuild) {
  cFastFont* cache = m_lpFastFont_FullAdd.get();
  if (cache == nullptr) return;
  if (!bRebuild) {
    for (const char* p = kFastFontSeed; p[0] != 0 && p[1] != 0; p += 2)
      if (!cache->Add(p)) break;
  }
  cache->Clear();
  for (const FASTFONTGLYPH& entry : cache->m_Glyphs) RenderFullCell(entry);
}

void cFont::Restore() {
  cFastFont* caches[2] = {m_lpFastFont_Half.get(), m_lpFastFont_FullAdd.get()};
  for (cFastFont* cache : caches) {
    if (cache == nullptr) continue;
    if (lpDTCon != nullptr) {
      if (!cache->m_SD.bLost) continue;
    } else if (cache->m_SD.lpDDData != nullptr && cache->m_SD.lpDDData->lpDDS != nullptr &&
               cache->m_SD.lpDDData->lpDDS->IsLost() != DD_OK) {
      cache->m_SD.lpDDData->lpDDS->Restore();
    }
    if (cache == m_lpFastFont_Half.get())
      BuildHalfCache();
    else
      BuildFullCache(true);
    cache->m_SD.bLost = 0;
  }
}

void RestoreFonts() {
  for (cFont* font : g_FontList) font->Restore();
}

const cGlyphImage& cFont::GlyphOf(std::uint16_t code) const {
  cGlyphSource& source = FontGlyphSource();
  if (m_lpGlyphPagesSource != &source || m_GlyphPages.empty()) {
    m_GlyphPages.clear();
    m_GlyphPages.resize(256);
    m_lpGlyphPagesSource = &source;
  }
  std::unique_ptr<GlyphPage>& page = m_GlyphPages[code >> 8];
  if (page == nullptr) {
    page = std::make_unique<GlyphPage>();
    page->fill(nullptr);
  }
  const cGlyphImage*& glyph = (*page)[code & 0xFF];
  if (glyph == nullptr) glyph = &source.Glyph(m_nFace, m_nHeight, Cp932CodeToUnicode(code));
  return *glyph;
}

void cFont::RenderIntoCell(DDSURFACEDATA* lpCache, int x, int y, std::uint16_t code, int nBytes) {
  const RECT cell{x, y, x + m_nPitch, y + m_nLineHeight};
  RenderChar(lpCache, x, y, code, nBytes, TextPixelOf(lpCache, m_nColor), &cell);
}

void cFont::RenderChar(DDSURFACEDATA* lpDst, int x, int y, std::uint16_t code, int nBytes, std::uint32_t dwPixel,
                       const RECT* lpClip) {
  if (m_nFace < 0) return;
  const cGlyphImage& glyph = GlyphOf(code);
  if (glyph.spans.empty()) return;
  int gx, gy;
  if (m_bCenter) {
    gx = x + m_nPitch / 2 - glyph.nAdvance / 2;
    gy = y + m_nLineHeight / 2 - m_nHeight / 2;
  } else if (nBytes == 1) {
    gx = x + (m_nPitch >> 3);
    gy = y + (m_nLineHeight >> 4) - 1;
  } else {
    gx = x;
    gy = y;
  }
  DrawGlyphInk(lpDst, gx, gy, glyph, dwPixel, lpClip);
}

void cFont::RenderText(DDSURFACEDATA* lpDst, int x, int y, const char* lpText) {
  // Once per text: the palette does not change while a text is drawn.
  const std::uint32_t pixel = TextPixelOf(lpDst, m_nColor);
  if (m_nPitch <= 0) {
    // Proportional: each line from its start, the pen moving by each glyph's advance.
    int line = 0, pen = 0;
    for (const char* p = lpText; *p != 0;) {
      std::uint16_t code = 0;
      const int n = NextTextChar(p, &code);
      p += n;
      if (code == '\n') {
        line += m_nLineHeight;
        pen = 0;
        continue;
      }
      if (m_nFace < 0) continue;
      const cGlyphImage& glyph = GlyphOf(code);
      DrawGlyphInk(lpDst, x + pen, y + line, glyph, pixel);
      pen += glyph.nAdvance;
    }
    return;
  }
  cFastFont* half = m_bFast ? m_lpFastFont_Half.get() : nullptr;
  cFastFont* full = m_bFast ? m_lpFastFont_FullAdd.get() : nullptr;
  const bool bIcons = HasIcons();
  int pen = 0, line = 0;
  for (const char* p = lpText; *p != 0;) {
    std::uint16_t code = 0;
    const int n = NextTextChar(p, &code);
    const char* ch = p;
    p += n;
    if (n == 2) {
      if (code != kFullWidthSpace) {
        if (full == nullptr) {
          RenderChar(lpDst, x + pen, y + line, code, 2, pixel);
        } else if (!full->DrawGlyph(lpDst, x + pen, y + line, ch, 1)) {
          if (full->Add(ch)) {
            RenderFullCell(full->m_Glyphs.back());
            full->DrawGlyph(lpDst, x + pen, y + line, ch, 1);
          } else {
            RenderChar(lpDst, x + pen, y + line, code, 2, pixel);
          }
        }
      }
      pen += m_nPitch;
      continue;
    }
    if (code == '\n') {
      line += m_nLineHeight;
      pen = 0;
      continue;
    }
    if (code != ' ' && !(bIcons && code >= 'a' && code <= 'z')) {
      if (half != nullptr)
        half->DrawCell(lpDst, x + pen, y + line, *ch, 1);
      else
        RenderChar(lpDst, x + pen, y + line, code, 1, pixel);
    }
    pen += m_nPitch;
  }
}

int cFont::DrawText(DDSURFACEDATA* lpDst, int x, int y, const char* lpText, int bNoIcons) {
  if (lpDst == nullptr || lpText == nullptr) return 0;
  const cOuterBatch outer;
  const bool bBatch = lpDTCon != nullptr && m_bFast && m_lpFastFont_Half != nullptr;
  if (bBatch) {
    DDBeginSpriteBatch(1);
    DDAddBatchTexture(&m_lpFastFont_Half->m_SD);
    if (m_lpFastFont_FullAdd != nullptr) DDAddBatchTexture(&m_lpFastFont_FullAdd->m_SD);
  }
  RenderText(lpDst, x, y, lpText);
  int result = 1;
  if (bBatch) result = DDFlushSpriteBatch();
  if (!bNoIcons) DrawIcons(lpDst, x, y, lpText);
  return result;
}

int cFont::DrawTextF(DDSURFACEDATA* lpDst, int x, int y, const char* lpFormat, ...) {
  if (lpFormat == nullptr) return 0;
  std::va_list args;
  va_start(args, lpFormat);
  const std::vector<char> text = FormatText(lpFormat, args);
  va_end(args);
  return DrawText(lpDst, x, y, text.data());
}

void cFont::DrawIcons(DDSURFACEDATA* lpDst, int x, int y, const char* lpText) {
  if (lpDst == nullptr || lpText == nullptr || !HasIcons() || m_nPitch <= 0) return;
  const cOuterBatch outer;
  DDBeginSpriteBatch(0);
  int pen = 0, line = 0;
  for (const char* p = lpText; *p != 0;) {
    std::uint16_t code = 0;
    p += NextTextChar(p, &code);
    if (code == '\n') {
      line += m_nLineHeight;
      pen = 0;
      continue;
    }
    if (code >= 'a' && code <= 'z')
      DDBlt(lpDst, x + pen, y + line, m_nPitch, m_nLineHeight, m_lpIconSD, m_nPitch * (code - 'a'), 0, 1);
    pen += m_nPitch;
  }
  DDFlushSpriteBatch();
}

SIZE cFont::GetTextExtent(const char* lpText) const {
  SIZE size{0, 0};
  if (lpText == nullptr) return size;
  long widest = 0, chars = 0, lines = 1;
  for (const char* p = lpText; *p != 0;) {
    std::uint16_t code = 0;
    p += NextTextChar(p, &code);
    if (code == '\n') {
      ++lines;
      chars = 0;
      continue;
    }
    widest = std::max(widest, ++chars);
  }
  size.cx = static_cast<LONG>(widest * m_nPitch);
  size.cy = static_cast<LONG>(lines * m_nLineHeight);
  return size;
}

SIZE cFont::MeasureText(const char* lpText) const {
  SIZE size{0, 0};
  if (lpText == nullptr) return size;
  long widest = 0, width = 0, lines = 1;
  for (const char* p = lpText; *p != 0;) {
    std::uint16_t code = 0;
    p += NextTextChar(p, &code);
    if (code == '\n') {
      ++lines;
      width = 0;
      continue;
    }
    if (m_nFace >= 0) width += GlyphOf(code).nAdvance;
    widest = std::max(widest, width);
  }
  size.cx = static_cast<LONG>(widest);
  size.cy = static_cast<LONG>(lines * m_nLineHeight);
  return size;
}

SIZE cFont::Extent(const char* lpText) const { return m_nPitch > 0 ? GetTextExtent(lpText) : MeasureText(lpText); }

void cFont::DrawWindow(DDSURFACEDATA* lpDst, int x, int y, int w, int h) {
  if (x == kFontCentre) x = (m_lpBoxSD != nullptr ? m_lpBoxSD->nWidth : 0) / 2 - w / 2;
  if (y == kFontCentre) y = (m_lpBoxSD != nullptr ? m_lpBoxSD->nHeight : 0) / 2 - h / 2;
  DrawBoxWithFrame(lpDst, x, y, w, h, IsLoaded(m_lpBoxSD) ? m_lpBoxSD : nullptr, m_nBoxFrame, m_nBoxFrameColor);
}

int cFont::DrawTextBox(DDSURFACEDATA* lpDst, int x, int y, int w, int h, const char* lpText, int nIndent) {
  return DrawTextBoxColor(lpDst, x, y, w, h, lpText, nIndent, m_nColor);
}

int cFont::DrawTextBoxColor(DDSURFACEDATA* lpDst, int x, int y, int w, int h, const char* lpText, int nIndent, int) {
  if (lpText == nullptr) return 0;
  if (w == 0 || h == 0) {
    const SIZE size = Extent(lpText);
    w = nIndent + size.cx;
    h = size.cy;
  }
  if (x == kFontCentre) x = (m_lpBoxSD != nullptr ? m_lpBoxSD->nWidth : 0) / 2 - w / 2;
  if (y == kFontCentre) y = (m_lpBoxSD != nullptr ? m_lpBoxSD->nHeight : 0) / 2 - h / 2;
  DrawWindow(lpDst, x, y, w, h);
  return DrawText(lpDst, x + nIndent, y, lpText);
}

int cFont::DrawTextBoxF(DDSURFACEDATA* lpDst, int x, int y, int w, int h, const char* lpFormat, ...) {
  if (lpFormat == nullptr) return 0;
  std::va_list args;
  va_start(args, lpFormat);
  const std::vector<char> text = FormatText(lpFormat, args);
  va_end(args);
  return DrawTextBoxColor(lpDst, x, y, w, h, text.data(), 0, m_nColor);
}

int GetLineLength(const char* lpText) {
  if (lpText == nullptr) return 0;
  // Trail bytes of double-byte characters are never a newline, so a byte scan is exact.
  int n = 0;
  while (lpText[n] != '\0' && lpText[n] != '\n') ++n;
  return n;
}

int InitFonts(cFont* lpFonts, const FONTDESC* lpDescriptors, int n) {
  int result = 1;
  const auto picture = [](int row) -> DDSURFACEDATA* {
    return row >= 0 && row < kFixedSurfaceCount ? &g_FixedSurface[row] : nullptr;
  };
  for (int i = 0; i < n; ++i) {
    const FONTDESC& d = lpDescriptors[i];
    char face[sizeof d.szFace];
    std::memcpy(face, d.szFace, sizeof face);
    face[sizeof face - 1] = 0;
    if (!lpFonts[i].Init(face, d.nWidth, d.nHeight, d.nPitch, d.nLineHeight, d.nColor, picture(d.nBoxPicture),
                         d.nBoxFrame, d.nBoxFrameColor, picture(d.nIconPicture), d.nFast))
      result = 0;
  }
  return result;
}

void DrawDigitStrip(DDSURFACEDATA* lpSD, cFont* lpFont) {
  if (lpSD == nullptr || lpFont == nullptr) return;
  ClearToColourKey(lpSD);
  lpFont->DrawText(lpSD, 0, 0, "0123456789");
}

int InitDigitSurfaces(DDSURFACEDATA* lpSurfaces, const DDSURFACEDEF* lpDefs, int n, cFont* lpFonts,
                      const FONTDESC* lpDescriptors) {
  int result = 1;
  for (int i = 0; i < n; ++i) {
    const FONTDESC& d = lpDescriptors[i];
    const DDSURFACEDEF& def = lpDefs[i];
    if (!DDCreateSurface(&lpSurfaces[i], 10 * d.nPitch, d.nLineHeight, def.bColorKey, def.nDDMemType, def.nDTMemType,
                         def.bAlias, 0)) {
      result = 0;
      continue;
    }
    DrawDigitStrip(&lpSurfaces[i], &lpFonts[i]);
  }
  return result;
}

void DrawFpsText(int nShowFps, int nFps, int nAverageFrameTime) {
  if (nShowFps == 0) return;
  if (nShowFps == 2)
    g_Font[0].DrawTextF(&g_BackBuffer, 549, 469, "FPS%2d(%2d)", nFps, nAverageFrameTime);
  else
    g_Font[1].DrawTextBoxF(&g_BackBuffer, 495, 463, 0, 0, "FPS%2d(%2d)", nFps, nAverageFrameTime);
}
