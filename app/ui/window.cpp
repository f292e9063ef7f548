#include "app/ui/window.h"

#include "app/report_log.h"
#include "app/ui/window_list.h"

void ClearRect(RECT& rect) { rect = RECT{0, 0, 0, 0}; }

namespace {
int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }
}  // namespace

cWindow::cWindow() { Reset(); }

cWindow::~cWindow() {
  m_Name.clear();
  m_MemDC.Release();
  m_MemDC2.Release();
}

void cWindow::Reset() {
  m_hWnd = nullptr;
  m_hInstance = nullptr;
  m_nId = 0;
  m_hParent = nullptr;
  m_pStaticProc = nullptr;
  m_pWindowList = nullptr;
  m_nX = m_nY = 0;
  m_nDrawX = m_nDrawY = m_nDrawW = m_nDrawH = 0;
  ClearRect(m_CreateSize);
  ClearRect(m_ClientRect);
  ClearRect(m_MinSize);
  ClearRect(m_MaxSize);
  ClearRect(m_OuterSize);
  m_dwStyle = 0;
  m_bMenu = m_bToolBar = m_bStatusBar = m_bFrameFlag = m_nScroll = 0;
  m_hToolBar = m_hStatusBar = nullptr;
  m_nNcWidth = m_nNcHeight = m_nExtraW = m_nExtraH = 0;
  m_nFrameLeft = m_nFrameRight = m_nFrameTop = m_nFrameBottom = 0;
  m_nExtraTop = m_nExtraRight = m_nExtraBottom = 0;
  m_bCreated = m_bLaidOut = m_bInCommand = 0;
  m_bLogMessages = 0;
  m_nStoredX = m_nStoredY = -1000;
  m_hParentCtl = nullptr;
  m_pOwner = nullptr;
  m_bCenter = 0;
}

void cWindow::SetCreateParams(WORD id, HWND parent, cWindowList* windowList) {
  m_nId = id;
  m_hParent = parent;
  m_pWindowList = windowList;
  // There is one program instance; nothing is loaded through an instance handle here.
  m_hInstance = nullptr;
}

void cWindow::SetFrame(int clientW, int clientH, int minW, int minH, int maxW, int maxH, DWORD style, int menu,
                       int toolBar, int statusBar, int frameFlag, int scroll) {
  m_dwStyle = style;
  m_bMenu = menu;
  m_bToolBar = toolBar;
  m_bStatusBar = statusBar;
  m_bFrameFlag = frameFlag;
  m_nScroll = scroll;
  m_CreateSize = RECT{0, 0, clientW, clientH};
  m_ClientRect = RECT{0, 0, clientW, clientH};
  m_MinSize = RECT{0, 0, minW, minH};
  m_MaxSize = RECT{0, 0, maxW, maxH};
  m_nDrawY = GetToolBarHeight();
  if (!m_bDialog) CalcFrame();
}

void cWindow::CalcFrame() {
  m_OuterSize = RECT{0, 0, Width(m_ClientRect), Height(m_ClientRect)};
  m_nFrameLeft = m_nFrameRight = m_nFrameTop = m_nFrameBottom = 0;
  m_nExtraTop = m_nExtraRight = m_nExtraBottom = 0;
  if ((m_dwStyle & WS_CAPTION) != 0) m_nFrameTop += GetSystemMetrics(SM_CYCAPTION);
  int sideFrame = 0;
  if ((m_dwStyle & WS_THICKFRAME) != 0) {
    sideFrame = GetSystemMetrics(SM_CXFRAME);
    m_nFrameLeft += sideFrame;
    m_nFrameRight += sideFrame;
    m_nFrameTop += GetSystemMetrics(SM_CYFRAME);
    m_nFrameBottom += GetSystemMetrics(SM_CYFRAME);
  } else if ((m_dwStyle & WS_DLGFRAME) != 0) {
    sideFrame = GetSystemMetrics(SM_CXDLGFRAME);
    m_nFrameLeft += sideFrame;
    m_nFrameRight += sideFrame;
    m_nFrameTop += GetSystemMetrics(SM_CYDLGFRAME);
    m_nFrameBottom += GetSystemMetrics(SM_CYDLGFRAME);
  }
  if ((m_dwStyle & WS_HSCROLL) != 0) m_nFrameBottom += GetSystemMetrics(SM_CYHSCROLL);
  if ((m_dwStyle & WS_VSCROLL) != 0) m_nFrameRight += GetSystemMetrics(SM_CXVSCROLL);
  if ((m_nScroll & 1) != 0) m_nExtraBottom += GetSystemMetrics(SM_CYHSCROLL);
  if ((m_nScroll & 2) != 0) m_nExtraRight += GetSystemMetrics(SM_CXVSCROLL);
  if (m_bStatusBar) m_nExtraBottom += GetStatusBarHeight();
  if (m_bToolBar) m_nExtraTop += GetToolBarHeight();
  if (m_bMenu) {
    if (!m_bDialog) {
      m_nFrameTop += GetSystemMetrics(SM_CYMENU);
    } else {
      RECT outer{}, client{};
      if (m_hWnd != nullptr && ::GetWindowRect(m_hWnd, &outer) && ::GetClientRect(m_hWnd, &client))
        m_nFrameTop += Height(outer) - Height(client) - GetSystemMetrics(SM_CYCAPTION) - 2 * sideFrame;
    }
  }
  m_nNcWidth = m_nFrameLeft + m_nFrameRight;
  m_nNcHeight = m_nFrameTop + m_nFrameBottom;
  m_nExtraW = m_nExtraRight;
  m_nExtraH = m_nExtraTop + m_nExtraBottom;
  m_OuterSize = RECT{0, 0, Width(m_ClientRect) + m_nNcWidth, Height(m_ClientRect) + m_nNcHeight};
  m_nDrawX = 0;
  m_nDrawY = m_nExtraTop;
  m_nDrawW = Width(m_ClientRect) - m_nExtraW;
  m_nDrawH = Height(m_ClientRect) - m_nExtraH;
}

