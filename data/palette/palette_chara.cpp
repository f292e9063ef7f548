#include "data/palette/palette_chara.h"

#include <algorithm>
#include <utility>

#include "data/common/database_list_sizes.h"
#include "data/flow/flow_equality.h"
#include "data/flow/flow_upgrades.h"
#include "data/common/record_versions.h"
#include "data/flow/test_flows_kept.h"
#include "data/palette/color_blend_count.h"
#include "data/palette/palette_lists.h"
#include "data/palette/shot_graphic_upgrade.h"
#include "data/record/data_lists.h"

namespace {

// Versions that added a member (files below them lack it).
constexpr std::uint32_t kAddedDefence = 168;
constexpr std::uint32_t kAddedEffectModes = 196;
constexpr std::uint32_t kAddedHitBox = 201;
constexpr std::uint32_t kHitBoxRenumbered = 206;
constexpr std::uint32_t kAddedScrollSync = 210;
constexpr std::uint32_t kAddedInvincibleColour = 285;

// Inherit-flag positions, at the time of each addition, of the field groups that the
// versions above added: defence, hit box, scroll synchronisation.
constexpr int kDefenceGroupThen = 27;
constexpr int kHitBoxGroupThen = 24;
constexpr int kScrollSyncGroupThen = 21;

// Hit box 2 and above moved up by one when the shot-against-character box came in.
constexpr std::int8_t kFirstRenumberedHitBox = 2;
// The tint that entries of files before its addition take.
constexpr std::int8_t kOldInvincibleColour = 1;

// Inserts a set flag at `position` into a character's flag list, which first becomes
// exactly as long as the group table; the last flag drops out.
void InsertInheritFlag(std::vector<std::uint8_t>& flags, int position) {
  flags.resize(kCharaInheritGroups, 0);
  std::copy_backward(flags.begin() + position, flags.end() - 1, flags.end());
  flags[static_cast<std::size_t>(position)] = 1;
}

bool IsEmptyFlow(const cFlow& flow) {
  return flow.m_nID == 0 && flow.m_nSwitch == 0 && flow.m_nTrigger == 0 && flow.m_vCond.empty() &&
         flow.m_vKeyCond.empty() && flow.m_vCmd.empty();
}

std::int16_t RepairedDatabaseIndex(int kind, std::int16_t index, int replacement) {
  return static_cast<std::int16_t>(RepairDatabaseIndex(kind, index, replacement));
}

}  // namespace

cPaletteChara::cPaletteChara() {
  Register(g_nDataVersion);
  Reset();
}

void cPaletteChara::RegisterMembers(int version) {
  ClearMembers();
  AddMember(&m_nPaletteKind);
  AddMember(&m_nPaletteIndex);
  AddMember(&m_nCondMode);
  AddMember(&m_bCondLatch);
  AddMember(&m_nDirection);
  AddMember(&m_nCopies);
  AddMember(&m_nCopyBaseX);
  AddMember(&m_nCopyStepX);
  AddMember(&m_nCopyBaseY);
  AddMember(&m_nCopyStepY);
  AddMember(&m_bCopyMirrorX);
  AddMember(&m_bCopyMirrorY);
  AddMember(&m_nGraphic);
  AddMember(&m_nGraphicKind);
  AddMember(&m_nPattern);
  AddMember(&m_nAnimeSet);
  AddMember(&m_nZ);
  AddMember(&m_bHidden);
  AddMember(&m_nStartEffect);
  if (VersionAtLeast(version, kAddedEffectModes)) AddMember(&m_nStartEffectMode);
  AddMember(&m_nStartEffectRepeat);
  AddMember(&m_nDefeatEffect);
  if (VersionAtLeast(version, kAddedEffectModes)) AddMember(&m_nDefeatEffectMode);
  AddMember(&m_nEmblemShow);
  AddMember(&m_nEmblem);
  AddMember(&m_nController);
  AddMember(&m_nPlayerNo);
  AddMember(&m_nSide);
  AddMember(&m_nCharaId);
  AddMember(&m_nFlying);
  AddMember(&m_bFixedFacing);
  AddMember(&m_nInvincible);
  if (VersionAtLeast(version, kAddedInvincibleColour)) AddMember(&m_nInvincibleColour);
  AddMember(&m_bBlockChara);
  AddMember(&m_nSize);
  if (VersionAtLeast(version, kAddedScrollSync)) AddMember(&m_bScrollSync);
  AddMember(&m_nSightShape);
  AddMember(&m_nSightRange);
  AddMember(&m_nMaxHp);
  AddMember(&m_nMaxSp);
  AddMember(&m_nStopEase);
  if (VersionAtLeast(version, kAddedHitBox)) AddMember(&m_nHitBox);
  AddMember(&m_nBodyPower);
  AddMember(&m_nBodyImpact);
  AddMember(&m_nBodyEffect);
  if (VersionAtLeast(version, kAddedDefence)) AddMember(&m_nDefence);
  AddMember(&m_nImpactResist);
  AddMember(&m_nScore);
  AddMember(&m_bOption);
  AddMember(&m_bInGroup);
  AddMember(&m_nActiveGroup);
  AddMember(&m_nScreenRange);
  AddMember(&m_nActiveRule);
  AddString(&m_strName);
}

void cPaletteChara::Reset() {
  cDataRecord::Reset();
  m_nGraphicKind = PARTGRAPHIC_CHARA;
  m_nZ = 3;
  m_nStartEffectRepeat = 1;
  m_nController = CHARACTRL_COMPUTER;
  m_nSide = 1;
  m_bFixedFacing = 1;
  m_nSize = kMinCharaSize;
  m_nMaxHp = 10;
  m_nStopEase = 10;
  m_bOption = 1;
  m_nCarryItem = 0;
  m_vInherit.assign(kCharaInheritGroups, 0);
}

