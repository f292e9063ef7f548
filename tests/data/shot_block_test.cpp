#include "data/flow/shot_block.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <tuple>

#include "data/common/database_list_sizes.h"
#include "platform/message_queue.h"
#include "tests/data/record_test_support.h"
#include "tests/support/byte_builder.h"
#include "tests/support/database_sizes_fixture.h"

namespace {

// A block with a distinct value in every member; every value survives the
// normalisation when the Effect database has more than 40 entries.
cEdShot ShotBlockTestSample() {
  cEdShot s;
  s.m_nCount = 3;
  s.m_nFormation = 5;
  s.m_nFormParam[0] = -1;
  s.m_nFormParam[1] = 300;
  s.m_nFormParam[2] = 7;
  s.m_nFormOrigin = 2;
  s.m_nDir = 11;
  s.m_bAimTarget = 1;
  s.m_nAimSlot = 3;
  s.m_nAngle = -45;
  s.m_nAngleStep = 10;
  s.m_bMirrorAngle = 0;
  s.m_nSpread = 180;
  s.m_bTurnFormation = 1;
  s.m_nCopies = 20;
  s.m_nOffsetX = 10;
  s.m_nOffsetXStep = 4;
  s.m_nOffsetY = -6;
  s.m_nOffsetYStep = -2;
  s.m_bMirrorOffsetX = 0;
  s.m_bMirrorOffsetY = 1;
  s.m_nGraphic = 119;
  s.m_nZ = 7;
  s.m_bHidden = 1;
  s.m_bFirerSide = 0;
  s.m_nSide = 6;
  s.m_nShotOpt25 = -7;
  s.m_nScale = 4;
  s.m_nShotOpt27 = 99;
  s.m_nTrajectory = 8;
  s.m_nTrajParam[0] = 12;
  s.m_nTrajParam[1] = -12;
  s.m_nTrajParam[2] = 1000;
  s.m_nTrajSlot = 2;
  s.m_bScrollSync = 1;
  s.m_nSpeed = -200;
  s.m_nSpeedStep = 5;
  s.m_bAccelerate = 1;
  s.m_nAccel = 150;
  s.m_nAccelStep = -3;
  s.m_nRange = 64;
  s.m_bRangeLimit = 1;
  s.m_nRangeStep = 2;
  s.m_bStopAtRange = 1;
  s.m_bLifeLimit = 1;
  s.m_nLife = 999;
  s.m_nLifeStep = 9;
  s.m_bPassBlocks = 1;
  s.m_bPierceChara = 1;
  s.m_bPierceBlockChara = 0;
  s.m_bErasable = 1;
  s.m_nVanish = 9;
  s.m_nPower = -999999;
  s.m_nShotOpt50 = -12345;
  s.m_nImpact = -20;
  s.m_nEffect = 40;
  s.m_nItemPalette = 2;
  s.m_nItemIndex = 500;
  s.m_nBlockSummonMode = 2;
  s.m_bBlockRefusePlayer = 1;
  s.m_bBlockRefuseChara = 0;
  s.m_nSummonPalette = 1;
  s.m_nSummonIndex = -2;
  s.m_nSummonSide = 2;
  s.m_bNoScore = 1;
  s.m_bSummonReverse = 1;
  s.m_bAttack = 1;
  s.m_nAttackID = 26;
  return s;
}

// The body of a shot block as a file of `version` stores it, laid out from the table of
// the file format (not from the class's registration).
Bytes ShotBody(int version, const cEdShot& s) {
  const auto at = [version](unsigned from) { return static_cast<unsigned>(version) >= from; };
  const int n = 64 - !at(671) - 2 * !at(767) - !at(158) - !at(211) - 3 * !at(213) - !at(636) - !at(197) - 2 * !at(762);
  cByteBuilder b;
  b.Count(n).I8(s.m_nCount).I8(s.m_nFormation);
  for (std::int16_t v : s.m_nFormParam) b.I16(v);
  if (at(671)) b.I8(s.m_nFormOrigin);
  b.I8(s.m_nDir).I8(s.m_bAimTarget);
  if (at(767)) b.I8(s.m_nAimSlot);
  b.I16(s.m_nAngle).I16(s.m_nAngleStep);
  if (at(158)) b.I8(s.m_bMirrorAngle);
  b.I16(s.m_nSpread).I8(s.m_bTurnFormation).I8(s.m_nCopies);
  b.I16(s.m_nOffsetX).I16(s.m_nOffsetXStep).I16(s.m_nOffsetY).I16(s.m_nOffsetYStep);
  b.I8(s.m_bMirrorOffsetX).I8(s.m_bMirrorOffsetY).I16(s.m_nGraphic).I8(s.m_nZ).I8(s.m_bHidden);
  b.I8(s.m_bFirerSide).I8(s.m_nSide).I8(s.m_nShotOpt25).I8(s.m_nScale).I8(s.m_nShotOpt27).I8(s.m_nTrajectory);
  for (std::int16_t v : s.m_nTrajParam) b.I16(v);
  if (at(767)) b.I8(s.m_nTrajSlot);
  if (at(211)) b.I8(s.m_bScrollSync);
  b.I16(s.m_nSpeed).I16(s.m_nSpeedStep);
  if (at(213)) b.I8(s.m_bAccelerate).I16(s.m_nAccel).I16(s.m_nAccelStep);
  b.I16(s.m_nRange).I8(s.m_bRangeLimit).I16(s.m_nRangeStep).I8(s.m_bStopAtRange);
  b.I8(s.m_bLifeLimit).I16(s.m_nLife).I16(s.m_nLifeStep);
  b.I8(s.m_bPassBlocks).I8(s.m_bPierceChara);
  if (at(636)) b.I8(s.m_bPierceBlockChara);
  b.I8(s.m_bErasable).I8(s.m_nVanish).I32(s.m_nPower).I16(s.m_nShotOpt50).I8(s.m_nImpact).I16(s.m_nEffect);
  b.I8(s.m_nItemPalette).I16(s.m_nItemIndex).I8(s.m_nBlockSummonMode).I8(s.m_bBlockRefusePlayer);
  if (at(197)) b.I8(s.m_bBlockRefuseChara);
  b.I8(s.m_nSummonPalette).I16(s.m_nSummonIndex).I8(s.m_nSummonSide).I8(s.m_bNoScore).I8(s.m_bSummonReverse);
  if (at(762)) b.I8(s.m_bAttack).I8(s.m_nAttackID);
  b.Count(0);
  return b.Get();
}

// The members that versions before 811 lack or convert.
using ShotBlockTestGatedValues = std::tuple<std::int8_t, std::int8_t, std::int8_t, std::int8_t, std::int8_t, std::int8_t,
                               std::int16_t, std::int16_t, std::int8_t, std::int8_t, std::int8_t, std::int8_t>;
auto ShotBlockTestGatedMembers(cEdShot& s) {
  return std::tie(s.m_bMirrorAngle, s.m_nFormOrigin, s.m_nAimSlot, s.m_nTrajSlot, s.m_bScrollSync, s.m_bAccelerate,
                  s.m_nAccel, s.m_nAccelStep, s.m_bPierceBlockChara, s.m_bBlockRefuseChara, s.m_bAttack,
                  s.m_nAttackID);
}

// The Effect database long enough that no effect of the tests is repaired. Write
// normalises the block it writes, so the tests write copies (WrittenCopy).
class ShotBlockTest : public cRecordReadTest {
 protected:
  void SetUp() override {
    SetDatabaseSize(DBKIND_EFFECT, 100);
    cRecordReadTest::SetUp();
  }
  void TearDown() override {
    RestoreDatabaseAndPalettes();
    cRecordReadTest::TearDown();
  }
};

TEST_F(ShotBlockTest, NewBlockHoldsTheDefaults) {
  cEdShotHolder holder;
  CreateEdShot(holder);
  ASSERT_TRUE(holder);
  const cEdShot& s = *holder;
  EXPECT_EQ(s.m_bMirrorAngle, 1);
  EXPECT_EQ(s.m_bMirrorOffsetX, 1);
  EXPECT_EQ(s.m_bMirrorOffsetY, 0);
  EXPECT_EQ(s.m_bFirerSide, 1);
  EXPECT_EQ(s.m_nScale, 1);
  EXPECT_EQ(s.m_nAimSlot, 0);
  EXPECT_EQ(s.m_nTrajSlot, 0);
  EXPECT_EQ(s.RegisteredVersion(), 811);
  // 0 elsewhere: the 97 bytes hold exactly these four 1s.
  const Bytes bytes = WrittenCopy(s);
  ASSERT_EQ(bytes.size(), 4u + 97u + 4u);
  int ones = 0, others = 0;
  for (std::size_t i = 4; i < 4 + 97; ++i) {
    if (bytes[i] == 1) ++ones;
    else if (bytes[i] != 0) ++others;
  }
  EXPECT_EQ(ones, 4);
  EXPECT_EQ(others, 0);
  cEdShot plain;
  ExpectSameMembers(plain, s);

  cEdShot changed = ShotBlockTestSample();
  changed.Reset();
  ExpectSameMembers(changed, s);
}

TEST_F(ShotBlockTest, GoldenBytesAt811) {
  const cEdShot s = ShotBlockTestSample();
  const Bytes bytes = WrittenCopy(s);
  ASSERT_EQ(bytes.size(), 4u + 97u + 4u);
  EXPECT_EQ(bytes, ShotBody(811, s));
  EXPECT_EQ(s.Members().size(), 64u);
  EXPECT_EQ(RegisteredBytes(s), 97);
  // Spot checks: N, the first formation parameter, m_nScale at body offset 38, the
  // 32-bit power at 74 and the last byte.
  EXPECT_EQ(bytes[0], 64);
  EXPECT_EQ(bytes[4 + 2], 0xFF);
  EXPECT_EQ(bytes[4 + 3], 0xFF);
  EXPECT_EQ(bytes[4 + 38], 4);
  const Bytes power = {bytes[4 + 74], bytes[4 + 75], bytes[4 + 76], bytes[4 + 77]};
  EXPECT_EQ(power, (cByteBuilder().I32(-999999).Get()));
  EXPECT_EQ(bytes[4 + 96], 26);

  cEdShot back;
  ReadAt(back, 811, bytes);
  ExpectSameMembers(back, s);
  EXPECT_EQ(back.m_nEffect, 40);
  EXPECT_EQ(m_nLeft, 0u);
}

TEST_F(ShotBlockTest, MemberCountsPerVersion) {
  ExpectRegistrations<cEdShot>({{811, 64, 97}, {767, 64, 97}, {766, 62, 95}, {762, 62, 95}, {761, 60, 93},
                                {671, 60, 93}, {670, 59, 92}, {636, 59, 92}, {635, 58, 91}, {213, 58, 91},
                                {212, 55, 86}, {211, 55, 86}, {210, 54, 85}, {197, 54, 85}, {196, 53, 84},
                                {158, 53, 84}, {157, 52, 83}});
}

// One row per version gate and conversion. The stored block has values in the gated
// members that differ from what any conversion sets; the block read into holds 9 in
// them beforehand, so a member the file lacks and no conversion sets shows 9.
TEST_F(ShotBlockTest, OldVersionsAndTheirConversions) {
  struct Case {
    int version;
    // mirror angle, form origin, aim slot, trajectory slot, scroll sync, accelerate, accel,
    // accel step, pierce block chara, refuse chara, attack, attack ID
    ShotBlockTestGatedValues gated;
  };
  // Stored: trajectory 6 (homing), m_bScrollSync 2, m_bPierceChara 1 with
  // m_bPierceBlockChara 2, m_bBlockRefusePlayer 1 with m_bBlockRefuseChara 2.
  const Case cases[] = {
      {157, {0, 0, 9, 9, 1, 0, 0, 0, 1, 1, 9, 9}},    // below 158: mirror angle 0
      {158, {2, 0, 9, 9, 1, 0, 0, 0, 1, 1, 9, 9}},    // mirror angle stored
      {196, {2, 0, 9, 9, 1, 0, 0, 0, 1, 1, 9, 9}},    // below 197: refuse chara := refuse player
      {197, {2, 0, 9, 9, 1, 0, 0, 0, 1, 2, 9, 9}},    // refuse chara stored
      {210, {2, 0, 9, 9, 1, 0, 0, 0, 1, 2, 9, 9}},    // scroll sync absent: by trajectory
      {211, {2, 0, 9, 9, 1, 0, 0, 0, 1, 2, 9, 9}},    // scroll sync stored, still set by trajectory
      {212, {2, 0, 9, 9, 2, 0, 0, 0, 1, 2, 9, 9}},    // scroll sync as stored; accel absent: 0
      {213, {2, 0, 9, 9, 2, 1, -7, 3, 1, 2, 9, 9}},   // accel stored
      {635, {2, 0, 9, 9, 2, 1, -7, 3, 1, 2, 9, 9}},   // below 636: pierce block chara := pierce chara
      {636, {2, 0, 9, 9, 2, 1, -7, 3, 2, 2, 9, 9}},   // stored
      {670, {2, 0, 9, 9, 2, 1, -7, 3, 2, 2, 9, 9}},   // below 671: form origin 0
      {671, {2, 2, 9, 9, 2, 1, -7, 3, 2, 2, 9, 9}},   // stored
      {761, {2, 2, 9, 9, 2, 1, -7, 3, 2, 2, 9, 9}},   // attack absent: kept
      {762, {2, 2, 9, 9, 2, 1, -7, 3, 2, 2, 1, 25}},  // attack stored
      {766, {2, 2, 9, 9, 2, 1, -7, 3, 2, 2, 1, 25}},  // slots absent: kept
      {767, {2, 2, 3, 1, 2, 1, -7, 3, 2, 2, 1, 25}},  // slots stored
      {811, {2, 2, 3, 1, 2, 1, -7, 3, 2, 2, 1, 25}},
  };
  cEdShot stored = ShotBlockTestSample();
  ShotBlockTestGatedMembers(stored) = ShotBlockTestGatedValues{2, 2, 3, 1, 2, 1, -7, 3, 2, 2, 1, 25};
  stored.m_nTrajectory = 6;
  stored.m_bPierceChara = 1;
  stored.m_bBlockRefusePlayer = 1;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.version);
    cEdShot s;
    ShotBlockTestGatedMembers(s) = ShotBlockTestGatedValues{9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9};
    ReadAt(s, c.version, ShotBody(c.version, stored));
    EXPECT_EQ(m_nLeft, 0u);
    EXPECT_FALSE(m_bDamaged);
    EXPECT_EQ(ShotBlockTestGatedValues(ShotBlockTestGatedMembers(s)), c.gated);
    // Every other member is read as stored.
    cEdShot expect = stored;
    ShotBlockTestGatedMembers(expect) = c.gated;
    ExpectSameMembers(s, expect);
    EXPECT_EQ(s.RegisteredVersion(), 811);
  }
}

