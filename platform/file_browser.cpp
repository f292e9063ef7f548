#include "platform/file_browser.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstring>

#include "platform/cp932.h"
#include "platform/current_directory.h"
#include "platform/dialog_script.h"
#include "platform/host_files.h"
#include "platform/modal_host.h"
#include "platform/program_path.h"
#include "platform/utf8.h"

namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Wildcard match, "*" any run and "?" one byte, ASCII letters without regard to case.
bool Match(const char* pattern, const char* name) {
  const char* star = nullptr;
  const char* resume = nullptr;
  while (*name != '\0') {
    if (*pattern == '*') {
      star = pattern++;
      resume = name;
    } else if (*pattern == '?' || (*pattern != '\0' && Lower(*pattern) == Lower(*name))) {
      ++pattern;
      ++name;
    } else if (star != nullptr) {
      pattern = star + 1;
      name = ++resume;
    } else {
      return false;
    }
  }
  while (*pattern == '*') ++pattern;
  return *pattern == '\0';
}

bool Exists(const std::string& hostPath, bool* isDirectory = nullptr) {
  struct stat info {};
  if (stat(hostPath.c_str(), &info) != 0) return false;
  if (isDirectory != nullptr) *isDirectory = S_ISDIR(info.st_mode);
  return true;
}

std::string BaseName(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Lexically normal absolute form: "." and ".." taken out, no doubled "/".
std::string Normalise(const std::string& absolute) {
  std::vector<std::string> parts;
  std::size_t pos = 0;
  while (pos <= absolute.size()) {
    std::size_t slash = absolute.find('/', pos);
    if (slash == std::string::npos) slash = absolute.size();
    const std::string part = absolute.substr(pos, slash - pos);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    pos = slash + 1;
  }
  std::string out;
  for (const std::string& part : parts) out += "/" + part;
  return out.empty() ? "/" : out;
}

int OverwriteQuestion(const std::string& hostPath, const std::string& title) {
  const std::string text = Utf8ToCp932(BaseName(hostPath)) + " は既に存在します。\n上書きしますか?";
  return MessageBoxA(GetActiveWindow(), text.c_str(), title.c_str(), MB_YESNO) == IDYES ? 1 : 0;
}

const FileBrowserRequest* g_pAsking = nullptr;
int AskOverwrite(const std::string& hostPath) {
  return OverwriteQuestion(hostPath, g_pAsking != nullptr ? g_pAsking->title : std::string());
}

int RunScripted(cDialogScript& script, const FileBrowserRequest& request, FileBrowserResult& result) {
  script.fileBoxes.push_back(request);
  FileBoxAnswer answer;
  if (!script.TakeFileBox(answer)) {
    tovrel_platform::SetHostError("file box: no scripted answer");
    return 0;
  }
  if (!answer.bConfirm || answer.names.empty()) return 0;
  std::string folder = answer.folder;
  if (folder.empty()) folder = request.initialDir.empty() ? tovrel_platform::CurrentHostDirectory() : HostPath(request.initialDir);
  std::string error;
  g_pAsking = &request;
  for (const std::string& name : answer.names) {
    const std::string path = ResolveTypedFileName(request, folder, name, &AskOverwrite, error);
    if (path.empty()) {
      g_pAsking = nullptr;
      // What the browser shows in its status line; the person would pick again.
      tovrel_platform::SetHostError(Cp932ToUtf8(error));
      if (!error.empty()) MessageBoxA(GetActiveWindow(), error.c_str(), request.title.c_str(), MB_OK);
      result.hostPaths.clear();
      return 0;
    }
    result.hostPaths.push_back(path);
    if (!request.bMultiSelect) break;
  }
  g_pAsking = nullptr;
  return 1;
}

}  // namespace

std::vector<std::pair<std::string, std::string>> SplitFileFilter(const char* filter, std::size_t maxBytes) {
  std::vector<std::pair<std::string, std::string>> pairs;
  if (filter == nullptr) return pairs;
  std::size_t pos = 0;
  auto next = [&](std::string& out) {
    if (pos >= maxBytes) return false;
    const std::size_t length = strnlen(filter + pos, maxBytes - pos);
    out.assign(filter + pos, length);
    pos += length + 1;
    return length > 0;
  };
  std::string description, patterns;
  while (next(description) && next(patterns)) pairs.emplace_back(description, patterns);
  return pairs;
}

