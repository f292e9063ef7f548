// The range display: see distance_ranges.h.
#include "objects/distance_ranges.h"

#include <algorithm>
#include <cstdint>
#include <list>
#include <vector>

#include "app/test_play_flag.h"
#include "data/flow/condition.h"
#include "data/flow/flow.h"
#include "data/flow/flow_enumerations.h"
#include "data/system/system_data.h"
#include "media/draw/dd_blit.h"
#include "media/draw/dd_display.h"
#include "media/draw/dd_fill.h"
#include "objects/chara_base.h"
#include "objects/part_graphic.h"
#include "stage/scene_game.h"

namespace {

constexpr std::int32_t kBlinkPeriod = 32;
constexpr std::int32_t kFirstRangeColour = 208;  // eight groups of four entries, 208-239
constexpr std::int32_t kDirectDrawCircleLimit = 64;
constexpr int kCircleWork = 129;  // 2 x 64 + 1

std::int32_t g_nRangeBlink = 0;  // 0..31, one step a frame

bool PaletteCycles() { return g_nBpp == 8 && g_SystemData.m_bPaletteAnime != 0; }

// The range the condition tests, in dots, held to int as the condition itself does.
std::int32_t RangeDots(const cCond& cond) {
  const std::int64_t range = static_cast<std::int64_t>(cond.m_nValue) * 16 + cond.m_nRightVarIndex;
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(range, INT32_MIN, INT32_MAX));
}

// Under DirectDraw a circle beyond 64 dots is drawn at 64 into the effects' work surface
// (the range display comes after every character) and stretched to its size.
void DrawRangeCircle(DDSURFACEDATA* pDst, std::int32_t cx, std::int32_t cy, std::int32_t r, DWORD colour) {
  if (lpDDCon == nullptr || r <= kDirectDrawCircleLimit) {
    DDDrawCircle(pDst, cx, cy, r, colour);
    return;
  }
  DDSURFACEDATA* work = CharaWorkA();
  DDFillRect(work, 0, 0, kCircleWork, kCircleWork, 0);
  DDDrawCircle(work, kDirectDrawCircleLimit, kDirectDrawCircleLimit, kDirectDrawCircleLimit, colour);
  const std::int64_t side = 2 * static_cast<std::int64_t>(r);
  if (side > INT32_MAX / 4) return;  // a damaged range: nothing of it would be on screen anyway
  DDStretchBlt(pDst, cx - r, cy - r, static_cast<int>(side), static_cast<int>(side), work, 0, 0, kCircleWork,
               kCircleWork, 1);
}

template <typename Visit>
void ForEachShownChara(cSceneGame& scene, Visit visit) {
  for (std::list<cGameObj*>& group : scene.m_vGroupList) {
    for (cGameObj* obj : group) {
      auto* chara = static_cast<cCharaBase*>(obj);
      if (chara == nullptr || chara->m_bDying != 0 || chara->m_bOnScreen == 0) continue;
      visit(*chara);
    }
  }
}

}  // namespace

void DrawDistanceCondRange(DDSURFACEDATA* pDst, cCharaBase& chara, const cCond& cond, std::int32_t nCounter) {
  if (pDst == nullptr) return;
  if (cond.m_nLeftSrc == 0) return;                             // "表示しない"
  if (cond.m_nLeftSrc == 2 && g_bTestPlay == 0) return;         // "テストプレイ時のみ表示"
  if (cond.m_nLeftSrc != 1 && cond.m_nLeftSrc != 2) return;
  if (chara.m_bActive == 0) {
    if (cond.m_nRightSrc == 0) return;
    chara.UpdateScreenRect();
  }
  if ((chara.m_bDrawTransparent != 0 || chara.m_Def.m_bHidden != 0) && cond.m_nRightSubject == 0) return;
  const std::int32_t r = RangeDots(cond);
  const std::int32_t choice = std::clamp<std::int32_t>(cond.m_nSelect, 0, 7);
  const auto colour = static_cast<DWORD>(kFirstRangeColour + 4 * choice + (PaletteCycles() ? 0 : nCounter >> 3));
  const cIntRect& rc = chara.m_rcScreen;
  const bool left = chara.m_nFacing == 0;
  std::int32_t low = 0;
  std::int32_t high = 0;
  std::int32_t whole = 0;
  switch (cond.m_nShape) {
    case 0: case 3: low = r; high = r; whole = 1; break;
    case 1: case 4: low = left ? r : 0; high = left ? 0 : r; break;
    case 2: case 5: low = left ? 0 : r; high = left ? r : 0; break;
    case 6: {
      const std::int32_t cx = rc.left + ((rc.right - rc.left + 1) >> 1);
      const std::int32_t cy = rc.top + ((rc.bottom - rc.top + 1) >> 1);
      DrawRangeCircle(pDst, cx, cy, r, colour);
      return;
    }
    default:
      return;
  }
  std::int32_t a = 0;
  std::int32_t b = 0;
  if (cond.m_nShape <= 2) {
    CalcRangeOnAxis(rc.left, rc.right - rc.left + 1, low, high, whole, &a, &b);
    DDFillRect(pDst, a, 0, 1, 480, colour);
    DDFillRect(pDst, b, 0, 1, 480, colour);
  } else {
    CalcRangeOnAxis(rc.top, rc.bottom - rc.top + 1, low, high, whole, &a, &b);
    DDFillRect(pDst, 0, a, 640, 1, colour);
    DDFillRect(pDst, 0, b, 640, 1, colour);
  }
}

std::int32_t RangeBlinkCounter() { return g_nRangeBlink; }

void DrawDistanceCondRanges(DDSURFACEDATA* pDst) {
  if (!PaletteCycles()) g_nRangeBlink = (g_nRangeBlink + 1) % kBlinkPeriod;
  cSceneGame* scene = GameScene();
  if (scene == nullptr) return;
  const std::int32_t counter = g_nRangeBlink;
  DDBeginRectBatch();
  ForEachShownChara(*scene, [&](cCharaBase& chara) {
    if (chara.m_Def.m_bCondLatch != 0 && chara.m_bCondLatched != 0) return;
    for (const cCond& cond : chara.m_Def.m_vCond) {
      if (cond.m_nKind == COND_DISTANCE) DrawDistanceCondRange(pDst, chara, cond, counter);
    }
  });
  DDFlushRectBatch();
  DDBeginRectBatch();
  ForEachShownChara(*scene, [&](cCharaBase& chara) {
    for (const cFlow& flow : chara.m_Def.m_vFlow) {
      if (flow.m_bCondLatch != 0 && chara.m_bCondLatched != 0) continue;
      for (const cCond& cond : flow.m_vCond) {
        if (cond.m_nKind == COND_DISTANCE) DrawDistanceCondRange(pDst, chara, cond, counter);
      }
    }
  });
  DDFlushRectBatch();
}
