#pragma once
// Test seam of the modal host: scripted answers for dialogs (by resource id), message
// boxes (by caption and text) and file boxes, and a record of everything shown. While a
// script is installed nothing is drawn and no person is asked. Install one at a time.
#include <deque>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/dialog_host.h"
#include "platform/file_browser.h"
#include "platform/message_box.h"

// One step of a person's work in a dialog, applied as the on-screen host would apply it.
struct DialogAction {
  enum class eKind {
    kClick,    // press a button or toggle a check box / pick a radio button (BN_CLICKED)
    kSetText,  // type into an edit control: the text replaces the content, EN_UPDATE follows
    kKey,      // press and release a key (virtual key in nValue) through the keyboard hook
    kCompose,  // an input-method composition opens with `text` (CP932), or ends when empty
    kClose,    // the close request (WM_CLOSE)
  };
  eKind kind = eKind::kClick;
  WORD nId = 0;
  std::string text;  // CP932
  int nValue = 0;

  static DialogAction Click(WORD id) { return {eKind::kClick, id, {}, 0}; }
  static DialogAction SetText(WORD id, std::string text) { return {eKind::kSetText, id, std::move(text), 0}; }
  static DialogAction Key(int vk) { return {eKind::kKey, 0, {}, vk}; }
  static DialogAction Compose(std::string text) { return {eKind::kCompose, 0, std::move(text), 0}; }
  static DialogAction Close() { return {eKind::kClose, 0, {}, 0}; }
};

// A dialog as it was shown: its controls after WM_INITDIALOG, and at its end.
struct ShownDialog {
  WORD nResourceId = 0;
  std::string caption;  // CP932, after WM_INITDIALOG
  std::vector<DialogControlState> atStart;
  std::vector<DialogControlState> atEnd;
  INT_PTR result = 0;
};

// A file box's scripted answer: cancel, or a name typed in a folder (host paths, UTF-8),
// or several files chosen in a folder.
struct FileBoxAnswer {
  bool bConfirm = false;
  std::string folder;               // "" : the request's start folder
  std::vector<std::string> names;   // typed name, or the chosen files
};

class cDialogScript : public cMessageBoxProvider {
 public:
  cDialogScript();
  ~cDialogScript() override;
  cDialogScript(const cDialogScript&) = delete;
  cDialogScript& operator=(const cDialogScript&) = delete;

  // Each run of the dialog takes the next list of actions for its resource id. A dialog
  // without a list fails (-1); a list that ends before the dialog does closes it (WM_CLOSE).
  void AddDialog(WORD resourceId, std::vector<DialogAction> actions);
  // A box whose caption and text match (an empty text matches any) answers `answer`;
  // boxes without a match answer their first button.
  void AddBoxAnswer(std::string caption, std::string text, int answer);
  void AddFileBox(FileBoxAnswer answer);

  int Show(const MessageBoxRecord& box) override;

  // What was shown, in order.
  std::vector<ShownDialog> dialogs;
  std::vector<MessageBoxRecord> boxes;
  std::vector<FileBrowserRequest> fileBoxes;

  // Host side.
  bool TakeDialog(WORD resourceId, std::vector<DialogAction>& actions);
  bool TakeFileBox(FileBoxAnswer& answer);

 private:
  std::map<WORD, std::deque<std::vector<DialogAction>>> m_Dialogs;
  std::vector<std::pair<std::pair<std::string, std::string>, int>> m_Boxes;
  std::deque<FileBoxAnswer> m_FileBoxes;
  cMessageBoxProvider* m_pPrevious;
};

// The installed script, or null.
cDialogScript* ActiveDialogScript();
