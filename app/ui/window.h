#pragma once
// The window framework: cWindow keeps a top-level window's creation parameters, works out
// its outer size from the client size it wants and its style, keeps it on the desktop,
// turns window messages into calls of virtual handlers, reads the mouse and can log every
// message it receives. cFrameWnd is the kind made with CreateWindowExA (the main window);
// cDialog (dialog.h) is the kind made from a dialog resource.
#include <string>

#include "app/mouse_state.h"
#include "platform/win_types.h"
#include "platform/win_window.h"

class cWindowList;

// Holder of drawing objects. Nothing of the player's windows fills one; kept so that a
// window owns the same parts wherever it is built.
class cMemDC {
 public:
  void Release() {}
};

// Four int32: left, top, right, bottom.
void ClearRect(RECT& rect);

// The WM_ name of a message number, or the number in decimal (in one buffer that the next
// such call overwrites).
const char* GetMsgName(UINT msg);

class cWindow {
 public:
  cWindow();
  virtual ~cWindow();
  cWindow(const cWindow&) = delete;
  cWindow& operator=(const cWindow&) = delete;

  void Reset();
  void SetCreateParams(WORD id, HWND parent, cWindowList* windowList);
  void SetFrame(int clientW, int clientH, int minW, int minH, int maxW, int maxH, DWORD style, int menu, int toolBar,
                int statusBar, int frameFlag, int scroll);
  void CalcFrame();
  void UpdateStyle();
  void AddStyle(DWORD bits);
  void RemoveStyle(DWORD bits);
  // Nothing when no window exists.
  void GetClientRect(RECT& rect) const;
  // The outer rectangle's left and top, read from the window as it is now; the remembered
  // position only while no window exists (a window that handles WM_MOVE itself never
  // updates the remembered one).
  void GetPos(POINT& point) const;
  void Move(int x, int y);
  void SetClientSize(int w, int h);
  void SetClientRect(int x, int y, int w, int h);
  void Center();
  void Relocate();
  void GetMinMaxInfo(MINMAXINFO* minmax) const;
  int GetToolBarHeight() const;
  int GetStatusBarHeight() const;
  int UpdateMouse(int force, int mask);
  void ClearCommandGuard() { m_bInCommand = 0; }

  // Setters of what Relocate and the logger read; none of the player's windows sets them.
  void SetStoredPos(int x, int y) { m_nStoredX = x; m_nStoredY = y; }
  void SetOwner(cWindow* owner, int center) { m_pOwner = owner; m_bCenter = center; }
  void SetParentControl(HWND parent, int center) { m_hParentCtl = parent; m_bCenter = center; }
  void SetMessageLog(int on, const char* name) { m_bLogMessages = on; m_Name = name != nullptr ? name : ""; }

  // Virtual operations, in the order the framework calls them by.
  virtual void Idle() {}
  virtual void OnCommand(WPARAM, LPARAM) {}
  virtual void OnMouseMove(WPARAM, LPARAM) {}
  virtual void OnLButtonDown(WPARAM, LPARAM) {}
  virtual void OnRButtonDown(WPARAM, LPARAM) {}
  virtual void OnLButtonDblClk(WPARAM, LPARAM) {}
  virtual void OnRButtonDblClk(WPARAM, LPARAM) {}
  virtual void OnLButtonUp(WPARAM, LPARAM) {}
  virtual void OnRButtonUp(WPARAM, LPARAM) {}
  virtual LRESULT WndProc(HWND, UINT, WPARAM, LPARAM) { return 0; }
  virtual int DispatchMsg(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  virtual void RefreshLists() {}
  virtual void OnPaint() {}

  HWND GetHandle() const { return m_hWnd; }
  int IsCreated() const { return m_bCreated; }
  void SetCreated(int created) { m_bCreated = created; }

  // Members, in the order they are laid out.
  int m_bDialog = 0;
  HWND m_hWnd = nullptr;
  HINSTANCE m_hInstance = nullptr;
  WORD m_nId = 0;
  HWND m_hParent = nullptr;
  WNDPROC m_pStaticProc = nullptr;
  cWindowList* m_pWindowList = nullptr;
  cMemDC m_MemDC;
  cMemDC m_MemDC2;
  int m_nX = 0;
  int m_nY = 0;
  int m_nDrawX = 0;
  int m_nDrawY = 0;
  int m_nDrawW = 0;
  int m_nDrawH = 0;
  cMouseState m_Mouse;
  RECT m_CreateSize{};
  RECT m_ClientRect{};
  RECT m_MinSize{};
  RECT m_MaxSize{};
  RECT m_OuterSize{};
  DWORD m_dwStyle = 0;
  int m_bMenu = 0;
  int m_bToolBar = 0;
  int m_bStatusBar = 0;
  int m_bFrameFlag = 0;
  int m_nScroll = 0;
  HWND m_hToolBar = nullptr;
  HWND m_hStatusBar = nullptr;
  int m_nNcWidth = 0;
  int m_nNcHeight = 0;
  int m_nExtraW = 0;
  int m_nExtraH = 0;
  int m_nFrameLeft = 0;
  int m_nFrameRight = 0;
  int m_nFrameTop = 0;     // caption, top frame and menu
  int m_nFrameBottom = 0;
  int m_nExtraTop = 0;     // tool bar
  int m_nExtraRight = 0;
  int m_nExtraBottom = 0;
  int m_bCreated = 0;
  int m_bLaidOut = 0;
  int m_bInCommand = 0;
  std::string m_Name;
  int m_bLogMessages = 0;
  int m_nStoredX = -1000;
  int m_nStoredY = -1000;
  HWND m_hParentCtl = nullptr;
  cWindow* m_pOwner = nullptr;
  int m_bCenter = 0;
};

class cFrameWnd : public cWindow {
 public:
  // Runs cWindow's dispatch, then OnInit for WM_CREATE.
  int DispatchMsg(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
  virtual void OnInit(WPARAM, LPARAM) {}
  // Makes the window with the outer size SetFrame computed, at (x, y), with `proc` as its
  // procedure (which hands messages to WndProc); 1 on success.
  int Create(const char* title, int x, int y, WNDPROC proc);
};
