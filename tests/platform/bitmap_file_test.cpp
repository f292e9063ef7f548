// Bitmap headers are checked against the file before SDL is handed the file: a few bytes
// whose header claims the largest picture must not have that picture's pixels allocated
// (SDL makes and clears the whole surface before it finds the rows missing).
#include <SDL.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/bitmap_file.h"
#include "tests/support/bmp_writer.h"
#include "tests/support/temp_dir.h"

namespace {

// SDL's allocations while one of these lives go through functions that record the largest
// request and refuse anything above a limit, so that a test of the fault does not take the
// gigabyte it asks for.
class cSdlAllocationWatch {
 public:
  static constexpr std::size_t kRefusedAbove = 64u * 1024 * 1024;

  cSdlAllocationWatch() {
    SDL_GetMemoryFunctions(&s_Malloc, &s_Calloc, &s_Realloc, &s_Free);
    s_nLargest = 0;
    SDL_SetMemoryFunctions(Malloc, Calloc, Realloc, s_Free);
  }
  ~cSdlAllocationWatch() { SDL_SetMemoryFunctions(s_Malloc, s_Calloc, s_Realloc, s_Free); }
  cSdlAllocationWatch(const cSdlAllocationWatch&) = delete;
  cSdlAllocationWatch& operator=(const cSdlAllocationWatch&) = delete;

  static std::size_t Largest() { return s_nLargest; }

 private:
  // False for a request past the limit.
  static bool Allow(std::size_t size) {
    if (size > s_nLargest) s_nLargest = size;
    return size <= kRefusedAbove;
  }
  static void* SDLCALL Malloc(std::size_t size) { return Allow(size) ? s_Malloc(size) : nullptr; }
  static void* SDLCALL Calloc(std::size_t count, std::size_t size) {
    return count != 0 && size > SIZE_MAX / count ? nullptr : Allow(count * size) ? s_Calloc(count, size) : nullptr;
  }
  static void* SDLCALL Realloc(void* block, std::size_t size) { return Allow(size) ? s_Realloc(block, size) : nullptr; }

  static inline SDL_malloc_func s_Malloc = nullptr;
  static inline SDL_calloc_func s_Calloc = nullptr;
  static inline SDL_realloc_func s_Realloc = nullptr;
  static inline SDL_free_func s_Free = nullptr;
  static inline std::size_t s_nLargest = 0;
};

class BitmapFileTest : public cTempDirTest {};

void Put32(std::string& bytes, std::size_t at, std::int32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>((static_cast<std::uint32_t>(value) >> (8 * i)) & 255);
}

// A small file made by the writer whose header then claims another size and compression.
std::string Claiming(std::string bytes, std::int32_t width, std::int32_t height, std::int32_t compression = 0) {
  Put32(bytes, 18, width);
  Put32(bytes, 22, height);
  Put32(bytes, 30, compression);
  return bytes;
}

TEST_F(BitmapFileTest, AHeaderClaimingMorePixelsThanTheFileHoldsAllocatesNothingForThem) {
  const std::vector<std::uint32_t> palette(256, 0x808080);
  const std::string small8 = MakeBmp8(4, 4, palette, std::vector<std::uint8_t>(16, 1));  // about 1 KB
  const std::string small24 = MakeBmp24(4, 4, std::vector<std::uint32_t>(16, 0x123456));  // about 100 bytes
  const int side = kBitmapMaxSide;
  struct {
    const char* what;
    std::string bytes;
  } cases[] = {
      {"8-bit rows", Claiming(small8, side, side)},
      {"8-bit rows, top-down", Claiming(small8, side, -side)},
      {"24-bit rows", Claiming(small24, side, side)},
      {"24-bit rows, 1024 of the widest", Claiming(small24, side, 1024)},
      {"8-bit run-length rows", Claiming(small8, side, side, 1)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    MakeFile("hostile.bmp", c.bytes);
    cBitmapImage image;
    cBitmapFailure why;
    cSdlAllocationWatch watch;
    EXPECT_EQ(LoadBitmapFile("hostile.bmp", image, &why), 0);
    EXPECT_TRUE(why.bOpened);
    EXPECT_LT(cSdlAllocationWatch::Largest(), 1u << 20) << "for a file of " << c.bytes.size() << " bytes";
  }
}

// The watch sees SDL's surfaces at all: a picture that fits has its pixels allocated
// through it.
TEST_F(BitmapFileTest, APictureThatFitsIsAllocatedThroughTheWatch) {
  const int w = 300, h = 200;
  MakeFile("fits.bmp", MakeBmp24(w, h, std::vector<std::uint32_t>(static_cast<std::size_t>(w) * h, 0x123456)));
  cBitmapImage image;
  cSdlAllocationWatch watch;
  ASSERT_EQ(LoadBitmapFile("fits.bmp", image), 1);
  EXPECT_EQ(image.nWidth, w);
  EXPECT_GE(cSdlAllocationWatch::Largest(), static_cast<std::size_t>(w) * h * 3);
}

}  // namespace
