#include "tests/media/draw_test_util.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "media/draw/dd_colour.h"
#include "platform/display_window.h"
#include "platform/host_files.h"
#include "platform/win_time.h"
#include "tests/support/bmp_writer.h"

namespace {
// Before any test touches SDL: no screen needed unless a test asks for a real window.
struct cDummyVideo {
  cDummyVideo() {
    if (std::getenv("TOVREL_REAL_WINDOW") == nullptr) setenv("SDL_VIDEODRIVER", "dummy", 1);
  }
} g_DummyVideo;
}  // namespace

const DisplayConfig kAllConfigs[7] = {
    {"D3D32Window", 1, 32, 1}, {"D3D16Window", 1, 16, 1}, {"D3D16Full", 1, 16, 0}, {"DD8Full", 0, 8, 0},
    {"DD16Full", 0, 16, 0},    {"DD32Full", 0, 32, 0},    {"DD32Window", 0, 32, 1},
};

std::uint32_t TestPaletteColour(int n) {
  if (n == 0) return 0xFF00FF;
  return (static_cast<std::uint32_t>((n % 8) * 32) << 16) | (static_cast<std::uint32_t>(((n / 8) % 8) * 32) << 8) |
         static_cast<std::uint32_t>((n / 64) * 64);
}

int SheetIndex(int x, int y) { return (x + y) % 5 == 0 ? 0 : 1 + (x * 7 + y * 13) % 254; }

void WriteFile(const std::string& hostPath, const std::string& bytes) {
  const std::filesystem::path path(hostPath);
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
  ForgetDirectoryListings();
}

void WriteTestArt() {
  std::vector<std::uint32_t> palette(256);
  for (int i = 0; i < 256; ++i) palette[i] = TestPaletteColour(i);
  std::vector<std::uint8_t> block(16 * 24, 0);
  for (int n = 0; n < 256; ++n) block[(8 + n / 16) * 16 + n % 16] = static_cast<std::uint8_t>(n);
  block[1] = 7;  // something other than the key beside it
  WriteFile("bmp/plt/Palette.bmp", MakeBmp8(16, 24, palette, block));
  std::vector<std::uint8_t> sheet(kSheetSize * kSheetSize);
  for (int y = 0; y < kSheetSize; ++y)
    for (int x = 0; x < kSheetSize; ++x) sheet[y * kSheetSize + x] = static_cast<std::uint8_t>(SheetIndex(x, y));
  WriteFile("sheet.bmp", MakeBmp8(kSheetSize, kSheetSize, palette, sheet));
}

void cDisplayTest::TearDown() {
  DDReleaseSurface(&m_Sheet);
  for (DDSURFACEDATA& sd : g_FixedSurface) DDReleaseSurface(&sd);
  DDEnd();
  cTempDirTest::TearDown();
}

bool cDisplayTest::Bring(const DisplayConfig& config, int nWidth, int nHeight) {
  WriteTestArt();
  std::fill(std::begin(g_Palette), std::end(g_Palette), PALETTEENTRY{});
  if (!DDInit(config.bDirect3D, nullptr, nWidth, nHeight, config.nBpp, 0, config.bWindow, 1, 60, 0, g_FixedSurface,
              g_FixedSurfaceDef, kFixedSurfaceCount, 0))
    return false;
  if (lpDTCon != nullptr || g_nBpp == 8) {
    if (!DDLoadPaletteFromFile(g_Palette, "bmp\\plt\\Palette.bmp", g_bWindow)) return false;
  } else {
    DDLoadPaletteFromFile(g_Palette, "bmp\\plt\\Palette.bmp", g_bWindow);
  }
  std::copy(g_Palette, g_Palette + 256, g_DispPalette);
  return SetTrans("bmp\\plt\\Palette.bmp") == 1;
}

bool cDisplayTest::LoadSheet(DDSURFACEDATA* sd, int nDDMemType, int nDTMemType, int mirrorW) {
  return DDCreateSurfaceFromFile(sd, "sheet.bmp", 1, g_nBpp, nDDMemType, nDTMemType, 0, 0, mirrorW, 0, 0) == 0;
}

cPixelBuffer& Pixels(DDSURFACEDATA* sd) {
  static cPixelBuffer empty;
  cPixelBuffer* p = DDSurfacePixels(sd);
  return p != nullptr ? *p : empty;
}

std::string DumpPixels(const std::string& name, const cPixelBuffer& pixels) {
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "tovrel_failed_frames";
  std::filesystem::create_directories(dir);
  const std::filesystem::path path = dir / (name + ".bmp");
  std::vector<std::uint32_t> rgb(static_cast<std::size_t>(pixels.nWidth) * pixels.nHeight);
  for (int y = 0; y < pixels.nHeight; ++y)
    for (int x = 0; x < pixels.nWidth; ++x) {
      const std::uint32_t p = pixels.Get(x, y);
      std::uint32_t c;
      if (pixels.format == ePixelFormat::kP8) {
        const PALETTEENTRY& e = g_DispPalette[p & 255];
        c = (static_cast<std::uint32_t>(e.peRed) << 16) | (e.peGreen << 8) | e.peBlue;
      } else {
        c = PixelToArgb(pixels.format, p) & 0xFFFFFF;
      }
      rgb[static_cast<std::size_t>(y) * pixels.nWidth + x] = c;
    }
  std::ofstream(path, std::ios::binary) << MakeBmp24(pixels.nWidth, pixels.nHeight, rgb);
  return path.string();
}

void ExpectPixels(const std::string& name, const cPixelBuffer& actual,
                  const std::function<std::uint32_t(int, int)>& expected) {
  int mismatches = 0;
  std::string first;
  cPixelBuffer want = actual;
  for (int y = 0; y < actual.nHeight; ++y)
    for (int x = 0; x < actual.nWidth; ++x) {
      const std::uint32_t e = expected(x, y);
      want.Put(x, y, e);
      const std::uint32_t a = actual.Get(x, y);
      if (a != e) {
        if (mismatches < 5) {
          char line[96];
          std::snprintf(line, sizeof line, " (%d,%d) got %08x want %08x;", x, y, a, e);
          first += line;
        }
        ++mismatches;
      }
    }
  if (mismatches == 0) return;
  std::string safe = name;
  for (char& c : safe)
    if (c == '/' || c == ' ') c = '_';
  const std::string got = DumpPixels(safe + "_actual", actual);
  DumpPixels(safe + "_expected", want);
  ADD_FAILURE() << name << ": " << mismatches << " pixels differ:" << first << " frame written to " << got;
}

void ShowBackBufferFor(unsigned ms) {
  const DWORD start = timeGetTime();
  while (timeGetTime() - start < ms) {
    if (lpDTCon != nullptr) {
      DDPresent(60);
    } else {
      DDBlt(&g_PrimarySD, 0, 0, 640, 480, &g_BackBuffer, 0, 0, 0);
      DDShowPrimary();
    }
    Sleep(16);
  }
}
