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

template <typename T, typename A>
[[gnu::cold, gnu::noinline]] T& CheckedAtFailure(std::vector<T, A>& v, int index) {
  ReportCheckedAccessFailure('V', index, v.size(), sizeof(T));
  if (!v.empty()) return v[0];
  return CheckedDefaultElement<T>();
}

template <typename T, typename A>
inline T& CheckedAt(std::vector<T, A>& v, int index) {
  if (static_cast<std::size_t>(static_cast<unsigned>(index)) < v.size()) [[likely]]
    return v[static_cast<unsigned>(index)];
  return CheckedAtFailure(v, index);
}

template <typename T, typename A>
inline const T& CheckedAt(const std::vector<T, A>& v, int index) {
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
