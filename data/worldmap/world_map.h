#pragma once
// The world map of a story game (data\WorldMap.dat): a grid of cells, each an index into
// the chip kinds, with worlds standing on some cells. Read once at start-up into
// g_WorldMap and only read afterwards.
#include <cstdint>
#include <string>
#include <vector>

#include "app/path_table.h"
#include "data/record/data_reader.h"
#include "data/record/data_record.h"
#include "data/record/data_writer.h"
#include "data/worldmap/map_chip.h"
#include "data/worldmap/world.h"

// The program path of the world map of a game.
inline const char* const& kWorldMapPath = g_PathTable[PATH_WORLD_MAP];

// A cell of the map, column and row.
struct cMapPos {
  std::int32_t nX = 0;
  std::int32_t nY = 0;
};

// File layout at 811: int32 8, the eight int32 members below, int32 2, the two texts;
// then the counted chip list, the counted cell list (int32 n, n int32), the counted world
// list and the counted list of extra worlds. No end mark follows.
//
// The row pitch is a power of two so that a cell's index is a shift and an addition:
// cell (x, y) is m_vCell[(y << m_nPitchShift) + x]; the entries from m_nMapW to
// m_nPitch - 1 of each row are not cells.
class cWorldMap : public cDataRecord {
 public:
  cWorldMap();

  // A new map: 20 x 15 cells of chip 0, start (9, 7), ten chips (0 to 4 blocked, 5 to 9
  // passable), no worlds, and one extra world "デフォルト".
  void Reset();

  // Body, then Normalize. A map whose grid does not match its size (a pitch that is not
  // the width's power of two, or a cell list of another length) is damaged data: the
  // reader then marks it so and the record is left as it was, as is a map cut short.
  void Read(cDataReader& in) override;
  // Normalize, then the body.
  void Write(cDataWriter& out) override;

  // Re-lays the grid at `width` x `height`, keeping the cells that lie inside both the old
  // and the new size. 0 (nothing changed) when a size is not positive.
  int SetSize(int width, int height);
  // Pulls a start cell outside the map back to its last column or row and drops the
  // worlds that stand outside the map.
  void Normalize();

  // The first world standing on cell (x, y); null when none does.
  const cWorld* GetWorldAt(int x, int y) const;
  const cWorld* GetWorldAtPos(const cMapPos& pos) const { return GetWorldAt(pos.nX, pos.nY); }

  // Whether a stage entrance of a world stands for the stage `name`, a stage name as the
  // save data builds it (the file name without its extension and without a trailing "-1"
  // series number, ending in "."). With `bSuffix` 0 only entries without a ranking suffix
  // count; with 1 only those whose suffix numbers are nSuffixA and nSuffixB.
  int HasStage(const std::string& name, int bSuffix, int nSuffixA, int nSuffixB) const;

  // Registered members, in file order.
  std::int32_t m_nMapW = 0;          // width in cells
  std::int32_t m_nMapH = 0;          // height in cells
  std::int32_t m_nPitch = 0;         // row pitch of the cell list: smallest power of two >= width
  std::int32_t m_nPitchShift = 0;    // log2 of the pitch
  std::int32_t m_nStartX = 0;        // where the cursor starts
  std::int32_t m_nStartY = 0;
  std::int32_t m_nBackColour = 0;    // colour value that fills the screen behind the map
  std::int32_t m_bShowPicture = 0;   // draw the map picture over the fill
  std::string m_strMapName;
  std::string m_strMapPicture;       // picture file of the map

  // Additions.
  std::vector<cMapChip> m_vChip;
  std::vector<std::int32_t> m_vCell;   // m_nMapH x m_nPitch chip indices
  std::vector<cWorld> m_vWorld;
  std::vector<cWorld> m_vExtraWorld;   // kept for the authoring tool; read, normalised, written

 protected:
  void RegisterMembers(int version) override;

 private:
  void ReadBody(cDataReader& in);
  bool GridMatchesSize() const;
};

// The stage name an entry's file stands for: the file name without its extension; then
// the last "-1" pair becomes "." and ends the name, or, without one, "." is appended.
std::string WorldStageFileKey(const std::string& file);

// The world map of the game.
extern cWorldMap g_WorldMap;
