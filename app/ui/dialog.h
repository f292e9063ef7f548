#pragma once
// Modal dialogs made from the program's dialog resources (dialog_resources.h). A dialog
// binds its controls to program data through control objects: each knows its control id,
// its kind and the variable it edits. The dialog copies data into every control at once
// (UpdateControls) and back out (UpdateData), routes notifications to them and hands them
// every key press.
//
// A derived dialog:
//   - builds its control objects as members, calls Setup and SetFrame(0, 0, 100, 100, 640,
//     480, 0, ...) in its constructor;
//   - overrides WndProc to call DlgProc, and OnInit to call OnInitDialog first, then Attach
//     each control and push it into m_Controls, UpdateControls, set texts, SetCreated(1);
//   - in OnCommand asks IsCommandEnabled, runs cDialog::OnCommand, and on its accept button
//     runs UpdateData and Close(1); on its cancel button Close(0).
// DoModal returns Close's result. Only 1 accepts: -1 means the dialog could not be shown
// (a report line says why), never a choice of the user.
#include <string>
#include <vector>

#include "app/ui/window.h"
#include "platform/dialog_host.h"

class cDialog;

// The dialog's own key message: a key posted by the hook, handled as WM_KEYDOWN.
constexpr UINT WM_DLG_KEY = WM_USER + 1000;

// Control kinds.
constexpr int kCtrlStaticText = 0;
constexpr int kCtrlEditPlain = 2;
constexpr int kCtrlEdit = 3;
constexpr int kCtrlCanvas = 4;
constexpr int kCtrlCheckBox = 5;
constexpr int kCtrlRadioButton = 6;
constexpr int kCtrlList7 = 7;
constexpr int kCtrlList8 = 8;
constexpr int kCtrlScrollBar = 11;

class cControl {
 public:
  explicit cControl(int kind) : m_nKind(kind) {}
  virtual ~cControl() = default;
  cControl(const cControl&) = delete;
  cControl& operator=(const cControl&) = delete;

  void Attach(cDialog* dialog, WORD id);
  void GetPos();
  void SetSize(int cx, int cy);
  void SetText(const char* text);
  void AddStyle(DWORD bits);
  void RemoveStyle(DWORD bits);

  virtual void Enable(int bEnable);
  virtual void UpdateControl() {}
  virtual void UpdateData() {}
  virtual void OnChange() {}
  virtual int OnNotify(WPARAM, LPARAM) { return 0; }
  virtual int OnScroll(WPARAM, LPARAM) { return 0; }
  virtual void Idle() {}
  virtual void Refresh() {}
  virtual void OnKillFocus() {}
  virtual void AfterCommand() {}
  virtual void OnKeyDown(int /*vk*/, LPARAM /*lParam*/, int /*ctrl*/) {}

  HWND m_hWnd = nullptr;
  WNDPROC m_pPrevProc = nullptr;
  cDialog* m_pDialog = nullptr;
  HWND m_hDialog = nullptr;
  int m_nKind;
  WORD m_nId = 0;
  POINT m_ScreenPos{};
  POINT m_ClientPos{};
  int m_bInChange = 0;
};

class cStaticText : public cControl {
 public:
  cStaticText() : cControl(kCtrlStaticText) {}
};

class cCanvas : public cControl {
 public:
  cCanvas() : cControl(kCtrlCanvas) {}
  cMemDC m_MemDC;
  cMemDC m_MemDC2;
};

class cCheckBox : public cControl {
 public:
  cCheckBox() : cControl(kCtrlCheckBox) {}
  void Bind(int* value) { m_pValue = value; }
  void UpdateControl() override;
  void UpdateData() override;
  int* m_pValue = nullptr;
};

class cRadioButton : public cControl {
 public:
  cRadioButton() : cControl(kCtrlRadioButton) {}
  void Bind(int* value, int buttonValue) {
    m_pValue = value;
    m_nButtonValue = buttonValue;
  }
  void UpdateControl() override;
  void UpdateData() override;
  int* m_pValue = nullptr;
  int m_nButtonValue = 0;
};

