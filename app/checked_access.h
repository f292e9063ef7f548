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

// Takes the storage and the count rather than the vector, so that a vector local to the
// caller does not escape through this call and its bounds can stay in registers.
template <typename T>
[[gnu::cold, gnu::noinline]] T& CheckedAtFailure(T* data, std::size_t count, int index) {
  ReportCheckedAccessFailure('V', index, count, sizeof(T));
  if (count != 0) return data[0];
  return CheckedDefaultElement<T>();
}

// The count is taken as an int, as the program counts elements everywhere. The int of a
// count is never more than the count (a count past INT_MAX wraps, and then accesses fail),
// so no access leaves the vector; and in the usual loop
// "for (int i = 0; i < (int)v.size(); ++i)" the test is the loop's own and drops out.
template <typename T, typename A>
inline T& CheckedAt(std::vector<T, A>& v, int index) {
  if (index >= 0 && index < static_cast<int>(v.size())) [[likely]]
    return v[static_cast<std::size_t>(index)];
  T& fallback = CheckedAtFailure(v.data(), v.size(), index);
  // The cold call might have changed the vector, so the optimizer would read its bounds
  // from memory again at every access of a loop. Reading them here, after the call, gives
  // it fresh bounds on this path as well, and it keeps them in registers on the hot path.
  const T* first = v.data();
  const T* last = first + v.size();
  asm("" : : "r"(first), "r"(last));
  return fallback;
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
