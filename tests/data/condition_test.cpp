#include "data/flow/condition.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "data/flow/flow_enumerations.h"
#include "data/record/data_lists.h"
#include "platform/message_queue.h"
#include "tests/data/record_test_support.h"
#include "tests/support/byte_builder.h"

namespace {

// The member values of a condition, in file order.
struct CondValues {
  std::int8_t kind = 0;
  std::int32_t value = 0;
  std::int32_t randMin = 0;
  std::int32_t randMax = 0;
  std::int8_t subject = 0;
  std::int8_t select = 0;
  std::int8_t leftSrc = 0;
  std::int8_t leftVarKind = 0;
  std::int16_t varIndex = 0;
  std::int8_t rightSrc = 0;
  std::int8_t rightSubject = 0;
  std::int8_t rightSelect = 0;
  std::int8_t rightVarKind = 0;
  std::int16_t rightVarIndex = 0;
  std::int8_t cmp = 0;
  std::int8_t percent = 0;
  std::int8_t shape = 0;
  bool operator==(const CondValues&) const = default;
};

CondValues ValuesOf(const cCond& c) {
  return {c.m_nKind,     c.m_nValue,        c.m_nRandMin,      c.m_nRandMax,      c.m_nSubject,  c.m_nSelect,
          c.m_nLeftSrc,  c.m_nLeftVarKind,  c.m_nVarIndex,     c.m_nRightSrc,     c.m_nRightSubject,
          c.m_nRightSelect, c.m_nRightVarKind, c.m_nRightVarIndex, c.m_nCmp,     c.m_bPercentOfMax, c.m_nShape};
}

void SetValues(cCond& c, const CondValues& v) {
  c.m_nKind = v.kind;
  c.m_nValue = v.value;
  c.m_nRandMin = v.randMin;
  c.m_nRandMax = v.randMax;
  c.m_nSubject = v.subject;
  c.m_nSelect = v.select;
  c.m_nLeftSrc = v.leftSrc;
  c.m_nLeftVarKind = v.leftVarKind;
  c.m_nVarIndex = v.varIndex;
  c.m_nRightSrc = v.rightSrc;
  c.m_nRightSubject = v.rightSubject;
  c.m_nRightSelect = v.rightSelect;
  c.m_nRightVarKind = v.rightVarKind;
  c.m_nRightVarIndex = v.rightVarIndex;
  c.m_nCmp = v.cmp;
  c.m_bPercentOfMax = v.percent;
  c.m_nShape = v.shape;
}

// The body of a condition as a file of `version` stores it, laid out from the table of
// the file format (not from the class's registration). Below 110 the two old 16-bit values
// hold `oldPair`.
Bytes CondBody(int version, const CondValues& v, std::int16_t oldPair = 0x7777) {
  const auto at = [version](unsigned from) { return static_cast<unsigned>(version) >= from; };
  cByteBuilder b;
  b.Count(at(110) ? 17 : at(43) ? 7 : 6);
  b.I8(v.kind).I32(v.value);
  if (at(110)) {
    b.I32(v.randMin).I32(v.randMax).I8(v.subject).I8(v.select).I8(v.leftSrc).I8(v.leftVarKind).I16(v.varIndex);
    b.I8(v.rightSrc).I8(v.rightSubject).I8(v.rightSelect).I8(v.rightVarKind).I16(v.rightVarIndex);
  } else {
    b.I16(oldPair).I16(oldPair);
  }
  b.I8(v.cmp);
  if (at(43)) b.I8(v.percent);
  b.I8(v.shape);
  b.Count(0);
  return b.Get();
}

using ConditionTest = cRecordReadTest;

const CondValues kSample = {COND_STATUS, -123456, 3, 9, 2, 11, 1, 1, 300, 2, 4, 12, 1, -5, CMP_LT, 1, 6};

// ----------------------------------------------------------------------- layout

TEST_F(ConditionTest, NewConditionIsAllZero) {
  const cCond c;
  EXPECT_EQ(ValuesOf(c), CondValues{});
  EXPECT_EQ(c.RegisteredVersion(), 811);
}

TEST_F(ConditionTest, MemberCountsAndSizesPerVersion) {
  ExpectRegistrations<cCond>({{811, 17, 28}, {110, 17, 28}, {109, 7, 12}, {43, 7, 12}, {42, 6, 11}, {0, 6, 11}},
                             [](const cCond& cond) { EXPECT_TRUE(cond.Strings().empty()); });
}

TEST_F(ConditionTest, GoldenBytesAt811) {
  cCond c;
  SetValues(c, kSample);
  const Bytes golden = {
      0x11, 0x00, 0x00, 0x00,                          // N = 17
      0x04,                                            // m_nKind
      0xC0, 0x1D, 0xFE, 0xFF,                          // m_nValue −123456
      0x03, 0x00, 0x00, 0x00, 0x09, 0x00, 0x00, 0x00,  // m_nRandMin, m_nRandMax
      0x02, 0x0B, 0x01, 0x01,                          // subject, select, left src, left var kind
      0x2C, 0x01,                                      // m_nVarIndex 300
      0x02, 0x04, 0x0C, 0x01,                          // right src, subject, select, var kind
      0xFB, 0xFF,                                      // m_nRightVarIndex −5
      0x05, 0x01, 0x06,                                // cmp, percent, shape
      0x00, 0x00, 0x00, 0x00,                          // M = 0
  };
  ASSERT_EQ(golden.size(), 4u + 28u + 4u);
  EXPECT_EQ(Written(c), golden);
  EXPECT_EQ(Written(c), CondBody(811, kSample));

  cCond back;
  ReadAt(back, 811, golden);
  EXPECT_EQ(ValuesOf(back), kSample);  // 811 reads without any change
  EXPECT_EQ(m_nLeft, 0u);
}

TEST_F(ConditionTest, OldLayoutsReadTheirOwnMembers) {
  CondValues stored = kSample;
  stored.kind = COND_COMMON_VAR;  // a kind that no conversion touches
  // Below 110 only kind, value, cmp, (percent from 43) and shape are stored; the two
  // 16-bit values of the old layout change nothing.
  CondValues expect109{};
  expect109.kind = COND_COMMON_VAR;
  expect109.value = stored.value;
  expect109.cmp = stored.cmp;
  expect109.percent = stored.percent;
  expect109.shape = stored.shape;
  CondValues expect42 = expect109;
  expect42.percent = 0;

  struct Case {
    int version;
    CondValues expect;
  };
  const Case cases[] = {{42, expect42}, {43, expect109}, {109, expect109}, {110, stored}, {811, stored}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.version);
    cCond cond;
    ReadAt(cond, c.version, CondBody(c.version, stored));
    EXPECT_EQ(ValuesOf(cond), c.expect);
    EXPECT_EQ(m_nLeft, 0u);
    EXPECT_FALSE(m_bDamaged);
    EXPECT_EQ(cond.RegisteredVersion(), 811);  // registered at the current version again
  }
}

