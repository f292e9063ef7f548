#include "data/flow/movement_block.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <tuple>

#include "tests/data/record_test_support.h"
#include "tests/support/byte_builder.h"

namespace {

// A block with a distinct value in every member.
cEdMove Sample() {
  cEdMove m;
  m.m_nMode = 5;
  m.m_nDir = 12;
  m.m_nAngle = -90;
  m.m_nAngleStep = 15;
  m.m_bMirrorAngle = 0;
  m.m_bUseX = 0;
  m.m_bUseY = 2;
  m.m_nTargetXbl = 100;
  m.m_nTargetYbl = -3;
  m.m_nTargetXdot = 31;
  m.m_nTargetYdot = -31;
  m.m_nCoordKind = 3;
  m.m_bTimeToTarget = 0;
  m.m_bLockX = 1;
  m.m_bLockY = 1;
  m.m_bMirrorX = 0;
  m.m_bMirrorY = 1;
  m.m_bFlipWithFacing = 0;
  m.m_bStopAtTarget = 1;
  m.m_bKeepFacing = 1;
  m.m_nSpeedMode = 2;
  m.m_nSpeed = 200;
  m.m_nSpeedStep = -7;
  m.m_nDist = 640;
  m.m_nDistStep = 16;
  m.m_nDistUnit = 1;
  m.m_nHoming = 20;
  m.m_nHomingStep = 2;
  m.m_bInertia = 1;
  m.m_nAccel = -25;
  m.m_fBrake = 0.25;
  m.m_bWithAnime = 1;
  m.m_nTargetSlot = 3;
  return m;
}

// The body of a movement block as a file of `version` stores it, laid out from the table
// of the file format (not from the class's registration).
Bytes MoveBody(int version, const cEdMove& m) {
  const auto at = [version](unsigned from) { return static_cast<unsigned>(version) >= from; };
  const int n = 33 - !at(158) - !at(159) - 2 * !at(162) - !at(767);
  cByteBuilder b;
  b.Count(n).I8(m.m_nMode).I8(m.m_nDir).I16(m.m_nAngle).I16(m.m_nAngleStep);
  if (at(158)) b.I8(m.m_bMirrorAngle);
  b.I8(m.m_bUseX).I8(m.m_bUseY).I16(m.m_nTargetXbl).I16(m.m_nTargetYbl).I16(m.m_nTargetXdot).I16(m.m_nTargetYdot);
  b.I8(m.m_nCoordKind).I8(m.m_bTimeToTarget).I8(m.m_bLockX).I8(m.m_bLockY).I8(m.m_bMirrorX).I8(m.m_bMirrorY);
  b.I8(m.m_bFlipWithFacing).I8(m.m_bStopAtTarget);
  if (at(162)) b.I8(m.m_bKeepFacing);
  b.I8(m.m_nSpeedMode).I16(m.m_nSpeed).I16(m.m_nSpeedStep).I16(m.m_nDist).I16(m.m_nDistStep);
  if (at(159)) b.I8(m.m_nDistUnit);
  b.I16(m.m_nHoming).I16(m.m_nHomingStep).I8(m.m_bInertia).I16(m.m_nAccel).F64(m.m_fBrake);
  if (at(162)) b.I8(m.m_bWithAnime);
  if (at(767)) b.I8(m.m_nTargetSlot);
  b.Count(0);
  return b.Get();
}

// The members that versions before 811 lack or convert.
using GatedValues = std::tuple<std::int8_t, std::int8_t, std::int8_t, std::int8_t, std::int8_t>;
auto GatedMembers(cEdMove& m) {
  return std::tie(m.m_bMirrorAngle, m.m_nDistUnit, m.m_bKeepFacing, m.m_bWithAnime, m.m_nTargetSlot);
}

using MovementBlockTest = cRecordReadTest;

TEST_F(MovementBlockTest, NewBlockHoldsTheDefaults) {
  cEdMoveHolder holder;
  CreateEdMove(holder);
  ASSERT_TRUE(holder);
  const cEdMove& m = *holder;
  EXPECT_EQ(m.m_bMirrorAngle, 1);
  EXPECT_EQ(m.m_bUseX, 1);
  EXPECT_EQ(m.m_bUseY, 1);
  EXPECT_EQ(m.m_bTimeToTarget, 1);
  EXPECT_EQ(m.m_bMirrorX, 1);
  EXPECT_EQ(m.m_bMirrorY, 0);
  EXPECT_EQ(m.m_bFlipWithFacing, 1);
  EXPECT_EQ(m.m_nSpeed, 10);
  EXPECT_EQ(m.m_fBrake, 1.0);
  EXPECT_EQ(m.RegisteredVersion(), 811);

  // 0 elsewhere: the defaults written out are the 53 bytes with only those set.
  const Bytes expect = cByteBuilder()
                           .Count(33)
                           .I8(0).I8(0).I16(0).I16(0).I8(1)         // mode, dir, angle, step, mirror angle
                           .I8(1).I8(1).I16(0).I16(0).I16(0).I16(0)  // use x/y, targets
                           .I8(0).I8(1).I8(0).I8(0).I8(1).I8(0).I8(1).I8(0)
                           .I8(0).I8(0).I16(10).I16(0).I16(0).I16(0).I8(0)
                           .I16(0).I16(0).I8(0).I16(0).F64(1.0).I8(0).I8(0)
                           .Count(0)
                           .Get();
  EXPECT_EQ(WrittenCopy(m), expect);

  // Reset brings a changed block back to the defaults.
  cEdMove changed = Sample();
  changed.Reset();
  ExpectSameMembers(changed, m);
}

TEST_F(MovementBlockTest, GoldenBytesAt811) {
  cEdMove m = Sample();
  const Bytes bytes = Written(m);
  ASSERT_EQ(bytes.size(), 4u + 53u + 4u);
  EXPECT_EQ(bytes, MoveBody(811, m));
  EXPECT_EQ(m.Members().size(), 33u);
  EXPECT_EQ(RegisteredBytes(m), 53);
  // Spot checks of the layout: N, the brake double at body offset 43, the last byte.
  EXPECT_EQ(bytes[0], 33);
  double brake = 0;
  std::memcpy(&brake, bytes.data() + 4 + 43, 8);
  EXPECT_EQ(brake, 0.25);
  EXPECT_EQ(bytes[4 + 52], 3);  // m_nTargetSlot

  cEdMove back;
  ReadAt(back, 811, bytes);
  ExpectSameMembers(back, m);
  EXPECT_EQ(m_nLeft, 0u);
}

TEST_F(MovementBlockTest, MemberCountsPerVersion) {
  ExpectRegistrations<cEdMove>({{811, 33, 53}, {767, 33, 53}, {766, 32, 52}, {162, 32, 52},
                                {161, 30, 50}, {159, 30, 50}, {158, 29, 49}, {157, 28, 48}});
}

// One row per version gate and conversion: the stored block has 1 in every gated member
// except the target slot (2); the block read into holds 5 in them beforehand, so a
// member the file lacks and no conversion sets shows 5.
TEST_F(MovementBlockTest, OldVersionsAndTheirConversions) {
  struct Case {
    int version;
    GatedValues gated;  // mirror angle, dist unit, keep facing, with anime, target slot
  };
  const Case cases[] = {
      {157, {0, 0, 0, 0, 5}},  // below 158, 159, 162: set to 0
      {158, {1, 0, 0, 0, 5}},  // m_bMirrorAngle stored
      {159, {1, 1, 0, 0, 5}},  // m_nDistUnit stored
      {161, {1, 1, 0, 0, 5}},
      {162, {1, 1, 1, 1, 5}},  // m_bKeepFacing, m_bWithAnime stored
      {766, {1, 1, 1, 1, 5}},  // m_nTargetSlot not stored: kept
      {767, {1, 1, 1, 1, 2}},
      {811, {1, 1, 1, 1, 2}},
  };
  cEdMove stored = Sample();
  GatedMembers(stored) = GatedValues{1, 1, 1, 1, 2};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.version);
    cEdMove m;
    GatedMembers(m) = GatedValues{5, 5, 5, 5, 5};
    ReadAt(m, c.version, MoveBody(c.version, stored));
    EXPECT_EQ(m_nLeft, 0u);
    EXPECT_EQ(GatedValues(GatedMembers(m)), c.gated);
    // Every ungated member is read as stored.
    cEdMove expect = stored;
    GatedMembers(expect) = c.gated;
    ExpectSameMembers(m, expect);
    EXPECT_EQ(m.RegisteredVersion(), 811);
  }
}

