#pragma once
// Shared by the palette tests: a fixture that puts the lists the palette repairs consult
// (databases, common palette, stage definitions) and the reading switches into a known
// state, and the bytes of palette entries as files store them.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/test_play_flag.h"
#include "data/database/database.h"
#include "data/palette/palette.h"
#include "data/palette/stage_definition_lists.h"
#include "data/record/data_reader.h"
#include "data/record/data_record.h"
#include "data/record/data_writer.h"
#include "data/system/system_data.h"
#include "platform/message_queue.h"
#include "tests/support/byte_builder.h"
#include "tests/support/database_sizes_fixture.h"

using Bytes = std::vector<std::uint8_t>;

// Database lists long enough that no index of the tests is repaired unless a test
// shortens one.
constexpr int kRoomyDatabaseList = 40;

// A new common palette and a new stage (each list its template entry only); every
// database list `databaseLength` long, its sword types without frames (0: the lists of a
// new database); files of the current version; test flows removed.
inline void ResetPaletteWorld(int databaseLength) {
  g_nFileVersion = g_nDataVersion;
  g_bTestPlay = 0;
  g_SystemData.m_bKeepTestFlows = 0;
  RestoreDatabaseAndPalettes();
  if (databaseLength > 0) {
    SetAllDatabaseSizes(databaseLength);
    SetSwordFrameTimes(std::vector<std::vector<std::int32_t>>(static_cast<std::size_t>(databaseLength)));
  }
  ClearPostedMessages();
}

class PaletteTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetPaletteWorld(kRoomyDatabaseList); }
  void TearDown() override { ResetPaletteWorld(0); }

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