// One row per conversion step and threshold: version, stored values, expected values.
TEST_F(ConditionTest, ConversionsOfOldFiles) {
  const auto make = [](std::int8_t kind, auto&& fill) {
    CondValues v{};
    v.kind = kind;
    fill(v);
    return v;
  };
  const auto none = [](CondValues&) {};
  struct Case {
    const char* step;
    int version;
    CondValues stored;
    CondValues expect;
  };
  const Case cases[] = {
      // 1. below 160: kinds ≥ 5 move up by 2; the old kind 5 is COND_DISTANCE.
      {"1 kind 5 (then 8)", 159, make(5, none), make(COND_DISTANCE, [](CondValues& v) { v.rightSrc = 1; v.rightSubject = 1; })},
      {"1 kind 6", 159, make(6, none), make(8, none)},
      {"1 kind 4", 159, make(4, none), make(4, none)},
      {"1 kind -1 signed", 159, make(-1, none), make(-1, none)},
      {"1 kind 127 wraps", 159, make(127, none), make(-127, none)},
      {"1 at 160", 160, make(5, none), make(5, none)},
      // 2. below 161: kind 6 with select 2 flips cmp.
      {"2 flips", 160, make(6, [](CondValues& v) { v.select = 2; }),
       make(6, [](CondValues& v) { v.select = 2; v.cmp = 1; })},
      {"2 flips back", 160, make(6, [](CondValues& v) { v.select = 2; v.cmp = 1; }),
       make(6, [](CondValues& v) { v.select = 2; })},
      {"2 other select", 160, make(6, [](CondValues& v) { v.select = 3; }), make(6, [](CondValues& v) { v.select = 3; })},
      {"2 at 161", 161, make(6, [](CondValues& v) { v.select = 2; }), make(6, [](CondValues& v) { v.select = 2; })},
      // 3. and 4. below 168 (bound 10) and below 203 (bound 5): both apply below 168.
      {"3+4 left 10", 167, make(4, [](CondValues& v) { v.select = 10; }), make(4, [](CondValues& v) { v.select = 12; })},
      {"3+4 left 9", 167, make(4, [](CondValues& v) { v.select = 9; }), make(4, [](CondValues& v) { v.select = 10; })},
      {"3+4 right", 167, make(4, [](CondValues& v) { v.rightSrc = 2; v.rightSelect = 10; }),
       make(4, [](CondValues& v) { v.rightSrc = 2; v.rightSelect = 12; })},
      {"3 system subject", 167, make(4, [](CondValues& v) { v.subject = 2; v.select = 10; }),
       make(4, [](CondValues& v) { v.subject = 5; v.select = 10; })},
      {"3 variable left", 167, make(4, [](CondValues& v) { v.leftSrc = 1; v.select = 10; }),
       make(4, [](CondValues& v) { v.leftSrc = 1; v.select = 10; })},
      {"3 kind 5 untouched", 167, make(5, [](CondValues& v) { v.subject = 1; v.select = 4; }),
       make(5, [](CondValues& v) { v.subject = 1; v.select = 4; })},
      {"4 at 168", 168, make(4, [](CondValues& v) { v.select = 10; }), make(4, [](CondValues& v) { v.select = 11; })},
      {"4 documented example", 200, make(4, [](CondValues& v) { v.select = 9; }), make(4, [](CondValues& v) { v.select = 10; })},
      {"4 documented example system", 200, make(4, [](CondValues& v) { v.subject = 2; v.select = 9; }),
       make(4, [](CondValues& v) { v.subject = 5; v.select = 9; })},
      {"4 right", 200, make(4, [](CondValues& v) { v.rightSrc = 2; v.rightSubject = 1; v.rightSelect = 5; }),
       make(4, [](CondValues& v) { v.rightSrc = 2; v.rightSubject = 1; v.rightSelect = 6; })},
      {"4 below bound", 200, make(4, [](CondValues& v) { v.select = 4; }), make(4, [](CondValues& v) { v.select = 4; })},
      {"4 at 203", 203, make(4, [](CondValues& v) { v.select = 9; }), make(4, [](CondValues& v) { v.select = 9; })},
      // 5. below 210: flags of COND_STATUS2.
      {"5 shifts", 209, make(5, [](CondValues& v) { v.select = 6; }), make(5, [](CondValues& v) { v.select = 7; })},
      {"5 below 6", 209, make(5, [](CondValues& v) { v.select = 5; }), make(5, [](CondValues& v) { v.select = 5; })},
      {"5 system", 209, make(5, [](CondValues& v) { v.subject = 2; v.select = 6; }),
       make(5, [](CondValues& v) { v.subject = 5; v.select = 6; })},
      {"5 at 210", 210, make(5, [](CondValues& v) { v.select = 6; }), make(5, [](CondValues& v) { v.select = 6; })},
      // 6. to 8. distance conditions.
      {"6 subject 0", 656, make(7, [](CondValues& v) { v.subject = 3; v.leftSrc = 2; }),
       make(7, [](CondValues& v) { v.leftSrc = 0; v.rightSrc = 1; v.rightSubject = 1; })},
      {"6 at 657", 657, make(7, [](CondValues& v) { v.subject = 3; v.leftSrc = 2; }),
       make(7, [](CondValues& v) { v.subject = 3; v.rightSrc = 1; v.rightSubject = 1; })},
      {"6 documented example 700", 700, make(7, [](CondValues& v) { v.subject = 1; v.leftSrc = 1; }),
       make(7, [](CondValues& v) { v.subject = 1; v.rightSrc = 1; v.rightSubject = 1; })},
      {"7 at 745", 745, make(7, [](CondValues& v) { v.leftSrc = 2; }),
       make(7, [](CondValues& v) { v.leftSrc = 2; v.rightSrc = 1; v.rightSubject = 1; })},
      {"8 at 746", 746, make(7, [](CondValues& v) { v.leftSrc = 2; }), make(7, [](CondValues& v) { v.leftSrc = 2; })},
      {"8 other kind", 745, make(4, [](CondValues& v) { v.rightSrc = 0; v.rightSubject = 0; }), make(4, none)},
      // 9. below 767: targets 2 to 4 inserted.
      {"9 status", 766, make(4, [](CondValues& v) { v.subject = 2; v.rightSubject = 3; }),
       make(4, [](CondValues& v) { v.subject = 5; v.rightSubject = 6; })},
      {"9 target 1 stays", 766, make(5, [](CondValues& v) { v.subject = 1; v.rightSubject = 1; }),
       make(5, [](CondValues& v) { v.subject = 1; v.rightSubject = 1; })},
      {"9 wraps", 766, make(5, [](CondValues& v) { v.subject = 127; }), make(5, [](CondValues& v) { v.subject = -126; })},
      {"9 distance untouched", 766, make(7, [](CondValues& v) { v.subject = 2; }),
       make(7, [](CondValues& v) { v.subject = 2; })},
      {"9 at 767", 767, make(4, [](CondValues& v) { v.subject = 2; }), make(4, [](CondValues& v) { v.subject = 2; })},
      {"811 unchanged", 811, make(5, [](CondValues& v) { v.subject = 2; v.select = 6; }),
       make(5, [](CondValues& v) { v.subject = 2; v.select = 6; })},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.step << " at " << c.version);
    cCond cond;
    ReadAt(cond, c.version, CondBody(c.version, c.stored));
    EXPECT_EQ(ValuesOf(cond), c.expect);
    EXPECT_EQ(m_nLeft, 0u);
  }
}

