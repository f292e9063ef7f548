// The on-screen half of the modal host: dialogs, message boxes and the file browser drawn
// with Dear ImGui over the last frame in the main window. Every change a person makes is
// applied between frames, never inside one, so that a dialog procedure may open another
// dialog or box from its handler.
#include <SDL.h>
#include <imgui.h>
#include <imgui_impl_sdl.h>
#include <imgui_impl_sdlrenderer.h>
#include <sys/stat.h>
#include <dirent.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "platform/cp932.h"
#include "platform/cp932_caret.h"
#include "platform/current_directory.h"
#include "platform/display_window.h"
#include "platform/display_window_sdl.h"
#include "platform/host_files.h"
#include "platform/modal_host.h"
#include "platform/utf8.h"
#include "platform/virtual_key_table.h"
#include "platform/virtual_keys.h"

namespace tovrel_platform {
namespace {

// Literals of this file are shown by ImGui, which takes UTF-8; the build turns plain
// literals into CP932, so texts of our own are written as u8 literals.
const char* U(const char8_t* text) { return reinterpret_cast<const char*>(text); }

SDL_Window* g_imguiWindow = nullptr;
SDL_Renderer* g_imguiRenderer = nullptr;
bool g_imguiContext = false;
int g_nDepth = 0;  // nested loops running

const char* const kFontFiles[] = {
    "/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf",
    "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf",
    "/usr/share/fonts/truetype/fonts-japanese-gothic.ttf",
};

std::atomic<bool> g_bSeenPossible{false};

bool VideoShowsWindows() {
  if (!IsMainThread()) return false;
  const char* driver = SDL_WasInit(SDL_INIT_VIDEO) != 0 ? SDL_GetCurrentVideoDriver() : nullptr;
  const bool shows = driver != nullptr && std::strcmp(driver, "dummy") != 0 && std::strcmp(driver, "offscreen") != 0;
  g_bSeenPossible.store(shows);
  return shows;
}

// The main window (made now when the game has not opened it yet) with ImGui on it.
bool EnsureScreen() {
  if (DisplaySdlWindow() == nullptr || DisplaySdlRenderer() == nullptr) {
    DisplayWindowOptions options;
    std::string title;
    if (HWND main = GetMainWindowHandle()) {
      char buffer[256];
      GetWindowTextA(main, buffer, sizeof buffer);
      title = Cp932ToUtf8(buffer);
    }
    options.title = title.c_str();
    if (!OpenDisplayWindow(options)) return false;
  }
  SDL_Window* window = DisplaySdlWindow();
  SDL_Renderer* renderer = DisplaySdlRenderer();
  SDL_ShowWindow(window);
  if (!g_imguiContext) {
    IMGUI_CHECKVERSION();
    ImGui::CreateContext();
    ImGuiIO& io = ImGui::GetIO();
    io.IniFilename = nullptr;
    io.LogFilename = nullptr;
    for (const char* file : kFontFiles) {
      struct stat info {};
      if (stat(file, &info) == 0 && io.Fonts->AddFontFromFileTTF(file, 13.0f, nullptr, io.Fonts->GetGlyphRangesJapanese()))
        break;
    }
    ImGui::StyleColorsLight();
    ImGuiStyle& style = ImGui::GetStyle();
    style.WindowRounding = 0.0f;
    style.FrameBorderSize = 1.0f;
    g_imguiContext = true;
  }
  // The display may have made a new window or renderer since the last time.
  if (g_imguiWindow != window) {
    if (g_imguiWindow != nullptr) ImGui_ImplSDL2_Shutdown();
    ImGui_ImplSDL2_InitForSDLRenderer(window);
    g_imguiWindow = window;
  }
  if (g_imguiRenderer != renderer) {
    if (g_imguiRenderer != nullptr) ImGui_ImplSDLRenderer_Shutdown();
    ImGui_ImplSDLRenderer_Init(renderer);
    g_imguiRenderer = renderer;
  }
  return true;
}

int VirtualKeyOf(SDL_Scancode scancode) {
  for (const VirtualKeyScancode& pair : VirtualKeyScancodes())
    if (pair.scancode == static_cast<int>(scancode)) return pair.virtualKey;
  return 0;
}

// One pass of the loop: events in, a frame drawn by `draw`, out to the window. Events
// that a person makes are handed to `onEvent` first (keys, the close request).
struct cFrameHandlers {
  std::function<void(int vk, bool down)> key;
  std::function<void()> close;
  std::function<void(const std::string& utf8)> composing;
};

void PumpEvents(const cFrameHandlers& handlers) {
  SDL_Event event;
  // Wait a little for the first event, so an idle dialog does not spin the processor.
  if (SDL_WaitEventTimeout(&event, 30) == 0) return;
  do {
    ImGui_ImplSDL2_ProcessEvent(&event);
    switch (event.type) {
      case SDL_QUIT:
        if (handlers.close) handlers.close();
        break;
      case SDL_WINDOWEVENT:
        if (event.window.event == SDL_WINDOWEVENT_CLOSE && handlers.close) handlers.close();
        break;
      case SDL_KEYDOWN:
      case SDL_KEYUP:
        if (handlers.key) {
          const int vk = VirtualKeyOf(event.key.keysym.scancode);
          if (vk != 0) handlers.key(vk, event.type == SDL_KEYDOWN);
        }
        break;
      case SDL_TEXTEDITING:
        if (handlers.composing) handlers.composing(event.edit.text);
        break;
      case SDL_TEXTINPUT:
        if (handlers.composing) handlers.composing("");
        break;
      default:
        break;
    }
  } while (SDL_PollEvent(&event) != 0);
}

void BeginFrame() {
  ImGui_ImplSDLRenderer_NewFrame();
  ImGui_ImplSDL2_NewFrame();
  ImGui::NewFrame();
}

void EndFrame() {
  ImGui::Render();
  SDL_Renderer* renderer = DisplaySdlRenderer();
  int logicalW = 0, logicalH = 0;
  SDL_RenderGetLogicalSize(renderer, &logicalW, &logicalH);
  SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
  SDL_RenderClear(renderer);
  // The last frame of the game, scaled as the game shows it; the UI at the window's pixels.
  if (SDL_Texture* frame = DisplaySdlTexture()) SDL_RenderCopy(renderer, frame, nullptr, nullptr);
  SDL_RenderSetLogicalSize(renderer, 0, 0);
  SDL_RenderSetScale(renderer, 1.0f, 1.0f);
  ImGui_ImplSDLRenderer_RenderDrawData(ImGui::GetDrawData());
  SDL_RenderPresent(renderer);
  if (logicalW > 0 && logicalH > 0) SDL_RenderSetLogicalSize(renderer, logicalW, logicalH);
  // Text input (and the input method) runs only while an edit field has the focus.
  if (ImGui::GetIO().WantTextInput) {
    if (!SDL_IsTextInputActive()) SDL_StartTextInput();
  } else if (SDL_IsTextInputActive()) {
    SDL_StopTextInput();
  }
}

// Where the main window's client area starts on the screen.
POINT MainOrigin() {
  RECT rect{};
  if (GetWindowRect(GetMainWindowHandle(), &rect)) return POINT{rect.left, rect.top};
  int x = 0, y = 0;
  if (SDL_Window* window = DisplaySdlWindow()) SDL_GetWindowPosition(window, &x, &y);
  return POINT{x, y};
}

// --- text of edit fields: CP932 with CR LF inside, UTF-8 with LF on screen ---

std::string Shown(const std::string& cp932) { return cCp932CaretMap(cp932).Utf8(); }

std::string Stored(const std::string& utf8) {
  std::string cp932;
  FieldTextToCp932(utf8, cp932);
  return cp932;
}

// Byte offset in the CP932 text of a field caret, and back; always on a character boundary.
int StoredOffset(const std::string& utf8, int caret) {
  caret = std::clamp(caret, 0, static_cast<int>(utf8.size()));
  // Measured on the field's text up to the caret, so that a character CP932 cannot hold
  // (stored as "?") still moves the caret by its own length.
  return static_cast<int>(Stored(utf8.substr(0, static_cast<std::size_t>(caret))).size());
}

int ShownOffset(const std::string& cp932, int offset) {
  return static_cast<int>(cCp932CaretMap(cp932).ToUtf8(static_cast<std::size_t>(std::max(offset, 0))));
}

struct cEditSync {
  cHostWindow* control;
  bool rewrite;  // the control's text or selection changed behind the field
};

int EditCallback(ImGuiInputTextCallbackData* data) {
  auto* sync = static_cast<cEditSync*>(data->UserData);
  DialogControlState& c = sync->control->control;
  if (sync->rewrite) {
    const std::string shown = Shown(c.text);
    data->DeleteChars(0, data->BufTextLen);
    data->InsertChars(0, shown.c_str());
    data->SelectionStart = ShownOffset(c.text, c.nSelStart);
    data->SelectionEnd = data->CursorPos = ShownOffset(c.text, c.nSelEnd);
    sync->rewrite = false;
  } else {
    const std::string text(data->Buf, static_cast<std::size_t>(data->BufTextLen));
    c.nSelStart = StoredOffset(text, std::min(data->SelectionStart, data->SelectionEnd));
    c.nSelEnd = StoredOffset(text, std::max(data->SelectionStart, data->SelectionEnd));
    if (data->SelectionStart == data->SelectionEnd) c.nSelStart = c.nSelEnd = StoredOffset(text, data->CursorPos);
  }
  return 0;
}

// What a person did in this frame, applied once the frame is out.
struct cPending {
  HWND click = nullptr;
  HWND edited = nullptr;
  std::string editedText;  // CP932
  int selStart = 0, selEnd = 0;
  HWND scrolled = nullptr;
  int scrollPos = 0;
  HWND rightClicked = nullptr;
  bool close = false;
};

// The text each edit field showed last, to see changes made behind it.
struct cShownEdit {
  HWND control;
  std::string text;
  int selStart, selEnd;
};
std::vector<cShownEdit> g_shownEdits;
// The edit field last given the keyboard focus: a focus the program moves (SetFocus, Tab)
// is handed to the field once.
HWND g_focusGiven = nullptr;

void DrawControl(cHostWindow& dialog, cHostWindow& window, ImVec2 origin, cPending& pending) {
  DialogControlState& c = window.control;
  if (!c.bVisible) return;
  const ImVec2 pos(origin.x + static_cast<float>(c.rect.left), origin.y + static_cast<float>(c.rect.top));
  const ImVec2 size(static_cast<float>(c.rect.right - c.rect.left), static_cast<float>(c.rect.bottom - c.rect.top));
  const std::string label = Shown(c.text) + "##" + std::to_string(c.nId);
  ImGui::SetCursorScreenPos(pos);
  ImGui::BeginDisabled(!c.bEnabled);
  switch (c.kind) {
    case eDialogItemKind::kStatic:
      ImGui::PushTextWrapPos(pos.x + size.x - ImGui::GetWindowPos().x);
      ImGui::TextUnformatted(Shown(c.text).c_str());
      ImGui::PopTextWrapPos();
      break;
    case eDialogItemKind::kGroupBox: {
      ImDrawList* draw = ImGui::GetWindowDrawList();
      const float half = ImGui::GetTextLineHeight() / 2;
      draw->AddRect(ImVec2(pos.x, pos.y + half), ImVec2(pos.x + size.x, pos.y + size.y), ImGui::GetColorU32(ImGuiCol_Border));
      ImGui::SetCursorScreenPos(ImVec2(pos.x + 6, pos.y));
      ImGui::TextUnformatted(Shown(c.text).c_str());
      break;
    }
    case eDialogItemKind::kPushButton:
    case eDialogItemKind::kDefPushButton: {
      const bool isDefault = c.kind == eDialogItemKind::kDefPushButton;
      if (isDefault) ImGui::PushStyleVar(ImGuiStyleVar_FrameBorderSize, 2.0f);
      if (ImGui::Button(label.c_str(), size)) pending.click = window.handle;
      if (isDefault) ImGui::PopStyleVar();
      break;
    }
    case eDialogItemKind::kCheckBox: {
      bool checked = c.nCheck != 0;
      if (ImGui::Checkbox(label.c_str(), &checked)) pending.click = window.handle;
      break;
    }
    case eDialogItemKind::kRadioButton:
      if (ImGui::RadioButton(label.c_str(), c.nCheck != 0)) pending.click = window.handle;
      break;
    case eDialogItemKind::kEdit: {
      auto shownIt = std::find_if(g_shownEdits.begin(), g_shownEdits.end(),
                                  [&](const cShownEdit& e) { return e.control == window.handle; });
      if (shownIt == g_shownEdits.end()) {
        g_shownEdits.push_back({window.handle, "\x01", -1, -1});  // never equal: the first frame writes it
        shownIt = g_shownEdits.end() - 1;
      }
      cEditSync sync{&window, shownIt->text != c.text || shownIt->selStart != c.nSelStart || shownIt->selEnd != c.nSelEnd};
      std::string buffer = Shown(c.text);
      buffer.resize(std::max<std::size_t>(buffer.size() * 2 + 64, 5120 * 3), '\0');
      ImGuiInputTextFlags flags = ImGuiInputTextFlags_CallbackAlways;
      if ((c.style & ES_READONLY) != 0) flags |= ImGuiInputTextFlags_ReadOnly;
      ImGui::PushItemWidth(size.x);
      if (dialog.focus == window.handle && g_focusGiven != window.handle && c.bEnabled) {
        ImGui::SetKeyboardFocusHere();
        g_focusGiven = window.handle;
      }
      const std::string id = "##edit" + std::to_string(c.nId);
      bool changed = false;
      if ((c.style & ES_MULTILINE) != 0)
        changed = ImGui::InputTextMultiline(id.c_str(), buffer.data(), buffer.size(), size, flags, &EditCallback, &sync);
      else
        changed = ImGui::InputText(id.c_str(), buffer.data(), buffer.size(), flags, &EditCallback, &sync);
      ImGui::PopItemWidth();
      if (ImGui::IsItemActive()) dialog.focus = g_focusGiven = window.handle;
      else if (g_focusGiven == window.handle && dialog.focus != window.handle) g_focusGiven = nullptr;
      if (changed) {
        pending.edited = window.handle;
        pending.editedText = Stored(std::string(buffer.c_str()));
        pending.selStart = c.nSelStart;
        pending.selEnd = c.nSelEnd;
      }
      shownIt->text = changed ? pending.editedText : c.text;
      shownIt->selStart = c.nSelStart;
      shownIt->selEnd = c.nSelEnd;
      // The open composition is shown under the field until it is committed.
      if (ImGui::IsItemActive() && !dialog.composition.empty()) {
        ImGui::SetCursorScreenPos(ImVec2(pos.x, pos.y + size.y + 2));
        ImGui::TextColored(ImVec4(0.1f, 0.1f, 0.6f, 1.0f), "%s", Cp932ToUtf8(dialog.composition).c_str());
      }
      const SDL_Rect where{static_cast<int>(pos.x), static_cast<int>(pos.y), static_cast<int>(size.x), static_cast<int>(size.y)};
      if (ImGui::IsItemActive()) SDL_SetTextInputRect(&where);
      break;
    }
    case eDialogItemKind::kIcon:
      break;
    case eDialogItemKind::kScrollBar: {
      // Drawn as a slider over the bar's positions; a drag is the thumb's track.
      const SCROLLINFO& bar = window.scroll[SB_CTL];
      const int last = std::max(bar.nMin, bar.nMax - std::max(static_cast<int>(bar.nPage) - 1, 0));
      int pos = bar.nPos;
      const std::string id = "##scroll" + std::to_string(c.nId);
      bool moved = false;
      if ((c.style & SBS_VERT) != 0) {
        moved = ImGui::VSliderInt(id.c_str(), size, &pos, bar.nMin, last);
      } else {
        ImGui::PushItemWidth(size.x);
        moved = ImGui::SliderInt(id.c_str(), &pos, bar.nMin, last);
        ImGui::PopItemWidth();
      }
      if (moved) {
        pending.scrolled = window.handle;
        pending.scrollPos = pos;
      }
      if (ImGui::IsItemHovered() && ImGui::IsMouseReleased(ImGuiMouseButton_Right)) pending.rightClicked = window.handle;
      break;
    }
  }
  ImGui::EndDisabled();
}

constexpr ImGuiWindowFlags kBoxFlags =
    ImGuiWindowFlags_NoResize | ImGuiWindowFlags_NoCollapse | ImGuiWindowFlags_NoSavedSettings | ImGuiWindowFlags_NoMove;

}  // namespace

bool CanShowOnScreen() { return VideoShowsWindows(); }
bool OnScreenSeenPossible() { return g_bSeenPossible.load(); }

INT_PTR RunDialogOnScreen(cHostWindow& dialog, std::string& error) {
  if (!VideoShowsWindows() || !EnsureScreen()) {
    error = "no display to show the dialog on";
    return -1;
  }
  ++g_nDepth;
  cFrameHandlers handlers;
  handlers.key = [&](int vk, bool down) { HostKey(dialog, vk, down); };
  handlers.close = [&] { HostClose(dialog); };
  handlers.composing = [&](const std::string& utf8) { dialog.composition = Utf8ToCp932(utf8); };
  while (!dialog.bEnded) {
    PumpEvents(handlers);
    if (dialog.bEnded) break;
    BeginFrame();
    cPending pending;
    const POINT origin = MainOrigin();
    const float titleHeight = ImGui::GetFontSize() + ImGui::GetStyle().FramePadding.y * 2;
    ImGui::SetNextWindowPos(ImVec2(static_cast<float>(dialog.rect.left - origin.x),
                                   static_cast<float>(dialog.rect.top - origin.y)));
    ImGui::SetNextWindowSize(ImVec2(static_cast<float>(dialog.nClientW), static_cast<float>(dialog.nClientH) + titleHeight));
    ImGui::PushStyleVar(ImGuiStyleVar_WindowPadding, ImVec2(0, 0));
    bool open = true;
    const std::string caption = Shown(dialog.text) + "###dialog" + std::to_string(g_nDepth);
    if (ImGui::Begin(caption.c_str(), &open, kBoxFlags)) {
      const ImVec2 client(ImGui::GetWindowPos().x, ImGui::GetWindowPos().y + titleHeight);
      for (HWND handle : dialog.controls)
        if (cHostWindow* control = FindHostWindow(handle)) DrawControl(dialog, *control, client, pending);
    }
    ImGui::End();
    ImGui::PopStyleVar();
    EndFrame();
    if (!open) pending.close = true;
    if (pending.edited != nullptr)
      HostEditChanged(dialog, pending.edited, pending.editedText, pending.selStart, pending.selEnd);
    if (pending.click != nullptr) HostClick(dialog, pending.click);
    if (pending.scrolled != nullptr) HostScroll(dialog, pending.scrolled, pending.scrollPos);
    if (pending.rightClicked != nullptr) HostRightClick(dialog, pending.rightClicked);
    if (pending.close) HostClose(dialog);
  }
  --g_nDepth;
  g_focusGiven = nullptr;
  std::erase_if(g_shownEdits, [&](const cShownEdit& e) {
    return std::find(dialog.controls.begin(), dialog.controls.end(), e.control) != dialog.controls.end();
  });
  if (SDL_IsTextInputActive()) SDL_StopTextInput();
  return dialog.result;
}

bool ShowMessageBoxOnScreen(const MessageBoxRecord& box, int& answer) {
  if (!VideoShowsWindows() || !EnsureScreen()) return false;
  struct Button {
    const char* label;
    int id;
  };
  std::vector<Button> buttons;
  switch (box.type & 0xFu) {
    case MB_OKCANCEL: buttons = {{"OK", IDOK}, {U(u8"キャンセル"), IDCANCEL}}; break;
    case 2: buttons = {{U(u8"中止"), 3}, {U(u8"再試行"), 4}, {U(u8"無視"), 5}}; break;
    case 3: buttons = {{U(u8"はい"), IDYES}, {U(u8"いいえ"), IDNO}, {U(u8"キャンセル"), IDCANCEL}}; break;
    case MB_YESNO: buttons = {{U(u8"はい"), IDYES}, {U(u8"いいえ"), IDNO}}; break;
    case 5: buttons = {{U(u8"再試行"), 4}, {U(u8"キャンセル"), IDCANCEL}}; break;
    default: buttons = {{"OK", IDOK}}; break;
  }
  // Esc and the close request answer with the cancelling button where there is one.
  int cancel = buttons.size() == 1 ? buttons[0].id : 0;
  for (const Button& b : buttons)
    if (b.id == IDCANCEL || (b.id == IDNO && cancel == 0)) cancel = b.id;
  answer = 0;
  ++g_nDepth;
  cFrameHandlers handlers;
  handlers.key = [&](int vk, bool down) {
    if (!down) return;
    if (vk == VK_RETURN) answer = buttons[0].id;
    if (vk == VK_ESCAPE && cancel != 0) answer = cancel;
  };
  handlers.close = [&] {
    if (cancel != 0) answer = cancel;
  };
  const std::string caption = Cp932ToUtf8(box.caption) + "###box" + std::to_string(g_nDepth);
  const std::string text = Cp932ToUtf8(box.text);
  while (answer == 0) {
    PumpEvents(handlers);
    if (answer != 0) break;
    BeginFrame();
    const ImVec2 display = ImGui::GetIO().DisplaySize;
    ImGui::SetNextWindowPos(ImVec2(display.x / 2, display.y / 2), ImGuiCond_Always, ImVec2(0.5f, 0.5f));
    ImGui::SetNextWindowSizeConstraints(ImVec2(200, 0), ImVec2(std::max(200.0f, display.x - 20), display.y - 20));
    if (ImGui::Begin(caption.c_str(), nullptr, kBoxFlags | ImGuiWindowFlags_AlwaysAutoResize)) {
      ImGui::PushTextWrapPos(std::min(560.0f, display.x - 40));
      ImGui::TextUnformatted(text.c_str());
      ImGui::PopTextWrapPos();
      ImGui::Spacing();
      for (std::size_t i = 0; i < buttons.size(); ++i) {
        if (i > 0) ImGui::SameLine();
        if (ImGui::Button(buttons[i].label, ImVec2(96, 0))) answer = buttons[i].id;
      }
    }
    ImGui::End();
    EndFrame();
  }
  --g_nDepth;
  return true;
}

// --- the file browser ---

namespace {

struct cEntry {
  std::string name;  // as on disk (UTF-8, or raw bytes)
  bool bFolder;
};

std::vector<cEntry> ListFolder(const std::string& folder, const std::string& patterns) {
  std::vector<cEntry> entries;
  if (DIR* dir = opendir(folder.c_str())) {
    while (const dirent* entry = readdir(dir)) {
      const std::string name = entry->d_name;
      if (name == "." || name == "..") continue;
      struct stat info {};
      if (stat((folder + "/" + name).c_str(), &info) != 0) continue;
      const bool isFolder = S_ISDIR(info.st_mode);
      if (!isFolder && !patterns.empty() && !MatchesFilePatterns(name, patterns)) continue;
      entries.push_back({name, isFolder});
    }
    closedir(dir);
  }
  std::sort(entries.begin(), entries.end(), [](const cEntry& a, const cEntry& b) {
    if (a.bFolder != b.bFolder) return a.bFolder;
    return a.name < b.name;
  });
  return entries;
}

std::string ShownName(const std::string& name) {
  // Names unpacked from a Windows archive without conversion are CP932 bytes.
  return IsValidUtf8(name) ? name : Cp932ToUtf8(name);
}

std::string Parent(const std::string& folder) {
  const std::size_t slash = folder.rfind('/');
  if (slash == std::string::npos || slash == 0) return "/";
  return folder.substr(0, slash);
}

const FileBrowserRequest* g_pBrowsing = nullptr;

int AskOverwriteOnScreen(const std::string& hostPath) {
  const std::size_t slash = hostPath.rfind('/');
  const std::string name = Utf8ToCp932(slash == std::string::npos ? hostPath : hostPath.substr(slash + 1));
  const std::string text = name + " は既に存在します。\n上書きしますか?";
  return MessageBoxA(GetActiveWindow(), text.c_str(), g_pBrowsing != nullptr ? g_pBrowsing->title.c_str() : "",
                     MB_YESNO) == IDYES
             ? 1
             : 0;
}

}  // namespace

int RunFileBrowserOnScreen(const FileBrowserRequest& request, FileBrowserResult& result, std::string& error) {
  if (!VideoShowsWindows() || !EnsureScreen()) {
    error = "no display to show the file box on";
    return 0;
  }
  std::string folder = request.initialDir.empty() ? CurrentHostDirectory() : HostPath(request.initialDir);
  if (!folder.empty() && folder.front() != '/') folder = CurrentHostDirectory() + "/" + folder;
  struct stat info {};
  if (stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) folder = CurrentHostDirectory();
  int filter = 0;
  std::string typed = Cp932ToUtf8(request.proposedName);
  typed.resize(1024, '\0');
  std::vector<std::string> selected;
  std::string status;
  int outcome = -1;  // -1 running, 0 cancelled, 1 chosen
  bool listed = false;
  std::vector<cEntry> entries;
  ++g_nDepth;
  cFrameHandlers handlers;
  handlers.key = [&](int vk, bool down) {
    if (down && vk == VK_ESCAPE) outcome = 0;
  };
  handlers.close = [&] { outcome = 0; };
  const std::string caption = Cp932ToUtf8(request.title) + "###files" + std::to_string(g_nDepth);
  while (outcome < 0) {
    if (!listed) {
      const std::string patterns =
          request.filters.empty() ? std::string() : Cp932ToUtf8(request.filters[static_cast<std::size_t>(filter)].second);
      entries = ListFolder(folder, patterns);
      listed = true;
    }
    PumpEvents(handlers);
    if (outcome >= 0) break;
    BeginFrame();
    bool accept = false;
    std::string enter;
    const ImVec2 display = ImGui::GetIO().DisplaySize;
    ImGui::SetNextWindowPos(ImVec2(display.x / 2, display.y / 2), ImGuiCond_Always, ImVec2(0.5f, 0.5f));
    ImGui::SetNextWindowSize(ImVec2(std::min(600.0f, display.x - 10), std::min(420.0f, display.y - 10)));
    if (ImGui::Begin(caption.c_str(), nullptr, kBoxFlags)) {
      if (ImGui::Button("..")) enter = Parent(folder);
      ImGui::SameLine();
      ImGui::TextUnformatted(ShownName(folder).c_str());
      const float listHeight = ImGui::GetContentRegionAvail().y - ImGui::GetFrameHeightWithSpacing() * 3;
      if (ImGui::BeginChild("##entries", ImVec2(0, listHeight), true)) {
        for (const cEntry& entry : entries) {
          const std::string label = (entry.bFolder ? "[" + ShownName(entry.name) + "]" : ShownName(entry.name));
          const bool isSelected = std::find(selected.begin(), selected.end(), entry.name) != selected.end();
          if (ImGui::Selectable(label.c_str(), isSelected, ImGuiSelectableFlags_AllowDoubleClick)) {
            if (entry.bFolder) {
              if (ImGui::IsMouseDoubleClicked(0)) enter = folder == "/" ? "/" + entry.name : folder + "/" + entry.name;
            } else if (request.bMultiSelect && ImGui::GetIO().KeyCtrl) {
              if (isSelected) std::erase(selected, entry.name);
              else selected.push_back(entry.name);
            } else {
              selected = {entry.name};
              typed.assign(entry.name);
              typed.resize(1024, '\0');
              if (ImGui::IsMouseDoubleClicked(0)) accept = true;
            }
          }
        }
      }
      ImGui::EndChild();
      ImGui::TextUnformatted(U(u8"ファイル名"));
      ImGui::SameLine();
      ImGui::PushItemWidth(-1);
      if (ImGui::InputText("##name", typed.data(), typed.size(), ImGuiInputTextFlags_EnterReturnsTrue)) accept = true;
      ImGui::PopItemWidth();
      if (!request.filters.empty()) {
        ImGui::PushItemWidth(ImGui::GetContentRegionAvail().x - 220);
        const std::string current = Cp932ToUtf8(request.filters[static_cast<std::size_t>(filter)].first);
        if (ImGui::BeginCombo("##filter", current.c_str())) {
          for (std::size_t i = 0; i < request.filters.size(); ++i)
            if (ImGui::Selectable(Cp932ToUtf8(request.filters[i].first).c_str(), static_cast<int>(i) == filter)) {
              filter = static_cast<int>(i);
              listed = false;
            }
          ImGui::EndCombo();
        }
        ImGui::PopItemWidth();
        ImGui::SameLine();
      }
      if (ImGui::Button(request.bSave ? U(u8"保存") : U(u8"開く"), ImVec2(100, 0))) accept = true;
      ImGui::SameLine();
      if (ImGui::Button(U(u8"キャンセル"), ImVec2(100, 0))) outcome = 0;
      if (!status.empty()) ImGui::TextColored(ImVec4(0.7f, 0.0f, 0.0f, 1.0f), "%s", status.c_str());
    }
    ImGui::End();
    EndFrame();
    if (!enter.empty()) {
      folder = enter;
      selected.clear();
      listed = false;
      continue;
    }
    if (!accept) continue;
    // The choice, checked as the program will need it: every path must be a program path.
    std::vector<std::string> names = selected.size() > 1 ? selected : std::vector<std::string>{std::string(typed.c_str())};
    std::vector<std::string> paths;
    std::string why;
    g_pBrowsing = &request;
    for (const std::string& name : names) {
      std::string path = ResolveTypedFileName(request, folder, name, &AskOverwriteOnScreen, why);
      std::string program;
      if (!path.empty() && !HostPathToProgramPath(path, program, why)) path.clear();
      if (path.empty()) {
        paths.clear();
        break;
      }
      paths.push_back(path);
    }
    g_pBrowsing = nullptr;
    status = Cp932ToUtf8(why);
    if (!paths.empty()) {
      result.hostPaths = paths;
      outcome = 1;
    }
  }
  --g_nDepth;
  if (SDL_IsTextInputActive()) SDL_StopTextInput();
  return outcome;
}

}  // namespace tovrel_platform

void QueueHostKeyPress(int vk) {
  for (const tovrel_platform::VirtualKeyScancode& pair : tovrel_platform::VirtualKeyScancodes()) {
    if (pair.virtualKey != vk) continue;
    SDL_Event event{};
    event.type = SDL_KEYDOWN;
    event.key.state = SDL_PRESSED;
    event.key.keysym.scancode = static_cast<SDL_Scancode>(pair.scancode);
    event.key.keysym.sym = SDL_GetKeyFromScancode(event.key.keysym.scancode);
    SDL_PushEvent(&event);
    event.type = SDL_KEYUP;
    event.key.state = SDL_RELEASED;
    SDL_PushEvent(&event);
    return;
  }
}
