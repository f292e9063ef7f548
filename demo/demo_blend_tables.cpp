#include "demo/demo_blend_tables.h"

#include <cstdio>
#include <unordered_map>

#include "demo/demo_art.h"

namespace {

constexpr int kVariantFirst = 16;   // the entries a variant changes: 16 ...
constexpr int kVariantCount = 192;  // ... to 207
constexpr int kBlock = 16;

int Channel(std::uint32_t c, int shift) { return static_cast<int>((c >> shift) & 255); }

std::vector<std::uint8_t> BlendTable(const std::vector<std::uint32_t>& palette) {
  // Averages repeat a great deal (a few thousand of 65536): each is searched once.
  std::unordered_map<std::uint32_t, std::uint8_t> nearest;
  std::vector<std::uint8_t> table(256 * 256);
  for (int a = 0; a < 256; ++a) {
    for (int b = 0; b < 256; ++b) {
      int mean[3];
      for (int k = 0; k < 3; ++k) mean[k] = (Channel(palette[a], 16 - 8 * k) + Channel(palette[b], 16 - 8 * k)) / 2;
      const std::uint32_t key = static_cast<std::uint32_t>((mean[0] << 16) | (mean[1] << 8) | mean[2]);
      auto found = nearest.find(key);
      if (found == nearest.end()) {
        int best = 1;
        int bestDistance = INT32_MAX;
        for (int i = 1; i < 256; ++i) {
          int distance = 0;
          for (int k = 0; k < 3; ++k) {
            const int d = Channel(palette[i], 16 - 8 * k) - mean[k];
            distance += d * d;
          }
          if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
          }
        }
        found = nearest.emplace(key, static_cast<std::uint8_t>(best)).first;
      }
      table[static_cast<std::size_t>(a * 256 + b)] = found->second;
    }
  }
  return table;
}

}  // namespace

std::vector<std::uint32_t> DemoVariantPalette(int n) {
  const std::vector<std::uint32_t> base = DemoPalette();
  std::vector<std::uint32_t> palette = base;
  for (int k = 0; k < kVariantCount; ++k) {
    const int from = n > 11 ? (n - 11) * kBlock + k % kBlock : kVariantFirst + (k + n * kBlock) % kVariantCount;
    palette[static_cast<std::size_t>(kVariantFirst + k)] = base[static_cast<std::size_t>(from)];
  }
  return palette;
}

const std::vector<cDemoBlendTable>& DemoBlendTables() {
  static const std::vector<cDemoBlendTable> tables = [] {
    std::vector<cDemoBlendTable> made;
    for (int n = 0; n < kDemoPaletteVariants; ++n) {
      char path[32];
      std::snprintf(path, sizeof path, "bmp\\hbt\\hbt%02d.dat", n);
      made.push_back({path, BlendTable(DemoVariantPalette(n))});
    }
    return made;
  }();
  return tables;
}
