// The row passes of the fades against their per-pixel rules, written out plainly here:
// every 16-bit pixel value and a spread of 32-bit ones, rows of every length up to past
// two vector blocks so that the tails are reached, at several amounts and colours.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "media/draw/fade_span.h"

namespace {

const ePixelFormat kFormats[] = {ePixelFormat::kR5G6B5, ePixelFormat::kA1R5G5B5, ePixelFormat::kX8R8G8B8,
                                 ePixelFormat::kA8R8G8B8};

struct FieldLayout {
  int shift, max;
};

// The channel fields of a format, red, green, blue.
std::vector<FieldLayout> Fields(ePixelFormat f) {
  switch (f) {
    case ePixelFormat::kR5G6B5: return {{11, 31}, {5, 63}, {0, 31}};
    case ePixelFormat::kA1R5G5B5: return {{10, 31}, {5, 31}, {0, 31}};
    default: return {{16, 255}, {8, 255}, {0, 255}};
  }
}

// The colour fade of one pixel, as the rule reads.
std::uint32_t FadeRule(ePixelFormat f, std::uint32_t dst, std::uint32_t src, int amount, const int (&colour)[3]) {
  std::uint32_t out = BytesPerPixelOf(f) == 4 ? (dst & 0xFF000000u) : (f == ePixelFormat::kA1R5G5B5 ? dst & 0x8000u : 0);
  const std::vector<FieldLayout> fields = Fields(f);
  for (int c = 0; c < 3; ++c) {
    const int v = static_cast<int>((src >> fields[c].shift) & fields[c].max);
    const int wide = v * 255 / fields[c].max;
    const int mixed = (colour[c] * (256 - amount) + wide * amount) >> 8;
    out |= static_cast<std::uint32_t>(mixed * fields[c].max / 255) << fields[c].shift;
  }
  return out;
}

// The translucent quad on one pixel, as the quad path of the device reads.
std::uint32_t BlendRule(ePixelFormat f, std::uint32_t p, std::uint32_t colour) {
  const std::uint32_t d = PixelToArgb(f, p);
  const std::uint32_t a = colour >> 24;
  std::uint32_t r = 0;
  for (int shift = 0; shift <= 24; shift += 8)
    r |= ((((colour >> shift) & 255) * a + ((d >> shift) & 255) * (255 - a) + 127) / 255) << shift;
  return r == d ? p : ArgbToPixel(f, r);
}

// Pixel values to run: every one at 16 bits, a spread with every byte value at 32.
std::vector<std::uint32_t> Values(ePixelFormat f) {
  std::vector<std::uint32_t> v;
  if (BytesPerPixelOf(f) == 2) {
    for (std::uint32_t p = 0; p < 65536; ++p) v.push_back(p);
  } else {
    for (std::uint32_t k = 0; k < 65536; ++k) v.push_back((k * 2654435761u) ^ (k << 8) ^ k);
  }
  return v;
}

void Store(std::vector<std::uint8_t>& bytes, int bpp, std::size_t i, std::uint32_t v) {
  std::memcpy(bytes.data() + i * bpp, &v, bpp);
}
std::uint32_t Load(const std::vector<std::uint8_t>& bytes, int bpp, std::size_t i) {
  std::uint32_t v = 0;
  std::memcpy(&v, bytes.data() + i * bpp, bpp);
  return v;
}

// Every case runs on both builds of the passes: the 32-byte one (where the processor has
// AVX2) and the 16-byte one.
class FadeSpan : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override { FadeSpanAllowWideVectors(GetParam()); }
  void TearDown() override { FadeSpanAllowWideVectors(true); }
};