bool MatchesFilePatterns(const std::string& name, const std::string& patterns) {
  std::size_t pos = 0;
  while (pos <= patterns.size()) {
    std::size_t semi = patterns.find(';', pos);
    if (semi == std::string::npos) semi = patterns.size();
    std::string pattern = patterns.substr(pos, semi - pos);
    // Spaces around a pattern are not part of it.
    while (!pattern.empty() && pattern.front() == ' ') pattern.erase(pattern.begin());
    while (!pattern.empty() && pattern.back() == ' ') pattern.pop_back();
    if (!pattern.empty() && Match(pattern.c_str(), name.c_str())) return true;
    pos = semi + 1;
  }
  return false;
}

std::string ResolveTypedFileName(const FileBrowserRequest& request, const std::string& folder,
                                 const std::string& typedUtf8, int (*askOverwrite)(const std::string& hostPath),
                                 std::string& error) {
  error.clear();
  std::string name = typedUtf8;
  if (name.empty()) return {};
  std::string path = name.front() == '/' ? name : folder + "/" + name;
  path = Normalise(path);
  bool isDirectory = false;
  if (Exists(path, &isDirectory) && isDirectory) {
    error = "フォルダは選べません: " + Utf8ToCp932(BaseName(path));
    return {};
  }
  // The default extension only when the name has none of its own.
  const std::string base = BaseName(path);
  if (!request.defExt.empty() && base.find('.') == std::string::npos) path += "." + Cp932ToUtf8(request.defExt);
  const bool exists = Exists(path);
  if (!request.bSave && request.bMustExist && !exists) {
    error = "ファイルが見つかりません: " + Utf8ToCp932(BaseName(path));
    return {};
  }
  if (request.bSave && exists && request.bOverwritePrompt && (askOverwrite == nullptr || askOverwrite(path) == 0))
    return {};
  return path;
}

int HostPathToProgramPath(const std::string& hostPath, std::string& programPath, std::string& error) {
  programPath.clear();
  error.clear();
  const std::string game = tovrel_platform::CurrentHostDirectory();
  std::string absolute = hostPath;
  if (absolute.empty() || absolute.front() != '/') absolute = game + "/" + absolute;
  absolute = Normalise(absolute);
  std::string rest = absolute;
  bool relative = false;
  const std::string gameNormal = Normalise(game);
  if (!game.empty() && gameNormal != "/" && absolute.size() > gameNormal.size() &&
      absolute.compare(0, gameNormal.size(), gameNormal) == 0 && absolute[gameNormal.size()] == '/') {
    rest = absolute.substr(gameNormal.size() + 1);
    relative = true;
  } else if (gameNormal == "/" && absolute.size() > 1) {
    rest = absolute.substr(1);
    relative = true;
  } else {
    rest = absolute.substr(1);
  }
  std::string out = relative ? "" : "\\";
  std::size_t pos = 0;
  while (pos <= rest.size()) {
    std::size_t slash = rest.find('/', pos);
    if (slash == std::string::npos) slash = rest.size();
    const std::string component = rest.substr(pos, slash - pos);
    pos = slash + 1;
    if (component.empty()) continue;
    std::string converted;
    if (tovrel_platform::IsValidUtf8(component)) {
      if (!Utf8ToCp932(component, converted)) {
        error = "パスにShift-JISで表せない文字があります: " + converted;
        return 0;
      }
    } else {
      // Names unpacked from a Windows archive without conversion are CP932 bytes already.
      std::string check;
      if (!Cp932ToUtf8(component, check)) {
        error = "パスの文字コードが読めません";
        return 0;
      }
      converted = component;
    }
    // A "\" of the name itself (not a trail byte) would read as a separator on the way back.
    for (std::size_t i = 0; i < converted.size(); ++i) {
      if (IsCp932LeadByte(static_cast<std::uint8_t>(converted[i])) && i + 1 < converted.size()) {
        ++i;
      } else if (converted[i] == '\\') {
        error = "名前に「\\」を含むファイルは使えません: " + converted;
        return 0;
      }
    }
    if (out.size() > (relative ? 0u : 1u)) out += tovrel_platform::ProgramPathSeparatorAfter(out);
    out += converted;
  }
  if (out.size() > static_cast<std::size_t>(MAX_PATH - 1)) {
    error = "パスが長すぎます (" + std::to_string(out.size()) + " バイト、259 バイトまで)";
    return 0;
  }
  programPath = out;
  return 1;
}

int RunFileBrowser(const FileBrowserRequest& request, FileBrowserResult& result) {
  result.hostPaths.clear();
  tovrel_platform::SetHostError("");
  if (cDialogScript* script = ActiveDialogScript()) return RunScripted(*script, request, result);
  std::string error;
  const int chosen = tovrel_platform::RunFileBrowserOnScreen(request, result, error);
  if (!error.empty()) tovrel_platform::SetHostError(error);
  return chosen;
}
