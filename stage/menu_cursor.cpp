#include "stage/menu_cursor.h"

#include <algorithm>

#include "app/checked_access.h"
#include "media/input/input.h"
#include "media/sound/sound.h"

cMenuCursor g_MenuCursor;

cMenuCursor::cMenuCursor() : m_pCur(nullptr), m_pBelow(nullptr), m_vLevel(1, CURSORPOS{}) { Relink(); }

void cMenuCursor::Relink() {
  if (m_vLevel.empty()) m_vLevel.push_back(CURSORPOS{});
  m_pCur = &m_vLevel.back();
  m_pBelow = m_vLevel.size() >= 2 ? &m_vLevel[m_vLevel.size() - 2] : nullptr;
}

void cMenuCursor::Reset() {
  m_vLevel.resize(1);
  m_vLevel[0] = CURSORPOS{};
  Relink();
}

void cMenuCursor::Push(int nMode) {
  CURSORPOS level{};
  if (nMode == 1 && !m_vLevel.empty()) level = m_vLevel.back();
  m_vLevel.push_back(level);
  Relink();
}

void cMenuCursor::Pop(int nMode) {
  if (m_vLevel.size() < 2) return;
  const CURSORPOS removed = m_vLevel.back();
  m_vLevel.pop_back();
  CURSORPOS& top = m_vLevel.back();
  if (nMode == 0) {
    top = CURSORPOS{};
  } else if (nMode == 2) {
    top = removed;
  }
  Relink();
}

void cMenuCursor::MoveGrid(const cInput& input, int x0, int y0, int dx, int dy, int nCols, int nRows) {
  if (nCols < 0 || nRows < 0) return;
  CURSORPOS& cur = *m_pCur;
  // The wrap below brings the row and column back into range at once, so one step from
  // any value a scene may have put in (a remembered row, say) cannot overflow: steps are
  // taken only from values the wrap keeps near the menu's size.
  if ((input.m_wDir & kDirLeft) != 0) {
    cur.nCol = cur.nCol > INT32_MIN ? cur.nCol - 1 : cur.nCol;
  } else if ((input.m_wDir & kDirRight) != 0) {
    cur.nCol = cur.nCol < INT32_MAX ? cur.nCol + 1 : cur.nCol;
  }
  if ((input.m_wDir & kDirUp) != 0) {
    cur.nRow = cur.nRow > INT32_MIN ? cur.nRow - 1 : cur.nRow;
  } else if ((input.m_wDir & kDirDown) != 0) {
    cur.nRow = cur.nRow < INT32_MAX ? cur.nRow + 1 : cur.nRow;
  }
  if (cur.nRow < 0) {
    cur.nRow = nRows - 1;
  } else if (cur.nRow >= nRows) {
    cur.nRow = 0;
  }
  if (cur.nCol < 0) {
    cur.nCol = nCols - 1;
  } else if (cur.nCol >= nCols) {
    cur.nCol = 0;
  }
  // The sprite position wraps like the hardware it stands for rather than overflowing.
  cur.x = static_cast<std::int32_t>(static_cast<std::uint32_t>(x0) +
                                    static_cast<std::uint32_t>(cur.nCol) * static_cast<std::uint32_t>(dx));
  cur.y = static_cast<std::int32_t>(static_cast<std::uint32_t>(y0) +
                                    static_cast<std::uint32_t>(cur.nRow) * static_cast<std::uint32_t>(dy));
}

void cMenuCursor::MoveList(const cInput& input, int bVertical, std::int32_t* lpTop, int nOrigin, int nStep,
                           int nOther, int nVisible, int nCount, int bPageKeys) {
  CURSORPOS& cur = *m_pCur;
  // Worked in 64 bits: a list index, its top and a page are small, but nothing here may
  // overflow on whatever a caller hands in.
  std::int64_t index = bVertical != 0 ? cur.nRow : cur.nCol;
  std::int64_t top = *lpTop;
  const std::int64_t visible = nVisible;
  const std::int64_t count = nCount;
  if ((input.m_wDir & kDirUp) != 0) {
    if (index - top < 1) --top;
    --index;
  } else if ((input.m_wDir & kDirDown) != 0) {
    if (index - top >= visible - 1) ++top;
    ++index;
  }
  const std::int64_t maxTop = count - visible;
  if (bPageKeys != 0) {
    const std::int64_t page = visible - 1;  // one row of the old page stays on screen
    if ((input.m_wDir & kDirRight) != 0) {
      if (top == maxTop) {
        index = count - 1;
      } else {
        top += page;
        index += page;
      }
    } else if ((input.m_wDir & kDirLeft) != 0) {
      if (top != 0) {
        top -= page;
        index -= page;
      } else {
        index = 0;
      }
    }
  }
  if (index > count - 1) index = count - 1;
  if (index < 0) index = 0;
  if (top < 0) top = 0;
  const std::int64_t topLimit = std::max<std::int64_t>(maxTop, 0);
  if (top > topLimit) top = topLimit;
  const auto to32 = [](std::int64_t v) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
  };
  *lpTop = to32(top);
  const std::int32_t pos = to32(nOrigin + static_cast<std::int64_t>(nStep) * (index - top));
  if (bVertical != 0) {
    cur.nRow = to32(index);
    cur.y = pos;
    cur.x = nOther;
  } else {
    cur.nCol = to32(index);
    cur.x = pos;
    cur.y = nOther;
  }
}

int CursorSoundCount(const cInput& input, int nMask) {
  int n = 0;
  if ((nMask & 1) != 0 && (input.m_wDir & (kDirLeft | kDirRight)) != 0) ++n;
  if ((nMask & 2) != 0 && (input.m_wDir & (kDirUp | kDirDown)) != 0) ++n;
  return n;
}

void PlayCursorSE(const cInput& input, int nMask, int n) {
  const int times = CursorSoundCount(input, nMask);
  for (int i = 0; i < times; ++i) DSPlay(&CheckedAt(g_Sound, n), 0);
}
