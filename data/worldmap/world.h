#pragma once
// A world placed on a cell of the world map, with the entries that can be entered there.
#include <cstdint>
#include <string>
#include <vector>

#include "data/record/data_reader.h"
#include "data/record/data_record.h"
#include "data/record/data_writer.h"
#include "data/worldmap/world_stage.h"

// File layout: int32 2, the cell (two int32), int32 1, the name; then int32 k and k
// entry bodies.
class cWorld : public cDataRecord {
 public:
  cWorld();

  // Base reset; the entry list then holds exactly one entry: its first one, or a new one
  // when it was empty.
  void Reset();
  void Read(cDataReader& in) override;
  void Write(cDataWriter& out) override;

  std::int32_t m_nWorldX = 0;  // the cell the world stands on
  std::int32_t m_nWorldY = 0;
  std::string m_strWorldName;
  std::vector<cWorldStage> m_vStage;

 protected:
  void RegisterMembers(int version) override;
};
