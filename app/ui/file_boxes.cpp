#include "app/ui/file_boxes.h"

#include <cstring>

#include "app/message_boxes.h"
#include "app/report_log.h"
#include "platform/file_browser.h"

namespace {

FileBoxDisplayHooks s_Hooks;
int s_bLastHooked = 0;

std::string Text(const char* text, std::size_t max = 4096) { return text != nullptr ? std::string(text, strnlen(text, max)) : std::string(); }

FileBrowserRequest MakeRequest(bool save, const char* initialDir, const char* title, const char* filter,
                               const char* defExt, int multiSelect) {
  FileBrowserRequest request;
  request.bSave = save;
  request.bMultiSelect = multiSelect != 0;
  request.bMustExist = !save;
  request.bOverwritePrompt = save;
  request.title = Text(title);
  request.initialDir = Text(initialDir, MAX_PATH);
  request.filters = SplitFileFilter(filter);
  request.defExt = Text(defExt, 16);
  return request;
}

// Runs the browser with the display made ready for it: over a full-screen frame the box
// gets the hook, and at 8 bits the first palette colour is black while it is open.
int RunBox(const FileBrowserRequest& request, FileBrowserResult& result) {
  s_bLastHooked = s_Hooks.isFullScreenActive != nullptr && s_Hooks.isFullScreenActive() ? 1 : 0;
  const int blackened = s_Hooks.blackenPaletteEntry0 != nullptr ? s_Hooks.blackenPaletteEntry0() : 0;
  const int chosen = RunFileBrowser(request, result);
  if (blackened && s_Hooks.restorePaletteEntry0 != nullptr) s_Hooks.restorePaletteEntry0();
  return chosen;
}

// A chosen file the program cannot name is refused aloud rather than cut or garbled.
bool ToProgramPath(const std::string& host, std::string& program) {
  std::string error;
  if (HostPathToProgramPath(host, program, error)) return true;
  WriteReport("選ばれたファイルは使えません: %s", error.c_str());
  ErrMesBox(error.c_str());
  return false;
}

}  // namespace

void SetFileBoxDisplayHooks(const FileBoxDisplayHooks& hooks) { s_Hooks = hooks; }
int LastFileBoxHooked() { return s_bLastHooked; }

LRESULT FileBoxHookProc(HWND, UINT, WPARAM, LPARAM) { return 0; }

int OpenFileBox(HWND, char* buffer, int bufferSize, const char* initialDir, const char* title, const char* filter,
                const char* defExt, int multiSelect, std::vector<std::string>* resultList) {
  if (buffer == nullptr || bufferSize <= 0) return 0;
  std::memset(buffer, 0, static_cast<std::size_t>(bufferSize));
  FileBrowserResult result;
  if (!RunBox(MakeRequest(false, initialDir, title, filter, defExt, multiSelect), result) || result.hostPaths.empty())
    return 0;
  std::vector<std::string> paths;
  for (const std::string& host : result.hostPaths) {
    std::string program;
    if (!ToProgramPath(host, program)) return 0;
    paths.push_back(program);
  }
  // The buffer: one full path, or the folder and each name, every piece NUL-ended and the
  // list ended by a second NUL. What does not fit is refused, never cut.
  std::string packed;
  if (paths.size() == 1) {
    packed = paths[0];
    packed.push_back('\0');
  } else {
    const std::size_t cut = paths[0].rfind('\\');
    const std::string folder = cut == std::string::npos ? std::string() : paths[0].substr(0, cut);
    packed = folder;
    packed.push_back('\0');
    for (const std::string& path : paths) {
      packed += path.substr(folder.empty() ? 0 : folder.size() + 1);
      packed.push_back('\0');
    }
  }
  packed.push_back('\0');
  if (packed.size() > static_cast<std::size_t>(bufferSize)) {
    WriteReport("選ばれたファイルの名前が受け取り領域 (%d バイト) に入りません", bufferSize);
    std::memset(buffer, 0, static_cast<std::size_t>(bufferSize));
    return 0;
  }
  std::memcpy(buffer, packed.data(), packed.size());
  if (resultList != nullptr) resultList->insert(resultList->end(), paths.begin(), paths.end());
  return 1;
}

int SaveFileBox(HWND, char* buffer, const char* initialDir, const char* title, const char* filter, const char* defExt,
                int keepName) {
  if (buffer == nullptr) return 0;
  if (!keepName) std::memset(buffer, 0, MAX_PATH);
  FileBrowserRequest request = MakeRequest(true, initialDir, title, filter, defExt, 0);
  request.proposedName = Text(buffer, MAX_PATH - 1);
  FileBrowserResult result;
  if (!RunBox(request, result) || result.hostPaths.empty()) return 0;
  std::string program;
  if (!ToProgramPath(result.hostPaths.front(), program)) return 0;
  // The mapping refuses anything over 259 bytes, so the path and its NUL fit.
  std::memset(buffer, 0, MAX_PATH);
  std::memcpy(buffer, program.data(), program.size());
  return 1;
}
