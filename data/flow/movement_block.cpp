#include "data/flow/movement_block.h"

#include "data/common/record_versions.h"
#include "data/flow/param_block_holder.h"

namespace {

// New blocks are copies of one prototype: a copy shares its member table and defaults.
const cEdMove& EdMovePrototype() {
  static const cEdMove prototype;
  return prototype;
}

}  // namespace

cEdMove::cEdMove() {
  Register(g_nDataVersion);
  Reset();
}

void cEdMove::Reset() {
  cDataRecord::Reset();
  m_bMirrorAngle = 1;
  m_bUseX = 1;
  m_bUseY = 1;
  m_bTimeToTarget = 1;
  m_bMirrorX = 1;
  m_bMirrorY = 0;
  m_bFlipWithFacing = 1;
  m_nSpeed = 10;
  m_fBrake = 1.0;
}

void cEdMove::RegisterMembers(int version) {
  ClearMembers();
  AddMember(&m_nMode);
  AddMember(&m_nDir);
  AddMember(&m_nAngle);
  AddMember(&m_nAngleStep);
  if (VersionAtLeast(version, 158)) AddMember(&m_bMirrorAngle);
  AddMember(&m_bUseX);
  AddMember(&m_bUseY);
  AddMember(&m_nTargetXbl);
  AddMember(&m_nTargetYbl);
  AddMember(&m_nTargetXdot);
  AddMember(&m_nTargetYdot);
  AddMember(&m_nCoordKind);
  AddMember(&m_bTimeToTarget);
  AddMember(&m_bLockX);
  AddMember(&m_bLockY);
  AddMember(&m_bMirrorX);
  AddMember(&m_bMirrorY);
  AddMember(&m_bFlipWithFacing);
  AddMember(&m_bStopAtTarget);
  if (VersionAtLeast(version, 162)) AddMember(&m_bKeepFacing);
  AddMember(&m_nSpeedMode);
  AddMember(&m_nSpeed);
  AddMember(&m_nSpeedStep);
  AddMember(&m_nDist);
  AddMember(&m_nDistStep);
  if (VersionAtLeast(version, 159)) AddMember(&m_nDistUnit);
  AddMember(&m_nHoming);
  AddMember(&m_nHomingStep);
  AddMember(&m_bInertia);
  AddMember(&m_nAccel);
  AddMember(&m_fBrake);
  if (VersionAtLeast(version, 162)) AddMember(&m_bWithAnime);
  if (VersionAtLeast(version, 767)) AddMember(&m_nTargetSlot);
}

void cEdMove::Read(cDataReader& in) {
  cDataRecord::Read(in);
  if (!FileBelow(811)) return;
  if (FileBelow(158)) m_bMirrorAngle = 0;
  if (FileBelow(159)) m_nDistUnit = 0;
  if (FileBelow(162)) {
    m_bKeepFacing = 0;
    m_bWithAnime = 0;
  }
  // m_nTargetSlot of files below 767 keeps its value (0 in a new block).
}

void cEdMove::Write(cDataWriter& out) { cDataRecord::Write(out); }

void cEdMove::CopyFrom(cEdMoveHolder& holder, const cEdMoveHolder& source) { CopyParamBlock(holder, source); }

void CreateEdMove(cEdMoveHolder& holder) { CreateParamBlock(holder, EdMovePrototype()); }
