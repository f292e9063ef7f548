#pragma once
// The open and save file boxes: a file browser of our own drawn by the modal host, or
// answered from a script (dialog_script.h). It works on host paths; the program gets
// program paths back through HostPathToProgramPath.
#include <string>
#include <vector>

#include "platform/win_types.h"

struct FileBrowserRequest {
  bool bSave = false;
  bool bMultiSelect = false;
  bool bMustExist = true;         // open: every chosen file must exist
  bool bOverwritePrompt = false;  // save: ask before an existing file is replaced
  std::string title;              // CP932
  std::string initialDir;         // program path (CP932); empty: the current folder
  // Pairs of (description, patterns) as the common boxes take them: "Stage\0*.stg4_*\0\0"
  // arrives split. Patterns are ";"-separated and matched without regard to case.
  std::vector<std::pair<std::string, std::string>> filters;  // CP932
  std::string defExt;             // without the dot; empty: none
  std::string proposedName;       // save: the name shown in the name field (CP932)
};

struct FileBrowserResult {
  std::vector<std::string> hostPaths;  // the chosen files, UTF-8 host paths
};

// Shows the browser (or asks the script). 1 when the user confirmed, 0 on cancel or when
// no browser can be shown; the reason of a failure is written to standard error by the
// host and kept in DialogHostError(). Main thread. The current folder is left as it was.
int RunFileBrowser(const FileBrowserRequest& request, FileBrowserResult& result);

// Splits a filter as the common boxes take it: pairs of NUL-ended texts, the list ended
// by an empty text. Never reads past `maxBytes` (a filter without its final NUL ends there).
std::vector<std::pair<std::string, std::string>> SplitFileFilter(const char* filter, std::size_t maxBytes = 4096);

// True when `name` (CP932 or UTF-8 file name) matches one of the ";"-separated patterns
// ("*" and "?" wildcards), ignoring ASCII case.
bool MatchesFilePatterns(const std::string& name, const std::string& patterns);

// What the browser does with a name the user typed in folder `folder` (host path): a name
// without an extension gets the default one; a relative name is taken in the folder.
// Returns the host path, or "" with `error` set (CP932 text for the user) when the name
// is refused: a file that must exist and does not, or a save over an existing file the
// user did not allow (`askOverwrite` asks; 1 allows).
std::string ResolveTypedFileName(const FileBrowserRequest& request, const std::string& folder,
                                 const std::string& typedUtf8, int (*askOverwrite)(const std::string& hostPath),
                                 std::string& error);

// The reverse of the path mapping: a host path (UTF-8) to a program path (CP932 with "\"),
// relative to the game folder (the current folder) when the file lies inside it. Refused
// (0, `error` set) when a character has no CP932 form or the result passes 259 bytes.
int HostPathToProgramPath(const std::string& hostPath, std::string& programPath, std::string& error);
