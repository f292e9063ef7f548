#pragma once
#include <vector>

// Destroys every element and frees the storage: an empty vector with no capacity.
template <typename T>
void ReleaseVector(std::vector<T>& v) {
  std::vector<T>().swap(v);
}
