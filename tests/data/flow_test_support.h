#pragma once
// Shared by the tests of flows and flow commands: a fixture that puts the globals the
// readers consult into a known state, and the bytes of flow records as files store them.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "app/test_play_flag.h"
#include "data/common/database_list_sizes.h"
#include "data/flow/shot_block.h"
#include "data/common/palette_kind.h"
#include "data/record/data_reader.h"
#include "data/record/data_record.h"
#include "data/record/data_writer.h"
#include "data/system/system_data.h"
#include "platform/message_queue.h"
#include "tests/support/byte_builder.h"
#include "tests/support/database_sizes_fixture.h"

// Every database and palette list long enough that no index of the tests is repaired,
// unless a test shortens one (sword types without frames, so swords run 0); test flows
// removed; files of the current version.
class FlowRecordTest : public ::testing::Test {
 protected:
  static constexpr int kRoomyList = 100;

  void SetUp() override {
    g_nFileVersion = g_nDataVersion;
    SetAllDatabaseSizes(kRoomyList);
    SetSwordFrameTimes(std::vector<std::vector<std::int32_t>>(kRoomyList));
    SetAllPaletteSizes(kRoomyList);
    g_bTestPlay = 0;
    g_SystemData.m_bKeepTestFlows = 0;
    ClearPostedMessages();
  }

  void TearDown() override {
    g_nFileVersion = g_nDataVersion;
    RestoreDatabaseAndPalettes();
    g_bTestPlay = 0;
    g_SystemData.m_bKeepTestFlows = 0;
    ClearPostedMessages();
  }

  template <typename Record>
  static std::vector<std::uint8_t> BytesOf(Record& record) {
    cDataWriter out;
    record.Write(out);
    return out.Bytes();
  }

  // Reads one record body as a file of `version` stores it; returns the reader.
  template <typename Record>
  static cDataReader ReadAt(Record& record, const std::vector<std::uint8_t>& bytes, int version) {
    g_nFileVersion = version;
    cDataReader in(bytes);
    record.Read(in);
    g_nFileVersion = g_nDataVersion;
    return in;
  }

  static int PostedCloses() { return CountPostedMessages(WM_CLOSE); }
};

// The registered part of a flow: the ten scalars in file order (those a version lacks
// are left out) and the memo from 676 on.
struct FlowScalars {
  std::int8_t nID = 0, nSwitch = 0, bTestOnly = 0, nCondMode = 0, bCondLatch = 0, nTrigger = 0;
  std::int8_t bTriggerTarget = 0, nTriggerSlot = 0, nKeyWindow = 3, bKeyRepeat = 0;
  std::string sMemo;
};

inline void AppendFlowHead(cByteBuilder& b, int version, const FlowScalars& f) {
  const auto v = static_cast<unsigned>(version);
  b.I32(8 + (v >= 762 ? 1 : 0) + (v >= 767 ? 1 : 0));
  b.I8(f.nID).I8(f.nSwitch).I8(f.bTestOnly).I8(f.nCondMode).I8(f.bCondLatch).I8(f.nTrigger);
  if (v >= 762) b.I8(f.bTriggerTarget);
  if (v >= 767) b.I8(f.nTriggerSlot);
  b.I8(f.nKeyWindow).I8(f.bKeyRepeat);
  if (v >= 676)
    b.I32(1).Text(f.sMemo);
  else
    b.I32(0);
}

// The registered part of a command (no member is version-gated).
struct CmdScalars {
  std::int8_t bItemCmd = 0, nKind = 0;
  std::int16_t nTime = 0, nTimeStep = 0;
  std::int8_t bNoWait = 0;
  std::int16_t nSound = 0;
  std::int8_t bSoundCond = 1;
  std::int16_t nAnime = 0;
  std::string sText;
};

inline void AppendCmdHead(cByteBuilder& b, const CmdScalars& c) {
  b.I32(8).I8(c.bItemCmd).I8(c.nKind).I16(c.nTime).I16(c.nTimeStep).I8(c.bNoWait).I16(c.nSound);
  b.I8(c.bSoundCond).I16(c.nAnime).I32(1).Text(c.sText);
}

inline void AppendParams(cByteBuilder& b, const std::vector<std::int32_t>& params) {
  b.Count(static_cast<std::int32_t>(params.size()));
  for (std::int32_t p : params) b.I32(p);
}

// A whole command without blocks and flows, as a file of `version` stores it.
inline void AppendPlainCmd(cByteBuilder& b, int version, const CmdScalars& c, const std::vector<std::int32_t>& params) {
  AppendCmdHead(b, c);
  b.I32(0).I32(0);  // no movement block, no shot block
  if (static_cast<unsigned>(version) >= 764) b.I32(0);  // no condition block
  b.Count(0);                                             // no flows
  AppendParams(b, params);
}

// A whole flow without conditions and key conditions, holding the given command bytes.
inline void AppendFlow(cByteBuilder& b, int version, const FlowScalars& f, std::int32_t nCmds = 0) {
  AppendFlowHead(b, version, f);
  b.Count(0).Count(0).Count(nCmds);
}