TEST_F(ConditionTest, RoundTripAndCopies) {
  cCond a;
  SetValues(a, kSample);
  cCond b;
  ReadAt(b, 811, Written(a));
  EXPECT_EQ(ValuesOf(b), kSample);

  cCond copy(a);
  EXPECT_EQ(ValuesOf(copy), kSample);
  cCond assigned;
  assigned = a;
  EXPECT_EQ(ValuesOf(assigned), kSample);
  assigned.m_nValue = 1;
  EXPECT_EQ(a.m_nValue, kSample.value);
  EXPECT_EQ(Written(assigned).size(), 36u);
}

// ------------------------------------------------------------------ condition lists

TEST_F(ConditionTest, ReadCondVectorGivesDefaultsAndConverts) {
  std::vector<cCond> list(5);
  cDataReader none(cByteBuilder().Count(0).Get());
  ReadCondVector(list, none);
  EXPECT_TRUE(list.empty());

  CondValues old{};
  old.kind = 5;  // COND_DISTANCE after the conversion below 160
  cByteBuilder b;
  b.Count(3);
  for (int i = 0; i < 3; ++i) b.Bytes(CondBody(100, old));
  g_nFileVersion = 100;
  cDataReader in(b.Get());
  ReadCondVector(list, in);
  g_nFileVersion = g_nDataVersion;
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(in.Remaining(), 0u);
  for (const cCond& c : list) {
    EXPECT_EQ(c.m_nKind, COND_DISTANCE);
    EXPECT_EQ(c.m_nRandMax, 0);
    EXPECT_EQ(c.m_nRightSrc, 1);  // step 8
    EXPECT_EQ(c.RegisteredVersion(), 811);
  }

  cDataWriter out;
  WriteCondVector(list, out);
  EXPECT_EQ(out.Size(), 4u + 3u * 36u);
}

