// How the stage frame draws each kind of object and overlay. The character drawing
// (animation sets, part graphics, character effects, gauges) and the overlay runtimes
// (messages, hit effects, pictures, screen effects) plug in here; until they exist the
// objects are drawn plainly from their sheets and the overlays show nothing.
#include <cstdint>

#include "media/draw/dd_blit.h"
#include "media/draw/dd_display.h"
#include "objects/chara.h"
#include "objects/item.h"
#include "objects/player.h"
#include "stage/scene_game.h"
#include "stage/stage_draw_parts.h"

namespace {

constexpr int kFirstCharaRow = 4;  // rows 4-19: eight character sheets, plain and mirrored
constexpr int kLastCharaRow = 19;
constexpr int kItemRow = 40;
constexpr int kCell = 32;
constexpr DWORD kColorKey = 1;
constexpr std::int32_t kHeroDyingFrames = 60;  // a hero without a defeat effect goes on the 61st frame

bool SheetCell(const DDSURFACEDATA& sheet, int x, int y) {
  return x >= 0 && y >= 0 && x < sheet.nWidth && y < sheet.nHeight;
}

// A character from its character sheet: the cell of its current pattern, or the first
// sheet's cell (0, 0) when that lies outside the sheet.
void DrawCharaCell(cCharaBase& chara, std::int32_t bPaused) {
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

}  // namespace

void DrawItemSprite(cItem& item, std::int32_t bPaused) {
  item.Draw(&g_BackBuffer, bPaused);
  if (item.m_ItemDef.m_bHidden != 0) return;
  const int n = item.m_ItemDef.m_nGraphic;
  const int srcX = n / 15 * 64;
  const int srcY = n % 15 * kCell;
  DDSURFACEDATA& sheet = g_FixedSurface[kItemRow];
  if (n < 0 || !SheetCell(sheet, srcX, srcY)) return;
  DDBlt(&g_BackBuffer, item.m_rcScreen.left, item.m_rcScreen.top, kCell, kCell, &sheet, srcX, srcY, kColorKey);
}

void DrawPlayerSprite(cPlayer& player, std::int32_t bPaused) {
  DrawCharaCell(player, bPaused);
  player.Draw(&g_BackBuffer, bPaused);
}

void DrawCharaSprite(cChara& chara, std::int32_t bPaused) { DrawCharaCell(chara, bPaused); }

std::int32_t DrawCharaDying(cCharaBase& chara, std::int32_t bPaused) {
  // Without a defeat effect a computer character's defeat ends at once; a hero's lasts
  // 61 unpaused frames.
  if (chara.m_nKind != 0) return 1;
  if (bPaused != 0) return 0;
  return ++chara.m_nDyingFrame > kHeroDyingFrames ? 1 : 0;
}

void StepCharaUnseen(cCharaBase& chara) { chara.m_Anime.Update(); }

void DrawCharaGauges(cCharaBase&) {}

void DrawStagePictures(cSceneGame&, DDSURFACEDATA*, int, std::int32_t) {}
void DrawStageRanges(DDSURFACEDATA*) {}
void DrawStageEffects(cSceneGame&, DDSURFACEDATA*, std::int32_t) {}
void DrawStageMessages(cSceneGame&, DDSURFACEDATA*, std::int32_t) {}
void RunStageScreenEffect(cSceneGame&, std::int32_t) {}
