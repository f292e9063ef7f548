#include "data/flow/shot_block.h"

#include "data/common/database_list_sizes.h"
#include "data/common/record_versions.h"
#include "data/flow/param_block_holder.h"
#include "data/flow/shot_parameter_tables.h"

namespace {

// New blocks are copies of one prototype: a copy shares its member table and defaults.
const cEdShot& EdShotPrototype() {
  static const cEdShot prototype;
  return prototype;
}

// n × step + offset in 32-bit integers (wrapping), negated when asked; as a double.
double IndexedOffset(int n, std::int16_t step, std::int16_t offset, bool negate) {
  std::uint32_t v = static_cast<std::uint32_t>(n) * static_cast<std::uint32_t>(static_cast<std::int32_t>(step)) +
                    static_cast<std::uint32_t>(static_cast<std::int32_t>(offset));
  if (negate) v = 0u - v;
  return static_cast<double>(static_cast<std::int32_t>(v));
}

}  // namespace

cEdShot::cEdShot() {
  Register(g_nDataVersion);
  Reset();
}

void cEdShot::Reset() {
  cDataRecord::Reset();
  m_bMirrorAngle = 1;
  m_bMirrorOffsetX = 1;
  m_bMirrorOffsetY = 0;
  m_bFirerSide = 1;
  m_nScale = 1;
  m_nAimSlot = 0;
  m_nTrajSlot = 0;
}

void cEdShot::RegisterMembers(int version) {
  ClearMembers();
  AddMember(&m_nCount);
  AddMember(&m_nFormation);
  AddMember(m_nFormParam, 3);
  if (VersionAtLeast(version, 671)) AddMember(&m_nFormOrigin);
  AddMember(&m_nDir);
  AddMember(&m_bAimTarget);
  if (VersionAtLeast(version, 767)) AddMember(&m_nAimSlot);
  AddMember(&m_nAngle);
  AddMember(&m_nAngleStep);
  if (VersionAtLeast(version, 158)) AddMember(&m_bMirrorAngle);
  AddMember(&m_nSpread);
  AddMember(&m_bTurnFormation);
  AddMember(&m_nCopies);
  AddMember(&m_nOffsetX);
  AddMember(&m_nOffsetXStep);
  AddMember(&m_nOffsetY);
  AddMember(&m_nOffsetYStep);
  AddMember(&m_bMirrorOffsetX);
  AddMember(&m_bMirrorOffsetY);
  AddMember(&m_nGraphic);
  AddMember(&m_nZ);
  AddMember(&m_bHidden);
  AddMember(&m_bFirerSide);
  AddMember(&m_nSide);
  AddMember(&m_nShotOpt25);
  AddMember(&m_nScale);
  AddMember(&m_nShotOpt27);
  AddMember(&m_nTrajectory);
  AddMember(m_nTrajParam, 3);
  if (VersionAtLeast(version, 767)) AddMember(&m_nTrajSlot);
  if (VersionAtLeast(version, 211)) AddMember(&m_bScrollSync);
  AddMember(&m_nSpeed);
  AddMember(&m_nSpeedStep);
  if (VersionAtLeast(version, 213)) {
    AddMember(&m_bAccelerate);
    AddMember(&m_nAccel);
    AddMember(&m_nAccelStep);
  }
  AddMember(&m_nRange);
  AddMember(&m_bRangeLimit);
  AddMember(&m_nRangeStep);
  AddMember(&m_bStopAtRange);
  AddMember(&m_bLifeLimit);
  AddMember(&m_nLife);
  AddMember(&m_nLifeStep);
  AddMember(&m_bPassBlocks);
  AddMember(&m_bPierceChara);
  if (VersionAtLeast(version, 636)) AddMember(&m_bPierceBlockChara);
  AddMember(&m_bErasable);
  AddMember(&m_nVanish);
  AddMember(&m_nPower);
  AddMember(&m_nShotOpt50);
  AddMember(&m_nImpact);
  AddMember(&m_nEffect);
  AddMember(&m_nItemPalette);
  AddMember(&m_nItemIndex);
  AddMember(&m_nBlockSummonMode);
  AddMember(&m_bBlockRefusePlayer);
  if (VersionAtLeast(version, 197)) AddMember(&m_bBlockRefuseChara);
  AddMember(&m_nSummonPalette);
  AddMember(&m_nSummonIndex);
  AddMember(&m_nSummonSide);
  AddMember(&m_bNoScore);
  AddMember(&m_bSummonReverse);
  if (VersionAtLeast(version, 762)) {
    AddMember(&m_bAttack);
    AddMember(&m_nAttackID);
  }
}

void cEdShot::Read(cDataReader& in) {
  cDataRecord::Read(in);
  if (FileBelow(811)) {
    if (FileBelow(158)) m_bMirrorAngle = 0;
    if (FileBelow(197)) m_bBlockRefuseChara = m_bBlockRefusePlayer;
    if (FileBelow(212)) {
      // Shots of the homing trajectories moved with the scroll before the switch existed.
      const bool homing = m_nTrajectory >= SHOTTRAJ_HOME_HERO && m_nTrajectory <= SHOTTRAJ_HOME_NEAREST_RETARGET;
      m_bScrollSync = homing ? 1 : 0;
    }
    if (FileBelow(213)) {
      m_bAccelerate = 0;
      m_nAccel = 0;
      m_nAccelStep = 0;
    }
    if (FileBelow(636)) m_bPierceBlockChara = m_bPierceChara;
    if (FileBelow(671)) m_nFormOrigin = 0;
    // m_nAimSlot, m_nTrajSlot, m_bAttack and m_nAttackID keep their values (0 when new).
  }
  Normalize();
}

void cEdShot::Write(cDataWriter& out) {
  Normalize();
  cDataRecord::Write(out);
}

void cEdShot::Normalize() {
  if (m_nScale <= 0) m_nScale = 1;
  // Compared unsigned after sign extension: a negative index is out of range too.
  const auto effect = static_cast<std::uint32_t>(static_cast<std::int32_t>(m_nEffect));
  if (effect >= static_cast<std::uint32_t>(GetDatabaseSize(DBKIND_EFFECT))) m_nEffect = 0;
}

double cEdShot::GetIndexedOffsetX(int n, int dir) const {
  return IndexedOffset(n, m_nOffsetXStep, m_nOffsetX, dir == 1 && m_bMirrorOffsetX != 0);
}

double cEdShot::GetIndexedOffsetY(int n, int dir) const {
  return IndexedOffset(n, m_nOffsetYStep, m_nOffsetY, dir == 1 && m_bMirrorOffsetY != 0);
}

void cEdShot::CopyFrom(cEdShotHolder& holder, const cEdShotHolder& source) { CopyParamBlock(holder, source); }

void CreateEdShot(cEdShotHolder& holder) { CreateParamBlock(holder, EdShotPrototype()); }
