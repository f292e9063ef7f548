// The screen-effect handlers: each distorts the finished stage frame by the running
// effect's value and, unless paused, steps the effect. While an effect runs the frame is
// drawn into the virtual back buffer (Direct3D), which the end of the effect copies back.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "media/draw/dd_blit.h"
#include "media/draw/dd_display.h"
#include "media/draw/dd_effect_blit.h"
#include "media/draw/dd_fill.h"
#include "media/draw/dd_pixel_effects.h"
#include "objects/part_graphic.h"
#include "objects/player.h"
#include "objects/trunc.h"
#include "stage/scene_game.h"
#include "stage/screen_effect_table.h"
#include "stage/stage_world.h"

namespace {

constexpr int kW = 640;
constexpr int kH = 480;
constexpr DWORD kFillColour = 16;
constexpr DWORD kScreenEffectsColorKey = 1;
constexpr int kDegreesPerTurn = 360;
constexpr std::int64_t kScreenEffectsMaxSpread = 1 << 16;  // dots: far beyond any screen

DDSURFACEDATA* Frame() { return &g_BackBuffer; }
DDSURFACEDATA* FirstBlank() { return &g_FixedSurface[kBlank640Row]; }
DDSURFACEDATA* SecondBlank() { return &g_FixedSurface[kBlank640Row + 1]; }

// The finished frame into a work surface, the frame then cleared for the distorted copy.
void CopyFrame(DDSURFACEDATA* lpWork, bool bFill) {
  DDBlt(lpWork, 0, 0, kW, kH, Frame(), 0, 0, 0);
  if (bFill) DDFillRect(Frame(), 0, 0, kW, kH, kFillColour);
}

// Player 1's screen centre, the point the circle, zoom and lens effects work around.
void PlayerCentre(int* px, int* py) {
  *px = kW / 2;
  *py = kH / 2;
  if (g_vPlayer.empty()) return;
  const cPlayer& hero = g_vPlayer.front();
  *px = hero.m_rcScreen.left + (hero.m_rcScreen.right - hero.m_rcScreen.left + 1) / 2;
  *py = hero.m_rcScreen.top + (hero.m_rcScreen.bottom - hero.m_rcScreen.top + 1) / 2;
}

// The step most kinds take: from p1 to p2 by the prepared step.
std::int32_t StepByValue(cScrEffect& fx, std::int32_t bPaused) {
  if (bPaused != 0) return 0;
  return fx.Step(fx.Param(1), fx.Param(2), fx.m_dStep);
}

// The kinds that run by time: from 0 to p0 in sixths of a tenth.
std::int32_t StepByTime(cScrEffect& fx, std::int32_t bPaused) {
  if (bPaused != 0) return 0;
  return fx.Step(0, fx.Param(0), fx.m_dStep);
}

// Draws the work surface back with the alpha operation the distorted copies need.
template <class Blit>
void DrawBack(Blit blit) {
  DDSetAlphaOp(1);
  blit();
  DDResetAlphaOp();
}

std::int32_t RunNone(cSceneGame&, std::int32_t) {
  if (lpDTCon != nullptr && lpDTCon->bVirtual) DDSetVirtualBackBuffer(0);
  return 0;
}

std::int32_t RunMove(cSceneGame& scene, std::int32_t bPaused) {
  cScrEffect& fx = scene.m_ScrEffect;
  CopyFrame(FirstBlank(), true);
  DrawBack([&] { DDBlt(Frame(), fx.m_nWork1, fx.m_nWork2, kW, kH, FirstBlank(), 0, 0, 0); });
  if (bPaused != 0) return 0;
  const double p0 = fx.Param(0);
  if (fx.m_bDegenerate == 0) {
    // In doubles: the differences of data values near the int limits would overflow int.
    fx.m_nWork1 = TruncToInt((static_cast<double>(fx.Param(3)) - fx.Param(1)) / p0 * fx.m_dValue + fx.Param(1));
    fx.m_nWork2 = TruncToInt((static_cast<double>(fx.Param(4)) - fx.Param(2)) / p0 * fx.m_dValue + fx.Param(2));
  }
  return StepByTime(fx, bPaused);
}

// The shake offset moves toward +p1 (direction 0) or -p1 (direction 1) and turns at the
// bound; p2 full swings take p0 tenths.
void MoveShake(cScrEffect& fx) {
  if (fx.m_bDegenerate != 0) return;
  const double amplitude = fx.Param(1);
  const double speed = 4.0 * fx.Param(1) * fx.Param(2) / (fx.Param(0) * 6.0);
  if (fx.m_nWork1 == 0) {
    fx.m_dShake += speed;
    if (fx.m_dShake >= amplitude) {
      fx.m_dShake = amplitude;
      fx.m_nWork1 = 1;
    }
  } else {
    fx.m_dShake -= speed;
    if (fx.m_dShake <= -amplitude) {
      fx.m_dShake = -amplitude;
      fx.m_nWork1 = 0;
    }
  }
}

std::int32_t RunShakeX(cScrEffect& fx, std::int32_t bPaused) {
  const double o = fx.m_dShake;
  DDBlt(FirstBlank(), 0, 0, kW, kH, Frame(), 0, 0, 0);
  if (o > 0) {
    DDFillRect(Frame(), 0, 0, TruncToInt(o + 1), kH, kFillColour);
  } else if (o < 0) {
    DDFillRect(Frame(), TruncToInt(kW + o), 0, TruncToInt(1 - o), kH, kFillColour);
  }
  DrawBack([&] { DDBlt(Frame(), TruncToInt(o), 0, kW, kH, FirstBlank(), 0, 0, 0); });
  if (bPaused != 0) return 0;
  MoveShake(fx);
  return StepByTime(fx, bPaused);
}

std::int32_t RunShakeXKind(cSceneGame& scene, std::int32_t bPaused) { return RunShakeX(scene.m_ScrEffect, bPaused); }

std::int32_t RunShakeY(cSceneGame& scene, std::int32_t bPaused) {
  cScrEffect& fx = scene.m_ScrEffect;
  const double o = fx.m_dShake;
  CopyFrame(FirstBlank(), true);
  DrawBack([&] { DDBlt(Frame(), 0, TruncToInt(o), kW, kH, FirstBlank(), 0, 0, 0); });
  if (bPaused != 0) return 0;
  MoveShake(fx);
  return StepByTime(fx, bPaused);
}

// Bands of the split effects: the screen side divided by p3, rounded up; none (a plain
// copy) for a count that would divide by zero.
int SplitBand(int side, std::int32_t count) {
  return count > 0 ? static_cast<int>((std::int64_t{side} + count - 1) / count) : 0;
}

std::int32_t RunSplit(cSceneGame& scene, std::int32_t bPaused, bool bColumns) {
  cScrEffect& fx = scene.m_ScrEffect;
  const int band = SplitBand(bColumns ? kW : kH, fx.Param(3));
  CopyFrame(FirstBlank(), true);
  DrawBack([&] {
    DDInterlaceBlt(Frame(), 0, 0, kW, kH, band, TruncToInt(fx.m_dValue), FirstBlank(), 0, 0, 0, bColumns ? 1 : 0);
  });
  return StepByValue(fx, bPaused);
}

std::int32_t RunSplitX(cSceneGame& scene, std::int32_t bPaused) { return RunSplit(scene, bPaused, false); }
std::int32_t RunSplitY(cSceneGame& scene, std::int32_t bPaused) { return RunSplit(scene, bPaused, true); }

std::int32_t RunWave(cSceneGame& scene, std::int32_t bPaused, bool bColumns) {
  cScrEffect& fx = scene.m_ScrEffect;
  // A band thickness below 1 draws the frame plainly.
  const int band = fx.Param(4) > 0 ? fx.Param(4) : 0;
  CopyFrame(FirstBlank(), true);
  DrawBack([&] {
    if (band == 0) {
      DDBlt(Frame(), 0, 0, kW, kH, FirstBlank(), 0, 0, 0);
    } else {
      DDWaveBlt(Frame(), 0, 0, kW, kH, fx.Param(3), fx.m_dValue, fx.m_nWork1, band, FirstBlank(), 0, 0, 0,
                bColumns ? 1 : 0);
    }
  });
  if (bPaused != 0) return 0;
  if (++fx.m_nWork1 >= kDegreesPerTurn) fx.m_nWork1 = 0;
  return StepByValue(fx, bPaused);
}

std::int32_t RunWaveX(cSceneGame& scene, std::int32_t bPaused) { return RunWave(scene, bPaused, false); }
std::int32_t RunWaveY(cSceneGame& scene, std::int32_t bPaused) { return RunWave(scene, bPaused, true); }

std::int32_t RunBlink(cSceneGame& scene, std::int32_t bPaused) {
  cScrEffect& fx = scene.m_ScrEffect;
  if (fx.m_nWork1 >= fx.Param(1)) {
    fx.m_nWork1 = 0;
    fx.m_nWork2 = fx.m_nWork2 != 0 ? 0 : 1;
  }
  if (fx.m_nWork2 == 0) {
    scene.DrawBackground(Frame(), 0);
    scene.DrawBackground(Frame(), 1);
  }
  if (bPaused != 0) return 0;
  ++fx.m_nWork1;
  return StepByTime(fx, bPaused);
}

std::int32_t RunRotate(cSceneGame& scene, std::int32_t bPaused) {
  cScrEffect& fx = scene.m_ScrEffect;
  CopyFrame(SecondBlank(), true);
  DrawBack([&] {
    DDRotateBlt(Frame(), kW / 2, kH / 2, kW, kH, kW / 2, kH / 2, TruncToInt(fx.m_dValue), SecondBlank(), 0, 0, 0);
  });
  return StepByValue(fx, bPaused);
}

std::int32_t RunCircle(cSceneGame& scene, std::int32_t bPaused) {
  cScrEffect& fx = scene.m_ScrEffect;
  int px = 0;
  int py = 0;
  PlayerCentre(&px, &py);
  const int reachX = px >= kW / 2 ? px : kW - px;
  const int reachY = py >= kH / 2 ? py : kH - py;
  CopyFrame(FirstBlank(), true);
  if (fx.Param(3) > 0) {
    DrawBack([&] {
      DDCircleBlt(Frame(), px, py, reachX, reachY, TruncToInt(fx.m_dValue), fx.Param(3), FirstBlank(), px, py, 0);
    });
  }
  return StepByValue(fx, bPaused);
}

std::int32_t RunZoom(cSceneGame& scene, std::int32_t bPaused) {
  cScrEffect& fx = scene.m_ScrEffect;
  DDSURFACEDATA* work = g_pCharaWorkA != nullptr ? g_pCharaWorkA : FirstBlank();
  const double a = fx.m_dValue * 0.0015625;
  int px = 0;
  int py = 0;
  PlayerCentre(&px, &py);
  DDBlt(work, 0, 0, kW, kH, Frame(), 0, 0, 0);
  if (a >= 1) {
    const double width = kW / a;
    const double height = kH / a;
    int x0 = TruncToInt(px - width * 0.5);
    int y0 = TruncToInt(py - height * 0.5);
    if (x0 + TruncToInt(width) > kW - 1) x0 = TruncToInt(kW - width);
    if (x0 < 0) x0 = 0;
    if (y0 + TruncToInt(height) > kH - 1) y0 = TruncToInt(kH - height);
    if (y0 < 0) y0 = 0;
    DrawBack([&] {
      DDStretchBlt(Frame(), 0, 0, kW, kH, work, x0, y0, TruncToInt(width), TruncToInt(height), kScreenEffectsColorKey);
    });
  } else {
    DDFillRect(Frame(), 0, 0, kW, kH, kFillColour);
    // Nothing is left to show of a picture shrunk to nothing (or below).
    if (a > 0) {
      DrawBack([&] {
        DDStretchBlt(Frame(), TruncToInt((kW - kW * a) * 0.5), TruncToInt((kH - kH * a) * 0.5), TruncToInt(kW * a),
                     TruncToInt(kH * a), work, 0, 0, kW, kH, kScreenEffectsColorKey);
      });
    }
  }
  return StepByValue(fx, bPaused);
}

std::int32_t RunLens(cSceneGame& scene, std::int32_t bPaused) {
  cScrEffect& fx = scene.m_ScrEffect;
  int px = 0;
  int py = 0;
  PlayerCentre(&px, &py);
  // An offset from data beyond the spread puts the lens off every screen: held there, so
  // that the centre, the radius and the cleared square stay within int.
  const int e = static_cast<int>(std::clamp<std::int64_t>(std::int64_t{px} + fx.Param(3), -kScreenEffectsMaxSpread, kScreenEffectsMaxSpread));
  const int c = static_cast<int>(std::clamp<std::int64_t>(std::int64_t{py} + fx.Param(4), -kScreenEffectsMaxSpread, kScreenEffectsMaxSpread));
  const int f = e >= kW / 2 ? e : kW - e;
  const int g = c >= kH / 2 ? c : kH - c;
  const int h = TruncToInt(std::sqrt(2.0) * (f > g ? f : g));
  const int side = g_nBpp == 16 ? 4 * h : 2 * h;
  DDFillRect(SecondBlank(), 0, 0, side, side, 0);
  CopyFrame(SecondBlank(), true);
  DrawBack([&] { DDRadialBlt(Frame(), e, c, h, TruncToInt(fx.m_dValue), SecondBlank(), e, c, 0, 0); });
  return StepByValue(fx, bPaused);
}

std::int32_t RunMosaic(cSceneGame& scene, std::int32_t bPaused) {
  cScrEffect& fx = scene.m_ScrEffect;
  const int block = TruncToInt(fx.m_dValue);
  CopyFrame(SecondBlank(), false);
  DrawBack([&] { DDMosaic(Frame(), 0, 0, kW, kH, block > 1 ? block : 1, SecondBlank(), 0, 0, 0); });
  return StepByValue(fx, bPaused);
}

}  // namespace

const ScrEffectHandler g_ScrEffectDrawTable[SCREFFECT_KIND_COUNT] = {
    RunNone,  RunMove,  RunShakeXKind, RunShakeY, RunSplitX, RunSplitY, RunWaveX,
    RunWaveY, RunBlink, RunRotate,     RunCircle, RunZoom,   RunLens,   RunMosaic,
};

void cSceneGame::RunScrEffect(std::int32_t bPaused) {
  if (m_ScrEffect.m_nId == 0) return;
  const std::int32_t kind = m_ScrEffect.m_nKind;
  // A kind outside the table (a damaged entry) ends at once.
  const bool bKnown = kind >= 0 && kind < SCREFFECT_KIND_COUNT;
  if (bKnown && g_ScrEffectDrawTable[kind](*this, bPaused) == 0) return;
  m_ScrEffect.m_nId = 0;
  DDSetVirtualBackBuffer(0);
}
