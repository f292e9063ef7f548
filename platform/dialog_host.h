#pragma once
// The modal dialog host. A dialog is made from a template of our own (the program's dialog
// resources), gets a window handle and one child window per control, and runs modally on
// the main thread: drawn with the on-screen UI over the last frame in the main window, or
// answered from a script when tests install one (dialog_script.h). The dialog procedure
// sees the usual messages: WM_INITDIALOG, WM_COMMAND with BN_CLICKED and EN_UPDATE, and
// WM_CLOSE for the close request; keys go through the keyboard hook (SetWindowsHookExA)
// as they would on the system the program was written for.
//
// Controls hold their own state: text (CP932), check state, selection (byte offsets into
// the text), enabled and visible flags. The program reads and writes them with the usual
// calls (GetDlgItemTextA, SetDlgItemTextA, SendMessageA with BM_GETCHECK, BM_SETCHECK,
// EM_GETSEL, EM_SETSEL, EM_LIMITTEXT, EnableWindow).
#include <cstdint>
#include <string>

#include "platform/message_queue.h"
#include "platform/win_types.h"
#include "platform/win_window.h"

// What a control is; the host draws each kind in its own way.
enum class eDialogItemKind : int {
  kStatic,         // text
  kGroupBox,       // frame with a title
  kPushButton,
  kDefPushButton,  // pressed by Enter
  kCheckBox,       // automatic check box
  kRadioButton,    // automatic radio button: checking one clears the others of its group
  kEdit,           // text input
  kIcon,           // the program's icon; nothing to draw here
  kScrollBar,      // SBS_VERT in the style: vertical, else horizontal
};

// Scroll-bar control styles.
constexpr DWORD SBS_HORZ = 0x0000u;
constexpr DWORD SBS_VERT = 0x0001u;

// Edit control styles the host honours.
constexpr DWORD ES_MULTILINE = 0x0004u;
constexpr DWORD ES_READONLY = 0x0800u;
// Starts a group of radio buttons (the first of a group carries it).
constexpr DWORD WS_GROUP = 0x00020000u;

// One control of a dialog template. Rectangle in dialog units.
struct DialogItemTemplate {
  WORD nId;
  eDialogItemKind kind;
  const char* text;  // CP932
  short x, y, cx, cy;
  DWORD style;       // WS_GROUP, WS_DISABLED, ES_ flags; visible unless the template is hidden
};

// A dialog template: the program's dialog resources are tables of these.
struct DialogTemplate {
  WORD nResourceId;
  const char* caption;  // CP932
  short cx, cy;         // client size in dialog units
  bool bVisible;        // false: the dialog never shows itself (it only opens another box)
  const DialogItemTemplate* items;
  int nItems;
};

// Dialog units to pixels: one fixed scale per axis, that of the 9-point face the dialogs
// were laid out with (a character cell of 7 x 12 pixels: 4 units across, 8 down).
constexpr int DialogXToPixels(int units) { return units * 7 / 4; }
constexpr int DialogYToPixels(int units) { return units * 3 / 2; }

using DLGPROC = INT_PTR (*)(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam);

// Makes the dialog, sends WM_INITDIALOG (wParam the first control, lParam `param`) and runs
// it until EndDialog. Returns EndDialog's result, or -1 when the dialog cannot run (no
// template, nested in itself, no display and no script); the reason is then in
// DialogHostError(). Main thread only.
INT_PTR DialogBoxIndirectParamA(HINSTANCE instance, const DialogTemplate* dialog, HWND parent, DLGPROC proc,
                                LPARAM param);
const std::string& DialogHostError();
// Ends the running dialog with `result` once the current message has been handled.
BOOL EndDialog(HWND hDlg, INT_PTR result);
HWND GetDlgItem(HWND hDlg, int id);
int GetDlgCtrlID(HWND hCtl);
// Copies at most size - 1 bytes and a NUL, never cutting a double-byte character; returns
// the bytes copied.
UINT GetDlgItemTextA(HWND hDlg, int id, char* buffer, int size);
BOOL SetDlgItemTextA(HWND hDlg, int id, const char* text);
// The dialog that is running (null when none).
HWND GetActiveDialog();
// A control made while the dialog runs (CreateWindowExA of a child window): rectangle in
// pixels of the dialog's client area. Null when the dialog is not running.
HWND CreateDialogControl(HWND hDlg, WORD id, eDialogItemKind kind, DWORD style, const RECT& rect);

// --- the keyboard hook ---
// The host calls the hook for every key pressed or released while a dialog runs: code
// HC_ACTION, wParam the virtual key, lParam bit 31 set for a release. Tab and Enter are
// also handled by the host itself (focus, the default button) as the system would.
using HOOKPROC = LRESULT (*)(int code, WPARAM wParam, LPARAM lParam);
struct HHOOK__;
using HHOOK = HHOOK__*;
constexpr int WH_KEYBOARD = 2;
constexpr int HC_ACTION = 0;
constexpr int HC_NOREMOVE = 3;
HHOOK SetWindowsHookExA(int kind, HOOKPROC proc, HINSTANCE module, DWORD threadId);
BOOL UnhookWindowsHookEx(HHOOK hook);
LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam);

// Input-method state of a dialog: whether a composition is open in its focused edit.
struct HIMC__;
using HIMC = HIMC__*;
constexpr DWORD GCS_COMPSTR = 0x0008u;
HIMC ImmGetContext(HWND hWnd);
// With GCS_COMPSTR: the bytes of the open composition (0 when none).
LONG ImmGetCompositionStringA(HIMC context, DWORD index, void* buffer, DWORD size);
BOOL ImmReleaseContext(HWND hWnd, HIMC context);

// --- what the on-screen host reads and changes (platform internal and tests) ---

struct DialogControlState {
  WORD nId = 0;
  eDialogItemKind kind = eDialogItemKind::kStatic;
  std::string text;  // CP932
  int nCheck = 0;
  int nSelStart = 0;  // byte offsets into text
  int nSelEnd = 0;
  int nLimit = 0;     // EM_LIMITTEXT; 0: none
  DWORD style = 0;
  bool bEnabled = true;
  bool bVisible = true;
  RECT rect{};  // client coordinates of the dialog, pixels
};

// Test seam for the on-screen host: queues a key press and release of `vk` as if typed on
// the keyboard (any thread). Used by the smoke test that drives a real window.
void QueueHostKeyPress(int vk);