TEST_F(MovementBlockTest, Version157BodyReadIntoANewBlock) {
  cEdMoveHolder holder;
  CreateEdMove(holder);
  cEdMove defaults;
  ReadAt(*holder, 157, MoveBody(157, defaults));
  EXPECT_EQ(holder->m_bMirrorAngle, 0);
  EXPECT_EQ(holder->m_bKeepFacing, 0);
  EXPECT_EQ(holder->m_nSpeed, 10);
  // The upgrade path: written again, the block is a version-811 block.
  EXPECT_EQ(Written(*holder).size(), 61u);
}

TEST_F(MovementBlockTest, CopiesAndHolders) {
  cEdMoveHolder source;
  CreateEdMove(source);
  *source = Sample();
  ExpectSameMembers(*source, Sample());

  cEdMoveHolder target;
  CreateEdMove(target);
  ExpectHolderCopies(source, target, &cEdMove::m_nSpeed, 200, 1);
}

TEST_F(MovementBlockTest, DamagedAndTruncatedInput) {
  const cEdMove sample = Sample();
  const Bytes bytes = MoveBody(811, sample);
  ReadEveryPrefix(bytes, [&](const Bytes& cut) {
    cEdMove m;
    ReadAt(m, 811, cut);
  });
  // Cut inside the brake: the members before it are read, the brake keeps its default.
  cEdMove m;
  ReadAt(m, 811, FirstBytes(bytes, 4 + 46));
  EXPECT_EQ(m.m_nAccel, sample.m_nAccel);
  EXPECT_EQ(m.m_fBrake, 1.0);
  EXPECT_EQ(m.m_nTargetSlot, 0);

  // Impossible member counts.
  ReadDamaged<cEdMove>(811, cByteBuilder().Count(0x7FFFFFFF).I8(1).Get(), DATADAMAGE_COUNT_PAST_END);
  ReadDamaged<cEdMove>(811, cByteBuilder().Count(-5).Fill(60).Get(), DATADAMAGE_NEGATIVE_COUNT);
  // Far more members than the 33 of the version: reported a few times, then damaged.
  ReadDamaged<cEdMove>(811, cByteBuilder().Count(200).Fill(300).Get(), DATADAMAGE_SURPLUS_MEMBERS);
}

}  // namespace
