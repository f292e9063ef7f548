#include "data/record/data_writer.h"

void cDataWriter::WriteBytes(const void* src, std::size_t n) {
  const auto* p = static_cast<const std::uint8_t*>(src);
  m_Bytes.insert(m_Bytes.end(), p, p + n);
}
