// Glyphs from the installed faces: fontconfig finds the file of a family, FreeType renders
// each character once, monochrome and hinted, and the result is kept per face, cell height
// and code point. Drawing text then costs a table look-up per character.
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cmath>
#include <cstring>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/glyph_source.h"

void cGlyphImage::BuildSpans() {
  spans.clear();
  for (int row = 0; row < nHeight; ++row) {
    const std::uint8_t* line = ink.data() + static_cast<std::size_t>(row) * nWidth;
    int x = 0;
    while (x < nWidth) {
      if (!line[x]) {
        ++x;
        continue;
      }
      const int start = x;
      while (x < nWidth && line[x]) ++x;
      spans.push_back(cSpan{static_cast<std::int16_t>(row), static_cast<std::int16_t>(start),
                            static_cast<std::int16_t>(x - start)});
    }
  }
}

namespace {

bool MatchFaceIn(FcConfig* config, const std::string& family, cInstalledFace& found) {
  FcPattern* pattern = FcPatternCreate();
  if (pattern == nullptr) return false;
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  FcConfigSubstitute(config, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(config, pattern, &result);
  FcPatternDestroy(pattern);
  if (match == nullptr) return false;
  // fontconfig answers with its best face whatever the family: the face is taken, and
  // whether it is of the family asked for is told.
  found = cInstalledFace{};
  FcChar8* name = nullptr;
  for (int i = 0; FcPatternGetString(match, FC_FAMILY, i, &name) == FcResultMatch; ++i) {
    if (i == 0) found.strFamily = reinterpret_cast<const char*>(name);
    if (family == reinterpret_cast<const char*>(name)) found.bExact = true;
  }
  FcChar8* path = nullptr;
  const bool bFile = FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch;
  if (bFile) {
    found.strFile = reinterpret_cast<const char*>(path);
    if (FcPatternGetInteger(match, FC_INDEX, 0, &found.nIndex) != FcResultMatch) found.nIndex = 0;
  }
  FcPatternDestroy(match);
  return bFile;
}

}  // namespace

bool MatchInstalledFace(const std::string& family, cInstalledFace& found) {
  FcConfig* config = FcInitLoadConfigAndFonts();
  if (config == nullptr) return false;
  const bool bFound = MatchFaceIn(config, family, found);
  FcConfigDestroy(config);
  return bFound;
}

namespace {

// Cell heights beyond this are no text of a 640 x 480 game; they are drawn at this height
// rather than asking FreeType for bitmaps of unbounded size.
constexpr int kMaxCellHeight = 512;

class cFreeTypeSource final : public cGlyphSource {
 public:
  cFreeTypeSource() {
    // A configuration of our own, released with the source, rather than fontconfig's
    // process-wide one that nothing frees.
    m_lpConfig = FcInitLoadConfigAndFonts();
    if (FT_Init_FreeType(&m_Library) != 0) {
      m_Library = nullptr;
      m_strError = "FreeType could not start";
    }
  }
  ~cFreeTypeSource() override {
    for (Face& face : m_Faces)
      if (face.face != nullptr) FT_Done_Face(face.face);
    if (m_Library != nullptr) FT_Done_FreeType(m_Library);
    if (m_lpConfig != nullptr) FcConfigDestroy(m_lpConfig);
  }

  int OpenFace(std::string_view cp932Name) override {
    std::lock_guard<std::mutex> lock(m_Mutex);
    const std::string family = InstalledFamilyOfFace(cp932Name);
    for (std::size_t i = 0; i < m_Faces.size(); ++i)
      if (m_Faces[i].family == family) {
        m_strError = m_Faces[i].note;
        return static_cast<int>(i);
      }
    if (m_Library == nullptr) return -1;
    cInstalledFace found;
    if (m_lpConfig == nullptr || !MatchFaceIn(m_lpConfig, family, found)) {
      m_strError = "no installed face for the family " + family;
      return -1;
    }
    FT_Face face = nullptr;
    if (FT_New_Face(m_Library, found.strFile.c_str(), found.nIndex, &face) != 0) {
      m_strError = "FreeType cannot open " + found.strFile;
      return -1;
    }
    // A machine without the family still shows text, in the face fontconfig likes best
    // for it; the note says which.
    std::string note;
    if (!found.bExact) note = family + " is not installed: " + found.strFamily + " (" + found.strFile + ") instead";
    m_strError = note;
    m_Faces.push_back(Face{family, face, 0, 0, note});
    return static_cast<int>(m_Faces.size() - 1);
  }

