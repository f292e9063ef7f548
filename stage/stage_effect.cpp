// Animated effects of stage play: see stage_effect.h.
#include "stage/stage_effect.h"

#include <cstddef>
#include <cstdint>

#include "app/checked_access.h"
#include "app/random.h"
#include "app/system_ini.h"
#include "data/database/database.h"
#include "data/database/frame_tables.h"
#include "media/draw/dd_blit.h"
#include "media/draw/dd_display.h"
#include "objects/game_obj.h"
#include "objects/trunc.h"
#include "stage/scene_game.h"

namespace {

constexpr DWORD kStageEffectColorKey = 1;
constexpr int kJitter = 4;  // dots either way, times the scale

// The effect's pictures in the scene: two per entry from entry 1 (video memory, system
// memory). Null for entry 0 and entries without pictures.
DDSURFACEDATA* EffectSurface(cSceneGame& scene, std::int32_t nId, bool bSystemMemory) {
  if (nId < 1) return nullptr;
  const std::size_t index = static_cast<std::size_t>(nId - 1) * 2 + (bSystemMemory ? 1 : 0);
  if (index >= scene.m_vEffectSurface.size()) return nullptr;
  return &scene.m_vEffectSurface[index];
}

}  // namespace

const cEffectData& EffectEntry(std::int32_t nId) { return CheckedAt(g_Database.m_Effect, nId); }

cEffect::cEffect(std::int16_t nId, double x, double y, std::int32_t w, std::int32_t h,
                 std::int32_t bAnimateWhilePaused)
    : m_nId(nId), m_dX(x), m_dY(y), m_nWidth(w), m_nHeight(h), m_bAnimateWhilePaused(bAnimateWhilePaused) {
  m_bScaled = EffectEntry(nId).m_nWidth != w ? 1 : 0;
  Start(nId);
}

cEffect::cEffect(std::int16_t nId, const cDoubleRect& attacker, const cDoubleRect& target, std::int32_t nScale)
    : m_nId(nId) {
  const cEffectData& entry = EffectEntry(nId);
  std::int32_t k = 1;
  m_nWidth = entry.m_nWidth;
  m_nHeight = entry.m_nHeight;
  if (entry.m_bCharaScale != 0) {
    k = nScale;
    if (nScale > 1) {
      m_nWidth = static_cast<std::int32_t>(static_cast<std::int64_t>(nScale) * entry.m_nWidth);
      m_nHeight = static_cast<std::int32_t>(static_cast<std::int64_t>(nScale) * entry.m_nHeight);
      m_bScaled = 1;
    }
  }
  double left = attacker.left > target.left ? attacker.left : target.left;
  double top = attacker.top > target.top ? attacker.top : target.top;
  double right = attacker.right < target.right ? attacker.right : target.right;
  double bottom = attacker.bottom < target.bottom ? attacker.bottom : target.bottom;
  if (left > right || top > bottom) left = top = right = bottom = 0;
  m_dX = left + (TruncToInt(right - left + 1) >> 1) - (m_nWidth >> 1);
  m_dY = top + (TruncToInt(bottom - top + 1) >> 1) - (m_nHeight >> 1);
  m_dX += GetRand(-kJitter * k, kJitter * k);
  m_dY += GetRand(-kJitter * k, kJitter * k);
  m_bAnimateWhilePaused = 0;
  Start(nId);
}

void cEffect::Start(std::int16_t nId) {
  const FRAMELIST& frames = CheckedAt(g_EffectTables, nId);
  const std::int32_t* table[2] = {frames.empty() ? nullptr : frames.data(), nullptr};
  m_Anime.SetTable(table);
  m_Anime.Set(0, 1);
}

std::int32_t cEffect::Draw(DDSURFACEDATA* lpDst, std::int32_t bPaused) {
  cSceneGame* scene = GameScene();
  if (scene == nullptr) return 1;
  if (EffectEntry(m_nId).m_vFrame.empty()) return 1;
  // An entry without pictures (entry 0, which an id outside the list falls back to)
  // would loop for ever unseen.
  DDSURFACEDATA* video = EffectSurface(*scene, m_nId, false);
  if (video == nullptr) return 1;
  std::int32_t p = 0;
  if (bPaused == 0 || m_bAnimateWhilePaused != 0) {
    p = m_Anime.Update();
    if (p == FRAME_END_FINISHED) return 1;
  } else {
    p = m_Anime.GetPattern();
  }
  if (p < 0) return 0;
  // A pattern from data far along the strip lies past any picture.
  const std::int64_t srcX = std::int64_t{p} * (m_bScaled != 0 ? EffectEntry(m_nId).m_nWidth : m_nWidth);
  if (srcX > INT32_MAX) return 0;
  const std::int32_t sx = TruncToInt(m_dX - scene->m_ScrollX.m_dPos);
  const std::int32_t sy = TruncToInt(m_dY - scene->m_ScrollY.m_dPos);
  const cEffectData& entry = EffectEntry(m_nId);
  if (m_bScaled != 0) {
    const bool bFromVideo = lpDDCon != nullptr && g_SystemIni.m_nDDVideoStretch != 0;
    DDSURFACEDATA* src = bFromVideo ? video : EffectSurface(*scene, m_nId, true);
    if (src == nullptr) src = video;
    DDStretchBlt(lpDst, sx, sy, m_nWidth, m_nHeight, src, static_cast<int>(srcX), 0, entry.m_nWidth, entry.m_nHeight,
                 kStageEffectColorKey);
  } else {
    DDBlt(lpDst, sx, sy, m_nWidth, m_nHeight, video, static_cast<int>(srcX), 0, kStageEffectColorKey);
  }
  return 0;
}
