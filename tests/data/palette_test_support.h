#pragma once
// Shared by the palette tests: a fixture that puts the lists the palette repairs consult
// (databases, common palette, stage definitions) and the reading switches into a known
// state, and the bytes of palette entries as files store them.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "data/database/database.h"
#include "data/flow/database_sizes.h"
#include "data/flow/palette_sizes.h"
#include "data/flow/test_flow_switches.h"
#include "data/palette/palette.h"
#include "data/palette/stage_definition_lists.h"
#include "data/record/data_reader.h"
#include "data/record/data_record.h"
#include "data/record/data_writer.h"
#include "platform/message_queue.h"
#include "tests/support/byte_builder.h"

using Bytes = std::vector<std::uint8_t>;

// Database lists long enough that no index of the tests is repaired unless a test
// shortens one.
constexpr int kRoomyDatabaseList = 40;

// A new common palette and a new stage; every database list `databaseLength` long (0:
// left as they are); files of the current version; test flows removed.
inline void ResetPaletteWorld(int databaseLength) {
  g_nFileVersion = g_nDataVersion;
  g_TestFlowSwitches = cTestFlowSwitches{};
  g_CommonPalette = cPalette();
  StageBlockDefs().assign(1, cPaletteBlock());
  StageCharaDefs().assign(1, cPaletteChara());
  StageItemDefs().assign(1, cPaletteItem());
  if (databaseLength > 0) {
    g_Database.ForEachFileList([&](int, auto& list) {
      list.resize(static_cast<std::size_t>(databaseLength));
      return true;
    });
  }
  g_DatabaseSizes = cDatabaseSizes{};
  for (int& size : g_DatabaseSizes.anSize) size = databaseLength;
  g_DatabaseSizes.SwordFrameTimes.assign(static_cast<std::size_t>(databaseLength), {});
  for (auto& owner : g_PaletteSizes.anSize)
    for (int& size : owner) size = databaseLength;
  ClearPostedMessages();
}

class PaletteTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetPaletteWorld(kRoomyDatabaseList); }
  void TearDown() override {
    ResetPaletteWorld(0);
    g_Database.Reset();
  }

  template <typename Record>
  static Bytes BytesOf(Record& record) {
    cDataWriter out;
    record.Write(out);
    return out.Bytes();
  }

  // Reads one body as a file of `version` stores it; returns the reader.
  template <typename Record>
  static cDataReader ReadAt(Record& record, const Bytes& bytes, int version = 811) {
    g_nFileVersion = version;
    cDataReader in(bytes);
    record.Read(in);
    g_nFileVersion = g_nDataVersion;
    return in;
  }

  // Write, read back, write again: the two writings must agree.
  template <typename Record>
  static void ExpectRoundTrip(Record& record) {
    const Bytes first = BytesOf(record);
    Record copy;
    const cDataReader in = ReadAt(copy, first);
    EXPECT_FALSE(in.Damaged());
    EXPECT_TRUE(in.AtEnd());
    EXPECT_EQ(BytesOf(copy), first);
  }
};

inline void AppendInherit(cByteBuilder& b, const std::vector<std::uint8_t>& flags) {
  b.Count(static_cast<std::int32_t>(flags.size())).Bytes(flags);
}
