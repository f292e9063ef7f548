#pragma once
// The windows the layer knows: the main window, dialogs and their controls. Internal to the
// platform layer. Main thread only.
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "platform/dialog_host.h"
#include "platform/win_window.h"

namespace tovrel_platform {

enum class eHostWindowType { kMain, kDialog, kControl };

struct cHostWindow {
  eHostWindowType type = eHostWindowType::kMain;
  HWND handle = nullptr;
  HWND parent = nullptr;
  WNDPROC proc = nullptr;        // the main window's procedure
  DLGPROC dlgProc = nullptr;     // a dialog's procedure
  RECT rect{};                   // outer rectangle, screen coordinates (dialogs: main client)
  int nClientW = 0;
  int nClientH = 0;
  DWORD style = 0;
  std::string text;              // CP932: title or control text
  std::string className;         // CP932: the registered class of the main window
  bool bVisible = true;
  bool bEnabled = true;
  bool bMinimized = false;       // the main window, as ShowWindow left it
  bool bMaximized = false;
  DialogControlState control;    // controls only
  // Dialogs only.
  const DialogTemplate* dialog = nullptr;
  std::vector<HWND> controls;
  HWND focus = nullptr;
  std::deque<MSG> posted;
  bool bEnded = false;
  INT_PTR result = 0;
  std::string composition;       // CP932 text of the open input-method composition
  // Dialogs and controls.
  WNDPROC subclass = nullptr;    // the program's procedure in place of the system's
  std::map<std::string, HANDLE> props;
  SCROLLINFO scroll[3] = {};     // SB_HORZ, SB_VERT, SB_CTL
};

// Registers a new window and returns its handle.
HWND AddHostWindow(const cHostWindow& window);
cHostWindow* FindHostWindow(HWND handle);
void RemoveHostWindow(HWND handle);

// The system's procedures of dialogs (the dialog procedure behind them) and of controls
// (their own state): what a subclassed window passes messages on to.
LRESULT DefaultDialogProc(HWND handle, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT DefaultControlProc(HWND handle, UINT msg, WPARAM wParam, LPARAM lParam);

// Calls the main window's procedure, or a dialog's or a control's (the program's
// replacement when it has subclassed the window); 0 when the window is gone.
LRESULT CallWindow(HWND handle, UINT msg, WPARAM wParam, LPARAM lParam);

}  // namespace tovrel_platform
