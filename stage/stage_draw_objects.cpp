// How the stage frame draws each kind of object and overlay: characters through their
// own drawing (animation, character effect, mark, gauges, defeat), items from their part
// graphic, and the overlay runtimes (pictures, the range display, hit effects, messages,
// the screen effect).
#include <cstdint>

#include "media/draw/dd_blit.h"
#include "media/draw/dd_display.h"
#include "objects/chara.h"
#include "objects/distance_ranges.h"
#include "objects/item.h"
#include "objects/part_graphic.h"
#include "objects/player.h"
#include "stage/scene_game.h"
#include "stage/stage_draw_parts.h"

namespace {

constexpr int kStageDrawObjectsCell = 32;
constexpr int kStageDrawObjectsMarksPerColumn = 15;
constexpr DWORD kStageDrawObjectsColorKey = 1;

}  // namespace

void DrawItemSprite(cItem& item, std::int32_t bPaused) {
  // The item's own drawing advances its two-cell animation.
  item.Draw(&g_BackBuffer, bPaused);
  const cPaletteItem& def = item.m_ItemDef;
  if (def.m_bHidden != 0) return;
  cPartGraphic part;
  part.Set(PARTUSE_ITEM, def.m_nGraphicKind, def.m_nGraphic, def.m_nPattern, &item, item.m_Anime.GetPattern());
  const int x = item.m_rcScreen.left;
  const int y = item.m_rcScreen.top;
  const bool bScaled = def.m_nSize > 1;
  if (part.HasPicture()) {
    // A bitmap of larger cells holds the picture at that size: it is copied as it stands
    // only when the item's size is the cell's, and otherwise stretched from the whole cell.
    const bool bSpriteScaled = part.m_bCustomCell != 0 ? def.m_nSize != part.m_nCellSize : bScaled;
    if (bSpriteScaled) {
      DDStretchBlt(&g_BackBuffer, x, y, item.m_nCellW, item.m_nCellH, part.m_pDraw[0], part.m_nCellX, part.m_nCellY,
                   item.m_nBaseCellW * part.m_nCellSize, item.m_nBaseCellH * part.m_nCellSize, kStageDrawObjectsColorKey);
    } else {
      DDBlt(&g_BackBuffer, x, y, item.m_nCellW, item.m_nCellH, part.m_pDraw[0], part.m_nCellX, part.m_nCellY,
            kStageDrawObjectsColorKey);
    }
  }
  if (def.m_nEmblemShow != 1 || def.m_nEmblem < 0) return;
  DDSURFACEDATA* marks = &g_FixedSurface[kMarkSheetRow];
  const int sx = def.m_nEmblem / kStageDrawObjectsMarksPerColumn * kStageDrawObjectsCell;
  const int sy = def.m_nEmblem % kStageDrawObjectsMarksPerColumn * kStageDrawObjectsCell;
  if (bScaled) {
    DDStretchBlt(&g_BackBuffer, x, y, item.m_nCellW, item.m_nCellH, marks, sx, sy, kStageDrawObjectsCell, kStageDrawObjectsCell, kStageDrawObjectsColorKey);
  } else {
    DDBlt(&g_BackBuffer, x, y, kStageDrawObjectsCell, kStageDrawObjectsCell, marks, sx, sy, kStageDrawObjectsColorKey);
  }
}

void DrawPlayerSprite(cPlayer& player, std::int32_t bPaused) { player.Draw(&g_BackBuffer, bPaused); }

void DrawCharaSprite(cChara& chara, std::int32_t bPaused) { chara.Draw(&g_BackBuffer, bPaused); }

std::int32_t DrawCharaDying(cCharaBase& chara, std::int32_t bPaused) { return chara.DrawDying(&g_BackBuffer, bPaused); }

void StepCharaUnseen(cCharaBase& chara) {
  // With 0: an unseen character's animation and effect go on even in a paused frame.
  chara.StepAnime(0);
  chara.StepCharaEffect(0);
}

void DrawCharaGauges(cCharaBase& chara) {
  chara.DrawHpGauge(&g_BackBuffer);
  chara.DrawSpGauge(&g_BackBuffer);
}

void DrawStagePictures(cSceneGame& scene, DDSURFACEDATA* lpDst, int nLayer, std::int32_t bPaused) {
  scene.DrawPictures(lpDst, nLayer, bPaused);
}
void DrawStageRanges(DDSURFACEDATA* lpDst) { DrawDistanceCondRanges(lpDst); }
void DrawStageEffects(cSceneGame& scene, DDSURFACEDATA* lpDst, std::int32_t bPaused) {
  scene.DrawEffects(lpDst, bPaused);
}
void DrawStageMessages(cSceneGame& scene, DDSURFACEDATA* lpDst, std::int32_t bPaused) {
  scene.DrawMessages(lpDst, bPaused);
}
void RunStageScreenEffect(cSceneGame& scene, std::int32_t bPaused) { scene.RunScrEffect(bPaused); }
