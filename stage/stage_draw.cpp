// One frame of stage play into the back buffer: backgrounds, blocks, the priority layers
// of the player, items, characters and shots, the overlays, the status display and the
// screen colour. Drawing is part of the game's state: block latches are set here,
// animations advance here, defeated characters leave the stage here and the end of the
// player's defeat animation (a lost life) is detected here, so every play frame that
// reaches Draw runs all of it, headless and in replays too.
#include <algorithm>
#include <cstdint>

#include "app/checked_access.h"
#include "app/str_helpers.h"
#include "app/test_play_flag.h"
#include "data/stage/stage_data.h"
#include "data/system/screen_texts.h"
#include "data/system/system_data.h"
#include "media/draw/dd_blit.h"
#include "media/draw/dd_colour.h"
#include "media/draw/dd_display.h"
#include "media/draw/dd_fill.h"
#include "media/draw/font.h"
#include "objects/chara.h"
#include "objects/item.h"
#include "objects/part_graphic.h"
#include "objects/player.h"
#include "objects/shot.h"
#include "objects/trunc.h"
#include "shell/game_init.h"
#include "stage/block_conditions.h"
#include "stage/scene_game.h"
#include "stage/stage_draw_parts.h"
#include "stage/stage_setup.h"
#include "stage/stage_world.h"

namespace {

constexpr int kStageDrawPlainShotSheetRow = 63;
constexpr int kStageDrawMirroredShotSheetRow = 64;
constexpr int kPriorityLayers = 8;
constexpr int kMessageLineY = 456;

// The priority layer an object of Z order z is drawn in. A Z outside the layers still
// belongs to one, so that nothing (a dying player above all, whose defeat is counted
// while it is drawn) drops out of the frame.
int ZLayer(int z) { return std::clamp(z, 0, kPriorityLayers - 1); }

void DrawItems(std::int32_t bPaused) {
  DDBeginSpriteBatch(1);
  DDAddBatchTexture(&g_FixedSurface[kMarkSheetRow]);
  for (cItem& item : g_listItem) {
    if (item.m_bOnScreen == 0 || item.m_bCarried != 0) continue;
    item.UpdateScreenRect();
    DrawItemSprite(item, bPaused);
  }
  DDFlushSpriteBatch();
}

void DrawShots(cSceneGame& scene, std::int32_t bPaused, bool bLayered, int nLayer) {
  DDBeginSpriteBatch(0);
  for (cShot& shot : scene.m_lstShot) {
    if (bLayered && ZLayer(shot.m_EdShot.m_nZ) != nLayer) continue;
    if (!shot.IsOnScreen()) continue;
    shot.UpdateScreenRect();
    shot.Draw(&g_BackBuffer, bPaused != 0);
  }
  DDFlushSpriteBatch();
}

// The hint under the stage of a play started from a stage file, or started by the
// authoring tool.
void DrawMessageLine() {
  int nText = -1;
  if (g_bStartStage != 0) {
    nText = SCREENTEXT_HINT_QUIT;
  } else if (g_bTestPlay != 0) {
    nText = SCREENTEXT_HINT_TO_TITLE;
  }
  if (nText < 0) return;
  const std::string& text = CheckedAt(g_SystemData.m_Texts, nText);
  const int x = 320 - GetStrCharNum(text.c_str()) * 16 / 2;
  g_Font[1].DrawText(&g_BackBuffer, x, kMessageLineY, text.c_str());
}

}  // namespace