  const cGlyphImage& Glyph(int nFace, int nHeight, char32_t code) override {
    std::lock_guard<std::mutex> lock(m_Mutex);
    if (nFace < 0 || static_cast<std::size_t>(nFace) >= m_Faces.size() || nHeight <= 0) return m_Empty;
    if (nHeight > kMaxCellHeight) nHeight = kMaxCellHeight;
    const std::uint64_t key = (static_cast<std::uint64_t>(nFace) << 48) |
                              (static_cast<std::uint64_t>(nHeight) << 32) | static_cast<std::uint32_t>(code);
    const auto found = m_Memo.find(key);
    if (found != m_Memo.end()) return found->second;
    cGlyphImage& image = m_Memo[key];
    Render(m_Faces[static_cast<std::size_t>(nFace)], nHeight, code, image);
    return image;
  }

  std::string LastError() const override {
    std::lock_guard<std::mutex> lock(m_Mutex);
    return m_strError;
  }

 private:
  struct Face {
    std::string family;
    FT_Face face;
    int nHeight;  // cell height the face is set to
    int nAscent = 0;
    std::string note;  // what stands in for the family, when another face does
  };

  // The cell height is the character's full height, ascent and descent together, as the
  // game's renderer took it; the em is scaled so that the face's ascent and descent fill it.
  static void SetHeight(Face& face, int nHeight) {
    if (face.nHeight == nHeight) return;
    FT_Face f = face.face;
    const long span = static_cast<long>(f->ascender) - f->descender;
    const long em = span > 0 ? (static_cast<long>(nHeight) * f->units_per_EM + span / 2) / span : nHeight;
    FT_Set_Pixel_Sizes(f, 0, static_cast<FT_UInt>(em > 0 ? em : 1));
    face.nAscent = span > 0 ? static_cast<int>((static_cast<long>(nHeight) * f->ascender + span / 2) / span) : nHeight;
    face.nHeight = nHeight;
  }

  static void Render(Face& face, int nHeight, char32_t code, cGlyphImage& image) {
    if (code == 0) return;
    SetHeight(face, nHeight);
    FT_Face f = face.face;
    const FT_UInt glyph = FT_Get_Char_Index(f, code);
    if (glyph == 0) return;
    if (FT_Load_Glyph(f, glyph, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME) != 0) return;
    const FT_GlyphSlot slot = f->glyph;
    image.nAdvance = static_cast<int>((slot->advance.x + 32) >> 6);
    const FT_Bitmap& bitmap = slot->bitmap;
    image.nLeft = slot->bitmap_left;
    image.nTop = face.nAscent - slot->bitmap_top;
    image.nWidth = static_cast<int>(bitmap.width);
    image.nHeight = static_cast<int>(bitmap.rows);
    image.ink.assign(static_cast<std::size_t>(image.nWidth) * image.nHeight, 0);
    for (int y = 0; y < image.nHeight; ++y) {
      const unsigned char* row = bitmap.buffer + static_cast<std::ptrdiff_t>(y) * bitmap.pitch;
      for (int x = 0; x < image.nWidth; ++x) {
        bool on;
        if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO)
          on = (row[x >> 3] >> (7 - (x & 7))) & 1;
        else
          on = row[x] >= 128;  // a face that ignores the monochrome request: threshold it
        image.ink[static_cast<std::size_t>(y) * image.nWidth + x] = on ? 1 : 0;
      }
    }
    image.BuildSpans();
  }

  mutable std::mutex m_Mutex;
  FcConfig* m_lpConfig = nullptr;
  FT_Library m_Library = nullptr;
  std::vector<Face> m_Faces;
  std::unordered_map<std::uint64_t, cGlyphImage> m_Memo;
  cGlyphImage m_Empty;
  std::string m_strError;
};

}  // namespace

std::unique_ptr<cGlyphSource> MakeInstalledGlyphSource() { return std::make_unique<cFreeTypeSource>(); }

cGlyphSource& SystemGlyphSource() {
  static cFreeTypeSource source;
  return source;
}