TEST_F(ConditionTest, NewCondListAndItsGoldenBytes) {
  cCondListHolder holder;
  CreateCondList(holder);
  ASSERT_TRUE(holder);
  EXPECT_EQ(holder->m_bEnabled, 0);
  EXPECT_EQ(holder->m_nMode, 0);
  EXPECT_TRUE(holder->m_vCond.empty());
  EXPECT_EQ(holder->Members().size(), 2u);
  EXPECT_EQ(Written(*holder), (cByteBuilder().Count(2).I8(0).I8(0).Count(0).Count(0).Get()));

  holder->m_bEnabled = 1;
  holder->m_nMode = 1;
  holder->m_vCond.resize(2);
  SetValues(holder->m_vCond[1], kSample);
  const Bytes golden = cByteBuilder()
                           .Count(2)
                           .I8(1)
                           .I8(1)
                           .Count(0)
                           .Count(2)
                           .Bytes(CondBody(811, CondValues{}))
                           .Bytes(CondBody(811, kSample))
                           .Get();
  EXPECT_EQ(Written(*holder), golden);

  cCondList back;
  ReadAt(back, 811, golden);
  EXPECT_EQ(back.m_bEnabled, 1);
  EXPECT_EQ(back.m_nMode, 1);
  ASSERT_EQ(back.m_vCond.size(), 2u);
  EXPECT_EQ(ValuesOf(back.m_vCond[1]), kSample);
  EXPECT_EQ(Written(back), golden);
}

