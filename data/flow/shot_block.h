#pragma once
// The shot block of a flow command, held by cFlowCmd::m_pShot: shots,
// swords and the summons of blocks, characters and items. A shot object embeds a copy.
#include <cstddef>
#include <cstdint>

#include <boost/checked_delete.hpp>
#include <boost/shared_ptr.hpp>

#include "data/record/data_reader.h"
#include "data/record/data_record.h"
#include "data/record/data_writer.h"

// Shot block. No texts, no additions. File layout at 811: int32 64, 97 bytes of members
// in the order below, int32 0. A command fires m_nCopies + 1 volleys (copy index 0 to
// m_nCopies) of m_nCount shots each; per-copy values: value + index × step.
class cEdShot : public cDataRecord {
 public:
  cEdShot();
  cEdShot(const cEdShot&) = default;             // tables and every member
  cEdShot& operator=(const cEdShot&) = default;  // base step, then every member
  ~cEdShot() override = default;

  // Base reset (every member 0), then the class defaults: m_bMirrorAngle,
  // m_bMirrorOffsetX, m_bFirerSide, m_nScale 1.
  void Reset();

  // Base Read; for files below 811 the conversions of old files; then Normalize (every
  // version).
  void Read(cDataReader& in) override;
  // Normalize, then the base Write.
  void Write(cDataWriter& out) override;

  // m_nScale ≤ 0 becomes 1; m_nEffect, sign-extended and compared unsigned, not below
  // the Effect database's length becomes 0 (so a negative index becomes 0 as well).
  void Normalize();

  // Launch offset of volley n for the facing dir (0 left, 1 right):
  // n × step + offset in 32-bit integers, negated when dir is 1 and the mirror flag is set.
  double GetIndexedOffsetX(int n, int dir) const;
  double GetIndexedOffsetY(int n, int dir) const;

  using cDataRecord::CopyFrom;
  // Step 2 of the command assignment for one holder.
  static void CopyFrom(boost::shared_ptr<cEdShot>& holder, const boost::shared_ptr<cEdShot>& source);

