#pragma once
// One entry of a world on the world map: a stage entrance, a road or a wall, with the
// requirements that make it available.
#include <cstdint>
#include <string>

#include "data/record/data_reader.h"
#include "data/record/data_record.h"
#include "data/record/data_writer.h"

// What an entry is; the walk of the world map refuses a cell whose entry is a wall.
enum WORLDSTAGEKIND : std::int32_t {
  WORLDSTAGE_STAGE = 0,
  WORLDSTAGE_ROAD = 1,
  WORLDSTAGE_WALL = 2,
};

// File layout at 811: int32 14, the 14 int32 members below, int32 2, the two texts.
// Files below 209 store 10 members, files below 758 store 11.
class cWorldStage : public cDataRecord {
 public:
  cWorldStage();

  // Base reset, then the first suffix number 1.
  void Reset();
  // Body; files below 209 had no score requirement.
  void Read(cDataReader& in) override;

  // Registered members, in file order.
  std::int32_t m_nKind = WORLDSTAGE_STAGE;
  std::int32_t m_nAuxA = 0;          // kept for the authoring tool
  std::int32_t m_nStageNo = 0;       // the save data's clear flag of this number tells whether it is cleared
  std::int32_t m_bManualEntry = 0;   // entered only with the decision key
  std::int32_t m_bWalkFlag = 0;      // read by the world-map walk with the stage's clear state
  std::int32_t m_nAuxB = 0;          // kept for the authoring tool
  std::int32_t m_nReqSwitch = 0;     // switch that must be on (0: none)
  std::int32_t m_nReqVar = 0;        // variable compared for availability (0: none)
  std::int32_t m_nReqValue = 0;      // the value it is compared with
  std::int32_t m_nReqOp = 0;         // comparison 0 to 7
  std::int32_t m_nReqScore = 0;      // from 209: total score required
  std::int32_t m_bRankSuffix = 0;    // from 758: the ranking key carries a numbered suffix
  std::int32_t m_nRankSuffixA = 1;   // from 758
  std::int32_t m_nRankSuffixB = 0;   // from 758
  std::string m_strStageName;        // kept for the authoring tool
  std::string m_strStageFile;        // the stage file name

 protected:
  void RegisterMembers(int version) override;
};

// Labels of m_nKind in the authoring tool, closed by an empty label.
extern const char* const WorldStageKindLabels[4];
// Labels of the authoring tool's choice of what follows the last stage, closed by an empty
// label; the player holds no value of this choice.
extern const char* const AfterLastStageLabels[4];
