// The status display of stage play: the bar of up to five items at the top (total score,
// score, HP and SP gauges of player 1, lives) and the time left under it, which sounds its
// warning once a second near the end.
#include <algorithm>
#include <cstdint>
#include <string>

#include "app/checked_access.h"
#include "app/frame_timing.h"
#include "app/str_helpers.h"
#include "data/save/progress.h"
#include "data/stage/stage_data.h"
#include "data/system/sys_status_item.h"
#include "data/system/system_data.h"
#include "media/draw/dd_blit.h"
#include "media/draw/dd_effect_blit.h"
#include "media/draw/font.h"
#include "objects/player.h"
#include "shell/game_requests.h"
#include "stage/scene_game.h"
#include "stage/stage_world.h"

namespace {

constexpr int kStatusWindowRow = 46;
constexpr int kStatusDrawAccessoryRow = 49;
constexpr int kStatusDrawWordRow = 51;
constexpr int kBarY = 3;
constexpr int kStatusDrawGaugeWidth = 50;
constexpr int kIconWidth = 16;
constexpr int kTimeWarningSound = 13;
constexpr DWORD kStatusDrawColorKey = 1;

int LabelWidth(const cSysStatusItem& item) { return kIconWidth * GetStrCharNum(item.m_strLabel.c_str()); }

// In 64 bits: a digit count from a damaged file cannot overflow the sum of the widths.
std::int64_t ItemWidth(int nItem, const cSysStatusItem& item) {
  if (item.m_bShow == 0) return 0;
  const std::int64_t head = item.m_bIcon != 0 ? kIconWidth : LabelWidth(item);
  const bool bGauge = nItem == STATUSITEM_HP || nItem == STATUSITEM_SP;
  return head + (bGauge ? kStatusDrawGaugeWidth : static_cast<std::int64_t>(kIconWidth) * item.m_nDigits);
}

// A 50-dot gauge at gx: backdrop, the fill (the warning row when the item's threshold is
// reached) and, when asked, the value in the small font.
void DrawStatusGauge(DDSURFACEDATA* lpDst, int gx, int nItem, const cSysStatusItem& item, std::int32_t value,
                     std::int32_t maximum) {
  DDSURFACEDATA* sheet = &g_FixedSurface[kStatusDrawAccessoryRow];
  const int column = nItem == STATUSITEM_HP ? 0 : 64;
  DDBlt(lpDst, gx, kBarY, kStatusDrawGaugeWidth, 16, sheet, column, 128, kStatusDrawColorKey);
  // value x 50 / maximum in 64 bits: a damaged HP cannot overflow the product.
  const std::int64_t fill = maximum == 0 ? 0 : static_cast<std::int64_t>(value) * kStatusDrawGaugeWidth / maximum;
  const int fillRow = g_SystemData.IsStatusReached(nItem, value, maximum) != 0 ? 160 : 144;
  if (fill > 0) {
    DDBlt(lpDst, gx, kBarY, static_cast<int>(fill > kStatusDrawGaugeWidth ? kStatusDrawGaugeWidth : fill), 16, sheet, column, fillRow,
          kStatusDrawColorKey);
  }
  if (item.m_bShowNumber != 0) g_Font[0].DrawTextF(lpDst, gx, 6, "%d", value);
}

void DrawNumberItem(DDSURFACEDATA* lpDst, int x, const cSysStatusItem& item, std::int32_t value, bool bInfinite) {
  if (item.m_bIcon != 0) {
    if (bInfinite) {
      g_Font[1].DrawText(lpDst, x + kIconWidth, kBarY, "-");
    } else {
      g_Font[1].DrawTextF(lpDst, x + kIconWidth, kBarY, "%d", value);
    }
    return;
  }
  if (bInfinite) {
    g_Font[1].DrawTextF(lpDst, x, kBarY, "%s-", item.m_strLabel.c_str());
  } else {
    g_Font[1].DrawTextF(lpDst, x, kBarY, "%s%d", item.m_strLabel.c_str(), value);
  }
}

}  // namespace

void cSceneGame::DrawStatus(DDSURFACEDATA* lpDst) {
  if (m_bShowStatus == 0) return;
  const std::vector<cSysStatusItem>& items = g_SystemData.m_StatusItems;
  std::int64_t widths[STATUSITEM_COUNT] = {};
  int nEnabled = 0;
  std::int64_t sum = 0;
  for (int i = 0; i < STATUSITEM_COUNT; ++i) {
    if (static_cast<std::size_t>(i) >= items.size()) break;
    widths[i] = ItemWidth(i, items[static_cast<std::size_t>(i)]);
    if (items[static_cast<std::size_t>(i)].m_bShow != 0) ++nEnabled;
    sum += widths[i];
  }
  if (nEnabled == 0) return;
  const std::int64_t gap = (638 - sum) / (nEnabled + 1);
  DDBlt(lpDst, 0, 0, 640, 20, &g_FixedSurface[kStatusWindowRow], 0, 0, kStatusDrawColorKey);
  DDSURFACEDATA* icons = &g_FixedSurface[kStatusDrawAccessoryRow];
  const cPlayer* hero = g_vPlayer.empty() ? nullptr : &g_vPlayer.front();
  const cProgress& progress = g_Progress;
  std::int64_t xPos = gap;
  for (int i = 0; i < STATUSITEM_COUNT && static_cast<std::size_t>(i) < items.size(); ++i) {
    const cSysStatusItem& item = items[static_cast<std::size_t>(i)];
    if (item.m_bShow == 0) continue;
    const int x = static_cast<int>(std::clamp<std::int64_t>(xPos, -65536, 65536));
    if (item.m_bIcon != 0) DDBlt(lpDst, x, kBarY, kIconWidth, 16, icons, 16 * i, 32, kStatusDrawColorKey);
    switch (i) {
      case STATUSITEM_SCORE:
        DrawNumberItem(lpDst, x, item, progress.m_nScore, false);
        break;
      case STATUSITEM_STAGE_SCORE:
        DrawNumberItem(lpDst, x, item, progress.m_nStageScore, false);
        break;
      case STATUSITEM_HP:
      case STATUSITEM_SP: {
        if (hero == nullptr) break;
        const bool bHp = i == STATUSITEM_HP;
        const int gx = item.m_bIcon != 0 ? x + kIconWidth : x + LabelWidth(item);
        if (item.m_bIcon == 0) g_Font[1].DrawTextF(lpDst, x, kBarY, "%s", item.m_strLabel.c_str());
        DrawStatusGauge(lpDst, gx, i, item, bHp ? hero->m_nHp : hero->m_nSp,
                        bHp ? hero->m_Def.m_nMaxHp : hero->m_Def.m_nMaxSp);
        break;
      }
      case STATUSITEM_LIVES:
        DrawNumberItem(lpDst, x, item, progress.m_nLives, progress.m_nLives == kInfiniteLives);
        break;
      default:
        break;
    }
    xPos += widths[i] + gap;
  }
}

void cSceneGame::DrawTimeLimit(DDSURFACEDATA* lpDst, std::int32_t bTimeSound) {
  if (m_bNoTimeLimit != 0) return;
  DDDrawNumber(lpDst, 272, 24, 32, 32, &g_FixedSurface[kStatusDrawWordRow], 0, 160, kStatusDrawColorKey, m_nTimeLeft, 3, 1, 0);
  if (m_nTimeLeft >= 1 && m_nTimeLeft <= g_StageData.m_nTimeWarning && CountEvery(2, g_StageData.m_nStageFps) != 0 &&
      bTimeSound != 0) {
    PlaySE(kTimeWarningSound);
  }
}
