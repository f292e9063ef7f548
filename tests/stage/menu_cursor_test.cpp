// The menu toolkit: the cursor stack, grid and list movement, the cursor sound count and
// the command lists' lookups and centring.
#include "stage/menu_cursor.h"

#include <gtest/gtest.h>

#include <climits>

#include "data/system/system_data.h"
#include "media/input/input.h"
#include "stage/cmd_menu.h"

namespace {

cInput Dir(WORD dir) {
  cInput input;
  input.m_wDir = dir;
  return input;
}

bool SameLevel(const CURSORPOS& a, const CURSORPOS& b) {
  return a.nCol == b.nCol && a.nRow == b.nRow && a.x == b.x && a.y == b.y;
}

TEST(MenuCursorTest, StackKeepsOneLevelAndItsPointers) {
  cMenuCursor cursor;
  ASSERT_EQ(cursor.m_vLevel.size(), 1u);
  EXPECT_EQ(cursor.m_pCur, &cursor.m_vLevel[0]);
  EXPECT_EQ(cursor.m_pBelow, nullptr);

  *cursor.m_pCur = {1, 2, 3, 4};
  cursor.Push(1);  // the sub-menu starts where the parent is
  EXPECT_TRUE(SameLevel(*cursor.m_pCur, CURSORPOS{1, 2, 3, 4}));
  cursor.Push(0);
  EXPECT_TRUE(SameLevel(*cursor.m_pCur, CURSORPOS{}));
  ASSERT_EQ(cursor.m_vLevel.size(), 3u);
  EXPECT_EQ(cursor.m_pCur, &cursor.m_vLevel[2]);
  EXPECT_EQ(cursor.m_pBelow, &cursor.m_vLevel[1]);

  cursor.Reset();
  ASSERT_EQ(cursor.m_vLevel.size(), 1u);
  EXPECT_TRUE(SameLevel(*cursor.m_pCur, CURSORPOS{}));
  EXPECT_EQ(cursor.m_pCur, &cursor.m_vLevel[0]);
  EXPECT_EQ(cursor.m_pBelow, nullptr);

  cursor.m_vLevel.clear();  // Reset also makes the level when there is none
  cursor.Reset();
  ASSERT_EQ(cursor.m_vLevel.size(), 1u);
  EXPECT_EQ(cursor.m_pCur, &cursor.m_vLevel[0]);
}

TEST(MenuCursorTest, PopModesDecideWhatTheParentKeeps) {
  struct Case {
    int mode;
    CURSORPOS expectParent;
  } const cases[] = {
      {0, {0, 0, 0, 0}},      // zeroed
      {1, {1, 5, 48, 176}},   // as it was
      {2, {0, 3, 160, 208}},  // the sub-menu's values
  };
  for (const Case& c : cases) {
    cMenuCursor cursor;
    *cursor.m_pCur = {1, 5, 48, 176};
    cursor.Push(0);
    *cursor.m_pCur = {0, 3, 160, 208};
    cursor.Pop(c.mode);
    ASSERT_EQ(cursor.m_vLevel.size(), 1u) << c.mode;
    EXPECT_TRUE(SameLevel(*cursor.m_pCur, c.expectParent)) << c.mode;
    EXPECT_EQ(cursor.m_pBelow, nullptr);
  }
  cMenuCursor single;
  *single.m_pCur = {0, 4, 0, 0};
  single.Pop(0);  // nothing to pop: unchanged
  EXPECT_EQ(single.m_pCur->nRow, 4);
}

TEST(MenuCursorTest, PointersFollowTheVectorThroughManyPushes) {
  cMenuCursor cursor;
  for (int i = 0; i < 40; ++i) {
    cursor.Push(1);
    cursor.m_pCur->nRow = i;
  }
  EXPECT_EQ(cursor.m_pCur, &cursor.m_vLevel.back());
  EXPECT_EQ(cursor.m_pBelow->nRow, 38);
}

TEST(MenuCursorTest, GridWrapsRowsAndColumns) {
  struct Case {
    const char* what;
    int col, row;
    WORD dir;
    int cols, rows;
    int expectCol, expectRow;
  } const cases[] = {
      {"down from the last row", 0, 6, kDirDown, 1, 7, 0, 0},
      {"up from the first row", 0, 0, kDirUp, 1, 7, 0, 6},
      {"up and down: up wins", 0, 3, kDirUp | kDirDown, 1, 7, 0, 2},
      {"left and right: left wins", 1, 0, kDirLeft | kDirRight, 3, 1, 0, 0},
      {"right past the last column", 2, 0, kDirRight, 3, 1, 0, 0},
      {"a row out of range on entry", 0, 9, 0, 1, 6, 0, 0},
      {"a negative row on entry", 0, -4, 0, 1, 6, 0, 5},
      {"no columns: left gives -1", 0, 1, kDirLeft, 0, 4, -1, 1},
      {"no columns: right gives 0", -1, 1, kDirRight, 0, 4, 0, 1},
      {"a remembered row at the int limit", 0, INT_MAX, kDirDown, 1, 7, 0, 0},
  };
  for (const Case& c : cases) {
    cMenuCursor cursor;
    cursor.m_pCur->nCol = c.col;
    cursor.m_pCur->nRow = c.row;
    cursor.MoveGrid(Dir(c.dir), 48, 96, 20, 16, c.cols, c.rows);
    EXPECT_EQ(cursor.m_pCur->nCol, c.expectCol) << c.what;
    EXPECT_EQ(cursor.m_pCur->nRow, c.expectRow) << c.what;
    EXPECT_EQ(cursor.m_pCur->x, 48 + c.expectCol * 20) << c.what;
    EXPECT_EQ(cursor.m_pCur->y, 96 + c.expectRow * 16) << c.what;
  }
  cMenuCursor cursor;
  cursor.m_pCur->nRow = 3;
  cursor.MoveGrid(Dir(kDirDown), 0, 0, 0, 16, 1, -1);  // a negative size: nothing moves
  EXPECT_EQ(cursor.m_pCur->nRow, 3);
  EXPECT_EQ(cursor.m_pCur->y, 0);
}

TEST(MenuCursorTest, ListScrollsPagesAndStopsAtTheEnds) {
  struct Case {
    const char* what;
    int count, visible, index, top;
    WORD dir;
    int expectIndex, expectTop;
  } const cases[] = {
      {"down at the bottom row scrolls", 25, 10, 9, 0, kDirDown, 10, 1},
      {"down inside the page", 25, 10, 4, 0, kDirDown, 5, 0},
      {"page right from the top", 25, 10, 3, 0, kDirRight, 12, 9},
      {"page right on the last page", 25, 10, 17, 15, kDirRight, 24, 15},
      {"page left on the first page", 25, 10, 6, 0, kDirLeft, 0, 0},
      {"page left further down", 25, 10, 20, 12, kDirLeft, 11, 3},
      {"up at the first entry", 25, 10, 0, 0, kDirUp, 0, 0},
      {"up at the top row scrolls", 25, 10, 5, 5, kDirUp, 4, 4},
      {"down at the last entry", 25, 10, 24, 15, kDirDown, 24, 15},
      {"short list: top stays 0", 3, 10, 2, 0, kDirDown, 2, 0},
      {"short list: page right", 3, 10, 0, 0, kDirRight, 2, 0},
      {"empty list", 0, 10, 0, 0, kDirDown, 0, 0},
  };
  for (const Case& c : cases) {
    cMenuCursor cursor;
    cursor.m_pCur->nRow = c.index;
    std::int32_t top = c.top;
    cursor.MoveList(Dir(c.dir), 1, &top, 160, 16, 144, c.visible, c.count, 1);
    EXPECT_EQ(cursor.m_pCur->nRow, c.expectIndex) << c.what;
    EXPECT_EQ(top, c.expectTop) << c.what;
    EXPECT_EQ(cursor.m_pCur->y, 160 + 16 * (c.expectIndex - c.expectTop)) << c.what;
    EXPECT_EQ(cursor.m_pCur->x, 144) << c.what;
  }
  // Horizontal lists move the column; without page keys right and left do nothing.
  cMenuCursor cursor;
  cursor.m_pCur->nCol = 3;
  std::int32_t top = 0;
  cursor.MoveList(Dir(kDirRight), 0, &top, 100, 32, 50, 10, 25, 0);
  EXPECT_EQ(cursor.m_pCur->nCol, 3);
  EXPECT_EQ(cursor.m_pCur->x, 100 + 32 * 3);
  EXPECT_EQ(cursor.m_pCur->y, 50);
}

TEST(MenuCursorTest, CursorSoundPlaysOncePerAxisInTheMask) {
  struct Case {
    WORD dir;
    int mask, expect;
  } const cases[] = {
      {kDirUp | kDirRight, 3, 2}, {kDirUp | kDirRight, 2, 1}, {kDirLeft, 2, 0},
      {kDirLeft, 1, 1},           {0, 3, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(CursorSoundCount(Dir(c.dir), c.mask), c.expect) << c.dir << " " << c.mask;
}

std::vector<cCmdItem> Items(std::initializer_list<std::pair<int, const char*>> entries) {
  std::vector<cCmdItem> list;
  for (const auto& [enabled, label] : entries) {
    cCmdItem item;
    item.m_bEnabled = enabled;
    item.m_strLabel = label;
    list.push_back(item);
  }
  return list;
}

TEST(CmdMenuTest, EnabledEntriesCountAndCentre) {
  const std::vector<cCmdItem> list = Items({{1, "はじめ"}, {0, "とても長いラベルです"}, {1, "おわりまで"}});
  EXPECT_EQ(cCmd::CountEnabled(list), 2);
  EXPECT_EQ(cCmd::GetCmdNum(0, list), 0);
  EXPECT_EQ(cCmd::GetCmdNum(1, list), 2);  // the disabled entry is skipped
  EXPECT_EQ(cCmd::GetCmdNum(2, list), 0);  // none: entry 0
  EXPECT_EQ(cCmd::GetCmdNum(-1, list), 0);
  // The longest enabled label has 5 characters: 320 - (6 * 16) / 2.
  EXPECT_EQ(cCmd::GetCenterX(320, list), 272);
  EXPECT_EQ(cCmd::GetCenterX(320, Items({{1, ""}, {0, "abc"}})), 320);
  EXPECT_EQ(cCmd::GetCenterX(320, {}), 320);
}

TEST(CmdMenuTest, TextListCentresOnItsLongestText) {
  const std::vector<std::string> saved = g_SystemData.m_Texts;
  g_SystemData.m_Texts.assign(29, "");
  g_SystemData.m_Texts[10] = "いく";
  g_SystemData.m_Texts[11] = "やめる";
  EXPECT_EQ(GetCmdListX(304, 10, 2, 0), 280);
  EXPECT_EQ(GetCmdListX(304, 10, 2, 1), 272);
  EXPECT_EQ(GetCmdListX(304, 10, 0, 1), 296);
  g_SystemData.m_Texts = saved;
}

}  // namespace
