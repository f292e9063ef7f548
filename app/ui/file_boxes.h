#pragma once
// The open and save file boxes. Paths given and returned are program paths (CP932, "\",
// relative to the game folder when inside it). The filter is the common boxes' list of
// NUL-ended (description, patterns) pairs ended by an empty text.
#include <string>
#include <vector>

#include "platform/win_types.h"

// 1 when the user chose a file: `buffer` (cleared first, `bufferSize` bytes) holds its
// path, or with multiSelect the folder and the names each NUL-ended, the list ended by a
// second NUL; `resultList`, when given, receives the full paths. 0 on cancel or failure.
// A chosen path that cannot be a program path (over 259 bytes, or characters CP932 cannot
// hold) is refused with a report line and a box, and the call gives 0.
int OpenFileBox(HWND owner, char* buffer, int bufferSize, const char* initialDir, const char* title,
                const char* filter, const char* defExt, int multiSelect, std::vector<std::string>* resultList);
// `buffer` holds MAX_PATH bytes; with keepName 0 it is cleared first, else its text is the
// proposed name. 1 when a name was confirmed (then in buffer).
int SaveFileBox(HWND owner, char* buffer, const char* initialDir, const char* title, const char* filter,
                const char* defExt, int keepName);
LRESULT FileBoxHookProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// The display's state as the boxes see it: whether they open over a full-screen frame,
// and the 8-bit palette's first entry to blacken and restore. The drawing layer installs
// these; without them the boxes treat the display as windowed.
struct FileBoxDisplayHooks {
  int (*isFullScreenActive)() = nullptr;   // a back end is active and the display is full screen
  int (*blackenPaletteEntry0)() = nullptr; // 1 when it did (8-bit DirectDraw)
  void (*restorePaletteEntry0)() = nullptr;
};
void SetFileBoxDisplayHooks(const FileBoxDisplayHooks& hooks);
// Whether the last box got the full-screen hook (tests).
int LastFileBoxHooked();
