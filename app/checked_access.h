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

// The failure path is declared pure: to its callers it only reads memory. It does write
// its log lines and posts WM_CLOSE, but nothing the caller's loop holds changes, and the
// declaration lets a guarded loop keep the vector's bounds in registers instead of
// reloading them after every access. The price: an access whose element is never used
// may go unreported (CheckedAt is nodiscard so that none is written), and the same
// failing access repeated in one loop may be logged once; the program closes on the
// first anyway.
template <typename T>
[[gnu::cold, gnu::noinline, gnu::pure]] T& CheckedAtFailure(T* data, std::size_t count, int index) {
  ReportCheckedAccessFailure('V', index, count, sizeof(T));
  if (count != 0) return data[0];
  return CheckedDefaultElement<T>();
}

// One unsigned compare: a negative index becomes a huge one and fails with the rest.
template <typename T, typename A>
[[nodiscard]] inline T& CheckedAt(std::vector<T, A>& v, int index) {
  if (static_cast<std::size_t>(static_cast<unsigned>(index)) < v.size()) [[likely]]
    return v[static_cast<unsigned>(index)];
  return CheckedAtFailure(v.data(), v.size(), index);
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
