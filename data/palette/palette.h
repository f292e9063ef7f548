#pragma once
// A palette: lists of block, character and item entries. Entry 0 of each list is the
// template entry (the class defaults); a reference with index 0 names nothing.
#include <vector>

#include "data/palette/palette_block.h"
#include "data/palette/palette_chara.h"
#include "data/palette/palette_item.h"
#include "data/record/data_reader.h"
#include "data/record/data_record.h"
#include "data/record/data_writer.h"

// The file the common palette is loaded from at start-up.
inline constexpr const char* kCommonPalettePath = "data\\CommonPalette.cplt4";

// File layout: int32 0 (no members), int32 0 (no texts); then the block, character and
// item lists, each an int32 count and that many entry bodies.
class cPalette : public cDataRecord {
 public:
  // One template entry in each list.
  cPalette();
  cPalette(const cPalette&) = default;
  cPalette(cPalette&&) noexcept = default;
  cPalette& operator=(const cPalette&) = default;
  cPalette& operator=(cPalette&&) noexcept = default;
  ~cPalette() override = default;

  // The three lists (each entry converting, inheriting and repairing itself), template
  // entries reset, every inherit flag cleared, then Normalize.
  void Read(cDataReader& in) override;
  // Normalize, then the file layout above.
  void Write(cDataWriter& out) override;

  // At least two entries in each list, then the repairs of every entry.
  void Normalize();

  // Counted lists: sized to the count first (every entry new), then read in order.
  static void ReadBlockList(std::vector<cPaletteBlock>& list, cDataReader& in);
  static void ReadCharaList(std::vector<cPaletteChara>& list, cDataReader& in);

  std::vector<cPaletteBlock> m_vBlock;
  std::vector<cPaletteChara> m_vChara;
  std::vector<cPaletteItem> m_vItem;

 protected:
  void RegisterMembers(int version) override;
};

// The palette shared by every stage of the game; read once at start-up.
extern cPalette g_CommonPalette;

// Loads g_CommonPalette from kCommonPalettePath; on failure reports
// "<path> のロードに失敗！" to the user and returns 0 (start-up then fails).
int LoadCommonPalette();
