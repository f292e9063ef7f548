#pragma once
// The program's registry of windows: modeless dialogs add themselves to the first list;
// the second holds controls with a window. A modal dialog can hide or disable them all
// while it runs.
#include <vector>

class cWindow;
class cControl;

class cWindowList {
 public:
  void ShowWindows(int bShow);
  void EnableWindows(int bEnable);
  // 1 when found and removed.
  int RemoveWindow(cWindow* window);

  std::vector<cWindow*> m_Windows;
  std::vector<cControl*> m_Controls;
};

// The program's registry; the main window itself is not in it.
extern cWindowList g_WindowList;