TEST_F(ConditionTest, CondListBelow766HasNoConditions) {
  struct Case {
    int version;
    std::size_t conditions;
    std::size_t left;  // bytes left for the command that holds the block
  };
  // The block is followed by the int32 77 (the command's next field) and one condition's
  // worth of bytes; a 765 block must not take them.
  const Case cases[] = {{764, 0, 4 + 36}, {765, 0, 4 + 36}, {766, 1, 0}, {811, 1, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.version);
    const Bytes body =
        cByteBuilder().Count(2).I8(1).I8(1).Count(0).Count(1).Bytes(CondBody(c.version, kSample)).Get();
    const Bytes tail = cByteBuilder().I32(77).Bytes(CondBody(811, kSample)).Get();
    Bytes bytes = cByteBuilder().Count(2).I8(1).I8(1).Count(0).Get();
    if (c.version >= 766) {
      bytes = body;
    } else {
      bytes.insert(bytes.end(), tail.begin(), tail.end());
    }
    cCondListHolder holder;
    CreateCondList(holder);
    ReadAt(*holder, c.version, bytes);
    EXPECT_EQ(holder->m_bEnabled, 1);
    EXPECT_EQ(holder->m_nMode, 1);
    EXPECT_EQ(holder->m_vCond.size(), c.conditions);
    EXPECT_EQ(m_nLeft, c.left);
  }
}

TEST_F(ConditionTest, CondListCopiesNeverShareBlocks) {
  cCondListHolder source;
  CreateCondList(source);
  source->m_bEnabled = 1;
  source->m_nMode = 2;
  source->m_vCond.resize(1);
  SetValues(source->m_vCond[0], kSample);

  cCondListHolder target;
  cCondList::CopyFrom(target, source);
  ASSERT_TRUE(target);
  EXPECT_NE(target.get(), source.get());
  EXPECT_EQ(Written(*target), Written(*source));
  target->m_vCond[0].m_nValue = 0;
  EXPECT_EQ(source->m_vCond[0].m_nValue, kSample.value);

  // Copying a holder onto itself keeps the values.
  cCondList::CopyFrom(source, source);
  ASSERT_TRUE(source);
  EXPECT_EQ(source->m_nMode, 2);
  EXPECT_EQ(ValuesOf(source->m_vCond[0]), kSample);

  // Two holders of one block (never made by the program) are separated.
  cCondListHolder alias = source;
  cCondList::CopyFrom(alias, source);
  EXPECT_NE(alias.get(), source.get());

  // An empty source empties the target.
  cCondListHolder empty;
  cCondList::CopyFrom(target, empty);
  EXPECT_FALSE(target);

  // Assignment copies both members and the list; the base member copy stays available.
  cCondList assigned;
  assigned = *source;
  EXPECT_EQ(assigned.m_vCond.size(), 1u);
  cCondList members;
  members.CopyFrom(*source);
  EXPECT_EQ(members.m_nMode, 2);
  EXPECT_TRUE(members.m_vCond.empty());  // CopyFrom copies registered members only
}

