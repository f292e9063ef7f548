#include "data/palette/palette_block.h"

#include "data/common/record_versions.h"
#include "data/palette/cell_inherit_conds.h"
#include "data/palette/palette_lists.h"
#include "data/palette/shot_graphic_upgrade.h"

cPaletteBlock::cPaletteBlock() {
  Register(g_nDataVersion);
  Reset();
}

void cPaletteBlock::RegisterMembers(int version) {
  (void)version;  // the same members in every version
  ClearMembers();
  AddMember(&m_nPaletteKind);
  AddMember(&m_nPaletteIndex);
  AddMember(&m_nCondMode);
  AddMember(&m_bCondLatch);
  AddMember(&m_nGraphic);
  AddMember(&m_nGraphicKind);
  AddMember(&m_nPattern);
  AddMember(&m_nLayer);
  AddMember(&m_bHidden);
  AddMember(&m_nEmblemShow);
  AddMember(&m_nEmblem);
  AddMember(&m_nHit);
  AddMember(&m_nPassSide);
  AddMember(&m_nFootKind);
  AddMember(&m_nFootParam);
  AddMember(&m_nItemPaletteKind);
  AddMember(&m_nItemIndex);
  AddMember(&m_bProtected);
  AddString(&m_strName);
}

void cPaletteBlock::Reset() {
  cDataRecord::Reset();
  m_nGraphicKind = PARTGRAPHIC_BLOCK;
  m_nHit = 1;
  m_nPassSide = -1;
  m_vInherit.assign(kBlockInheritGroups, 0);
}

void cPaletteBlock::Read(cDataReader& in) {
  cDataRecord::Read(in);
  ReadCellInheritConds(*this, in);

  if (FileBelow(kShotGraphicRenumbered)) UpgradeShotGraphic(m_nGraphicKind, m_nGraphic);

  ApplyInherit();
  ValidateRef();
}

void cPaletteBlock::Write(cDataWriter& out) {
  ValidateRef();
  cDataRecord::Write(out);
  WriteCellInheritConds(*this, out);
}

void cPaletteBlock::ValidateRef() {
  RepairPaletteRef<cPaletteBlock>(m_nPaletteKind, m_nPaletteIndex);
  if (m_nGraphic == 0) {
    m_nHit = 0;
    m_bProtected = 0;
  }
}

void cPaletteBlock::ValidateItemRef() { RepairPaletteRef<cPaletteItem>(m_nItemPaletteKind, m_nItemIndex); }