void cPaletteChara::Read(cDataReader& in) {
  cDataRecord::Read(in);
  m_nCellX = in.ReadInt16();
  m_nCellY = in.ReadInt16();
  m_nCarryItem = in.ReadInt32();
  ReadByteVector(m_vInherit, in);
  std::vector<cCond> conds;
  ReadCondVector(conds, in);
  m_vCond = std::move(conds);
  std::vector<cFlow> flows;
  ReadFlowVector(flows, in);
  if (!TestFlowsKept()) RemoveTestFlows(flows);
  m_vFlow = std::move(flows);

  if (FileBelow(static_cast<std::uint32_t>(g_nDataVersion))) {
    if (FileBelow(kAddedDefence)) {
      m_nDefence = 0;
      InsertInheritFlag(m_vInherit, kDefenceGroupThen);
    }
    if (FileBelow(kAddedEffectModes)) {
      m_nStartEffectMode = 0;
      m_nDefeatEffectMode = 0;
    }
    if (FileBelow(kAddedHitBox)) {
      m_nHitBox = 0;
      InsertInheritFlag(m_vInherit, kHitBoxGroupThen);
    }
    if (FileBelow(kHitBoxRenumbered) && m_nHitBox >= kFirstRenumberedHitBox) ++m_nHitBox;
    if (FileBelow(kAddedScrollSync)) {
      m_bScrollSync = 0;
      InsertInheritFlag(m_vInherit, kScrollSyncGroupThen);
    }
    if (FileBelow(kShotGraphicRenumbered)) UpgradeShotGraphic(m_nGraphicKind, m_nGraphic);
    if (FileBelow(kAddedInvincibleColour)) m_nInvincibleColour = kOldInvincibleColour;
  }

  ApplyInherit();
  Validate();
}

void cPaletteChara::Write(cDataWriter& out) {
  Validate();
  cDataRecord::Write(out);
  out.WriteInt16(m_nCellX);
  out.WriteInt16(m_nCellY);
  out.WriteInt32(m_nCarryItem);
  WriteByteVector(m_vInherit, out);
  m_vCond.WriteWith([&out](std::vector<cCond>& conds) { WriteCondVector(conds, out); });
  m_vFlow.WriteWith([&out](std::vector<cFlow>& flows) { WriteFlowVector(flows, out); });
}

void cPaletteChara::Validate() {
  RepairPaletteRef<cPaletteChara>(m_nPaletteKind, m_nPaletteIndex);
  // A dedicated bitmap that is not in the database falls back to entry 1, or to the
  // "none" entry when the database holds nothing else.
  if (m_nGraphicKind == PARTGRAPHIC_CHARA_EXC)
    m_nGraphic = RepairedDatabaseIndex(DBKIND_BMP_CHARA_EXC, m_nGraphic, 1);
  if (m_nSize < kMinCharaSize) m_nSize = kMinCharaSize;
  m_nAnimeSet = RepairedDatabaseIndex(DBKIND_ANIMESET, m_nAnimeSet, 0);
  m_nStartEffect = RepairedDatabaseIndex(DBKIND_CHARA_EFFECT, m_nStartEffect, 0);
  m_nDefeatEffect = RepairedDatabaseIndex(DBKIND_CHARA_EFFECT, m_nDefeatEffect, 0);
  m_nBodyEffect = RepairedDatabaseIndex(DBKIND_EFFECT, m_nBodyEffect, 0);
  // The tint indexes the ten-entry colour-blend table.
  if (m_nInvincibleColour < 0 || m_nInvincibleColour >= kColorBlendCount) m_nInvincibleColour = 0;
  if (m_nController == CHARACTRL_PLAYER) {
    m_bBlockChara = 0;
    m_nCopies = 0;
  }
  m_vFlow.RepairWith(
      eListRepair::Database,
      [](std::vector<cFlow>& flows) {
        for (cFlow& flow : flows) flow.Normalize();
        flows.erase(std::remove_if(flows.begin(), flows.end(), IsEmptyFlow), flows.end());
      },
      SameFlows);
}

void cPaletteChara::Normalize2() {
  m_vFlow.RepairWith(
      eListRepair::Palette,
      [](std::vector<cFlow>& flows) {
        for (cFlow& flow : flows) flow.Normalize2();
      },
      SameFlows);
}

namespace {

double PaletteCharaIndexedOffset(std::int32_t n, std::int16_t step, std::int16_t base, bool mirrored) {
  // 32-bit arithmetic that wraps as the stored values would.
  const auto v = static_cast<std::int32_t>(static_cast<std::uint32_t>(n) * static_cast<std::uint32_t>(step) +
                                           static_cast<std::uint32_t>(base));
  const double offset = v;
  return mirrored ? -offset : offset;
}

}  // namespace

double cPaletteChara::GetIndexedOffsetX(std::int32_t n, std::int32_t facing) const {
  return PaletteCharaIndexedOffset(n, m_nCopyStepX, m_nCopyBaseX, facing == 1 && m_bCopyMirrorX != 0);
}

double cPaletteChara::GetIndexedOffsetY(std::int32_t n, std::int32_t facing) const {
  return PaletteCharaIndexedOffset(n, m_nCopyStepY, m_nCopyBaseY, facing == 1 && m_bCopyMirrorY != 0);
}
