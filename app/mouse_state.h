#pragma once
// Mouse buttons of the window that updates them: held flags and press/release edges.

class cMouseState {
 public:
  int Update(int mask);

  int m_nX = 0;
  int m_nY = 0;
  int m_bLeft = 0;
  int m_bRight = 0;
  int m_bLeftPush = 0;
  int m_bRightPush = 0;
  int m_bLeftRelease = 0;
  int m_bRightRelease = 0;
};
