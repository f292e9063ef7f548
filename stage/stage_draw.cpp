// A plain drawing of the stage frame: the backgrounds' fill, the blocks from the block
// sheet, the items, the characters and the player from their sheets. The full stage
// drawing (background pictures, layers, effects, messages, the status bar) replaces it.
// Drawing is part of the game's state: the block conditions latch here, animations
// advance here, and the end of the player's defeat animation is detected here.
#include "app/checked_access.h"
#include "app/main_window_handle.h"
#include "data/save/play_mode.h"
#include "data/save/progress.h"
#include "data/stage/stage_data.h"
#include "data/system/system_data.h"
#include "media/draw/dd_blit.h"
#include "media/draw/dd_display.h"
#include "media/draw/dd_fill.h"
#include "media/draw/dd_surface.h"
#include "objects/chara.h"
#include "objects/item.h"
#include "objects/player.h"
#include "objects/trunc.h"
#include "shell/game_mgr.h"
#include "stage/block_conditions.h"
#include "stage/scene_game.h"
#include "stage/stage_world.h"

namespace {

constexpr int kBlockRow = 2;          // the block sheet
constexpr int kFirstCharaRow = 4;     // rows 4-19: eight character sheets, plain and mirrored
constexpr int kLastCharaRow = 19;
constexpr int kItemRow = 40;          // the item sheet
constexpr int kCell = 32;
constexpr int kViewRows = 16;
constexpr int kViewColumns = 21;
constexpr DWORD kColorKey = 1;
constexpr int kDyingFrames = 60;      // a hero without a defeat effect goes after 61 frames

// The cell of a part on its sheet, or false when the sheet has none there.
bool SheetCell(const DDSURFACEDATA& sheet, int x, int y) {
  return x >= 0 && y >= 0 && x < sheet.nWidth && y < sheet.nHeight;
}

void DrawBackgroundFill() {
  // Filled backgrounds show their colour; the pictures come with the full stage drawing.
  bool bAny = false;
  for (const cStageBack& back : g_StageData.m_vBack) {
    if (back.m_bVisible == 0 || back.m_nLayer != 0) continue;
    bAny = true;
    if (back.m_bFill != 0) DDFillRect(&g_BackBuffer, 0, 0, 640, 480, static_cast<DWORD>(back.m_nFillColour));
  }
  if (!bAny) DDFillRect(&g_BackBuffer, 0, 0, 640, 480, 16);
}

void DrawBlocks(cSceneGame& scene, int nLayer) {
  const cScroll& sx = scene.m_ScrollX;
  const cScroll& sy = scene.m_ScrollY;
  const int x0 = TruncToInt(sx.m_dPos);
  const int y0 = TruncToInt(sy.m_dPos);
  const int firstColumn = x0 >> 5;
  const int firstRow = y0 >> 5;
  DDSURFACEDATA& sheet = g_FixedSurface[kBlockRow];
  for (int r = 0; r < kViewRows; ++r) {
    const int row = firstRow + r;
    if (row < 0 || row >= sy.m_nCells) continue;
    for (int c = 0; c < kViewColumns; ++c) {
      const int column = firstColumn + c;
      if (column < 0 || column >= sx.m_nCells) continue;
      const auto index = static_cast<std::size_t>(column) + (static_cast<std::size_t>(row) << sx.m_nShift);
      if (index >= g_vBlockMap.size()) continue;
      cBlockCell& cell = g_vBlockMap[index];
      if (cell.m_nGraphic == 0 || cell.m_nLayer != nLayer) continue;
      if (CheckBlockConds(cell) == 0 || cell.m_bHidden != 0) continue;
      const int n = cell.m_nGraphic;
      const int srcX = n / 15 * kCell;
      const int srcY = n % 15 * kCell;
      if (!SheetCell(sheet, srcX, srcY)) continue;
      DDBlt(&g_BackBuffer, c * kCell - (x0 & 31), r * kCell - (y0 & 31), kCell, kCell, &sheet, srcX, srcY, kColorKey);
    }
  }
}

// A character or the player from its character sheet: plain cell, current pattern.
void DrawCharaPlain(cCharaBase& chara, std::int32_t bPaused) {
  if (bPaused == 0) chara.m_Anime.Update();
  if (chara.m_Def.m_bHidden != 0 || chara.m_bDrawTransparent != 0) return;
  const int n = chara.m_nGraphic;
  int row = kFirstCharaRow + 2 * (n / 15) + (chara.m_nFacing != 0 ? 1 : 0);
  int srcX = (chara.m_Anime.GetPattern() + chara.m_Def.m_nPattern) * kCell;
  int srcY = n % 15 * kCell;
  if (n < 0 || row > kLastCharaRow || !SheetCell(g_FixedSurface[row], srcX, srcY)) {
    row = kFirstCharaRow;
    srcX = 0;
    srcY = 0;
  }
  DDBlt(&g_BackBuffer, chara.m_rcScreen.left, chara.m_rcScreen.top, chara.m_nCellW, chara.m_nCellH,
        &g_FixedSurface[row], srcX, srcY, kColorKey);
}

void DrawItemPlain(cItem& item) {
  const int n = item.m_ItemDef.m_nGraphic;
  const int srcX = n / 15 * 64;
  const int srcY = n % 15 * kCell;
  DDSURFACEDATA& sheet = g_FixedSurface[kItemRow];
  if (n < 0 || !SheetCell(sheet, srcX, srcY)) return;
  DDBlt(&g_BackBuffer, item.m_rcScreen.left, item.m_rcScreen.top, kCell, kCell, &sheet, srcX, srcY, kColorKey);
}

}  // namespace

void cSceneGame::Draw(std::int32_t bPlayView, std::int32_t bPaused, std::int32_t /*bTimeSound*/,
                      std::int32_t /*bMessageLine*/) {
  (void)bPlayView;
  DrawBackgroundFill();
  DrawBlocks(*this, 0);
  if (!g_vPlayer.empty()) DrawPlayer(bPaused);
  for (cItem& item : g_listItem) {
    if (item.m_bOnScreen == 0 || item.m_bCarried != 0) continue;
    item.UpdateScreenRect();
    DrawItemPlain(item);
  }
  for (auto it = g_listChara.begin(); it != g_listChara.end();) {
    cChara& chara = *it;
    if (chara.m_bDying != 0) {
      // Without a defeat effect a stage character's defeat ends at once; a paused frame
      // changes nothing.
      if (bPaused == 0) {
        it = RemoveChara(it);
        continue;
      }
      ++it;
      continue;
    }
    if (chara.m_bOnScreen != 0) {
      chara.UpdateScreenRect();
      DrawCharaPlain(chara, bPaused);
    } else if (chara.m_bAppearNow != 0) {
      chara.UpdateScreenRect();
      if (bPaused == 0) chara.m_Anime.Update();
    }
    ++it;
  }
  DrawBlocks(*this, 1);
}

void cSceneGame::DrawPlayer(std::int32_t bPaused) {
  cPlayer& hero = g_vPlayer[0];
  hero.UpdateScreenRect();
  if (hero.m_bDying == 0) {
    DrawCharaPlain(hero, bPaused);
    return;
  }
  // The defeat animation of a hero without a defeat effect: 61 unpaused frames.
  if (bPaused != 0) return;
  if (++hero.m_nDyingFrame <= kDyingFrames) return;
  OnLostLife();
}
