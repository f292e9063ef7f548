// The save slots as the menus use them: the slot list read from the slot files and drawn
// with its numbers and dates, and the save and the load of a slot, which say so in a box
// when they fail and keep the game.
#include "frontend/save_slots.h"

#include <gtest/gtest.h>

#include <string>

#include "data/record/data_file.h"
#include "data/save/progress.h"
#include "data/save/slot_list.h"
#include "data/system/system_data.h"
#include "media/draw/dd_fill.h"
#include "media/draw/font.h"
#include "media/draw/glyph_ink.h"
#include "platform/host_files.h"
#include "platform/message_box.h"
#include "platform/simulated_disk.h"
#include "tests/media/draw_test_util.h"
#include "tests/support/box_glyph_source.h"
#include "tests/support/temp_dir.h"

namespace {

class SaveSlots : public cTempDirTest {
 protected:
  void SetUp() override {
    cTempDirTest::SetUp();
    m_SavedProgress = g_Progress;
    m_SavedSlots = g_SlotList;
    g_SlotList.assign(kStorySlotCount, cSlotInfo());
    for (const char* folder : {"user_data", "user_data\\story"}) ASSERT_EQ(MakeDirectory(folder), 1);
  }
  void TearDown() override {
    EndDiskSpaceSimulation();
    g_Progress = m_SavedProgress;
    g_SlotList = m_SavedSlots;
    cTempDirTest::TearDown();
  }
  std::string SlotFile(int n) const {
    return std::string("user_data/story/Story") + (n < 9 ? "0" : "") + std::to_string(n + 1) + ".dat";
  }
  // A slot file saved from a game of `score` at a fixed time.
  void WriteSlot(int n, std::int32_t score) {
    cProgress saved;
    saved.m_nScore = score;
    ASSERT_EQ(saved.SaveSlot(n), 1);
  }
  cRecordingMessageBoxes boxes;

