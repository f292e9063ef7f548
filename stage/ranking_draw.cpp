// The ranking window and the result window, in the 16-dot system font.
#include "stage/ranking_draw.h"

#include <algorithm>
#include <string>

#include "app/checked_access.h"
#include "app/str_helpers.h"
#include "app/system_ini.h"
#include "data/save/progress.h"
#include "data/stage/stage_data.h"
#include "data/system/system_data.h"
#include "media/draw/dd_blit.h"
#include "media/draw/dd_surface.h"
#include "media/draw/font.h"
#include "shell/game_init.h"
#include "shell/game_mgr.h"
#include "stage/ranking.h"
#include "stage/ranking_kinds.h"
#include "stage/ranking_text.h"

namespace {

constexpr int kFont = 1;  // the 16-dot system font
constexpr int kRankingDrawCell = 16;
constexpr int kRankingDrawAccessoryRow = 49;  // "bmp\Accessory.bmp": the highlight icon at (16, 48)
constexpr int kResultTextFirst = 5;   // System texts 5 .. 9 name the result kinds
constexpr int kGenreHintText = 25;    // "Vキーでジャンルの切り替え"
constexpr int kClearTimeDigits = 8;   // "mm:ss.hh"

const std::string& RankingDrawSystemText(int n) { return CheckedAt(g_SystemData.m_Texts, n); }

// Draws with the font's icon letters off when the game draws a-z as icons: names and the
// English title are letters, not icons.
void DrawPlainLetters(DDSURFACEDATA* lpDst, int x, int y, const std::string& text) {
  cFont& font = g_Font[kFont];
  const bool bIcons = g_SystemData.m_bFontFlag != 0;
  if (bIcons) font.m_bIcon = 0;
  font.DrawText(lpDst, x, y, text.c_str());
  if (bIcons) font.m_bIcon = 1;
}

void DrawHighlight(DDSURFACEDATA* lpDst, int x, int y) {
  DDBlt(lpDst, x, y, kRankingDrawCell, kRankingDrawCell, &g_FixedSurface[kRankingDrawAccessoryRow], 16, 48, 1);
}

std::string ValueText(int kind, std::int32_t value) {
  std::string text;
  if (kind == RESULT_CLEARTIME)
    TimeToStr(text, value);
  else
    text = std::to_string(value);
  return text;
}

}  // namespace

void cRanking::Draw(DDSURFACEDATA* lpDst, int x, int y, int kind, int highlight) const {
  cFont& font = g_Font[kFont];
  font.DrawWindow(lpDst, x + 1, y + 1, 270, 350);
  const std::string& kindName = RankingDrawSystemText(kind + kResultTextFirst);
  if (g_SystemIni.m_bEnglish != 0) {
    DrawPlainLetters(lpDst, x, y, "Ranking     " + kindName);
  } else {
    font.DrawText(lpDst, x, y, ("ランキング    " + kindName).c_str());
  }
  const int width = kind == RESULT_CLEARTIME ? kClearTimeDigits
                                             : (m_vEntry.empty() ? 1 : GetDigitNum(m_vEntry.front().m_nValue));
  const int count = static_cast<int>(m_vEntry.size());
  for (int i = 0; i < count; ++i) {
    const cRankEntry& entry = m_vEntry[static_cast<std::size_t>(i)];
    if (entry.m_bUsed == 0) continue;
    const int row = y + kRankingDrawCell * (i + 1);
    font.DrawText(lpDst, x + 16, row, std::to_string(i + 1).c_str());
    DrawPlainLetters(lpDst, x + 64, row, entry.m_strName);
    if (kind == RESULT_CLEARTIME) {
      font.DrawText(lpDst, x + 144, row, ValueText(kind, entry.m_nValue).c_str());
    } else {
      // Right-aligned: the last digit in column width + 8.
      const int column = width + 9 - GetDigitNum(entry.m_nValue);
      font.DrawText(lpDst, x + column * kRankingDrawCell, row, ValueText(kind, entry.m_nValue).c_str());
    }
  }
  if (GetCmdCount(g_GameMgr.m_nPlayMode) > 1) {
    const std::string& hint = RankingDrawSystemText(kGenreHintText);
    font.DrawText(lpDst, x + 136 - GetStrCharNum(hint.c_str()) * 8, y + kRankingDrawCell * (count + 1), hint.c_str());
  }
  if (highlight != -1) DrawHighlight(lpDst, x, y + kRankingDrawCell * (highlight + 1));
}

void cRankingSet::Draw(DDSURFACEDATA* lpDst, int x, int y, int kind, int highlight) const {
  CheckedAt(m_vRanking, kind).Draw(lpDst, x, y, kind, highlight);
}

void DrawResultWindow(DDSURFACEDATA* lpDst, int x, int y, const std::vector<std::int32_t>& places) {
  const cProgress& progress = g_Progress;
  const std::int32_t sums[kRankLists] = {progress.m_nScore, progress.m_nTimeLeftSum, progress.m_nClearTimeSum,
                                         progress.m_nHpLeftSum, progress.m_nSpLeftSum};
  bool shown[kRankLists] = {};
  int rows = 0;
  int labelWidth = 1;
  int valueWidth = 1;
  for (int k = 0; k < kRankLists; ++k) {
    shown[k] = CheckedAt(g_StageData.m_vResultKind, k) != 0 &&
               (g_bStartStage != 0 || IsRankKindOn(g_GameMgr.m_nPlayMode, k) != 0);
    if (!shown[k]) continue;
    ++rows;
    labelWidth = std::max(labelWidth, GetStrCharNum(RankingDrawSystemText(k + kResultTextFirst).c_str()));
    valueWidth = std::max(valueWidth, k == RESULT_CLEARTIME ? kClearTimeDigits : GetDigitNum(sums[k]));
  }
  if (rows == 0) return;
  cFont& font = g_Font[kFont];
  font.DrawWindow(lpDst, x, y, (valueWidth + labelWidth + 3) * kRankingDrawCell, kRankingDrawCell * rows);
  int row = y;
  for (int k = 0; k < kRankLists; ++k) {
    if (!shown[k]) continue;
    font.DrawText(lpDst, x + 16, row, RankingDrawSystemText(k + kResultTextFirst).c_str());
    font.DrawText(lpDst, x + 32 + labelWidth * kRankingDrawCell, row, ValueText(k, sums[k]).c_str());
    if (static_cast<std::size_t>(k) < places.size() && places[static_cast<std::size_t>(k)] != -1)
      DrawHighlight(lpDst, x, row);
    row += kRankingDrawCell;
  }
}