void cSceneGame::Draw(std::int32_t bPlayView, std::int32_t bPaused, std::int32_t bTimeSound,
                      std::int32_t bMessageLine) {
  DDSURFACEDATA* dst = &g_BackBuffer;
  if (g_FixedSurface[kStageDrawPlainShotSheetRow].bLost != 0 || g_FixedSurface[kStageDrawMirroredShotSheetRow].bLost != 0) {
    BuildShotSheet();
    g_FixedSurface[kStageDrawPlainShotSheetRow].bLost = 0;
    g_FixedSurface[kStageDrawMirroredShotSheetRow].bLost = 0;
  }
  if (m_ScrEffect.m_nId != 0) DDSetVirtualBackBuffer(1);
  ScrollBackgrounds();
  DrawBackground(dst, 0);
  if (bPlayView == 0 && m_nState == GAMESTATE_PAUSE && g_SystemData.m_bPauseHidesStage != 0) {
    DrawBackground(dst, 1);
    DrawScreenColor(bPaused);
    return;
  }
  DrawStagePictures(*this, dst, 0, bPaused);
  DrawBlocks(dst, 0);

  const bool bLayered = g_StageData.m_bLayeredDraw != 0;
  const int nLayers = bLayered ? kPriorityLayers : 1;
  for (int n = 0; n < nLayers; ++n) {
    if (!g_vPlayer.empty() && (!bLayered || ZLayer(g_vPlayer.front().m_Def.m_nZ) == n)) DrawPlayer(bPaused);
    // Items carry no Z order of their own: they go with the first layer.
    if (n == 0) DrawItems(bPaused);
    for (auto it = g_listChara.begin(); it != g_listChara.end();) {
      if (bLayered && ZLayer(it->m_Def.m_nZ) != n) {
        ++it;
        continue;
      }
      if (DrawChara(*it, bPaused) != 0) {
        it = RemoveChara(it);
        continue;
      }
      ++it;
    }
    DrawShots(*this, bPaused, bLayered, n);
  }

  DrawBlocks(dst, 1);
  DrawBackground(dst, 1);
  DrawStageRanges(dst);
  if (!g_vPlayer.empty()) g_vPlayer.front().DrawSightMask(dst);
  DrawStagePictures(*this, dst, 1, bPaused);
  DrawStageEffects(*this, dst, bPaused);
  DrawStageMessages(*this, dst, bPaused);
  RunStageScreenEffect(*this, bPaused);
  DrawStatus(dst);
  DrawTimeLimit(dst, bTimeSound);
  if (bMessageLine != 0) DrawMessageLine();
  UpdatePaletteAnime();
  DrawScreenColor(bPaused);
}

void cSceneGame::DrawPlayer(std::int32_t bPaused) {
  cPlayer& hero = g_vPlayer.front();
  hero.UpdateScreenRect();
  if (hero.m_bDying != 0) {
    if (DrawCharaDying(hero, bPaused) != 0) OnLostLife();
    return;
  }
  DrawPlayerSprite(hero, bPaused);
  DrawCharaGauges(hero);
}

std::int32_t cSceneGame::DrawChara(cChara& chara, std::int32_t bPaused) {
  if (chara.m_bDying != 0) {
    chara.UpdateScreenRect();
    return DrawCharaDying(chara, bPaused);
  }
  if (chara.m_bOnScreen != 0) {
    chara.UpdateScreenRect();
    if (chara.m_Def.m_bHidden != 0) {
      // Transparent: unseen, but its animation and effect go on, and its gauges show.
      StepCharaUnseen(chara);
      DrawCharaGauges(chara);
      return 0;
    }
    DrawCharaSprite(chara, bPaused);
    DrawCharaGauges(chara);
    chara.DrawCarriedItemIcon(&g_BackBuffer);
    return 0;
  }
  if (chara.m_bAppearNow != 0) {
    chara.UpdateScreenRect();
    StepCharaUnseen(chara);
  }
  return 0;
}

