#pragma once
// The ranges of the numbers a record holds. A file whose structure is sound can still carry
// numbers no game was made with (a gravity of NaN, a size of INT32_MIN); play computes with
// them frame after frame, so every number play uses is brought into its range once, where
// the record is read, and play can rely on it. Each record keeps one table of its ranges
// beside its reader; a value outside its range is clamped to the nearer end, a double that
// is not finite takes the member's default, and each repair writes one report line naming
// the file, the member and the value found. The file still plays.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

// The range of one int32 member.
template <typename Rec>
struct cIntRange {
  const char* pName;
  std::int32_t Rec::*pMember;
  std::int32_t nMin;
  std::int32_t nMax;
};

// The range of one double member, and the value that replaces a NaN or an infinity.
template <typename Rec>
struct cRealRange {
  const char* pName;
  double Rec::*pMember;
  double dMin;
  double dMax;
  double dDefault;
};

// Where a repaired value came from, for its report line: the file (empty for data read in
// memory, which is repaired without a report) and, for the elements of lists, the places
// of the element ("m_vWorld[3].m_vStage[0]."), put in front of the member's name.
struct cRangeSource {
  struct cPlace {
    const char* lpList;
    std::size_t nIndex;
  };
  const char* lpFile = "";
  cPlace aPlace[3] = {};
  int nPlaces = 0;

  // The source of an element of a list (of an element of this source).
  cRangeSource Element(const char* lpList, std::size_t nIndex) const {
    cRangeSource element = *this;
    if (element.nPlaces < 3) element.aPlace[element.nPlaces++] = {lpList, nIndex};
    return element;
  }
  // "list[i]." for each place.
  std::string Prefix() const;
};

// The repairs, each with its report line. They return the repaired value.
std::int32_t ClampIntMember(const cRangeSource& source, const char* name, std::int32_t value, std::int32_t nMin,
                            std::int32_t nMax);
double ClampRealMember(const cRangeSource& source, const char* name, double value, double dMin, double dMax,
                       double dDefault);

template <typename Rec>
void ClampIntoRanges(Rec& record, std::span<const cIntRange<Rec>> table, const cRangeSource& source) {
  for (const cIntRange<Rec>& range : table)
    record.*range.pMember = ClampIntMember(source, range.pName, record.*range.pMember, range.nMin, range.nMax);
}

template <typename Rec>
void ClampIntoRanges(Rec& record, std::span<const cRealRange<Rec>> table, const cRangeSource& source) {
  for (const cRealRange<Rec>& range : table)
    record.*range.pMember =
        ClampRealMember(source, range.pName, record.*range.pMember, range.dMin, range.dMax, range.dDefault);
}

// Every element of an int32 list, named "name[i]".
void ClampIntList(std::vector<std::int32_t>& list, const cRangeSource& source, const char* name, std::int32_t nMin,
                  std::int32_t nMax);
