#include "platform/bitmap_file.h"

#include <SDL.h>

#include <cstdio>
#include <cstring>

#include "platform/host_files.h"

namespace {

std::int32_t ReadLe32(const std::uint8_t* p) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
                                   (static_cast<std::uint32_t>(p[2]) << 16) |
                                   (static_cast<std::uint32_t>(p[3]) << 24));
}
int ReadLe16(const std::uint8_t* p) { return p[0] | (p[1] << 8); }

// Checks the header's sizes before SDL allocates a surface for them; gives the file's
// bit count.
bool HeaderFits(const std::vector<std::uint8_t>& file, int& bitCount) {
  if (file.size() < 26 || file[0] != 'B' || file[1] != 'M') return false;
  const std::int32_t headerSize = ReadLe32(&file[14]);
  std::int64_t width = 0;
  std::int64_t height = 0;
  if (headerSize == 12) {
    width = ReadLe16(&file[18]);
    height = ReadLe16(&file[20]);
    bitCount = ReadLe16(&file[24]);
  } else {
    if (headerSize < 40 || file.size() < 30) return false;
    width = ReadLe32(&file[18]);
    height = ReadLe32(&file[22]);
    bitCount = ReadLe16(&file[28]);
  }
  if (height < 0) height = -height;
  if (width <= 0 || height <= 0 || width > kBitmapMaxSide || height > kBitmapMaxSide) return false;
  // Uncompressed rows must all be in the file: a few bytes claiming 16384 x 16384 pixels
  // would otherwise have a gigabyte allocated and filled for them.
  const std::int32_t compression = headerSize == 12 || file.size() < 34 ? 0 : ReadLe32(&file[30]);
  const auto fileBytes = static_cast<std::int64_t>(file.size());
  if (compression == 0 || compression == 3) {
    const std::int64_t rowBytes = (width * bitCount + 31) / 32 * 4;
    return rowBytes * height <= fileBytes;
  }
  // Run-length rows: a two-byte run gives at most 255 pixels.
  if (compression == 1 || compression == 2) return width * height <= 128 * fileBytes;
  return false;
}

bool ReadWholeFile(std::string_view programPath, std::vector<std::uint8_t>& bytes, cBitmapFailure& why) {
  FILE* file = OpenFile(programPath, "rb", &why.refused);
  if (file == nullptr) return false;
  why.bOpened = true;
  bool ok = std::fseek(file, 0, SEEK_END) == 0;
  const long size = ok ? std::ftell(file) : -1;
  ok = ok && size > 0 && size <= kBitmapMaxFileBytes && std::fseek(file, 0, SEEK_SET) == 0;
  if (ok) {
    bytes.resize(static_cast<std::size_t>(size));
    ok = std::fread(bytes.data(), 1, bytes.size(), file) == bytes.size();
  }
  std::fclose(file);
  return ok;
}

}  // namespace

int LoadBitmapFile(std::string_view programPath, cBitmapImage& image, cBitmapFailure* why) {
  image = cBitmapImage();
  cBitmapFailure failure;
  if (why == nullptr) why = &failure;
  *why = cBitmapFailure();
  if (programPath.empty()) return 0;
  std::vector<std::uint8_t> file;
  int fileBits = 0;
  if (!ReadWholeFile(programPath, file, *why) || !HeaderFits(file, fileBits)) return 0;
  SDL_RWops* rw = SDL_RWFromConstMem(file.data(), static_cast<int>(file.size()));
  if (rw == nullptr) return 0;
  SDL_Surface* surface = SDL_LoadBMP_RW(rw, 1);
  if (surface == nullptr) return 0;
  const int w = surface->w;
  const int h = surface->h;
  int result = 0;
  if (w > 0 && h > 0 && w <= kBitmapMaxSide && h <= kBitmapMaxSide) {
    image.nWidth = w;
    image.nHeight = h;
    SDL_Palette* palette = surface->format->palette;
    if (surface->format->BitsPerPixel == 8 && palette != nullptr) {
      image.nBitsPerPixel = 8;
      image.nColors = palette->ncolors < 256 ? palette->ncolors : 256;
      for (int i = 0; i < image.nColors; ++i) {
        const SDL_Color& c = palette->colors[i];
        image.colorTable[i] = (static_cast<std::uint32_t>(c.r) << 16) | (c.g << 8) | c.b;
      }
      image.indices.resize(static_cast<std::size_t>(w) * h);
      SDL_LockSurface(surface);
      for (int y = 0; y < h; ++y)
        std::memcpy(&image.indices[static_cast<std::size_t>(y) * w],
                    static_cast<const std::uint8_t*>(surface->pixels) + static_cast<std::size_t>(y) * surface->pitch, w);
      SDL_UnlockSurface(surface);
      result = 1;
    } else if (SDL_Surface* argb = SDL_ConvertSurfaceFormat(surface, SDL_PIXELFORMAT_ARGB8888, 0)) {
      image.nBitsPerPixel = fileBits > 8 ? fileBits : 32;
      image.pixels.resize(static_cast<std::size_t>(w) * h);
      SDL_LockSurface(argb);
      for (int y = 0; y < h; ++y) {
        const auto* row = reinterpret_cast<const std::uint8_t*>(argb->pixels) + static_cast<std::size_t>(y) * argb->pitch;
        for (int x = 0; x < w; ++x) {
          std::uint32_t p;
          std::memcpy(&p, row + 4 * x, 4);
          image.pixels[static_cast<std::size_t>(y) * w + x] = p & 0x00FFFFFFu;
        }
      }
      SDL_UnlockSurface(argb);
      SDL_FreeSurface(argb);
      result = 1;
    }
  }
  SDL_FreeSurface(surface);
  if (result == 0) image = cBitmapImage();
  return result;
}
