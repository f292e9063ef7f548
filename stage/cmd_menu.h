#pragma once
// Command menus: a list of cCmdItem entries (the System data's title, world-map and option
// menus, stage play's pause menu) of which the enabled ones are shown, in order, in a
// window of the 16-dot font with a free first column for the cursor sprite; and text
// lists made of the System data's texts. One character is 16 dots wide.
#include <vector>

#include "data/system/cmd_item.h"

struct DDSURFACEDATA;

class cCmd {
 public:
  // Entries whose enabled flag is not 0.
  static int CountEnabled(const std::vector<cCmdItem>& list);
  // The index of the n-th enabled entry (n from 0). Without one: the debug box
  // "cCmd::GetCmdNum 番号が不正です！" and 0, so the caller acts on entry 0.
  static int GetCmdNum(int n, const std::vector<cCmdItem>& list);
  // The left edge that centres the command window on x: x - ((L + 1) * 16) / 2 with L the
  // longest enabled label's characters; x itself when L is 0.
  static int GetCenterX(int x, const std::vector<cCmdItem>& list);
  // The window at (x, y), (L + 1) * 16 wide and 16 per enabled entry high, with the
  // enabled labels at (x + 16, y + 16 * j); nothing when every enabled label is empty.
  static void Draw(DDSURFACEDATA* lpDst, int x, int y, const std::vector<cCmdItem>& list);
};

// The left edge of a text list of System texts first .. first + count - 1 centred on xc:
// xc - (L * 16) / 2 with L their longest character count, plus 1 with bMargin.
int GetCmdListX(int xc, int nFirst, int nCount, int bMargin);
// Those texts, one a line (each after a blank with bMargin, the column of the cursor
// sprite), as a text box of the 16-dot font at (x, y), L * 16 wide and 16 per text high.
void DrawCmdList(DDSURFACEDATA* lpDst, int x, int y, int nFirst, int nCount, int bMargin);
