#include "writers/byte_builder.h"

#include <fstream>
#include <iterator>

cByteBuilder& cByteBuilder::Text(const std::string& text) {
  I32(static_cast<std::int32_t>(text.size() + 1));
  if (!text.empty()) {
    Raw(text.data(), text.size());
    I8(0);
  }
  return *this;
}

cByteBuilder& cByteBuilder::Raw(const void* data, std::size_t n) {
  const auto* p = static_cast<const std::uint8_t*>(data);
  m_Bytes.insert(m_Bytes.end(), p, p + n);
  return *this;
}

cByteBuilder& cByteBuilder::Fill(std::size_t n, std::uint8_t value) {
  m_Bytes.insert(m_Bytes.end(), n, value);
  return *this;
}

cByteBuilder& cByteBuilder::U16BE(std::uint16_t v) {
  return U8(static_cast<std::uint8_t>(v >> 8)).U8(static_cast<std::uint8_t>(v));
}

cByteBuilder& cByteBuilder::U32BE(std::uint32_t v) {
  return U16BE(static_cast<std::uint16_t>(v >> 16)).U16BE(static_cast<std::uint16_t>(v));
}

cByteBuilder& cByteBuilder::VarLen(std::uint32_t v) {
  std::uint8_t groups[5];
  int n = 0;
  do {
    groups[n++] = static_cast<std::uint8_t>(v & 0x7F);
    v >>= 7;
  } while (v != 0 && n < 5);
  while (n > 1) U8(static_cast<std::uint8_t>(groups[--n] | 0x80));
  return U8(groups[0]);
}

void WriteTestFile(const std::string& hostPath, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(hostPath, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::uint8_t> ReadTestFile(const std::string& hostPath) {
  std::ifstream in(hostPath, std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