 private:
  cProgress m_SavedProgress;
  std::vector<cSlotInfo> m_SavedSlots;
};

TEST_F(SaveSlots, TheListShowsASlotUsedOnlyWhenItsFileWasReadWhole) {
  WriteSlot(0, 1);
  WriteSlot(1, 2);
  WriteSlot(2, 3);
  WriteSlot(56, 4);
  std::string file = ReadBytes(SlotFile(1));
  file[0] = 0x2C;  // version 812: newer than the player
  MakeFile(SlotFile(1), file);
  MakeFile(SlotFile(2), ReadBytes(SlotFile(2)).substr(0, 60));  // cut short

  // The list remembers nothing of an earlier look.
  for (cSlotInfo& slot : g_SlotList) slot.m_bUsed = 1;
  EXPECT_EQ(LoadSlotList(g_SlotList), 2);
  struct Case {
    int slot;
    int used;
  } const cases[] = {{0, 1}, {1, 0}, {2, 0}, {3, 0}, {56, 1}, {98, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.slot);
    EXPECT_EQ(g_SlotList[c.slot].m_bUsed, c.used);
  }
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(SaveSlots, AFailedSaveSaysSoAndLeavesTheSlotAndTheGame) {
  WriteSlot(3, 100);
  LoadSlotList(g_SlotList);
  const std::string before = ReadBytes(SlotFile(3));
  const cSlotInfo entry = g_SlotList[3];

  g_Progress = cProgress();
  g_Progress.m_nScore = 200;
  g_Progress.m_SaveTime.wYear = 1999;
  SimulateDiskSpace(10);
  EXPECT_EQ(SaveStorySlot(3), 0);
  EXPECT_EQ(SaveStorySlot(4), 0);
  EndDiskSpaceSimulation();
  ASSERT_EQ(boxes.shown.size(), 2u);
  EXPECT_NE(boxes.shown[0].text.find("Story04.dat"), std::string::npos);
  EXPECT_NE(boxes.shown[1].text.find("Story05.dat"), std::string::npos);
  EXPECT_EQ(ReadBytes(SlotFile(3)), before);
  EXPECT_FALSE(Exists(SlotFile(4)));
  EXPECT_EQ(g_SlotList[3].m_SaveTime.wMinute, entry.m_SaveTime.wMinute);
  EXPECT_EQ(g_SlotList[3].m_bUsed, 1);
  EXPECT_EQ(g_SlotList[4].m_bUsed, 0);
  EXPECT_EQ(g_Progress.m_nScore, 200);
  EXPECT_EQ(g_Progress.m_SaveTime.wYear, 1999);

  // With room the same save goes through and the list shows it.
  EXPECT_EQ(SaveStorySlot(4), 1);
  EXPECT_EQ(g_SlotList[4].m_bUsed, 1);
  EXPECT_EQ(boxes.shown.size(), 2u);
}

TEST_F(SaveSlots, ASlotThatCannotBeReadSaysSoAndKeepsTheGameInMemory) {
  WriteSlot(0, 7);
  WriteSlot(5, 8);
  LoadSlotList(g_SlotList);
  MakeFile(SlotFile(5), ReadBytes(SlotFile(5)).substr(0, 30));
  struct Case {
    const char* what;
    int slot;
    int loaded;
    std::int32_t score;  // of the game in memory afterwards
  } const cases[] = {
      {"a slot read whole", 0, 1, 7},
      {"a slot whose file is damaged", 5, 0, 55},
      {"a slot without a file", 9, 0, 55},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    boxes.shown.clear();
    g_Progress = cProgress();
    g_Progress.m_nScore = 55;
    EXPECT_EQ(LoadStorySlot(c.slot), c.loaded);
    EXPECT_EQ(g_Progress.m_nScore, c.score);
    EXPECT_EQ(boxes.shown.size(), c.loaded ? 0u : 1u);
    EXPECT_EQ(g_SlotList[c.slot].m_bUsed, c.loaded);
  }
}

// The slot window drawn into the back buffer, compared with the same window put there by
// hand: slot n shows the number n + 1, a used slot its save date beside it.
class SlotListFrame : public cDisplayTest {
 protected:
  void TearDown() override {
    g_Font[1].Release();
    SetFontGlyphSource(nullptr);
    cDisplayTest::TearDown();
  }
  cBoxGlyphSource m_Glyphs;
};

TEST_F(SlotListFrame, RowsShowTheSlotNumbersFromOneAndTheDateOfAUsedSlot) {
  constexpr int kBackground = 9;
  constexpr int kText = 3;
  SetFontGlyphSource(&m_Glyphs);
  ASSERT_TRUE(Bring(kAllConfigs[0]));
  ASSERT_EQ(g_Font[1].Init("x", 0, 16, 16, 16, kText, nullptr, 1, 5, nullptr, 0), 1);
  std::vector<cSlotInfo> list(kStorySlotCount);
  list[9].m_bUsed = 1;
  list[9].m_SaveTime.wYear = 2013;
  list[9].m_SaveTime.wMonth = 4;
  list[9].m_SaveTime.wDay = 24;
  list[9].m_SaveTime.wHour = 9;
  list[9].m_SaveTime.wMinute = 5;
  // Slots 8 to 10 in three rows.
  DDFillSurface(&g_BackBuffer, kBackground);
  DrawSlotList(&g_BackBuffer, 152, 160, list, 8, 3);
  const cPixelBuffer drawn = Pixels(&g_BackBuffer);

  DDFillSurface(&g_BackBuffer, kBackground);
  g_Font[1].DrawWindow(&g_BackBuffer, 152, 160, 320, 48);
  DDFillRect(&g_BackBuffer, 152, 175, 320, 1, 240);
  DDFillRect(&g_BackBuffer, 152, 191, 320, 1, 240);
  g_Font[1].DrawText(&g_BackBuffer, 168, 160, "9");
  g_Font[1].DrawText(&g_BackBuffer, 168, 176, "10");
  g_Font[1].DrawText(&g_BackBuffer, 216, 176, "2013/04/24 09:05");
  g_Font[1].DrawText(&g_BackBuffer, 168, 192, "11");
  const cPixelBuffer expected = Pixels(&g_BackBuffer);
  ExpectPixels("slot_list", drawn, [&](int x, int y) -> std::uint32_t { return expected.Get(x, y); });
}

}  // namespace
