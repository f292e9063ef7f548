#include "data/record/member_ranges.h"

#include <cmath>

#include "app/report_log.h"

std::int32_t ClampIntMember(const cRangeSource& source, const char* name, std::int32_t value, std::int32_t nMin,
                            std::int32_t nMax) {
  if (value >= nMin && value <= nMax) return value;
  const std::int32_t repaired = value < nMin ? nMin : nMax;
  if (*source.lpFile != '\0')
    WriteReport("%s : %s%s の値 %d は範囲 %d ～ %d の外のため %d にしました", source.lpFile,
                source.Prefix().c_str(), name, value, nMin, nMax, repaired);
  return repaired;
}

double ClampRealMember(const cRangeSource& source, const char* name, double value, double dMin, double dMax,
                       double dDefault) {
  if (value >= dMin && value <= dMax) return value;
  // A NaN compares false with both ends: like an infinity it has no nearer end.
  const double repaired = !std::isfinite(value) ? dDefault : value < dMin ? dMin : dMax;
  if (*source.lpFile != '\0') {
    if (std::isfinite(value))
      WriteReport("%s : %s%s の値 %g は範囲 %g ～ %g の外のため %g にしました", source.lpFile,
                  source.Prefix().c_str(), name, value, dMin, dMax, repaired);
    else
      WriteReport("%s : %s%s の値 %g は有限の数ではないため既定値 %g にしました", source.lpFile,
                  source.Prefix().c_str(), name, value, repaired);
  }
  return repaired;
}

void ClampIntList(std::vector<std::int32_t>& list, const cRangeSource& source, const char* name, std::int32_t nMin,
                  std::int32_t nMax) {
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (list[i] >= nMin && list[i] <= nMax) continue;
    const std::string element = std::string(name) + "[" + std::to_string(i) + "]";
    list[i] = ClampIntMember(source, element.c_str(), list[i], nMin, nMax);
  }
}

std::string cRangeSource::Prefix() const {
  std::string prefix;
  for (int i = 0; i < nPlaces; ++i)
    prefix += std::string(aPlace[i].lpList) + "[" + std::to_string(aPlace[i].nIndex) + "].";
  return prefix;
}
