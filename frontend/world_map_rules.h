#pragma once
// The rules of the world map that do not draw: which entry of a world is open now, whether
// a stage entry is cleared or waits for the decision key, which cells the cursor may enter,
// and the program path of an entry's stage file.
#include <cstdint>
#include <string>

class cProgress;
class cWorld;
class cWorldMap;
class cWorldStage;

// The cell index of (x, y) with x and y pulled into the map first.
int GetMapCellIndex(const cWorldMap& map, int x, int y);

// The variable test of an entry: 0 v = c, 1 v != c, 2 v >= c, 3 v <= c, 4 v > c, 5 v < c,
// 6 c = 0 or |v| mod c = 0, 7 c != 0 and |v| mod c != 0; any other operator fails.
bool TestWorldStageVar(int nOp, std::int32_t v, std::int32_t c);

// The entry's requirements against the progress: its clear flag, its variable test and
// the total score.
bool IsWorldStageOpen(const cWorldStage& stage, const cProgress& progress);
// The first open entry of a world; null for a null world or when none is open.
const cWorldStage* GetOpenStage(const cWorld* world, const cProgress& progress);

// The clear flag of the entry's stage number is set; false for null.
bool IsStageCleared(const cWorldStage* stage, const cProgress& progress);
// Entered only with the decision key: the entry asks for it or its stage is cleared;
// false for null.
bool IsManualEntry(const cWorldStage* stage, const cProgress& progress);
// A stage entrance (kind 0).
bool IsPlayableStage(const cWorldStage* stage);

// Whether the cursor may stand on (x, y): refused when the open entry there is a wall, or
// when there is no open entry and the cell's chip is blocked.
bool IsCellEnterable(const cWorldMap& map, int x, int y, const cProgress& progress);

// The file the entry's stage is loaded from: its file name inside the stage folder, or
// the name as it stands when it names a folder of its own.
std::string WorldStageFilePath(const cWorldStage& stage);
// The loaded stage's file name as the progress names the stage: the path without the
// stage folder that WorldStageFilePath put in front, so that the name matches the entry.
std::string WorldStageNameOfPath(const cWorldStage& stage, const std::string& loadedPath);
