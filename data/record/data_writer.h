#pragma once
// Collects the bytes of a data file in memory; the file is written in one piece when
// the whole body is complete (see data_file.h).
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Thrown by a writer with a limit when a write would take it past that limit.
struct cDataWriterFull {};

class cDataWriter {
 public:
  // Writes past `nBytes` bytes in all throw cDataWriterFull and write nothing (0: no
  // limit). For callers that refuse data too large to be worth writing, before it has
  // filled memory.
  void SetLimit(std::size_t nBytes) { m_nLimit = nBytes; }

  void WriteBytes(const void* src, std::size_t n);
  void WriteInt32(std::int32_t v) { WriteBytes(&v, 4); }
  void WriteInt16(std::int16_t v) { WriteBytes(&v, 2); }
  void WriteInt8(std::int8_t v) { WriteBytes(&v, 1); }
  void WriteDouble(double v) { WriteBytes(&v, 8); }

  const std::vector<std::uint8_t>& Bytes() const { return m_Bytes; }
  std::vector<std::uint8_t>& Bytes() { return m_Bytes; }
  std::size_t Size() const { return m_Bytes.size(); }

 private:
  std::vector<std::uint8_t> m_Bytes;
  std::size_t m_nLimit = 0;
};
