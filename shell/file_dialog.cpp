#include "shell/file_dialog.h"

#include <cstring>

#include "app/path_helpers.h"
#include "app/report_log.h"
#include "app/str_helpers.h"
#include "app/system_ini.h"
#include "app/ui/file_boxes.h"
#include "data/record/data_record.h"

namespace {

// A filter as the file boxes take it: the text shown, then the patterns, each ended by a
// NUL, and an empty text at the end. The patterns carry their "*." so that they match
// names with a number after the extension's stem.
std::string Filter(const std::string& shown, const std::string& patterns) {
  std::string filter = shown;
  filter += '\0';
  filter += patterns;
  filter += '\0';
  filter += '\0';
  return filter;
}

const char* Title(int mode) {
  const bool english = g_SystemIni.m_bEnglish != 0;
  switch (mode) {
    case FILEDLG_LOAD_STAGE: return english ? "load stage file" : "ステージファイルの読み込み";
    case FILEDLG_LOAD_REPLAY: return english ? "load replay file" : "リプレイファイルの読み込み";
    default: return english ? "save replay file" : "リプレイファイルの保存";
  }
}

// The name the save box proposes, as its buffer of MAX_PATH bytes can hold it. The
// proposed replay path is made absolute, and a deep game folder or a long stage name can
// take it past what a path may be: then the name alone is proposed (the box opens in the
// replay folder anyway), and when even that does not fit, nothing.
void ProposeName(const std::string& proposed, char (&buffer)[MAX_PATH]) {
  std::memset(buffer, 0, sizeof buffer);
  const std::string whole = proposed.substr(0, proposed.find('\0'));
  if (whole.size() < sizeof buffer) {
    std::memcpy(buffer, whole.data(), whole.size());
    return;
  }
  std::string name = whole;
  StripDir(name.data());
  name.resize(std::strlen(name.c_str()));
  if (name.size() < sizeof buffer) {
    WriteReport("リプレイファイル名が長すぎるため、フォルダを除いて提案します (%zu バイト)", whole.size());
    std::memcpy(buffer, name.data(), name.size());
    return;
  }
  WriteReport("リプレイファイル名が長すぎるため提案しません (%zu バイト)", whole.size());
}

// The replay extension of this player's data version ("rpl4_811").
std::string ReplayExtension() {
  std::string extension;
  StrPrintf(extension, "rpl4_%d", g_nDataVersion);
  return extension;
}

}  // namespace

cFileDlg::cFileDlg(WORD resourceId, cWindow* parent, int dialogFlag, cWindowList* windowList, std::string* result,
                   int mode)
    : m_pResult(result), m_nMode(mode) {
  Setup(resourceId, parent, dialogFlag, windowList);
}

void cFileDlg::OnInit(WPARAM wParam, LPARAM lParam) {
  OnInitDialog(wParam, lParam);
  UpdateControls();
  char path[MAX_PATH] = {};
  int chosen = 0;
  switch (m_nMode) {
    case FILEDLG_LOAD_STAGE:
      chosen = OpenFileBox(m_hWnd, path, MAX_PATH, "data\\stg4\\", Title(m_nMode),
                           Filter("StageFile ( *.stg4_*;*.rpl4_* )", "*.stg4_*;*.rpl4_*").c_str(), nullptr, 0,
                           nullptr);
      break;
    case FILEDLG_LOAD_REPLAY:
      chosen = OpenFileBox(m_hWnd, path, MAX_PATH, "user_data\\rpl4", Title(m_nMode),
                           Filter("ReplayFile ( *.rpl4_* )", "*.rpl4_*").c_str(), nullptr, 0, nullptr);
      break;
    case FILEDLG_SAVE_REPLAY: {
      const std::string extension = ReplayExtension();
      ProposeName(m_pResult != nullptr ? *m_pResult : std::string(), path);
      chosen = SaveFileBox(m_hWnd, path, "user_data\\rpl4\\", Title(m_nMode),
                           Filter("ReplayFile ( *." + extension + " )", "*." + extension).c_str(), extension.c_str(),
                           1);
      break;
    }
    default:
      break;
  }
  // Meaningful only when a file was chosen.
  if (m_pResult != nullptr) m_pResult->assign(path, strnlen(path, MAX_PATH - 1));
  Close(chosen ? 1 : 0);
}

void cFileDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (!IsCommandEnabled(wParam)) return;
  cDialog::OnCommand(wParam, lParam);
}
