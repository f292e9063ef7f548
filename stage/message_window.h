#pragma once
// Message windows of stage play: text windows of the message command, the rising icons
// of a picked-up item and of an extra life, and the invisible timed entry of a game wait.
// They live in the scene's m_lstMessage; a text window draws its text once into its own
// surface in the scene's message surface list and blits that surface each frame.
#include <cstdint>
#include <string>

#include "media/draw/dd_surface.h"

enum MSGKIND : std::int32_t {
  MSGKIND_WAIT = 0,         // invisible; counts a game wait's frames
  MSGKIND_TEXT = 1,         // a text window
  MSGKIND_PART_ICON = 2,    // a rising 16x16 part picture (an item picked up)
  MSGKIND_STATUS_ICON = 3,  // the rising extra-life icon
};

enum MSGDISP : std::int32_t {
  MSGDISP_KEY = 0,    // until the advance key (the wait removes it)
  MSGDISP_STAGE = 1,  // until the stage ends
  MSGDISP_TIME = 2,   // for a number of frames
};

// Where a window stands: the screen centre, above, below or on the centre of the
// character that showed it or of the hero, at screen blocks, or at stage blocks.
enum MSGPOS : std::int32_t {
  MSGPOS_CENTRE = 0,
  MSGPOS_SELF_ABOVE = 1,
  MSGPOS_SELF_BELOW = 2,
  MSGPOS_SELF_CENTRE = 3,
  MSGPOS_HERO_ABOVE = 4,
  MSGPOS_HERO_BELOW = 5,
  MSGPOS_HERO_CENTRE = 6,
  MSGPOS_SCREEN = 7,
  MSGPOS_STAGE = 8,
};

// The values a message is set up from, in the order the message command passes them.
struct cMessageSetup {
  std::int32_t nKind = MSGKIND_WAIT;
  const char* lpText = nullptr;  // null: the texts stay as they are
  std::int32_t nIconKind = 0;
  std::int32_t nIconGraphic = 0;
  std::int32_t nIconPattern = 0;
  std::int32_t nPosMode = MSGPOS_CENTRE;
  std::int32_t nBlockX = 0;
  std::int32_t nBlockY = 0;
  std::int32_t nOffsetX = 0;
  std::int32_t nOffsetY = 0;
  std::int32_t bKeepOnScreen = 0;
  std::int32_t bScreenFixed = 0;
  std::int32_t nDispMode = MSGDISP_KEY;
  std::int32_t nFrames = 0;
  std::int32_t bCountWhilePaused = 0;
  std::int32_t nSubjectId = 0;
  std::int32_t bContinued = 0;  // continues the window before it: no opening box
  std::int32_t bMacro = 0;
  std::int32_t bRefresh = 0;
  std::int32_t nRefreshInterval = 0;
  std::int32_t bFramed = 0;
  std::int32_t bHasId = 0;
  std::int32_t nId = 0;
  std::int32_t bKeepSurface = 0;  // reuse the window's surface (same size, same id)
};

// The set-ups of the three built-in messages: an item's icon rising over the player for
// 30 frames, the extra-life icon the same way, and the game wait's invisible timer.
cMessageSetup ItemIconMessage(std::int32_t nPartKind, std::int32_t nGraphic, std::int32_t nPattern,
                              std::int32_t nPlayerId);
cMessageSetup ExtraLifeMessage(std::int32_t nPlayerId);
cMessageSetup GameWaitMessage(std::int32_t nFrames);

constexpr std::int32_t kMessageOpeningFrames = 10;  // the framed box grows over frames 1-9

class cMessage {
 public:
  cMessage() = default;
  explicit cMessage(const cMessageSetup& setup) { Set(setup); }

  void Set(const cMessageSetup& setup);
  // One frame: counts the time, refreshes the text, places and draws the message. 1 when
  // it has ended (its surface already released): the caller erases it.
  std::int32_t Draw(DDSURFACEDATA* lpDst, std::int32_t bPaused);

  // The text's window size: the font's extent plus 2 each way.
  static void GetTextSize(std::int32_t* pWidth, std::int32_t* pHeight, const std::string& text);
  // A window surface of the current size in the scene's list: at nIndex when that lies
  // inside the list, else at its end. A surface that cannot be made closes the program.
  void CreateSurface(int nIndex);
  // Removes the window's surface from the scene's list (nothing without one).
  void ReleaseSurface();
  // The shown text into the window surface.
  void DrawText(DDSURFACEDATA* lpSurface);

  DDSURFACEDATA* m_pSurface = nullptr;  // in the scene's m_lstMessageSurface
  DDSURFACEDEF* m_pSurfaceDef = nullptr;
  std::int32_t m_nKind = MSGKIND_WAIT;
  std::string m_strText;     // as shown (macros expanded)
  std::string m_strRawText;  // as written
  std::int32_t m_nIconKind = 0;
  std::int32_t m_nIconGraphic = 0;
  std::int32_t m_nIconPattern = 0;
  std::int32_t m_bMacro = 0;
  std::int32_t m_bRefresh = 0;
  std::int32_t m_nRefreshInterval = 0;
  std::int32_t m_bFramed = 0;
  std::int32_t m_nPosMode = MSGPOS_CENTRE;
  std::int32_t m_nBlockX = 0;
  std::int32_t m_nBlockY = 0;
  std::int32_t m_nOffsetX = 0;
  std::int32_t m_nOffsetY = 0;
  std::int32_t m_nWidth = 0;
  std::int32_t m_nHeight = 0;
  std::int32_t m_bKeepOnScreen = 0;
  std::int32_t m_nDispMode = MSGDISP_KEY;
  std::int32_t m_bScreenFixed = 0;
  std::int32_t m_bPosStored = 0;
  std::int32_t m_nStoredX = 0;
  std::int32_t m_nStoredY = 0;
  std::int32_t m_bHasId = 0;
  std::int32_t m_nId = 0;
  std::int32_t m_nSubjectId = 0;
  std::int32_t m_nFramesLeft = 0;
  std::int32_t m_bCountWhilePaused = 0;
  std::int32_t m_bOpening = 0;
  double m_dOpening = 0;  // frames of the opening so far

 private:
  // The window's top-left on screen this frame; false when its character is gone.
  bool Place(std::int32_t* pX, std::int32_t* pY);
  void Refresh();
};
