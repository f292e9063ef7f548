#pragma once
// One text of a stage's text list: kept for the authoring tool, carried along, copied and
// written; the player never interprets it.
#include <string>
#include <vector>

#include "data/record/data_record.h"

// File layout: int32 0 (no members), int32 1, the text.
class cStageString : public cDataRecord {
 public:
  cStageString();
  cStageString(const cStageString&) = default;
  cStageString(cStageString&&) noexcept = default;
  cStageString& operator=(const cStageString&) = default;
  cStageString& operator=(cStageString&&) noexcept = default;
  ~cStageString() override = default;

  void Reset() { cDataRecord::Reset(); }

  std::string m_strText;

 protected:
  void RegisterMembers(int version) override;
};

// Gives `destination` the length of `source`, then assigns element by element.
void AssignStageStringList(std::vector<cStageString>& destination, const std::vector<cStageString>& source);