// Scroll bars: a scroll-bar control of a dialog, or a dialog's own bars (the scroll flags
// of SetFrame: 1 horizontal, 2 vertical; no dialog of the player asks for them). The
// record says which control, and whose bar it sets up: the bar of a target window
// (phTarget, nBar SB_HORZ or SB_VERT) or, without a target, the control's own.
struct SCROLLBARDATA {
  WORD nId;
  HWND* phTarget;
  int nBar;
  int nMin;
  int nMax;
  int nPage;
  int bRedraw;
};
// Control ids of a dialog's own bars: no resource uses them.
constexpr WORD kDialogHScrollId = 0x7F01;
constexpr WORD kDialogVScrollId = 0x7F02;
class cScrollBar : public cControl {
 public:
  cScrollBar() : cControl(kCtrlScrollBar) {}
  // Attaches to the record's control, sets the range and page of the bar and subclasses
  // the control (a right click opens no menu).
  void Create(cDialog* dialog, const SCROLLBARDATA& record);
  static LRESULT SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  // The window and bar kind the scroll state lives in.
  HWND BarWindow() const { return m_phTarget != nullptr ? *m_phTarget : m_hWnd; }
  int BarKind() const { return m_phTarget != nullptr ? m_nBar : SB_CTL; }

  HWND* m_phTarget = nullptr;
  int m_nBar = SB_CTL;
  int m_nMin = 0;
  int m_nMax = 0;
  int m_nPage = 0;
  int m_bRedraw = 0;
};

// Forwards the keys typed into a dialog's controls to the dialog: every key pressed
// reaches the dialog's key handling exactly once; Tab never does; Enter does not while an
// input-method composition is open. One hook for the main thread, installed by the first
// dialog and removed by Unhook at shutdown.
class cHook {
 public:
  int KeyboardHook(HWND dialog, int modeless);
  static void Unhook();
  static int IsDialogKey(int vk);
  static LRESULT HookProc(int code, WPARAM vk, LPARAM lParam);
  // The Ctrl key as the hook last saw it.
  static int CtrlLatch();

  HWND m_hDialog = nullptr;
  int m_bModeless = 0;
};

class cDialog : public cWindow {
 public:
  cDialog();
  ~cDialog() override;

  void Setup(WORD id, cWindow* owner, int dialogFlag, cWindowList* windowList);
  void SetParentWnd(WORD id, cWindow* owner, cWindowList* windowList);
  INT_PTR DoModal(int flags);
  int Close(int result);
  int DlgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  void UpdateControls();
  void UpdateData();
  void OnDestroy();

  void OnCommand(WPARAM wParam, LPARAM lParam) override;
  // Every dialog's procedure body is DlgProc.
  LRESULT WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override { return DlgProc(hwnd, msg, wParam, lParam); }
  int DispatchMsg(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
  void RefreshLists() override;
  virtual void OnInit(WPARAM wParam, LPARAM lParam) { OnInitDialog(wParam, lParam); }
  void OnInitDialog(WPARAM wParam, LPARAM lParam);
  // Installed on the dialog window by OnInitDialog: finds its dialog through the window
  // property "DLG_CLASS" and passes every message on to the saved procedure.
  static LRESULT SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

  int IsUpdating() const { return m_bUpdating; }
  int GetResult() const { return m_nResult; }

  int m_bModeless = 0;
  int m_nModalFlags = 0;
  WNDPROC m_pPrevProc = nullptr;
  int m_nResult = 0;
  cHook m_Hook;
  cWindow* m_pOwnerWnd = nullptr;
  cCanvas m_Canvas;
  cScrollBar m_HScroll;
  cScrollBar m_VScroll;
  SCROLLBARDATA m_HScrollData{};
  SCROLLBARDATA m_VScrollData{};
  int m_bUpdating = 0;
  std::vector<cControl*> m_Controls;

 private:
  void CreateOwnScrollBars();
  void PlaceScrollBars();
  void ScrollOwnBar(UINT msg, WPARAM wParam, LPARAM lParam);
};

// Always 1: the commands of every dialog are enabled.
int IsCommandEnabled(WPARAM wParam);

// Reads a control's text into `string`: at most count - 1 bytes (count is clamped to 1 ..
// 5120), never half a double-byte character; a cut text is reported in the error-check log.
void GetDlgItemStr(HWND dialog, int id, std::string& string, int count);
void SetDlgItemStr(HWND dialog, int id, const std::string& string);

// The first record whose nId equals id. None: a box (only while the error-check log is on),
// WM_CLOSE to the main window, null.
template <class Record>
Record* FindControlById(std::vector<Record>& records, UINT id);
void ReportMissingControl(UINT id);

template <class Record>
Record* FindControlById(std::vector<Record>& records, UINT id) {
  for (Record& record : records)
    if (static_cast<UINT>(record.nId) == id) return &record;
  ReportMissingControl(id);
  return nullptr;
}
