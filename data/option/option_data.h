#pragma once
// The player's own settings (user_data\Option.dat): the colour variant of 8-bit
// graphics, music on or off, the sound-effect level, the ranking registration mode and
// the fixed ranking name. The record does not range-check them; the option scene keeps
// them in range and each reader takes care of a damaged value.
#include <cstdint>
#include <string>

#include "app/path_table.h"
#include "data/record/data_reader.h"
#include "data/record/data_record.h"

inline const char* const& kOptionFilePath = g_PathTable[PATH_OPTION];

// Ranking registration modes.
enum RANKREGMODE : std::int32_t {
  RANKREG_KEY_TYPED_NAME = 0,
  RANKREG_KEY_FIXED_NAME = 1,
  RANKREG_AUTO_TYPED_NAME = 2,
  RANKREG_AUTO_FIXED_NAME = 3,
};

// File layout: int32 4, the four int32 members, int32 1, the name.
class cOptionData : public cDataRecord {
 public:
  // Music on, sound-effect level 7, ranking name "aaa", the rest 0.
  cOptionData();

  // The body; a body that is damaged or ends early leaves the record as it was.
  void Read(cDataReader& in) override;

  std::int32_t m_nPaletteVariant = 0;  // colour variant of 8-bit graphics, 0 to 23
  std::int32_t m_bBgm = 1;             // music plays
  std::int32_t m_nSeLevel = 7;         // sound-effect level 0 to 10
  std::int32_t m_nRankRegMode = RANKREG_KEY_TYPED_NAME;
  std::string m_strRankName;           // the fixed ranking name

 protected:
  void RegisterMembers(int version) override;
};

extern cOptionData g_OptionData;