TEST_P(FadeSpan, FadeRowFollowsTheRule) {
  const int amounts[] = {0, 1, 77, 128, 255, 256};
  const int colours[][3] = {{0, 0, 0}, {255, 255, 255}, {200, 30, 99}};
  for (ePixelFormat f : kFormats) {
    const int bpp = BytesPerPixelOf(f);
    const std::vector<std::uint32_t> values = Values(f);
    std::vector<std::uint8_t> src(values.size() * bpp), dst(values.size() * bpp);
    for (std::size_t i = 0; i < values.size(); ++i) {
      Store(src, bpp, i, values[i]);
    }
    for (int amount : amounts)
      for (const auto& c : colours) {
        // The destination holds other values, so that kept bits show where they come from.
        for (std::size_t i = 0; i < values.size(); ++i) Store(dst, bpp, i, values[values.size() - 1 - i]);
        ASSERT_TRUE(FadeRow(f, dst.data(), src.data(), static_cast<int>(values.size()), amount,
                            static_cast<std::uint8_t>(c[0]), static_cast<std::uint8_t>(c[1]),
                            static_cast<std::uint8_t>(c[2])));
        int bad = 0;
        for (std::size_t i = 0; i < values.size() && bad < 3; ++i) {
          const std::uint32_t want = FadeRule(f, values[values.size() - 1 - i], values[i], amount, c);
          if (Load(dst, bpp, i) != want) {
            ++bad;
            ADD_FAILURE() << "format " << static_cast<int>(f) << " amount " << amount << " pixel " << std::hex
                          << values[i] << " got " << Load(dst, bpp, i) << " want " << want;
          }
        }
      }
  }
}

TEST_P(FadeSpan, BlendColourRowFollowsTheQuad) {
  const std::uint32_t colours[] = {0x01000000u, 0x80000000u, 0xFE000000u, 0x7F20C0FFu, 0x40FFFFFFu};
  for (ePixelFormat f : kFormats) {
    const int bpp = BytesPerPixelOf(f);
    const std::vector<std::uint32_t> values = Values(f);
    for (std::uint32_t colour : colours) {
      std::vector<std::uint8_t> row(values.size() * bpp);
      for (std::size_t i = 0; i < values.size(); ++i) Store(row, bpp, i, values[i]);
      ASSERT_TRUE(BlendColourRow(f, row.data(), static_cast<int>(values.size()), colour));
      int bad = 0;
      for (std::size_t i = 0; i < values.size() && bad < 3; ++i) {
        const std::uint32_t want = BlendRule(f, values[i], colour);
        if (Load(row, bpp, i) != want) {
          ++bad;
          ADD_FAILURE() << "format " << static_cast<int>(f) << " colour " << std::hex << colour << " pixel "
                        << values[i] << " got " << Load(row, bpp, i) << " want " << want;
        }
      }
    }
  }
}

// Short rows and rows that start at any byte: the vector blocks and the tail meet right,
// and nothing past the row's end is touched.
TEST_P(FadeSpan, RowsOfEveryLengthStayInsideTheirRow) {
  for (ePixelFormat f : kFormats) {
    const int bpp = BytesPerPixelOf(f);
    for (int n = 0; n <= 40; ++n)
      for (int offset = 0; offset < 3; ++offset) {
        std::vector<std::uint8_t> fade(48 * 4 + 8, 0xA5), blend = fade;
        std::vector<std::uint8_t> src(fade.size());
        for (std::size_t i = 0; i < src.size(); ++i) src[i] = static_cast<std::uint8_t>(i * 37);
        FadeRow(f, fade.data() + offset, src.data() + offset, n, 100, 10, 20, 30);
        BlendColourRow(f, blend.data() + offset, n, 0x80102030u);
        const int first = offset, last = offset + n * bpp;
        for (int i = 0; i < static_cast<int>(fade.size()); ++i) {
          if (i >= first && i < last) continue;
          ASSERT_EQ(fade[i], 0xA5) << "fade n " << n << " byte " << i;
          ASSERT_EQ(blend[i], 0xA5) << "blend n " << n << " byte " << i;
        }
        for (int k = 0; k < n; ++k) {
          std::uint32_t d = 0, s = 0;
          std::memcpy(&d, fade.data() + offset + k * bpp, bpp);
          std::memcpy(&s, src.data() + offset + k * bpp, bpp);
          std::uint32_t before = 0;
          std::memset(&before, 0xA5, bpp);
          ASSERT_EQ(d, FadeRule(f, before, s, 100, {10, 20, 30})) << "n " << n << " pixel " << k;
        }
      }
  }
}

TEST_P(FadeSpan, EightBitRowsAreNotTheirs) {
  std::uint8_t row[4] = {1, 2, 3, 4};
  EXPECT_FALSE(FadeRow(ePixelFormat::kP8, row, row, 4, 100, 0, 0, 0));
  EXPECT_FALSE(BlendColourRow(ePixelFormat::kP8, row, 4, 0x80000000u));
  EXPECT_EQ(row[0], 1);
}

INSTANTIATE_TEST_SUITE_P(Builds, FadeSpan, ::testing::Values(true, false),
                         [](const auto& info) { return std::string(info.param ? "Wide" : "Narrow"); });

}  // namespace