void cSceneGame::ScrollBackgrounds() {
  if (m_nState == GAMESTATE_PAUSE) return;
  std::vector<cStageBack>& backs = g_StageData.m_vBack;
  const std::size_t n = std::min<std::size_t>(backs.size(), kBackgroundRowCount);
  for (std::size_t i = 0; i < n; ++i) {
    cStageBack& back = backs[i];
    const DDSURFACEDATA& surface = g_FixedSurface[kFirstBackgroundRow + static_cast<int>(i)];
    if (back.m_bAutoX != 0) {
      back.m_dPosX -= back.m_dSpeedX;
      if (back.m_dPosX < 0) {
        back.m_dPosX += surface.nWidth;
      } else if (back.m_dPosX >= surface.nWidth) {
        back.m_dPosX -= surface.nWidth;
      }
    }
    if (back.m_bAutoY != 0) {
      back.m_dPosY -= back.m_dSpeedY;
      if (back.m_dPosY < 0) {
        back.m_dPosY += surface.nHeight;
      } else if (back.m_dPosY >= surface.nHeight) {
        back.m_dPosY -= surface.nHeight;
      }
    }
  }
}

void cSceneGame::DrawBackground(DDSURFACEDATA* lpDst, std::int32_t nLayer) {
  const std::vector<cStageBack>& backs = g_StageData.m_vBack;
  // Only the first eight records have a surface row; the rest are never drawn.
  const std::size_t nBacks = std::min<std::size_t>(backs.size(), kBackgroundRowCount);
  if (nLayer == 0) {
    const bool bAnyVisible = std::any_of(backs.begin(), backs.begin() + static_cast<std::ptrdiff_t>(nBacks),
                                         [](const cStageBack& b) { return b.m_bVisible != 0; });
    if (!bAnyVisible) {
      DDFillRect(lpDst, 0, 0, 640, 480, 16);
      return;
    }
  }
  int nDrawn = 0;
  for (std::size_t i = 0; i < nBacks; ++i) {
    const cStageBack& back = backs[i];
    if (back.m_nLayer != nLayer || back.m_bVisible == 0) continue;
    if (back.m_bFill != 0) {
      DDFillRect(lpDst, 0, 0, 640, 480, static_cast<DWORD>(back.m_nFillColour));
      ++nDrawn;
      continue;
    }
    const int nRow = kFirstBackgroundRow + static_cast<int>(i);
    if (!BackgroundSurfaceExists(nRow)) continue;
    // The first picture behind everything is opaque; the others show what lies behind.
    DrawBackgroundTiles(lpDst, back, nRow, m_ScrollX, m_ScrollY, nLayer == 0 && nDrawn == 0);
    ++nDrawn;
  }
  if (nLayer == 0 && nDrawn == 0) DDFillRect(lpDst, 0, 0, 640, 480, 16);
}

void cSceneGame::DrawBlocks(DDSURFACEDATA* lpDst, std::int32_t nLayer) {
  const int x0 = TruncToInt(m_ScrollX.m_dPos);
  const int y0 = TruncToInt(m_ScrollY.m_dPos);
  const int firstColumn = x0 >> 5;
  const int firstRow = y0 >> 5;
  DDBeginSpriteBatch(1);
  DDAddBatchTexture(&g_FixedSurface[kMarkSheetRow]);
  for (int r = 0; r < kBlockViewRows; ++r) {
    const int row = firstRow + r;
    if (row < 0 || row >= m_ScrollY.m_nCells) continue;
    for (int c = 0; c < kBlockViewColumns; ++c) {
      const int column = firstColumn + c;
      if (column < 0 || column >= m_ScrollX.m_nCells) continue;
      const std::int64_t index = column + (static_cast<std::int64_t>(row) << m_ScrollX.m_nShift);
      if (index >= static_cast<std::int64_t>(g_vBlockMap.size())) continue;
      cBlockCell& cell = g_vBlockMap[static_cast<std::size_t>(index)];
      if (cell.m_nGraphic == 0 || cell.m_nLayer != nLayer) continue;
      if (CheckBlockConds(cell) == 0 || cell.m_bHidden != 0) continue;
      DrawPaletteBlock(lpDst, c * 32 - (x0 & 31), r * 32 - (y0 & 31), cell);
    }
  }
  DDFlushSpriteBatch();
}
