#include "frontend/world_map_rules.h"

#include <algorithm>

#include "app/checked_access.h"
#include "data/save/progress.h"
#include "data/worldmap/world_map.h"

namespace {

// Where stage files live when an entry names only the file.
constexpr const char* kStageFolder = "data\\stg4\\";

bool NamesFolder(const std::string& file) { return file.find_first_of("\\/") != std::string::npos; }

}  // namespace

int GetMapCellIndex(const cWorldMap& map, int x, int y) {
  x = std::clamp(x, 0, std::max(map.m_nMapW - 1, 0));
  y = std::clamp(y, 0, std::max(map.m_nMapH - 1, 0));
  return x + (y << map.m_nPitchShift);
}

bool TestWorldStageVar(int nOp, std::int32_t v, std::int32_t c) {
  // In 64 bits: |INT_MIN| and INT_MIN mod -1 do not fit in 32.
  const std::int64_t magnitude = v < 0 ? -static_cast<std::int64_t>(v) : static_cast<std::int64_t>(v);
  switch (nOp) {
    case 0: return v == c;
    case 1: return v != c;
    case 2: return v >= c;
    case 3: return v <= c;
    case 4: return v > c;
    case 5: return v < c;
    case 6: return c == 0 || magnitude % c == 0;
    case 7: return c != 0 && magnitude % c != 0;
    default: return false;
  }
}

bool IsWorldStageOpen(const cWorldStage& stage, const cProgress& progress) {
  if (stage.m_nReqSwitch > 0 && CheckedAt(progress.m_ClearFlags, stage.m_nReqSwitch) == 0) return false;
  if (stage.m_nReqVar != 0 &&
      !TestWorldStageVar(stage.m_nReqOp, CheckedAt(progress.m_Vars, stage.m_nReqVar), stage.m_nReqValue))
    return false;
  return progress.m_nTotalBest >= stage.m_nReqScore;
}

const cWorldStage* GetOpenStage(const cWorld* world, const cProgress& progress) {
  if (world == nullptr) return nullptr;
  for (const cWorldStage& stage : world->m_vStage) {
    if (IsWorldStageOpen(stage, progress)) return &stage;
  }
  return nullptr;
}

bool IsStageCleared(const cWorldStage* stage, const cProgress& progress) {
  return stage != nullptr && CheckedAt(progress.m_ClearFlags, stage->m_nStageNo) != 0;
}

bool IsManualEntry(const cWorldStage* stage, const cProgress& progress) {
  return stage != nullptr && (stage->m_bManualEntry != 0 || IsStageCleared(stage, progress));
}

bool IsPlayableStage(const cWorldStage* stage) { return stage != nullptr && stage->m_nKind == WORLDSTAGE_STAGE; }

bool IsCellEnterable(const cWorldMap& map, int x, int y, const cProgress& progress) {
  const cWorldStage* stage = GetOpenStage(map.GetWorldAt(x, y), progress);
  if (stage != nullptr) return stage->m_nKind != WORLDSTAGE_WALL;
  const std::int32_t chip = CheckedAt(map.m_vCell, GetMapCellIndex(map, x, y));
  return CheckedAt(map.m_vChip, chip).m_bBlocked == 0;
}

std::string WorldStageFilePath(const cWorldStage& stage) {
  if (NamesFolder(stage.m_strStageFile)) return stage.m_strStageFile;
  return kStageFolder + stage.m_strStageFile;
}

std::string WorldStageNameOfPath(const cWorldStage& stage, const std::string& loadedPath) {
  if (NamesFolder(stage.m_strStageFile)) return loadedPath;
  const std::string folder = kStageFolder;
  if (loadedPath.compare(0, folder.size(), folder) == 0) return loadedPath.substr(folder.size());
  return loadedPath;
}