// ------------------------------------------------------------------- damaged input

TEST_F(ConditionTest, TruncatedInputNeverCrashes) {
  cCondList full;
  full.m_bEnabled = 1;
  full.m_vCond.resize(3);
  for (cCond& c : full.m_vCond) SetValues(c, kSample);
  ReadEveryPrefix(Written(full), [&](const Bytes& cut) {
    cCondListHolder holder;
    CreateCondList(holder);
    ReadAt(*holder, 811, cut);
    EXPECT_LE(holder->m_vCond.size(), 3u);
  });
  // A condition cut inside its members keeps the values it had beyond the cut.
  cCond cond;
  cond.m_nShape = 4;
  const Bytes body = CondBody(811, kSample);
  ReadAt(cond, 811, FirstBytes(body, 4 + 20));
  EXPECT_EQ(cond.m_nKind, kSample.kind);
  EXPECT_EQ(cond.m_nRightSrc, kSample.rightSrc);
  EXPECT_EQ(cond.m_nRightSubject, 0);
  EXPECT_EQ(cond.m_nShape, 4);
  EXPECT_FALSE(m_bDamaged);
  // Fewer bytes left than the member count (17) names: the framework takes the count
  // for damage and reads no member at all.
  cCond shorter;
  ReadAt(shorter, 811, FirstBytes(body, 4 + 16));
  EXPECT_TRUE(m_bDamaged);
  EXPECT_EQ(shorter.m_nKind, 0);
}

TEST_F(ConditionTest, ImpossibleCountsAreDamageNotCrashes) {
  struct Case {
    const char* what;
    Bytes body;
    DATADAMAGE damage;
  };
  const Case cases[] = {
      {"huge list count", cByteBuilder().Count(2).I8(1).I8(0).Count(0).Count(0x7FFFFFFF).Get(),
       DATADAMAGE_COUNT_PAST_END},
      {"negative list count", cByteBuilder().Count(2).I8(1).I8(0).Count(0).Count(-1).Get(), DATADAMAGE_NEGATIVE_COUNT},
      {"list count beyond the data", cByteBuilder().Count(2).I8(1).I8(0).Count(0).Count(1000).Fill(64).Get(),
       DATADAMAGE_COUNT_PAST_END},
      {"huge member count", cByteBuilder().Count(0x7FFFFFFF).I8(1).I8(0).Get(), DATADAMAGE_COUNT_PAST_END},
      {"huge text count in a condition",
       cByteBuilder().Count(2).I8(1).I8(0).Count(0).Count(1).Count(0).Count(0x7FFFFFFF).Get(),
       DATADAMAGE_COUNT_PAST_END},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_LE(ReadDamaged<cCondList>(811, c.body, c.damage).m_vCond.size(), 1u);
  }
}

TEST_F(ConditionTest, SurplusMembersAreReportedAndLandInMemberZero) {
  // Two members more than the 17 of version 811: reported (WM_CLOSE each), their bytes
  // land in m_nKind, and the text count after them is still found.
  cCond cond;
  ReadAt(cond, 811, WithSurplusMembers(CondBody(811, kSample), {0x05, 0x06}));
  EXPECT_FALSE(m_bDamaged);
  EXPECT_EQ(cond.m_nKind, 6);
  EXPECT_EQ(cond.m_nShape, kSample.shape);
  EXPECT_EQ(m_nLeft, 0u);
  EXPECT_EQ(CountPostedMessages(WM_CLOSE), 2);
}

}  // namespace
