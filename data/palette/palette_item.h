#pragma once
// An item: as an entry of a palette, or as a placement in a stage cell.
#include <cstdint>
#include <string>
#include <vector>

#include "data/flow/condition.h"
#include "data/flow/flow_command.h"
#include "data/common/palette_kind.h"
#include "data/record/data_reader.h"
#include "data/record/data_record.h"
#include "data/record/shared_list.h"
#include "data/record/data_writer.h"

// Field groups of an item that an entry can take from the entry it names.
constexpr int kItemInheritGroups = 13;
constexpr std::int8_t kMinItemSize = 1;

// File layout: int32 17, the 17 members (m_bShowIcon is stored before m_nTakeMode),
// int32 1, the name; int16 cell X, int16 cell Y; int32 n and n inherit flags; the
// counted condition list; the counted item-command list.
class cPaletteItem : public cDataRecord {
 public:
  // A new entry holds its inherit flags on the heap.
  static constexpr std::size_t kNewElementHeapBytes = kItemInheritGroups;

  cPaletteItem();
  cPaletteItem(const cPaletteItem&) = default;
  cPaletteItem(cPaletteItem&&) noexcept = default;
  cPaletteItem& operator=(const cPaletteItem&) = default;
  cPaletteItem& operator=(cPaletteItem&&) noexcept = default;
  ~cPaletteItem() override = default;

  // Base reset, then the defaults below and 13 clear inherit flags. The condition and
  // command lists and the cell position stay as they are.
  void Reset();

  // Body, old-version conversion, inheritance, then Normalize.
  void Read(cDataReader& in) override;
  // Normalize, then the body.
  void Write(cDataWriter& out) override;

  void ApplyInherit();
  // Repairs references and indices and normalises every item command.
  void Normalize();
  // Second normalisation pass of every item command.
  void Normalize2();

  // Registered members (file order, except m_bShowIcon, stored before m_nTakeMode).
  std::int8_t m_nPaletteKind = PALETTE_NONE;
  std::int16_t m_nPaletteIndex = 0;
  std::int8_t m_nCondMode = 0;
  std::int8_t m_bCondLatch = 0;
  // Kept, copied and inherited with the entry; in play they are the item's position
  // offset in dots (x, y), added to its box where it is placed or summoned.
  std::int16_t m_nSetting1 = 0;  // offset x
  std::int16_t m_nSetting2 = 0;  // offset y
  std::int16_t m_nGraphic = 0;
  std::int8_t m_nGraphicKind = PARTGRAPHIC_ITEM;
  std::int16_t m_nPattern = 0;
  std::int8_t m_nSetting3 = 6;   // kept, copied and inherited; nothing reads it in play
  std::int8_t m_bHidden = 0;
  std::int8_t m_nEmblemShow = 0;
  std::int16_t m_nEmblem = 0;
  std::int8_t m_nTakeMode = 0;   // 0 once, 1 any number of times, 2 cannot be taken
  std::int8_t m_bShowIcon = 1;   // the icon rises from the player on taking
  std::int8_t m_nSize = kMinItemSize;
  std::int16_t m_nSound = 0;     // Sound database index played on taking; 0 none
  std::string m_strName;

  // Additions after the registered part.
  std::int16_t m_nCellX = 0;
  std::int16_t m_nCellY = 0;
  std::vector<std::uint8_t> m_vInherit;
  // Lists taken by inheritance are shared with the entry they came from (see
  // cSharedList): change them through their non-const members only.
  cSharedList<cCond> m_vCond;          // the item counts only while these hold
  cSharedList<cFlowCmd> m_vItemCmd;    // run when the item is taken (m_bItemCmd 1)

 protected:
  void RegisterMembers(int version) override;
};

// Entry `index` of the item list of palette `kind`; none for another kind or an index
// outside the list.
cPaletteItem* GetPaletteItem(std::int8_t kind, std::int16_t index);
