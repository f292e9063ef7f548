#pragma once
// A block of the map (32 x 32 pixels): as an entry of a palette, or as a placement in a
// stage cell.
#include <cstdint>
#include <string>
#include <vector>

#include "data/flow/condition.h"
#include "data/common/palette_kind.h"
#include "data/record/data_reader.h"
#include "data/record/data_record.h"
#include "data/record/shared_list.h"
#include "data/record/data_writer.h"

// Field groups of a block that an entry can take from the entry it names.
constexpr int kBlockInheritGroups = 11;

// File layout: int32 18, the 18 members below (26 bytes), int32 1, the name; int16 cell
// X, int16 cell Y; int32 n and n inherit flags; the counted condition list.
class cPaletteBlock : public cDataRecord {
 public:
  // A new entry holds its inherit flags on the heap.
  static constexpr std::size_t kNewElementHeapBytes = kBlockInheritGroups;

  cPaletteBlock();
  cPaletteBlock(const cPaletteBlock&) = default;
  cPaletteBlock(cPaletteBlock&&) noexcept = default;
  cPaletteBlock& operator=(const cPaletteBlock&) = default;
  cPaletteBlock& operator=(cPaletteBlock&&) noexcept = default;
  ~cPaletteBlock() override = default;

  // Base reset, then the defaults below and 11 clear inherit flags. The condition list
  // and the cell position stay as they are.
  void Reset();

  // Body, old-version conversion, inheritance, then ValidateRef.
  void Read(cDataReader& in) override;
  // ValidateRef, then the body.
  void Write(cDataWriter& out) override;

  // Copies the field groups whose inherit flag is set from the entry that
  // (m_nPaletteKind, m_nPaletteIndex) names.
  void ApplyInherit();
  // Repairs the palette reference; an empty cell (graphic 0) is neither solid nor
  // protected.
  void ValidateRef();
  // Repairs the reference of the item given to a player standing on the block.
  void ValidateItemRef();

  // Registered members, in file order.
  std::int8_t m_nPaletteKind = PALETTE_NONE;  // PALETTE kind of the entry inherited from
  std::int16_t m_nPaletteIndex = 0;           // index in that palette's block list
  std::int8_t m_nCondMode = 0;                // 0 every condition, 1 one is enough, other never
  std::int8_t m_bCondLatch = 0;               // once the list held it keeps holding
  std::int16_t m_nGraphic = 0;                // 0: the cell holds no block
  std::int8_t m_nGraphicKind = PARTGRAPHIC_BLOCK;
  std::int16_t m_nPattern = 0;                // pattern within the graphic
  std::int8_t m_nLayer = 0;                   // drawing layer
  std::int8_t m_bHidden = 0;                  // not drawn, still collides
  std::int8_t m_nEmblemShow = 0;              // 0 none, 1 drawn, 2 authoring tool only
  std::int16_t m_nEmblem = 0;                 // emblem icon number
  std::int8_t m_nHit = 1;                     // 0 not solid, 1 solid, 2 solid and deadly to the hero
  std::int8_t m_nPassSide = -1;               // objects of this side pass through; -1 none
  std::int8_t m_nFootKind = 0;                // effect on a character standing on the block
  std::int32_t m_nFootParam = 0;              // parameter X of m_nFootKind
  std::int8_t m_nItemPaletteKind = PALETTE_NONE;  // PALETTE kind of the item given; 0 none
  std::int16_t m_nItemIndex = 0;              // index of that item in its palette's item list
  std::int8_t m_bProtected = 0;               // blocks summoned into this cell are refused
  std::string m_strName;

  // Additions after the registered part.
  std::int16_t m_nCellX = 0;  // cell of a placement
  std::int16_t m_nCellY = 0;
  std::vector<std::uint8_t> m_vInherit;  // one flag per field group
  cSharedList<cCond> m_vCond;            // the block counts only while these hold

 protected:
  void RegisterMembers(int version) override;
};