void cWindow::UpdateStyle() {
  if (m_hWnd != nullptr) {
    m_dwStyle = static_cast<DWORD>(GetWindowLongA(m_hWnd, GWL_STYLE));
    ::GetClientRect(m_hWnd, &m_ClientRect);
  }
  CalcFrame();
}

void cWindow::AddStyle(DWORD bits) {
  SetWindowLongA(m_hWnd, GWL_STYLE, static_cast<LONG>(static_cast<DWORD>(GetWindowLongA(m_hWnd, GWL_STYLE)) | bits));
  UpdateStyle();
}

void cWindow::RemoveStyle(DWORD bits) {
  SetWindowLongA(m_hWnd, GWL_STYLE, static_cast<LONG>(static_cast<DWORD>(GetWindowLongA(m_hWnd, GWL_STYLE)) & ~bits));
  UpdateStyle();
}

void cWindow::GetClientRect(RECT& rect) const {
  if (m_hWnd != nullptr) ::GetClientRect(m_hWnd, &rect);
}

void cWindow::GetPos(POINT& point) const {
  RECT rect{};
  if (m_hWnd != nullptr && ::GetWindowRect(m_hWnd, &rect)) {
    point = POINT{rect.left, rect.top};
    return;
  }
  point = POINT{m_nX, m_nY};
}

void cWindow::Move(int x, int y) {
  SetWindowPos(m_hWnd, nullptr, x, y, Width(m_OuterSize), Height(m_OuterSize), SWP_NOZORDER | SWP_NOACTIVATE);
  m_nX = x;
  m_nY = y;
  CalcFrame();
}

void cWindow::SetClientSize(int w, int h) {
  POINT pos{};
  GetPos(pos);
  SetClientRect(pos.x, pos.y, w, h);
}

void cWindow::SetClientRect(int x, int y, int w, int h) {
  m_ClientRect = RECT{0, 0, w + m_nExtraW, h + m_nExtraH};
  m_OuterSize = RECT{0, 0, Width(m_ClientRect) + m_nNcWidth, Height(m_ClientRect) + m_nNcHeight};
  SetWindowPos(m_hWnd, nullptr, x, y, Width(m_OuterSize), Height(m_OuterSize), SWP_NOZORDER | SWP_NOACTIVATE);
  CalcFrame();
}

void cWindow::Center() {
  RECT rect{}, desktop{};
  ::GetWindowRect(m_hWnd, &rect);
  ::GetWindowRect(GetDesktopWindow(), &desktop);
  Move((rect.left + desktop.right - rect.right) / 2, (rect.top + desktop.bottom - rect.bottom) / 2);
}

