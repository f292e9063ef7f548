#pragma once
// Stage bodies built byte by byte for the stage tests, from the member table of the stage
// file (file order, first version, width, value of a new stage after normalisation), and
// the fixture of the stage tests.
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "data/database/database.h"
#include "data/common/database_list_sizes.h"
#include "data/record/data_reader.h"
#include "data/record/data_record.h"
#include "data/record/data_writer.h"
#include "data/stage/stage_data.h"
#include "tests/support/byte_builder.h"
#include "tests/support/database_sizes_fixture.h"

namespace stage_test {

struct cStoredMember {
  const char* lpName;
  std::uint32_t nFrom;
  bool bDouble;
  double dNewValue;
};

// The derived values of collision level 10 with gravity 0.4.
inline const cStoredMember kMembers[] = {
    {"m_nWidth", 0, false, 0}, {"m_nAuxX", 0, false, 0}, {"m_nAuxY", 0, false, 0}, {"m_nHeight", 0, false, 0},
    {"m_bLimitLeft", 0, false, 0}, {"m_bLimitRight", 0, false, 0}, {"m_bLimitTop", 0, false, 0},
    {"m_bLimitBottom", 0, false, 0}, {"m_nLimitLeft", 0, false, 0}, {"m_nLimitRight", 0, false, 0},
    {"m_nLimitTop", 0, false, 0}, {"m_nLimitBottom", 0, false, 0}, {"m_nStageFps", 0, false, 60},
    {"m_bTimeLimit", 0, false, 0}, {"m_nTimeLimit", 0, false, 200}, {"m_nTimeWarning", 0, false, 20},
    {"m_nScrollModeX", 0, false, 0}, {"m_nScrollModeY", 0, false, 0}, {"m_nAutoScrollX", 0, false, 0},
    {"m_nAutoScrollY", 0, false, 0}, {"m_dGravity", 0, true, 0.4}, {"m_nCollisionLevel", 0, false, 10},
    {"m_nHitChecksPerFrame", 0, false, 0}, {"m_nBgm", 0, false, 0}, {"m_bBgmLoop", 166, false, 0},
    {"m_bBgmKeep", 199, false, 0}, {"m_bLayeredDraw", 0, false, 1}, {"m_bApplyCarryOver", 0, false, 0},
    {"m_bStoreCarryOver", 0, false, 0}, {"m_bShowStatus", 183, false, 1}, {"m_bClearAutoAdvance", 184, false, 0},
    {"m_bStageBanner", 0, false, 0}, {"m_bStartBanner", 225, false, 1}, {"m_bClearBanner", 0, false, 1},
    {"m_bGameOverBanner", 0, false, 1},
    // 35: the object size table.
    {"m_nPlayerWalkW", 200, false, 16}, {"m_nPlayerWalkH", 200, false, 24}, {"m_nPlayerFlyW", 200, false, 16},
    {"m_nPlayerFlyH", 200, false, 16}, {"m_nPlayerHitWalkW", 0, false, 16}, {"m_nPlayerHitWalkH", 0, false, 24},
    {"m_nPlayerHitFlyW", 155, false, 16}, {"m_nPlayerHitFlyH", 155, false, 16},
    {"m_nPlayerHitKind1W", 0, false, 12}, {"m_nPlayerHitKind1H", 0, false, 8}, {"m_nPlayerBoxW", 0, false, 16},
    {"m_nPlayerBoxH", 0, false, 16}, {"m_bPlayerWalkBottom", 200, false, 1}, {"m_bPlayerFlyBottom", 200, false, 0},
    {"m_bPlayerHitWalkBottom", 155, false, 1}, {"m_bPlayerHitFlyBottom", 155, false, 0},
    {"m_nPlayerPartValue0", 200, false, 0}, {"m_nPlayerPartValue1", 0, false, 0},
    {"m_nPlayerPartValue2", 0, false, 0}, {"m_nPlayerPartValue3", 0, false, 0},
    {"m_nPlayerPartSel0", 200, false, 0}, {"m_nPlayerPartSel1", 0, false, 0}, {"m_nPlayerPartSel2", 0, false, 0},
    {"m_nPlayerPartSel3", 0, false, 0}, {"m_nCharaWalkW", 200, false, 16}, {"m_nCharaWalkH", 200, false, 24},
    {"m_nCharaFlyW", 200, false, 16}, {"m_nCharaFlyH", 200, false, 16}, {"m_nCharaHitWalkW", 0, false, 12},
    {"m_nCharaHitWalkH", 0, false, 24}, {"m_nCharaHitFlyW", 155, false, 12}, {"m_nCharaHitFlyH", 155, false, 16},
    {"m_nCharaHitKind1W", 0, false, 30}, {"m_nCharaHitKind1H", 0, false, 30},
    {"m_bCharaWalkBottom", 200, false, 1}, {"m_bCharaFlyBottom", 200, false, 0},
    {"m_bCharaHitWalkBottom", 155, false, 1}, {"m_bCharaHitFlyBottom", 155, false, 0}, {"m_nItemW", 0, false, 28},
    {"m_nItemH", 0, false, 28}, {"m_nPlayerHitKind2W", 0, false, 16}, {"m_nPlayerHitKind2H", 0, false, 16},
    {"m_nSizeSpare1", 0, false, 16}, {"m_nSizeSpare2", 0, false, 16}, {"m_nCharaHitKind2W", 0, false, 16},
    {"m_nCharaHitKind2H", 0, false, 16}, {"m_nSizeSpare3", 0, false, 16}, {"m_nSizeSpare4", 0, false, 16},
    {"m_nSizeSpare5", 0, false, 1},
    // 84.
    {"m_nPixelWidth", 0, false, 0}, {"m_nPixelHeight", 0, false, 0}, {"m_nSubSteps", 0, false, 10},
    {"m_dSubSteps", 0, true, 10}, {"m_dSubStepsSq", 0, true, 100}, {"m_dSpeedLimit", 0, true, 60},
    {"m_dGravityStep", 0, true, 0.4 / 100.0}, {"m_dSpeedLimitStep", 0, true, 6}, {"m_nSubSteps8", 0, false, 80},
    {"m_bGroupHitOption", 0, false, 1}, {"m_nCharaKeyedInvincible", 0, false, 30},
    {"m_nCharaInvincible", 0, false, 0}, {"m_nPlayerKeyedInvincible", 0, false, 30},
    {"m_nPlayerInvincible", 0, false, 0},
};

using cValues = std::map<std::string, double>;

// The registered part of a stage at `version`: the members that version stores, each
// from `values` or else its new-stage value, then the text.
inline cByteBuilder& AddStageHead(cByteBuilder& b, int version, const cValues& values = {},
                                  const std::string& text = "") {
  std::int32_t count = 0;
  for (const cStoredMember& m : kMembers)
    if (static_cast<std::uint32_t>(version) >= m.nFrom) ++count;
  b.Count(count);
  for (const cStoredMember& m : kMembers) {
    if (static_cast<std::uint32_t>(version) < m.nFrom) continue;
    const auto it = values.find(m.lpName);
    const double v = it != values.end() ? it->second : m.dNewValue;
    if (m.bDouble)
      b.F64(v);
    else
      b.I32(static_cast<std::int32_t>(v));
  }
  return b.Count(1).Text(text);
}

// A range body in the layout of `version` (below 125: no right, top and bottom flags).
inline cByteBuilder& AddRange(cByteBuilder& b, int version, const std::int32_t (&v)[8]) {
  if (static_cast<std::uint32_t>(version) < 125) {
    b.Count(5).I32(v[0]);
  } else {
    b.Count(8).I32(v[0]).I32(v[1]).I32(v[2]).I32(v[3]);
  }
  return b.I32(v[4]).I32(v[5]).I32(v[6]).I32(v[7]).Count(0);
}

// The five ranges of a new stage.
inline cByteBuilder& AddNewStageRanges(cByteBuilder& b, int version) {
  const std::int32_t zero[8] = {};
  const std::int32_t otherShots[8] = {1, 1, 1, 1, 0, 0, 0, 0};
  const std::int32_t playerShots[8] = {1, 1, 1, 1, 10, 10, 10, 10};
  AddRange(b, version, zero);
  AddRange(b, version, zero);
  AddRange(b, version, zero);
  AddRange(b, version, otherShots);
  return AddRange(b, version, playerShots);
}

// What follows the registered part up to the entry lists: the result flags given (the five
// of a new stage unless said otherwise) and the five ranges of a new stage.
inline cByteBuilder& AddResultsAndRanges(cByteBuilder& b, int version,
                                         const std::vector<std::int32_t>& results = {1, 1, 1, 1, 1}) {
  b.Count(static_cast<std::int32_t>(results.size()));
  for (std::int32_t r : results) b.I32(r);
  return AddNewStageRanges(b, version);
}

// Everything after the registered part for a stage with the given result flags and texts
// and empty entry and background lists; the sentinel from version 173 on.
inline cByteBuilder& AddStageTail(cByteBuilder& b, int version, const std::vector<std::int32_t>& results,
                                  const std::vector<std::string>& texts = {}) {
  AddResultsAndRanges(b, version, results);
  for (int list = 0; list < 6; ++list) b.Count(0);
  b.Count(0);  // backgrounds
  b.Count(static_cast<std::int32_t>(texts.size()));
  for (const std::string& t : texts) b.Count(0).Count(1).Text(t);
  if (static_cast<std::uint32_t>(version) >= 173) b.I32(kStageSentinel);
  return b;
}

// A whole stage body of `version`.
inline std::vector<std::uint8_t> StageBody(int version, const cValues& values = {},
                                           const std::vector<std::int32_t>& results = {1, 1, 1, 1, 1}) {
  cByteBuilder b;
  AddStageHead(b, version, values);
  AddStageTail(b, version, results);
  return b.Get();
}

template <typename T>
std::vector<std::uint8_t> BodyOf(T& record) {
  cDataWriter out;
  record.Write(out);
  return out.Bytes();
}

// Reads and writes stage bodies at a chosen file version; the Bgm database holds two
// entries unless a test says otherwise.
class cStageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_nFileVersion = g_nDataVersion;
    g_bStripCR = 1;
    SetBgmCount(2);
  }
  void TearDown() override {
    g_nFileVersion = g_nDataVersion;
    RestoreDatabaseAndPalettes();
  }

  static void SetBgmCount(int n) { SetDatabaseSize(DBKIND_BGM, n); }

  // Reads `body` as a file of `version` would be read; true when it was not damaged.
  static bool ReadAt(cStageData& stage, int version, const std::vector<std::uint8_t>& body) {
    g_nFileVersion = version;
    cDataReader in(body);
    stage.Read(in);
    return !in.Damaged();
  }

  // Reads `body` as ReadAt does; the reason the data counts as damaged, if any.
  static DATADAMAGE DamageOf(cStageData& stage, int version, const std::vector<std::uint8_t>& body) {
    g_nFileVersion = version;
    cDataReader in(body);
    stage.Read(in);
    return in.Damage();
  }
};

}  // namespace stage_test
