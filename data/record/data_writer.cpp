#include "data/record/data_writer.h"

#include <algorithm>

void cDataWriter::WriteBytes(const void* src, std::size_t n) {
  if (m_nLimit != 0 && n > m_nLimit - std::min(m_nLimit, m_Bytes.size())) throw cDataWriterFull{};
  const auto* p = static_cast<const std::uint8_t*>(src);
  m_Bytes.insert(m_Bytes.end(), p, p + n);
}
