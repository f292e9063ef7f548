#include "data/palette/palette_item.h"

#include <utility>
#include <vector>

#include "data/common/database_list_sizes.h"
#include "data/common/record_versions.h"
#include "data/flow/flow_equality.h"
#include "data/palette/cell_inherit_conds.h"
#include "data/palette/palette_lists.h"
#include "data/palette/shot_graphic_upgrade.h"

cPaletteItem::cPaletteItem() {
  Register(g_nDataVersion);
  Reset();
}

void cPaletteItem::RegisterMembers(int version) {
  (void)version;  // the same members in every version
  ClearMembers();
  AddMember(&m_nPaletteKind);
  AddMember(&m_nPaletteIndex);
  AddMember(&m_nCondMode);
  AddMember(&m_bCondLatch);
  AddMember(&m_nSetting1);
  AddMember(&m_nSetting2);
  AddMember(&m_nGraphic);
  AddMember(&m_nGraphicKind);
  AddMember(&m_nPattern);
  AddMember(&m_nSetting3);
  AddMember(&m_bHidden);
  AddMember(&m_nEmblemShow);
  AddMember(&m_nEmblem);
  AddMember(&m_bShowIcon);
  AddMember(&m_nTakeMode);
  AddMember(&m_nSize);
  AddMember(&m_nSound);
  AddString(&m_strName);
}

void cPaletteItem::Reset() {
  cDataRecord::Reset();
  m_nGraphicKind = PARTGRAPHIC_ITEM;
  m_nSetting3 = 6;
  m_bShowIcon = 1;
  m_nSize = kMinItemSize;
  m_vInherit.assign(kItemInheritGroups, 0);
}

void cPaletteItem::Read(cDataReader& in) {
  cDataRecord::Read(in);
  ReadCellInheritConds(*this, in);
  std::vector<cFlowCmd> cmds;
  ReadFlowCmdVector(cmds, in);
  m_vItemCmd = std::move(cmds);

  if (FileBelow(kShotGraphicRenumbered)) UpgradeShotGraphic(m_nGraphicKind, m_nGraphic);

  ApplyInherit();
  Normalize();
}

void cPaletteItem::Write(cDataWriter& out) {
  Normalize();
  cDataRecord::Write(out);
  WriteCellInheritConds(*this, out);
  m_vItemCmd.WriteWith([&out](std::vector<cFlowCmd>& cmds) { WriteFlowCmdVector(cmds, out); });
}

void cPaletteItem::Normalize() {
  RepairPaletteRef<cPaletteItem>(m_nPaletteKind, m_nPaletteIndex);
  if (m_nSize < kMinItemSize) m_nSize = kMinItemSize;
  m_nSound = static_cast<std::int16_t>(RepairDatabaseIndex(DBKIND_SOUND, m_nSound, 0));
  m_vItemCmd.RepairWith(
      eListRepair::Database,
      [](std::vector<cFlowCmd>& cmds) {
        for (cFlowCmd& cmd : cmds) cmd.Normalize();
      },
      SameFlowCmds);
}

void cPaletteItem::Normalize2() {
  m_vItemCmd.RepairWith(
      eListRepair::Palette,
      [](std::vector<cFlowCmd>& cmds) {
        for (cFlowCmd& cmd : cmds) cmd.Normalize2();
      },
      SameFlowCmds);
}
