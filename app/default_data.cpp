#include "app/default_data.h"

#include <cstring>

#include "app/path_helpers.h"
#include "app/path_table.h"
#include "platform/message_box.h"
#include "platform/shell_files.h"

namespace {

constexpr WORD kCopyFlags = FOF_MULTIDESTFILES | FOF_SILENT | FOF_NOCONFIRMATION;

// The absolute form of a relative folder path into a buffer of MAX_PATH + 1 characters,
// ended by the double NUL the shell operation takes. False when it does not fit.
bool FullFolderPath(char* out, const char* folder, bool dropTrailingSeparator) {
  std::memset(out, 0, MAX_PATH + 1);
  if (std::strlen(folder) >= MAX_PATH) return false;
  std::strcpy(out, folder);
  if (!MakeFullPath(out)) return false;
  const std::size_t length = std::strlen(out);
  if (dropTrailingSeparator && length > 0) out[length - 1] = '\0';
  return true;
}

}  // namespace

int CreateDefaultData(HWND owner) {
  if (PathIsDirectoryA(g_PathTable[PATH_DATA])) return 1;
  if (!PathIsDirectoryA(g_PathTable[PATH_DEFAULT])) return 0;
  if (MessageBoxA(owner, "データが存在しません！デフォルトデータを作成しますか？\n", "デフォルトデータ作成の確認",
                  MB_YESNO) != IDYES)
    return 0;

  char source[MAX_PATH + 1];
  char destination[MAX_PATH + 1];
  if (!FullFolderPath(source, g_PathTable[PATH_DEFAULT], true) ||
      !FullFolderPath(destination, g_PathTable[PATH_DATA], false))
    return 0;

  SHFILEOPSTRUCTA copy{owner, FO_COPY, source, destination, kCopyFlags, 0, nullptr, nullptr};
  if (SHFileOperationA(&copy) == 0) return 1;

  // No half-made "data\": the next start would take it for a game.
  SHFILEOPSTRUCTA remove{owner, FO_DELETE, destination, nullptr, kCopyFlags, 0, nullptr, nullptr};
  SHFileOperationA(&remove);
  return 0;
}
