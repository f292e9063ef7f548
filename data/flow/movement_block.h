#pragma once
// The movement block of a flow command, held by cFlowCmd::m_pMove.
#include <cstdint>

#include <boost/checked_delete.hpp>
#include <boost/shared_ptr.hpp>

#include "data/record/data_reader.h"
#include "data/record/data_record.h"
#include "data/record/data_writer.h"

// Movement block. No texts, no additions; Write is the base Write. File layout at 811:
// int32 33, 53 bytes of members in the order below, int32 0. Per-copy values are added
// once per copy index of the acting character: value + index × step.
class cEdMove : public cDataRecord {
 public:
  cEdMove();
  cEdMove(const cEdMove&) = default;
  cEdMove& operator=(const cEdMove&) = default;  // base step, then every member
  ~cEdMove() override = default;

  // Base reset (every member 0), then the class defaults: m_bMirrorAngle, m_bUseX,
  // m_bUseY, m_bTimeToTarget, m_bMirrorX, m_bFlipWithFacing 1, m_nSpeed 10, m_fBrake 1.0.
  void Reset();

  // Base Read, then for files below 811: below 158 m_bMirrorAngle := 0; below 159
  // m_nDistUnit := 0; below 162 m_bKeepFacing := 0 and m_bWithAnime := 0.
  void Read(cDataReader& in) override;
  void Write(cDataWriter& out) override;

  using cDataRecord::CopyFrom;
  // Step 2 of the command assignment for one holder.
  static void CopyFrom(boost::shared_ptr<cEdMove>& holder, const boost::shared_ptr<cEdMove>& source);

  // Members in file order ("from": first version storing it; default in brackets).
  std::int8_t m_nMode = 0;            // 1  from 0 [0]: straight 0 dir / 1 target; warp 0..5
  std::int8_t m_nDir = 0;             // 2  from 0 [0]: direction 0..12; circle: turning 0..3
  std::int16_t m_nAngle = 0;          // 3  from 0 [0]: degrees (circle start angle)
  std::int16_t m_nAngleStep = 0;      // 4  from 0 [0]: per copy
  std::int8_t m_bMirrorAngle = 1;     // 5  from 158 [1]: palette facing 1: angle := 360 − angle
  std::int8_t m_bUseX = 1;            // 6  from 0 [1]: target X takes part
  std::int8_t m_bUseY = 1;            // 7  from 0 [1]: target Y takes part
  std::int16_t m_nTargetXbl = 0;      // 8  from 0 [0]: target X in blocks
  std::int16_t m_nTargetYbl = 0;      // 9  from 0 [0]: target Y in blocks
  std::int16_t m_nTargetXdot = 0;     // 10 from 0 [0]: dots added to target X
  std::int16_t m_nTargetYdot = 0;     // 11 from 0 [0]: dots added to target Y
  std::int8_t m_nCoordKind = 0;       // 12 from 0 [0]: 0 placement, 1 character, 2 stage, 3 screen
  std::int8_t m_bTimeToTarget = 1;    // 13 from 0 [1]: remaining time := time to reach the target
  std::int8_t m_bLockX = 0;           // 14 from 0 [0]: horizontal velocity held at 0
  std::int8_t m_bLockY = 0;           // 15 from 0 [0]: vertical velocity held at 0
  std::int8_t m_bMirrorX = 1;         // 16 from 0 [1]: palette facing 1: target X negated
  std::int8_t m_bMirrorY = 0;         // 17 from 0 [0]: palette facing 1: target Y negated
  std::int8_t m_bFlipWithFacing = 1;  // 18 from 0 [1]: straight move reverses with facing
  std::int8_t m_bStopAtTarget = 0;    // 19 from 0 [0]: stop on arrival
  std::int8_t m_bKeepFacing = 0;      // 20 from 162 [0]: no turning toward the movement
  std::int8_t m_nSpeedMode = 0;       // 21 from 0 [0]: 0 time+speed, 1 time+dist, 2 speed+dist
  std::int16_t m_nSpeed = 10;         // 22 from 0 [10]: tenths of a dot per frame
  std::int16_t m_nSpeedStep = 0;      // 23 from 0 [0]: per copy
  std::int16_t m_nDist = 0;           // 24 from 0 [0]: distance; circle: end angle
  std::int16_t m_nDistStep = 0;       // 25 from 0 [0]: per copy
  std::int8_t m_nDistUnit = 0;        // 26 from 159 [0]: 0 hbl, 1 dots
  std::int16_t m_nHoming = 0;         // 27 from 0 [0]: homing sluggishness; circle radius (hbl)
  std::int16_t m_nHomingStep = 0;     // 28 from 0 [0]: per copy
  std::int8_t m_bInertia = 0;         // 29 from 0 [0]: accelerate instead of setting the speed
  std::int16_t m_nAccel = 0;          // 30 from 0 [0]: acceleration, tenths of a dot per frame
  double m_fBrake = 1.0;              // 31 from 0 [1.0]: factor for an opposing acceleration
  std::int8_t m_bWithAnime = 0;       // 32 from 162 [0]: play the command's animation
  std::int8_t m_nTargetSlot = 0;      // 33 from 767 [0]: target slot 0..3

 protected:
  void RegisterMembers(int version) override;
};

using cEdMoveHolder = boost::shared_ptr<cEdMove>;

// Puts a new movement block with the class defaults into the holder; the holder deletes
// it through boost::checked_deleter.
void CreateEdMove(cEdMoveHolder& holder);
