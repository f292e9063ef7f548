#include "stage/cmd_menu.h"

#include <string>

#include "app/checked_access.h"
#include "app/message_boxes.h"
#include "app/str_helpers.h"
#include "data/system/system_data.h"
#include "media/draw/font.h"

namespace {

constexpr int kMenuFont = 1;  // the 16-dot system font
constexpr int kCharWidth = 16;
constexpr int kRowHeight = 16;

int LongestEnabledLabel(const std::vector<cCmdItem>& list) {
  int longest = 0;
  for (const cCmdItem& item : list) {
    if (item.m_bEnabled == 0) continue;
    const int chars = GetStrCharNum(item.m_strLabel.c_str());
    if (chars > longest) longest = chars;
  }
  return longest;
}

// The widest of System texts first .. first + count - 1, in characters.
int LongestText(int nFirst, int nCount) {
  int longest = 0;
  for (int i = 0; i < nCount; ++i) {
    const int chars = GetStrCharNum(CheckedAt(g_SystemData.m_Texts, nFirst + i).c_str());
    if (chars > longest) longest = chars;
  }
  return longest;
}

}  // namespace

int cCmd::CountEnabled(const std::vector<cCmdItem>& list) {
  int n = 0;
  for (const cCmdItem& item : list) n += item.m_bEnabled != 0 ? 1 : 0;
  return n;
}

int cCmd::GetCmdNum(int n, const std::vector<cCmdItem>& list) {
  int shown = 0;
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (list[i].m_bEnabled == 0) continue;
    if (shown == n) return static_cast<int>(i);
    ++shown;
  }
  DebugMesBox("cCmd::GetCmdNum 番号が不正です！");
  return 0;
}

int cCmd::GetCenterX(int x, const std::vector<cCmdItem>& list) {
  const int longest = LongestEnabledLabel(list);
  if (longest == 0) return x;
  return x - ((longest + 1) * kCharWidth) / 2;
}

void cCmd::Draw(DDSURFACEDATA* lpDst, int x, int y, const std::vector<cCmdItem>& list) {
  const int n = CountEnabled(list);
  const int longest = LongestEnabledLabel(list);
  if (longest == 0) return;
  cFont& font = g_Font[kMenuFont];
  font.DrawWindow(lpDst, x, y, (longest + 1) * kCharWidth, n * kRowHeight);
  for (int j = 0; j < n; ++j) {
    const cCmdItem& item = CheckedAt(list, GetCmdNum(j, list));
    font.DrawText(lpDst, x + kCharWidth, y + kRowHeight * j, item.m_strLabel.c_str());
  }
}

int GetCmdListX(int xc, int nFirst, int nCount, int bMargin) {
  int longest = LongestText(nFirst, nCount);
  if (bMargin != 0) ++longest;
  return xc - (longest * kCharWidth) / 2;
}

void DrawCmdList(DDSURFACEDATA* lpDst, int x, int y, int nFirst, int nCount, int bMargin) {
  if (nCount <= 0) return;
  int longest = LongestText(nFirst, nCount);
  if (bMargin != 0) ++longest;
  std::string text;
  for (int i = 0; i < nCount; ++i) {
    if (bMargin != 0) text += ' ';
    text += CheckedAt(g_SystemData.m_Texts, nFirst + i);
    text += '\n';
  }
  // The texts are the game's own: drawn as they stand, never used as a format.
  g_Font[kMenuFont].DrawTextBox(lpDst, x, y, longest * kCharWidth, nCount * kRowHeight, text.c_str());
}
