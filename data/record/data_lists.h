#pragma once
// Counted lists inside record bodies, and single texts.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "data/record/data_reader.h"
#include "data/record/data_writer.h"

// The smallest possible record body: its member count and its text count.
constexpr std::size_t kMinRecordBodyBytes = 8;

// What one element of a list of T costs in memory: the element, and the heap block that
// a new element of some classes holds (T::kNewElementHeapBytes).
template <typename T>
constexpr std::size_t ElementMemoryBytes() {
  if constexpr (requires { T::kNewElementHeapBytes; })
    return sizeof(T) + T::kNewElementHeapBytes + kHeapBlockOverhead;
  else
    return sizeof(T);
}

// Charges the reader's memory budget for a list of n elements of T; false (the data
// damaged) when it does not hold them.
template <typename T>
bool SpendOnList(cDataReader& in, std::int32_t n) {
  if (n <= 0) return true;
  const auto count = static_cast<std::size_t>(n);
  // The count has passed ReadCount, so it is below the data's size: no overflow here.
  return in.Spend(count * ElementMemoryBytes<T>() + kHeapBlockOverhead);
}

// Reads int32 n, then n record bodies; every element starts as a copy of a new T
// (registered and holding T's defaults), so members an old file lacks keep defaults.
// Elements are made as their bodies are read: data that ends early or is damaged stops
// the list there. The room for all n is made first, once the reader's memory budget has
// taken it, so the list never grows by doubling.
// `minBodyBytes` is the smallest body an element can have (more for records with lists).
template <typename T>
void LoadVector(std::vector<T>& list, cDataReader& in, std::size_t minBodyBytes = kMinRecordBodyBytes) {
  const std::int32_t n = in.ReadCount(minBodyBytes);
  list.clear();
  if (n <= 0 || !SpendOnList<T>(in, n)) return;
  const T element;
  list.reserve(static_cast<std::size_t>(n));
  for (std::int32_t i = 0; i < n && !in.Damaged() && !in.Truncated(); ++i) {
    list.push_back(element);
    list.back().Read(in);
  }
}

template <typename T>
void SaveVector(std::vector<T>& list, cDataWriter& out) {
  out.WriteInt32(static_cast<std::int32_t>(list.size()));
  for (T& e : list) e.Write(out);
}

// One text: int32 L (length + 1), then, when L > 1, the bytes and a zero byte. Returns 1;
// 0 (text unchanged) when the length is impossible, which marks the data damaged.
int ReadString(std::string& text, cDataReader& in);
// Writes the text up to its first zero byte.
void WriteString(const std::string& text, cDataWriter& out);

void WriteByteVector(const std::vector<std::uint8_t>& list, cDataWriter& out);
void WriteStringVector(const std::vector<std::string>& list, cDataWriter& out);
void WriteIntVector(const std::vector<std::int32_t>& list, cDataWriter& out);
// The matching reads; a damaged count leaves the list empty.
void ReadByteVector(std::vector<std::uint8_t>& list, cDataReader& in);
void ReadStringVector(std::vector<std::string>& list, cDataReader& in);
void ReadIntVector(std::vector<std::int32_t>& list, cDataReader& in);
