#pragma once
// The least of a command menu that stage play's pause and retry menus need: the entries'
// labels and enabled flags, one cursor row, moving it with up and down, and the labels
// drawn in the 16-dot font. The front end's menu toolkit replaces this when it comes.
#include <vector>

#include "data/system/cmd_item.h"

class cInput;
struct DDSURFACEDATA;

constexpr int kMenuRowHeight = 16;

class cStageMenuCursor {
 public:
  void Reset() { m_nRow = 0; }
  // Up and down move the row among nRows rows, wrapping at both ends.
  void Move(const cInput& input, int nRows);
  // Where the cursor sprite goes for a menu drawn at (x, y).
  [[nodiscard]] int SpriteX(int x) const { return x - 20; }
  [[nodiscard]] int SpriteY(int y) const { return y + m_nRow * kMenuRowHeight; }

  int m_nRow = 0;
};
extern cStageMenuCursor g_StageMenuCursor;

// Entries whose enabled flag is set.
int CountEnabled(const std::vector<cCmdItem>& items);
// The entry shown on `row` (counting enabled entries only); -1 when there is none.
int GetCmdNum(const std::vector<cCmdItem>& items, int row);
// The left edge that centres the widest enabled label on cx.
int GetMenuCenterX(int cx, const std::vector<cCmdItem>& items);
// The enabled labels, one row each from (x, y).
void DrawMenu(DDSURFACEDATA* lpDst, int x, int y, const std::vector<cCmdItem>& items);
