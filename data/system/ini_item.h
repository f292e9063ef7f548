#pragma once
// One key of System.ini with its default value.
#include <cstdint>
#include <string>

#include "data/record/data_record.h"

enum INIKIND {
  INIKIND_INT = 0,   // the value is m_nValue
  INIKIND_TEXT = 1,  // the value is m_strValue
};

// File: 2 members (m_nKind, m_nValue), 2 texts (m_strKey, m_strValue).
class cIniItem : public cDataRecord {
 public:
  cIniItem();
  // Kind 0, value 0, empty key and text value.
  void Reset();

  // The key, kind INIKIND_INT and the value; the text value is left as it is.
  void SetInt(const std::string& key, std::int32_t value);
  // The key, kind INIKIND_TEXT and the text value; the number is left as it is.
  void SetText(const std::string& key, const std::string& text);

  std::int32_t m_nKind = INIKIND_INT;
  std::int32_t m_nValue = 0;
  std::string m_strKey;
  std::string m_strValue;

 protected:
  void RegisterMembers(int version) override;
};
