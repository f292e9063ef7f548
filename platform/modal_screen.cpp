#include "platform/modal_host.h"

namespace tovrel_platform {

bool CanShowOnScreen() { return false; }

INT_PTR RunDialogOnScreen(cHostWindow&, std::string& error) {
  error = "no display to show the dialog on";
  return -1;
}

bool ShowMessageBoxOnScreen(const MessageBoxRecord&, int&) { return false; }

int RunFileBrowserOnScreen(const FileBrowserRequest&, FileBrowserResult&, std::string& error) {
  error = "no display to show the file box on";
  return 0;
}

}  // namespace tovrel_platform
