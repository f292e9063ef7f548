#pragma once
// Builds the bytes of data-file bodies for tests, in the little-endian layout of the
// files: fixed-width integers, doubles, texts (length + 1, bytes, zero) and counts.
#include <cstdint>
#include <string>
#include <vector>

class cByteBuilder {
 public:
  cByteBuilder& I8(std::int8_t v) { return Raw(&v, 1); }
  cByteBuilder& I16(std::int16_t v) { return Raw(&v, 2); }
  cByteBuilder& I32(std::int32_t v) { return Raw(&v, 4); }
  cByteBuilder& F64(double v) { return Raw(&v, 8); }
  // A text as the files store it: int32 L = length + 1, then the bytes and a zero
  // when L > 1.
  cByteBuilder& Text(const std::string& text);
  // A count of list elements (int32).
  cByteBuilder& Count(std::int32_t n) { return I32(n); }
  cByteBuilder& Bytes(const std::vector<std::uint8_t>& bytes) { return Raw(bytes.data(), bytes.size()); }
  cByteBuilder& Raw(const void* data, std::size_t n);
  // `n` copies of one byte value.
  cByteBuilder& Fill(std::size_t n, std::uint8_t value = 0);
  // Sound files: four-character tags, big-endian integers (MIDI) and variable-length
  // quantities (7 bits a byte, most significant group first).
  cByteBuilder& Tag(const char (&tag)[5]) { return Raw(tag, 4); }
  cByteBuilder& U8(std::uint8_t v) { return Raw(&v, 1); }
  cByteBuilder& U16(std::uint16_t v) { return Raw(&v, 2); }
  cByteBuilder& U32(std::uint32_t v) { return Raw(&v, 4); }
  cByteBuilder& U16BE(std::uint16_t v);
  cByteBuilder& U32BE(std::uint32_t v);
  cByteBuilder& VarLen(std::uint32_t v);

  const std::vector<std::uint8_t>& Get() const { return m_Bytes; }
  std::size_t Size() const { return m_Bytes.size(); }

 private:
  std::vector<std::uint8_t> m_Bytes;
};

// Writes bytes to a file (a host path), for tests that load files.
void WriteTestFile(const std::string& hostPath, const std::vector<std::uint8_t>& bytes);
// Reads a whole file (a host path); empty when it cannot be read.
std::vector<std::uint8_t> ReadTestFile(const std::string& hostPath);