TEST_F(ShotBlockTest, ScrollSyncOfOldFilesFollowsTheHomingTrajectories) {
  for (int trajectory = -1; trajectory <= 10; ++trajectory) {
    SCOPED_TRACE(trajectory);
    cEdShot stored;
    stored.m_nTrajectory = static_cast<std::int8_t>(trajectory);
    stored.m_bScrollSync = 1;
    cEdShot s;
    ReadAt(s, 205, ShotBody(205, stored));
    EXPECT_EQ(s.m_bScrollSync, trajectory >= 4 && trajectory <= 7 ? 1 : 0);
  }
}

TEST_F(ShotBlockTest, PierceAndRefuseTakeTheOlderFlagBelowTheirVersions) {
  for (std::int8_t flag : {0, 1}) {
    cEdShot stored;
    stored.m_bPierceChara = flag;
    stored.m_bBlockRefusePlayer = flag;
    cEdShot s;
    s.m_bPierceBlockChara = s.m_bBlockRefuseChara = 5;
    ReadAt(s, 635, ShotBody(635, stored));
    EXPECT_EQ(s.m_bPierceBlockChara, flag);
    EXPECT_EQ(s.m_bBlockRefuseChara, 0);  // 635 stores it (from 197): the stored 0
    cEdShot t;
    ReadAt(t, 196, ShotBody(196, stored));
    EXPECT_EQ(t.m_bBlockRefuseChara, flag);
    EXPECT_EQ(t.m_bPierceBlockChara, flag);
  }
}

