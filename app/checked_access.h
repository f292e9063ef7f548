#pragma once
// Guarded element access: every element of a vector or list is reached through these.
// An index outside the container is a fatal data or program error that must not crash
// the game: it is logged, WM_CLOSE is posted to the main window, and the caller gets a
// harmless element (element 0, or the per-type default element) to finish its frame.
#include <cstddef>
#include <list>
#include <vector>

// Logs "err V[%d] ( %d , %d )" (or "err L[...]" for a list) to the error-check log and
// the report log, then posts WM_CLOSE. Out of line: the failure path is cold.
void ReportCheckedAccessFailure(char kind, int index, std::size_t count, std::size_t elementSize);

// One default element per element type, built at the first failure that needs it and
// never reset: a caller that writes into it changes what later failures return.
template <typename T>
T& CheckedDefaultElement() {
  static T element{};
  return element;
}

// The failure path of CheckedAt: logs, posts WM_CLOSE and hands back element 0 (or the
// default element of an empty vector). Cold and out of line, so that the guarded loops
// keep only the compare and the jump to it on their hot path.
template <typename T>
[[gnu::cold, gnu::noinline]] T& CheckedAtFailure(T* data, std::size_t count, int index) {
  ReportCheckedAccessFailure('V', index, count, sizeof(T));
  if (count != 0) return data[0];
  return CheckedDefaultElement<T>();
}

// One unsigned compare: a negative index becomes a huge one and fails with the rest. The
// vector's start and size are read once, before the compare.
//
// The failure path may change anything (it logs and posts a message), so after it the
// optimizer must read the vector's bounds again. Reading them right there, on the cold
// path, and marking them as used (the empty asm, which emits nothing) lets a guarded loop
// keep the bounds in registers on its hot path instead of reloading them at every access.
template <typename T, typename A>
[[nodiscard]] inline T& CheckedAt(std::vector<T, A>& v, int index) {
  T* const data = v.data();
  const std::size_t count = v.size();
  const auto at = static_cast<std::size_t>(static_cast<unsigned>(index));
  if (at < count) [[likely]]
    return data[at];
  T& fallback = CheckedAtFailure(data, count, index);
  const T* const dataAfter = v.data();
  const std::size_t countAfter = v.size();
  asm("" : : "r"(dataAfter), "r"(countAfter));
  return fallback;
}

template <typename T, typename A>
[[nodiscard]] inline const T& CheckedAt(const std::vector<T, A>& v, int index) {
  return CheckedAt(const_cast<std::vector<T, A>&>(v), index);
}

template <typename T, typename A>
T& CheckedListAt(std::list<T, A>& list, int index) {
  if (index >= 0 && static_cast<std::size_t>(index) < list.size()) {
    auto it = list.begin();
    for (int i = 0; i < index; ++i) ++it;
    return *it;
  }
  ReportCheckedAccessFailure('L', index, list.size(), sizeof(T));
  return CheckedDefaultElement<T>();
}

template <typename T, typename A>
const T& CheckedListAt(const std::list<T, A>& list, int index) {
  return CheckedListAt(const_cast<std::list<T, A>&>(list), index);
}
