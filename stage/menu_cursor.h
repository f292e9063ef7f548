#pragma once
// The cursor of every menu of the player: a stack of cursor levels, the top one being the
// menu now open and the ones below it the menus that come back, cursor and all, when the
// top one closes. Two movement rules act on the top level: a wrapping grid and a clamped
// scrolling list with page keys. All of it runs on the game thread.
#include <cstdint>
#include <vector>

class cInput;

// One cursor level: the place in the menu, and where the scene draws the cursor sprite.
struct CURSORPOS {
  std::int32_t nCol;
  std::int32_t nRow;
  std::int32_t x;
  std::int32_t y;
};

class cMenuCursor {
 public:
  // One zeroed level.
  cMenuCursor();
  // The pointers point into the cursor's own vector: a copy would point into another's.
  cMenuCursor(const cMenuCursor&) = delete;
  cMenuCursor& operator=(const cMenuCursor&) = delete;

  // Exactly one zeroed level (made when the vector is empty).
  void Reset();
  // A new top level: with mode 1 a copy of the level below, else zeroed.
  void Push(int nMode);
  // Drops the top level when there are two or more; the new top is zeroed (mode 0), keeps
  // its values (mode 1) or takes the dropped level's values (mode 2). Nothing with one
  // level.
  void Pop(int nMode);

  // Grid movement of the top level: left before right, up before down, the row wrapped
  // first, then the column; then the sprite at (x0 + column * dx, y0 + row * dy). Nothing
  // when nCols or nRows is negative.
  void MoveGrid(const cInput& input, int x0, int y0, int dx, int dy, int nCols, int nRows);
  // Scrolling-list movement of the top level's row (bVertical) or column, with *lpTop the
  // first visible entry: no wrap, right and left page by nVisible - 1 when bPageKeys is
  // set. The moved coordinate becomes nOrigin + nStep * (index - top), the other nOther.
  void MoveList(const cInput& input, int bVertical, std::int32_t* lpTop, int nOrigin, int nStep, int nOther,
                int nVisible, int nCount, int bPageKeys);

  CURSORPOS* m_pCur;    // the top level
  CURSORPOS* m_pBelow;  // the level under it; null with one level
  std::vector<CURSORPOS> m_vLevel;  // the bottom level first; never empty

 private:
  // Takes both pointers again after the vector changed.
  void Relink();
};

extern cMenuCursor g_MenuCursor;

// How many times the cursor sound plays for this frame's direction word: once when mask
// bit 1 is set and left or right is held, once more when mask bit 2 is set and up or down
// is held.
int CursorSoundCount(const cInput& input, int nMask);
// Plays sound-table entry n (scenes pass 0, the cursor sound) CursorSoundCount times,
// started right here on the calling thread rather than through the main window.
void PlayCursorSE(const cInput& input, int nMask, int n);