TEST_F(ShotBlockTest, NormalisationRepairs) {
  struct Case {
    const char* what;
    std::int8_t scale;
    std::int16_t effect;
    int effects;  // length of the Effect database
    std::int8_t expectScale;
    std::int16_t expectEffect;
  };
  const Case cases[] = {
      {"scale 0", 0, 0, 5, 1, 0},
      {"scale -3", -3, 0, 5, 1, 0},
      {"scale -128", -128, 0, 5, 1, 0},
      {"scale 1", 1, 0, 5, 1, 0},
      {"scale 127", 127, 0, 5, 127, 0},
      {"effect = length", 1, 5, 5, 1, 0},
      {"effect last", 1, 4, 5, 1, 4},
      {"effect above", 1, 32767, 5, 1, 0},
      {"effect -1 (compared unsigned)", 1, -1, 5, 1, 0},
      {"effect -32768", 1, -32768, 5, 1, 0},
      {"effect -1, huge database", 1, -1, 70000, 1, 0},
      {"empty database", 1, 0, 0, 1, 0},
      {"empty database, effect 3", 1, 3, 0, 1, 0},
      {"database of one", 1, 0, 1, 1, 0},
      {"database of one, effect 1", 1, 1, 1, 1, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SetDatabaseSize(DBKIND_EFFECT, c.effects);
    cEdShot s;
    s.m_nScale = c.scale;
    s.m_nEffect = c.effect;
    s.Normalize();
    EXPECT_EQ(s.m_nScale, c.expectScale);
    EXPECT_EQ(s.m_nEffect, c.expectEffect);

    // Reading repairs too, at every version (also 811).
    for (int version : {811, 100}) {
      cEdShot stored;
      stored.m_nScale = c.scale;
      stored.m_nEffect = c.effect;
      cEdShot r;
      ReadAt(r, version, ShotBody(version, stored));
      EXPECT_EQ(r.m_nScale, c.expectScale);
      EXPECT_EQ(r.m_nEffect, c.expectEffect);
    }
  }
}

TEST_F(ShotBlockTest, WritingNormalisesFirst) {
  SetDatabaseSize(DBKIND_EFFECT, 5);
  cEdShot s;
  s.m_nScale = 0;
  s.m_nEffect = -1;
  cDataWriter out;
  s.Write(out);
  EXPECT_EQ(s.m_nScale, 1);  // the block itself is normalised
  EXPECT_EQ(s.m_nEffect, 0);
  cEdShot expect;
  EXPECT_EQ(out.Bytes(), ShotBody(811, expect));
}

TEST_F(ShotBlockTest, IndexedOffsets) {
  cEdShot s;
  s.m_nOffsetX = 10;
  s.m_nOffsetXStep = 4;
  s.m_nOffsetY = 10;
  s.m_nOffsetYStep = 4;
  EXPECT_EQ(s.GetIndexedOffsetX(2, 1), -18.0);  // m_bMirrorOffsetX 1 by default
  EXPECT_EQ(s.GetIndexedOffsetX(2, 0), 18.0);
  EXPECT_EQ(s.GetIndexedOffsetX(0, 1), -10.0);
  EXPECT_EQ(s.GetIndexedOffsetY(2, 1), 18.0);  // m_bMirrorOffsetY 0 by default
  s.m_bMirrorOffsetY = 1;
  EXPECT_EQ(s.GetIndexedOffsetY(2, 1), -18.0);
  EXPECT_EQ(s.GetIndexedOffsetY(2, 0), 18.0);
  EXPECT_EQ(s.GetIndexedOffsetY(2, 2), 18.0);  // only facing 1 mirrors
  s.m_bMirrorOffsetX = 0;
  EXPECT_EQ(s.GetIndexedOffsetX(2, 1), 18.0);
  s.m_bMirrorOffsetX = 2;  // any set flag
  EXPECT_EQ(s.GetIndexedOffsetX(2, 1), -18.0);
  // 32-bit arithmetic with the extreme stored values.
  s.m_nOffsetX = -32768;
  s.m_nOffsetXStep = -32768;
  EXPECT_EQ(s.GetIndexedOffsetX(20, 0), -688128.0);
  EXPECT_EQ(s.GetIndexedOffsetX(20, 1), 688128.0);
  // Wraps in 32 bits instead of overflowing.
  s.m_nOffsetX = 0;
  s.m_nOffsetXStep = 2;
  EXPECT_EQ(s.GetIndexedOffsetX(INT_MAX, 0), -2.0);
}

TEST_F(ShotBlockTest, CopiesAndHolders) {
  cEdShot s = ShotBlockTestSample();
  cEdShot copy(s);
  ExpectSameMembers(copy, s);
  EXPECT_EQ(copy.RegisteredVersion(), 811);
  cEdShot assigned;
  assigned = s;
  ExpectSameMembers(assigned, s);

  cEdShotHolder source;
  CreateEdShot(source);
  *source = ShotBlockTestSample();
  cEdShotHolder target;
  ExpectHolderCopies(source, target, &cEdShot::m_nPower, -999999, 1);
}

TEST_F(ShotBlockTest, DamagedAndTruncatedInput) {
  const cEdShot sample = ShotBlockTestSample();
  const Bytes bytes = ShotBody(811, sample);
  ReadEveryPrefix(bytes, [&](const Bytes& cut) {
    cEdShot s;
    ReadAt(s, 811, cut);
    EXPECT_GE(s.m_nScale, 1);  // normalised whatever was read
  });
  // Cut inside the power: what lies before is read, the rest keeps the defaults.
  cEdShot s;
  ReadAt(s, 811, FirstBytes(bytes, 4 + 76));
  EXPECT_EQ(s.m_nVanish, sample.m_nVanish);
  EXPECT_EQ(s.m_nPower, 0);
  EXPECT_EQ(s.m_nAttackID, 0);

  EXPECT_EQ(ReadDamaged<cEdShot>(811, cByteBuilder().Count(0x7FFFFFFF).I8(1).Get(), DATADAMAGE_COUNT_PAST_END).m_nScale, 1);
  ReadDamaged<cEdShot>(811, cByteBuilder().Count(-1).Fill(200).Get(), DATADAMAGE_NEGATIVE_COUNT);
  ReadDamaged<cEdShot>(811, cByteBuilder().Count(100).Fill(200).Get(), DATADAMAGE_SURPLUS_MEMBERS);

  // A few surplus members are reported, land in m_nCount, and the text count is found.
  ClearPostedMessages();
  cEdShot t;
  ReadAt(t, 811, WithSurplusMembers(ShotBody(811, sample), {0x01, 0x02}));
  EXPECT_FALSE(m_bDamaged);
  EXPECT_EQ(t.m_nCount, 2);
  EXPECT_EQ(m_nLeft, 0u);
  EXPECT_EQ(CountPostedMessages(WM_CLOSE), 2);
}

}  // namespace
