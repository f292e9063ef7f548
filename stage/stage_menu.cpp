#include "stage/stage_menu.h"

#include "app/str_helpers.h"
#include "media/draw/font.h"
#include "media/input/input.h"

cStageMenuCursor g_StageMenuCursor;

namespace {

constexpr int kMenuFont = 1;        // the 16-dot font
constexpr int kMenuCharWidth = 16;

}  // namespace

void cStageMenuCursor::Move(const cInput& input, int nRows) {
  if (nRows <= 0) {
    m_nRow = 0;
    return;
  }
  if ((input.m_wDir & kDirUp) != 0) --m_nRow;
  if ((input.m_wDir & kDirDown) != 0) ++m_nRow;
  if (m_nRow < 0) m_nRow = nRows - 1;
  if (m_nRow >= nRows) m_nRow = 0;
}

int CountEnabled(const std::vector<cCmdItem>& items) {
  int n = 0;
  for (const cCmdItem& item : items) n += item.m_bEnabled != 0 ? 1 : 0;
  return n;
}

int GetCmdNum(const std::vector<cCmdItem>& items, int row) {
  int shown = 0;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (items[i].m_bEnabled == 0) continue;
    if (shown == row) return static_cast<int>(i);
    ++shown;
  }
  return -1;
}

int GetMenuCenterX(int cx, const std::vector<cCmdItem>& items) {
  int widest = 0;
  for (const cCmdItem& item : items) {
    if (item.m_bEnabled == 0) continue;
    const int chars = GetStrCharNum(item.m_strLabel.c_str());
    if (chars > widest) widest = chars;
  }
  return cx - widest * kMenuCharWidth / 2;
}

void DrawMenu(DDSURFACEDATA* lpDst, int x, int y, const std::vector<cCmdItem>& items) {
  int row = 0;
  for (const cCmdItem& item : items) {
    if (item.m_bEnabled == 0) continue;
    g_Font[kMenuFont].DrawText(lpDst, x, y + row * kMenuRowHeight, item.m_strLabel.c_str());
    ++row;
  }
}
