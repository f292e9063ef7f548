#pragma once
// Numbers and times as the ranking and result windows, the world map and the challenge
// list write them.
#include <cstdint>
#include <string>
#include <vector>

// Decimal digits of v, 1 to 10; the sign does not count.
int GetDigitNum(std::int32_t v);
// The magnitude of `value` in max(width, its digits) digits, leading zeros blanked unless
// bZeroPad (the last digit always stays), then "-" for a negative value or, with bPlus,
// "+" for any other. A width beyond kIntToStrMaxWidth is taken as that.
void IntToStr(std::string& out, std::int32_t value, int width, int bZeroPad, int bPlus);
constexpr int kIntToStrMaxWidth = 64;
// Hundredths of a second as minutes (at least 2 digits), seconds and hundredths:
// 12345 gives "02:03.45".
void TimeToStr(std::string& out, std::int32_t hundredths);
// Elements of `values` equal to v.
int CountValue(const std::vector<std::int32_t>& values, std::int32_t v);