  // Members in file order ("from": first version storing it; default in brackets).
  std::int8_t m_nCount = 0;               // 1  from 0: shots per volley; ≤ 0 none
  std::int8_t m_nFormation = 0;           // 2  from 0: a SHOTFORM value
  std::int16_t m_nFormParam[3] = {};      // 3  from 0: formation parameters
  std::int8_t m_nFormOrigin = 0;          // 4  from 671: 0 target, 1 player 1, 2 firer
  std::int8_t m_nDir = 0;                 // 5  from 0: direction 0..12
  std::int8_t m_bAimTarget = 0;           // 6  from 0: fly toward target slot m_nAimSlot
  std::int8_t m_nAimSlot = 0;             // 7  from 767: target slot 0..3
  std::int16_t m_nAngle = 0;              // 8  from 0: angle offset, degrees
  std::int16_t m_nAngleStep = 0;          // 9  from 0: per copy
  std::int8_t m_bMirrorAngle = 1;         // 10 from 158 [1]: facing 1: 360 − offset
  std::int16_t m_nSpread = 0;             // 11 from 0: random deviation 0..180
  std::int8_t m_bTurnFormation = 0;       // 12 from 0: launch positions turn with the angle
  std::int8_t m_nCopies = 0;              // 13 from 0: further volleys 0..20
  std::int16_t m_nOffsetX = 0;            // 14 from 0: launch offset X, dots
  std::int16_t m_nOffsetXStep = 0;        // 15 from 0: per copy
  std::int16_t m_nOffsetY = 0;            // 16 from 0: launch offset Y, dots
  std::int16_t m_nOffsetYStep = 0;        // 17 from 0: per copy
  std::int8_t m_bMirrorOffsetX = 1;       // 18 from 0 [1]: X offset negated facing right
  std::int8_t m_bMirrorOffsetY = 0;       // 19 from 0: Y offset negated facing right
  std::int16_t m_nGraphic = 0;            // 20 from 0: graphic number
  std::int8_t m_nZ = 0;                   // 21 from 0: Z layer 0..7
  std::int8_t m_bHidden = 0;              // 22 from 0: not drawn
  std::int8_t m_bFirerSide = 1;           // 23 from 0 [1]: take the firer's side
  std::int8_t m_nSide = 0;                // 24 from 0: side 0..7
  std::int8_t m_nShotOpt25 = 0;           // 25 from 0: kept, no behaviour
  std::int8_t m_nScale = 1;               // 26 from 0 [1]: size factor, ≥ 1 after Normalize
  std::int8_t m_nShotOpt27 = 0;           // 27 from 0: kept, no behaviour
  std::int8_t m_nTrajectory = 0;          // 28 from 0: a SHOTTRAJ value; sword: SwordType index
  std::int16_t m_nTrajParam[3] = {};      // 29 from 0: trajectory parameters
  std::int8_t m_nTrajSlot = 0;            // 30 from 767: target slot 0..3 of the shot
  std::int8_t m_bScrollSync = 0;          // 31 from 211: moves with the automatic scroll
  std::int16_t m_nSpeed = 0;              // 32 from 0: −200..200, × 0.1
  std::int16_t m_nSpeedStep = 0;          // 33 from 0: per copy
  std::int8_t m_bAccelerate = 0;          // 34 from 213: accelerates
  std::int16_t m_nAccel = 0;              // 35 from 213: −200..200
  std::int16_t m_nAccelStep = 0;          // 36 from 213: per copy
  std::int16_t m_nRange = 0;              // 37 from 0: hbl 0..64 (summons: tenths 1..9999)
  std::int8_t m_bRangeLimit = 0;          // 38 from 0: flight ends after m_nRange
  std::int16_t m_nRangeStep = 0;          // 39 from 0: per copy
  std::int8_t m_bStopAtRange = 0;         // 40 from 0: 1 stop and stay, 0 vanish
  std::int8_t m_bLifeLimit = 0;           // 41 from 0: vanishes after m_nLife
  std::int16_t m_nLife = 0;               // 42 from 0: tenths of a second 1..999
  std::int16_t m_nLifeStep = 0;           // 43 from 0: per copy
  std::int8_t m_bPassBlocks = 0;          // 44 from 0: 1 never touches solid blocks
  std::int8_t m_bPierceChara = 0;         // 45 from 0: 1 flies on after a character hit
  std::int8_t m_bPierceBlockChara = 0;    // 46 from 636: the same for block characters
  std::int8_t m_bErasable = 0;            // 47 from 0: erasable by other shots
  std::int8_t m_nVanish = 0;              // 48 from 0: vanish value 1..9
  std::int32_t m_nPower = 0;              // 49 from 0: power −999999..999999
  std::int16_t m_nShotOpt50 = 0;          // 50 from 0: kept, no behaviour
  std::int8_t m_nImpact = 0;              // 51 from 0: impact −20..20
  std::int16_t m_nEffect = 0;             // 52 from 0: Effect database index
  std::int8_t m_nItemPalette = 0;         // 53 from 0: 0 none, 1 common, 2 stage
  std::int16_t m_nItemIndex = 0;          // 54 from 0: item entry of that palette
  std::int8_t m_nBlockSummonMode = 0;     // 55 from 0: 0 place, 1 clear, 2 toggle
  std::int8_t m_bBlockRefusePlayer = 0;   // 56 from 0: not placed over a player character
  std::int8_t m_bBlockRefuseChara = 0;    // 57 from 197: not placed over other characters
  std::int8_t m_nSummonPalette = 0;       // 58 from 0: 0 common, 1 stage
  std::int16_t m_nSummonIndex = 0;        // 59 from 0: entry of that palette
  std::int8_t m_nSummonSide = 0;          // 60 from 0: 0 palette, 1 summoner, 2 m_nSide
  std::int8_t m_bNoScore = 0;             // 61 from 0: summoned character gives no score
  std::int8_t m_bSummonReverse = 0;       // 62 from 0: summoned character faces the other way
  std::int8_t m_bAttack = 0;              // 63 from 762: hits count as the firer's attacks
  std::int8_t m_nAttackID = 0;            // 64 from 762: 0 all, 1..26 flows with that ID

 protected:
  void RegisterMembers(int version) override;
};

using cEdShotHolder = boost::shared_ptr<cEdShot>;

// Puts a new shot block with the class defaults into the holder; the holder deletes it
// through boost::checked_deleter.
void CreateEdShot(cEdShotHolder& holder);
