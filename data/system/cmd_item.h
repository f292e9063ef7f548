#pragma once
// One item of a front-end menu (title, world-map and option menus of the system data).
#include <cstdint>
#include <string>

#include "data/record/data_record.h"

// File: 1 member, 1 text.
class cCmdItem : public cDataRecord {
 public:
  cCmdItem();
  // Enabled, with an empty label.
  void Reset();

  std::int32_t m_bEnabled = 1;  // 1: the item is offered
  std::string m_strLabel;

 protected:
  void RegisterMembers(int version) override;
};
