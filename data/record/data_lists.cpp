#include "data/record/data_lists.h"

#include <cstring>

namespace {

// The longest text a std::string holds without a heap block of its own.
constexpr std::size_t kInlineTextBytes = 15;

}  // namespace

int ReadString(std::string& text, cDataReader& in) {
  const std::int32_t length = in.ReadInt32();
  if (in.Damaged() || in.Truncated()) return 0;
  if (length < 1 || (length > 1 && static_cast<std::size_t>(length) > in.Remaining())) {
    in.MarkDamaged(DATADAMAGE_TEXT_LENGTH);
    return 0;
  }
  if (length == 1) {
    text.clear();
    return 1;
  }
  // The text ends at its terminator; one stored without a terminator ends at its length.
  // Taken straight from the data, into the text's own storage.
  const std::size_t n = static_cast<std::size_t>(length);
  // Short texts live inside the record; longer ones take a heap block.
  if (n > kInlineTextBytes && !in.Spend(n + kHeapBlockOverhead)) return 0;
  const auto* bytes = reinterpret_cast<const char*>(in.Take(n));
  const auto* zero = static_cast<const char*>(std::memchr(bytes, 0, n));
  text.assign(bytes, zero ? zero : bytes + n);
  return 1;
}

void WriteString(const std::string& text, cDataWriter& out) {
  const std::size_t zero = text.find('\0');
  const std::size_t length = zero == std::string::npos ? text.size() : zero;
  out.WriteInt32(static_cast<std::int32_t>(length + 1));
  if (length > 0) {
    out.WriteBytes(text.data(), length);
    out.WriteInt8(0);
  }
}

void WriteByteVector(const std::vector<std::uint8_t>& list, cDataWriter& out) {
  out.WriteInt32(static_cast<std::int32_t>(list.size()));
  out.WriteBytes(list.data(), list.size());
}

void WriteStringVector(const std::vector<std::string>& list, cDataWriter& out) {
  out.WriteInt32(static_cast<std::int32_t>(list.size()));
  for (const std::string& s : list) WriteString(s, out);
}

void WriteIntVector(const std::vector<std::int32_t>& list, cDataWriter& out) {
  out.WriteInt32(static_cast<std::int32_t>(list.size()));
  out.WriteBytes(list.data(), list.size() * sizeof(std::int32_t));
}

void ReadByteVector(std::vector<std::uint8_t>& list, cDataReader& in) {
  std::int32_t n = in.ReadCount(1);
  if (!SpendOnList<std::uint8_t>(in, n)) n = 0;
  list.assign(static_cast<std::size_t>(n), 0);
  in.ReadBytes(list.data(), list.size());
}

void ReadStringVector(std::vector<std::string>& list, cDataReader& in) {
  std::int32_t n = in.ReadCount(4);
  if (!SpendOnList<std::string>(in, n)) n = 0;
  list.assign(static_cast<std::size_t>(n), std::string());
  for (std::string& s : list) ReadString(s, in);
}

void ReadIntVector(std::vector<std::int32_t>& list, cDataReader& in) {
  std::int32_t n = in.ReadCount(4);
  if (!SpendOnList<std::int32_t>(in, n)) n = 0;
  list.assign(static_cast<std::size_t>(n), 0);
  in.ReadBytes(list.data(), list.size() * sizeof(std::int32_t));
}
