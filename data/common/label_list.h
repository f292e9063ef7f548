#pragma once
// A constant list of labels whose values are positions in the list, counted from 0. The
// texts live in a fixed array closed by an empty text; the list keeps the number of
// labels before that closing text, so a list may itself start with an empty label.
#include <cstddef>

struct LabelList {
  const char* const* lpTexts;  // nCount labels, then ""
  int nCount;

  constexpr int Count() const { return nCount; }
  // The label of a value; "" for a value that is not in the list.
  constexpr const char* At(int nValue) const {
    return (nValue >= 0 && nValue < nCount) ? lpTexts[nValue] : "";
  }
};

// The list without labels.
inline constexpr const char* kNoLabelTexts[] = {""};
inline constexpr LabelList kNoLabels{kNoLabelTexts, 0};

// Builds a list over an array of texts; refuses, at compile time, an array that is not
// closed by an empty text.
template <std::size_t N>
consteval LabelList MakeLabelList(const char* const (&texts)[N]) {
  if (texts[N - 1][0] != '\0') throw "a label array must be closed by an empty text";
  return LabelList{texts, static_cast<int>(N - 1)};
}