void cWindow::Relocate() {
  int x = 0, y = 0;
  RECT client{};
  GetClientRect(client);
  if (m_pOwner != nullptr) {
    RECT outer{}, ownerClient{};
    ::GetWindowRect(m_pOwner->m_hWnd, &outer);
    x = outer.left;
    y = outer.top;
    if (m_bCenter) {
      ::GetClientRect(m_pOwner->m_hWnd, &ownerClient);
      x += Width(ownerClient) / 2 - Width(client) / 2;
      y += Height(ownerClient) / 2 - Height(client) / 2;
    }
  } else if (m_hParentCtl != nullptr) {
    RECT outer{}, parentClient{};
    ::GetWindowRect(m_hParentCtl, &outer);
    x = outer.left;
    y = outer.top;
    if (m_bCenter) {
      if (::GetClientRect(m_hParentCtl, &parentClient)) {
        x += Width(parentClient) / 2;
        y += Height(parentClient) / 2;
      }
      x -= Width(client) / 2;
      y -= Height(client) / 2;
    }
  } else if (m_nStoredX != -1000 || m_nStoredY != -1000) {
    x = m_nStoredX;
    y = m_nStoredY;
  } else {
    return;
  }
  RECT work{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  const int w = Width(m_OuterSize), h = Height(m_OuterSize);
  if (x < 0) x = 0;
  else if (x + w >= work.right) x = work.right - w;
  if (y < 0) y = 0;
  else if (y + h >= work.bottom) y = work.bottom - h;
  Move(x, y);
}

void cWindow::GetMinMaxInfo(MINMAXINFO* minmax) const {
  if (minmax == nullptr) return;
  minmax->ptMinTrackSize = POINT{Width(m_MinSize) + m_nNcWidth + m_nExtraW, Height(m_MinSize) + m_nNcHeight + m_nExtraH};
  minmax->ptMaxTrackSize = POINT{Width(m_MaxSize) + m_nNcWidth + m_nExtraW, Height(m_MaxSize) + m_nNcHeight + m_nExtraH};
}

int cWindow::GetToolBarHeight() const {
  RECT rect{};
  return m_hToolBar != nullptr && ::GetWindowRect(m_hToolBar, &rect) ? Height(rect) : 0;
}

int cWindow::GetStatusBarHeight() const {
  RECT rect{};
  return m_hStatusBar != nullptr && ::GetWindowRect(m_hStatusBar, &rect) ? Height(rect) : 0;
}

int cWindow::UpdateMouse(int force, int mask) {
  POINT point{};
  if (!GetCursorPos(&point)) WriteEC("GetCursorPos失敗！");
  ScreenToClient(m_hWnd, &point);
  point.x -= m_nDrawX;
  point.y -= m_nDrawY;
  if (!force && (point.x < 0 || point.x >= m_nDrawW || point.y < 0 || point.y >= m_nDrawH)) return 0;
  m_Mouse.m_nX = point.x;
  m_Mouse.m_nY = point.y;
  m_Mouse.Update(mask);
  return 1;
}

int cWindow::DispatchMsg(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  m_hWnd = hwnd;
  if (msg == WM_COMMAND) {
    // A command that arrives while one is handled (a dialog run from OnCommand) is dropped.
    if (m_bInCommand) return 0;
    m_bInCommand = 1;
  }
  if (m_bLogMessages && msg != WM_GETTEXT)
    WriteECf("%s | msg:%s | wp:%u(%u,%u) | lp:%d(%d,%d)", m_Name.c_str(), GetMsgName(msg),
             static_cast<unsigned>(wParam), HIWORD(wParam), LOWORD(wParam), static_cast<int>(lParam),
             static_cast<int>(HIWORD(static_cast<std::uintptr_t>(lParam))),
             static_cast<int>(LOWORD(static_cast<std::uintptr_t>(lParam))));
  if (!m_bLaidOut && (m_hToolBar != nullptr || !m_bToolBar) && (m_hStatusBar != nullptr || !m_bStatusBar)) {
    m_bLaidOut = 1;
    if (m_bToolBar || m_bStatusBar) {
      CalcFrame();
      Move(m_nX, m_nY);
      if (Width(m_CreateSize) != 0 || Height(m_CreateSize) != 0)
        SetClientSize(Width(m_CreateSize), Height(m_CreateSize));
    }
  }
  UpdateMouse(0, 7);
  switch (msg) {
    case WM_DESTROY:
      m_hWnd = nullptr;
      return 1;
    case WM_MOVE: {
      RECT rect{};
      if (::GetWindowRect(hwnd, &rect)) {
        m_nX = rect.left;
        m_nY = rect.top;
      }
      return 1;
    }
    case WM_SIZE:
      UpdateStyle();
      if (m_hStatusBar != nullptr) {
        RECT bar{};
        ::GetWindowRect(m_hStatusBar, &bar);
        SetWindowPos(m_hStatusBar, nullptr, 0, Height(m_ClientRect) - Height(bar), m_nDrawW, Height(bar), SWP_NOZORDER);
      }
      return 1;
    case WM_ACTIVATEAPP: return 1;
    case WM_PAINT: OnPaint(); return 1;
    case WM_GETMINMAXINFO: GetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam)); return 1;
    case WM_COMMAND:
      OnCommand(wParam, lParam);
      m_bInCommand = 0;
      return 1;
    case WM_MOUSEMOVE: OnMouseMove(wParam, lParam); return 1;
    case WM_LBUTTONDOWN: OnLButtonDown(wParam, lParam); return 1;
    case WM_LBUTTONUP: OnLButtonUp(wParam, lParam); return 1;
    case WM_LBUTTONDBLCLK: OnLButtonDblClk(wParam, lParam); return 1;
    case WM_RBUTTONDOWN: OnRButtonDown(wParam, lParam); return 1;
    case WM_RBUTTONUP: OnRButtonUp(wParam, lParam); return 1;
    case WM_RBUTTONDBLCLK: OnRButtonDblClk(wParam, lParam); return 1;
    default: return 0;
  }
}

int cFrameWnd::DispatchMsg(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  const int result = cWindow::DispatchMsg(hwnd, msg, wParam, lParam);
  if (msg == WM_CREATE) OnInit(wParam, lParam);
  return result;
}

int cFrameWnd::Create(const char* title, int x, int y, WNDPROC proc) {
  m_pStaticProc = proc;
  m_nX = x;
  m_nY = y;
  const HWND hwnd = CreateWindowExA(0, title, m_dwStyle, x, y, Width(m_OuterSize), Height(m_OuterSize), m_hParent, proc);
  if (hwnd == nullptr) return 0;
  m_hWnd = hwnd;
  return 1;
}
