#include "stage/ranking_text.h"

#include <algorithm>

namespace {

// |v| without overflow: the smallest int32 has no int32 magnitude.
std::uint32_t Magnitude(std::int32_t v) {
  return v < 0 ? 0u - static_cast<std::uint32_t>(v) : static_cast<std::uint32_t>(v);
}

}  // namespace

int GetDigitNum(std::int32_t v) {
  std::uint32_t m = Magnitude(v);
  int digits = 1;
  while (m >= 10) {
    m /= 10;
    ++digits;
  }
  return digits;
}

void IntToStr(std::string& out, std::int32_t value, int width, int bZeroPad, int bPlus) {
  const int digits = GetDigitNum(value);
  width = std::clamp(std::max(width, digits), digits, kIntToStrMaxWidth);
  std::string text(static_cast<std::size_t>(width), '0');
  std::uint32_t m = Magnitude(value);
  for (int i = width - 1; i >= 0 && m != 0; --i) {
    text[static_cast<std::size_t>(i)] = static_cast<char>('0' + m % 10);
    m /= 10;
  }
  if (bZeroPad == 0) {
    for (int i = 0; i < width - 1 && text[static_cast<std::size_t>(i)] == '0'; ++i) text[static_cast<std::size_t>(i)] = ' ';
  }
  if (value < 0) {
    out = "-" + text;
  } else if (bPlus != 0) {
    out = "+" + text;
  } else {
    out = std::move(text);
  }
}

void TimeToStr(std::string& out, std::int32_t hundredths) {
  std::string minutes, seconds, rest;
  IntToStr(minutes, hundredths / 6000, 2, 1, 0);
  IntToStr(seconds, (hundredths / 100) % 60, 2, 1, 0);
  IntToStr(rest, hundredths % 100, 2, 1, 0);
  out = minutes + ":" + seconds + "." + rest;
}

int CountValue(const std::vector<std::int32_t>& values, std::int32_t v) {
  return static_cast<int>(std::count(values.begin(), values.end(), v));
}
