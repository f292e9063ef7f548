#include "data/record/data_reader.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

bool cDataReader::ReadBytes(void* dst, std::size_t n) {
  if (n > Remaining()) {
    ReadPastEnd();
    return false;
  }
  if (n != 0) std::memcpy(dst, m_Bytes.data() + m_nPos, n);
  m_nPos += n;
  return true;
}

bool cDataReader::Skip(std::size_t n) {
  if (n > Remaining()) {
    ReadPastEnd();
    return false;
  }
  m_nPos += n;
  return true;
}

std::int16_t cDataReader::ReadInt16() {
  std::int16_t v = 0;
  ReadBytes(&v, sizeof v);
  return v;
}

std::int8_t cDataReader::ReadInt8() {
  std::int8_t v = 0;
  ReadBytes(&v, sizeof v);
  return v;
}

double cDataReader::ReadDouble() {
  double v = 0;
  ReadBytes(&v, sizeof v);
  return v;
}

std::int32_t cDataReader::ReadCount(std::size_t minElementBytes) {
  const std::int32_t n = ReadInt32();
  if (n < 0) {
    MarkDamaged(DATADAMAGE_NEGATIVE_COUNT);
    return 0;
  }
  // Compared as n * size <= Remaining() rather than by a division on this hot path; the
  // size is held below 2^32 so that the product of it and n (below 2^31) cannot overflow.
  const std::uint64_t size = std::min<std::uint64_t>(minElementBytes, UINT32_MAX);
  if (static_cast<std::uint64_t>(n) * size > Remaining()) {
    MarkDamaged(DATADAMAGE_COUNT_PAST_END);
    return 0;
  }
  return n;
}

void cDataReader::MarkDamaged(DATADAMAGE reason) {
  if (!m_bDamaged) {
    m_Damage = reason;
    m_nDamagePos = m_nPos;
  }
  m_bDamaged = true;
}

bool cDataReader::EnterNesting() {
  if (m_nDepth >= kMaxNesting) {
    MarkDamaged(DATADAMAGE_NESTING);
    return false;
  }
  ++m_nDepth;
  return true;
}
