#include "platform/dialog_script.h"

#include <atomic>

namespace {
std::atomic<cDialogScript*> g_script{nullptr};
}

cDialogScript::cDialogScript() : m_pPrevious(nullptr) {
  g_script.store(this);
  m_pPrevious = SetMessageBoxProvider(this);
}

cDialogScript::~cDialogScript() {
  SetMessageBoxProvider(m_pPrevious);
  g_script.store(nullptr);
}

cDialogScript* ActiveDialogScript() { return g_script.load(); }

void cDialogScript::AddDialog(WORD resourceId, std::vector<DialogAction> actions) {
  m_Dialogs[resourceId].push_back(std::move(actions));
}

void cDialogScript::AddBoxAnswer(std::string caption, std::string text, int answer) {
  m_Boxes.push_back({{std::move(caption), std::move(text)}, answer});
}

void cDialogScript::AddFileBox(FileBoxAnswer answer) { m_FileBoxes.push_back(std::move(answer)); }

int cDialogScript::Show(const MessageBoxRecord& box) {
  boxes.push_back(box);
  for (const auto& [key, answer] : m_Boxes)
    if (key.first == box.caption && (key.second.empty() || key.second == box.text)) return answer;
  // The first button, as a person pressing Enter would.
  switch (box.type & 0xFu) {
    case 3:
    case MB_YESNO: return IDYES;
    case 5: return 4;
    case 6: return IDCANCEL;
    default: return IDOK;
  }
}

bool cDialogScript::TakeDialog(WORD resourceId, std::vector<DialogAction>& actions) {
  const auto it = m_Dialogs.find(resourceId);
  if (it == m_Dialogs.end() || it->second.empty()) return false;
  actions = std::move(it->second.front());
  it->second.pop_front();
  return true;
}

bool cDialogScript::TakeFileBox(FileBoxAnswer& answer) {
  if (m_FileBoxes.empty()) return false;
  answer = std::move(m_FileBoxes.front());
  m_FileBoxes.pop_front();
  return true;
}
