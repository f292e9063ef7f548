#pragma once
// Internals of the modal host shared by the scripted runner and the on-screen one.
// Platform layer only; main thread only.
#include <string>

#include "platform/dialog_host.h"
#include "platform/file_browser.h"
#include "platform/message_box.h"
#include "platform/window_registry.h"

namespace tovrel_platform {

// What a person does, applied to a running dialog as the system would.
void HostClick(cHostWindow& dialog, HWND control);
// The edit control's content became `text` (CP932) with the caret/selection at the given
// byte offsets: stores it and sends EN_UPDATE, then EN_CHANGE; the dialog may rewrite it.
void HostEditChanged(cHostWindow& dialog, HWND control, const std::string& text, int selStart, int selEnd);
void HostKey(cHostWindow& dialog, int vk, bool down);
void HostClose(cHostWindow& dialog);
// The thumb of a scroll-bar control dragged to `pos`: WM_HSCROLL or WM_VSCROLL with
// SB_THUMBTRACK to the dialog, the bar's handle as lParam.
void HostScroll(cHostWindow& dialog, HWND control, int pos);
// The right mouse button released over a control: WM_RBUTTONUP to the control.
void HostRightClick(cHostWindow& dialog, HWND control);
void HostSetFocus(cHostWindow& dialog, HWND control);
// Hands the messages posted to the dialog to its procedure.
void DrainPosted(cHostWindow& dialog);
// The default push button's id, or IDOK.
int DefaultButtonId(const cHostWindow& dialog);

// The on-screen host: whether it can show anything now (main thread, SDL video running
// with a driver that shows windows), and the three things it shows.
bool CanShowOnScreen();
// Any thread: whether the main thread found last that it can show things on screen.
bool OnScreenSeenPossible();
// Runs until the dialog ended; -1 when it cannot be shown.
INT_PTR RunDialogOnScreen(cHostWindow& dialog, std::string& error);
bool ShowMessageBoxOnScreen(const MessageBoxRecord& box, int& answer);
int RunFileBrowserOnScreen(const FileBrowserRequest& request, FileBrowserResult& result, std::string& error);

void SetHostError(const std::string& error);

}  // namespace tovrel_platform
