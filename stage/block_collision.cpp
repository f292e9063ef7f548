// Characters against the block grid: the probes along a box edge, the contacts of each
// edge, the order of the edges per axis, the player's screen-edge clamps, the special
// blocks under the player's feet, the ground stick and the place-blocked test.
//
// Every grid read goes through block_grid.h: a character 320 dots or taller leaves the
// grid above or below, and its probes then read empty cells. Probe points are computed in
// 64 bits, since positions from game data may be anywhere in the int32 range.
#include <cstdint>
#include <cstdlib>
#include <limits>

#include "app/checked_access.h"
#include "data/flow/flow_enumerations.h"
#include "data/palette/palette_item.h"
#include "data/stage/stage_data.h"
#include "data/system/system_data.h"
#include "objects/chara_base.h"
#include "objects/item.h"
#include "objects/player.h"
#include "objects/trunc.h"
#include "shell/game_requests.h"
#include "stage/block_cell.h"
#include "stage/block_grid.h"
#include "stage/scene_game.h"
#include "stage/stage_world.h"

namespace {

// Special kinds of the block under the player's feet.
enum BLOCKFX : std::int8_t {
  BLOCKFX_NONE = 0,
  BLOCKFX_JUMP = 1,
  BLOCKFX_NO_JUMP = 2,
  BLOCKFX_SPEED = 3,
  BLOCKFX_MOVE_LEFT = 4,
  BLOCKFX_MOVE_RIGHT = 5,
};

constexpr std::int8_t kHeroDies = 2;  // the solidity that kills a hero and holds a computer character
constexpr int kNoCell = -1;           // a probe point outside the grid
constexpr int kComputer = 1;          // m_nKind of a computer character
constexpr int kJumpPadSound = 10;
constexpr int kScreenW = 640;
constexpr int kScreenH = 480;
// The item-block rest, in frames.
constexpr std::int32_t kItemRestFrames = 60;

// The flying modes, as the object keeps them (gravity off, block hit 0 / 1 / 2).
bool BlockCollisionPassesBlocks(const cGameObj& o) { return o.m_nBlockHit == 0; }
bool DiesOnBlock(const cGameObj& o) { return o.m_nBlockHit == 2; }
bool FlyingHitsBlocks(const cGameObj& o) { return o.m_bNoGravity != 0 && o.m_nBlockHit == 1; }
bool Walking(const cGameObj& o) { return o.m_bNoGravity == 0; }

// The grid index of the cell holding dot (x, y); kNoCell outside the grid.
int CellIndexAt(std::int64_t x, std::int64_t y) {
  const std::int64_t column = x >> 5;
  const std::int64_t row = y >> 5;
  constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
  constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
  if (column < kMin || column > kMax || row < kMin || row > kMax) return kNoCell;
  const cBlockCell* cell = BlockCellAt(static_cast<std::int32_t>(column), static_cast<std::int32_t>(row));
  return cell != nullptr ? static_cast<int>(cell - g_vBlockMap.data()) : kNoCell;
}

cBlockCell* CellOf(int index) { return index == kNoCell ? nullptr : BlockCellAtIndex(index); }

// The solidity of a cell for a character of side `side`; 0 outside the grid.
std::int8_t HitOf(int index, std::int32_t side) {
  cBlockCell* cell = CellOf(index);
  return cell != nullptr ? cell->GetHit(static_cast<std::int8_t>(side)) : 0;
}

// Chooses along a horizontal row: a greater solidity, or an equal one nearer `mid`.
struct cRowChoice {
  int nIndex = 0;
  std::int8_t nBest = -1;
  std::int64_t nDistance = 0;
  void Offer(int index, std::int8_t hit, std::int64_t x, std::int64_t mid) {
    const std::int64_t distance = std::llabs(x - mid);
    if (hit > nBest || (hit == nBest && distance < nDistance)) {
      nIndex = index;
      nBest = hit;
      nDistance = distance;
    }
  }
};

std::int32_t Trunc(double d) { return TruncToInt(d); }

// a + b, held to the int32 range (positions from game data may lie at its ends).
std::int32_t BlockCollisionAddClamped(std::int32_t a, std::int32_t b) {
  const std::int64_t sum = static_cast<std::int64_t>(a) + b;
  if (sum > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
  if (sum < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(sum);
}

// Sub-steps per frame of the running stage.
std::int32_t SubSteps() { return g_StageData.m_nSubSteps; }

}  // namespace

int cSceneGame::ProbeBlocks(cCharaBase& chara, int x1, int y1, int x2, int y2) {
  const std::int64_t points = static_cast<std::int64_t>(chara.m_Def.m_nSize) + 1;
  if (points <= 0) return 0;
  const std::int32_t side = chara.m_nLayer;
  if (x1 == x2) {
    const std::int64_t step = static_cast<std::int64_t>(chara.m_nBaseBoxH) - 1;
    int best = 0;
    std::int8_t bestHit = -1;
    for (std::int64_t i = 0; i < points; ++i) {
      const int index = CellIndexAt(x1, y1 + i * step);
      const std::int8_t hit = HitOf(index, side);
      // Strictly greater: the first of equal values stays.
      if (hit > bestHit) {
        best = index;
        bestHit = hit;
      }
    }
    return best;
  }
  if (y1 == y2) {
    const std::int64_t step = static_cast<std::int64_t>(chara.m_nBaseBoxW) - 1;
    const std::int64_t mid = (static_cast<std::int64_t>(x1) + x2) >> 1;
    cRowChoice choice;
    for (std::int64_t i = 0; i < points; ++i) {
      const std::int64_t x = x1 + i * step;
      const int index = CellIndexAt(x, y1);
      choice.Offer(index, HitOf(index, side), x, mid);
    }
    return choice.nIndex;
  }
  return 0;
}

int cSceneGame::ProbeBlocksNearest(cCharaBase& chara) {
  const std::int32_t g = chara.m_Def.m_nSize;
  // Always odd, so that one point lies on the centre.
  const std::int64_t points = (g & 1) != 0 ? static_cast<std::int64_t>(g) + 2 : static_cast<std::int64_t>(g) + 1;
  const std::int64_t left = Trunc(chara.m_dX);
  const std::int64_t right = Trunc(chara.m_dRight);
  const std::int64_t y = Trunc(chara.m_dBottom);
  const std::int64_t mid = (left + right) >> 1;
  cRowChoice choice;
  // A size below 1 (never stored, but a status command could set it) has no spacing to
  // divide by: its left point alone is probed.
  if (points < 2) {
    const int index = CellIndexAt(left, y);
    choice.Offer(index, HitOf(index, chara.m_nLayer), left, mid);
    return choice.nIndex;
  }
  const std::int64_t step = chara.m_nBoxW / (points - 1);
  for (std::int64_t i = 0; i < points; ++i) {
    const std::int64_t x = i == points - 1 ? right : left + i * step;
    const int index = CellIndexAt(x, y);
    choice.Offer(index, HitOf(index, chara.m_nLayer), x, mid);
  }
  return choice.nIndex;
}

int cSceneGame::ProbeCorners(int left, int top, int right, int bottom, int layer) {
  const std::int32_t corners[4][2] = {{left, top}, {right, top}, {left, bottom}, {right, bottom}};
  int best = kNoCell;
  std::int8_t bestHit = -1;
  for (const auto& corner : corners) {
    const cBlockCell* cell = BlockCellAt(corner[0], corner[1]);
    const int index = cell != nullptr ? static_cast<int>(cell - g_vBlockMap.data()) : kNoCell;
    const std::int8_t hit = HitOf(index, layer);
    if (hit > bestHit) {
      best = index;
      bestHit = hit;
    }
  }
  return best;
}

// ---------------------------------------------------------------- the edges

std::int32_t cSceneGame::HitBlockLeft(cCharaBase& chara) {
  if (BlockCollisionPassesBlocks(chara)) return STEP_CONTINUE;
  const int x = Trunc(chara.m_dX);
  const std::int8_t hit = HitOf(ProbeBlocks(chara, x, Trunc(chara.m_dY), x, Trunc(chara.m_dBottom)), chara.m_nLayer);
  if (hit == 0) return STEP_CONTINUE;
  if (hit == kHeroDies && chara.m_nKind != kComputer) return STEP_DEFEAT;
  if (DiesOnBlock(chara)) return STEP_DEFEAT;
  chara.m_bHitLeft = 1;
  chara.m_dCmdVx = 0;
  chara.m_dX += static_cast<double>(32 - (Trunc(chara.m_dX) & 31));
  chara.ConstrainX();
  chara.m_nWallSide = 0;
  chara.FireTrigger(FLOWTRIG_HIT_BLOCK);
  chara.FireTrigger(FLOWTRIG_BLOCK_LEFT_RIGHT);
  chara.FireTrigger(FLOWTRIG_BLOCK_LEFT);
  return STEP_CONTINUE;
}

std::int32_t cSceneGame::HitBlockRight(cCharaBase& chara) {
  if (BlockCollisionPassesBlocks(chara)) return STEP_CONTINUE;
  const int x = Trunc(chara.m_dRight);
  const std::int8_t hit = HitOf(ProbeBlocks(chara, x, Trunc(chara.m_dY), x, Trunc(chara.m_dBottom)), chara.m_nLayer);
  if (hit == 0) return STEP_CONTINUE;
  if (hit == kHeroDies && chara.m_nKind != kComputer) return STEP_DEFEAT;
  if (DiesOnBlock(chara)) return STEP_DEFEAT;
  chara.m_bHitRight = 1;
  chara.m_dCmdVx = 0;
  chara.m_dX -= static_cast<double>((Trunc(chara.m_dRight) & 31) + 1);
  chara.ConstrainX();
  chara.m_nWallSide = 1;
  chara.FireTrigger(FLOWTRIG_HIT_BLOCK);
  chara.FireTrigger(FLOWTRIG_BLOCK_LEFT_RIGHT);
  chara.FireTrigger(FLOWTRIG_BLOCK_RIGHT);
  return STEP_CONTINUE;
}

std::int32_t cSceneGame::HitBlockUp(cCharaBase& chara) {
  if (BlockCollisionPassesBlocks(chara)) return STEP_CONTINUE;
  const int y = Trunc(chara.m_dY);
  const std::int8_t hit = HitOf(ProbeBlocks(chara, Trunc(chara.m_dX), y, Trunc(chara.m_dRight), y), chara.m_nLayer);
  if (hit == 0) return STEP_CONTINUE;
  if (hit == kHeroDies && chara.m_nKind != kComputer) return STEP_DEFEAT;
  if (DiesOnBlock(chara)) return STEP_DEFEAT;
  chara.HitBlockAbove();
  return STEP_CONTINUE;
}

namespace {

enum class eLanding { Landed, RisingThrough, Dies };

// The landing on a solid cell below (solidity `hit` != 0), shared by HitBlockDown and
// HitBlockYAfterPush; m_pFootCell holds the probed cell.
eLanding LandOnSolid(cSceneGame& scene, cCharaBase& chara, std::int8_t hit) {
  if (hit == kHeroDies) {
    chara.m_pLastFootCell = chara.m_pFootCell;
    if (chara.m_nKind != kComputer) return eLanding::Dies;
  }
  if (DiesOnBlock(chara)) return eLanding::Dies;
  if (Walking(chara) && chara.m_dVy < 0 && g_SystemData.m_bRuleLanding677 == 0) return eLanding::RisingThrough;
  if (chara.m_nKind != kComputer) chara.m_pFootCell = CellOf(scene.ProbeBlocksNearest(chara));
  chara.m_pLastFootCell = chara.m_pFootCell;
  chara.LandOnBlock();
  return eLanding::Landed;
}

}  // namespace

std::int32_t cSceneGame::HitBlockDown(cCharaBase& chara) {
  if (BlockCollisionPassesBlocks(chara)) return STEP_CONTINUE;
  const int y = Trunc(chara.m_dBottom);
  const int index = ProbeBlocks(chara, Trunc(chara.m_dX), y, Trunc(chara.m_dRight), y);
  chara.m_pFootCell = CellOf(index);
  const std::int8_t hit = HitOf(index, chara.m_nLayer);
  if (hit == 0) {
    chara.m_pFootCell = nullptr;
    if (chara.m_nAirSteps < std::numeric_limits<std::int32_t>::max()) ++chara.m_nAirSteps;
    // Eight frames off the ground make the character airborne.
    if (chara.m_nAirSteps == g_StageData.m_nSubSteps8) {
      if (chara.m_nKind == kComputer) {
        chara.m_bAirborne = 1;
      } else if (chara.m_bRiding == 0 && !g_vPlayer.empty()) {
        cPlayer& first = g_vPlayer.front();
        first.m_bJumpReady = 1;
        first.m_bAirborne = 1;
      }
    }
    return STEP_CONTINUE;
  }
  return LandOnSolid(*this, chara, hit) == eLanding::Dies ? STEP_DEFEAT : STEP_CONTINUE;
}

// ---------------------------------------------------------------- the axes

std::int32_t cSceneGame::HitBlockX(cCharaBase& chara) {
  const bool bRightFirst = FlyingHitsBlocks(chara) || chara.m_dVx > 0;
  if (bRightFirst) {
    if (HitBlockRight(chara) == STEP_DEFEAT) return STEP_DEFEAT;
    return HitBlockLeft(chara) == STEP_DEFEAT ? STEP_DEFEAT : STEP_CONTINUE;
  }
  if (HitBlockLeft(chara) == STEP_DEFEAT) return STEP_DEFEAT;
  return HitBlockRight(chara) == STEP_DEFEAT ? STEP_DEFEAT : STEP_CONTINUE;
}

std::int32_t cSceneGame::HitBlockY(cCharaBase& chara) {
  chara.m_pFootCell = nullptr;
  const bool bBottomFirst = FlyingHitsBlocks(chara) || chara.m_dVy > 0;
  if (bBottomFirst) {
    if (HitBlockDown(chara) == STEP_DEFEAT) return STEP_DEFEAT;
    return HitBlockUp(chara) == STEP_DEFEAT ? STEP_DEFEAT : STEP_CONTINUE;
  }
  if (HitBlockUp(chara) == STEP_DEFEAT) return STEP_DEFEAT;
  return HitBlockDown(chara) == STEP_DEFEAT ? STEP_DEFEAT : STEP_CONTINUE;
}

std::int32_t cSceneGame::HitBlockXAfterPush(cCharaBase& chara) {
  if (HitBlockRight(chara) == STEP_DEFEAT) return STEP_DEFEAT;
  return HitBlockLeft(chara) == STEP_DEFEAT ? STEP_DEFEAT : STEP_CONTINUE;
}

std::int32_t cSceneGame::HitBlockYAfterPush(cCharaBase& chara) {
  if (BlockCollisionPassesBlocks(chara)) return STEP_CONTINUE;
  const int y = Trunc(chara.m_dBottom);
  const int index = ProbeBlocks(chara, Trunc(chara.m_dX), y, Trunc(chara.m_dRight), y);
  const std::int8_t hit = HitOf(index, chara.m_nLayer);
  // Nothing below: the foot cell found before the push stays.
  if (hit != 0) {
    chara.m_pFootCell = CellOf(index);
    switch (LandOnSolid(*this, chara, hit)) {
      case eLanding::Dies: return STEP_DEFEAT;
      case eLanding::RisingThrough: return STEP_CONTINUE;
      case eLanding::Landed: break;
    }
  }
  return HitBlockUp(chara);
}

// ---------------------------------------------------------------- the screen edges

void cSceneGame::ClampScreenX(cPlayer& player) {
  if (m_ScrollX.m_bAuto == 0 && Walking(player)) return;
  player.UpdateScreenRect();
  if (player.m_rcScreen.left + player.m_nBoxOffX < 0) {
    player.m_bHitLeft = 1;
    player.m_dX = m_ScrollX.m_dPos;
    player.ConstrainX();
  } else if (player.m_rcScreen.right - player.m_nBoxOffX + 1 >= kScreenW) {
    player.m_bHitRight = 1;
    player.m_dX = m_ScrollX.m_dPos + kScreenW - player.m_nBoxW - 1;
    player.ConstrainX();
  }
}

std::int32_t cSceneGame::ClampScreenY(cPlayer& player) {
  if (m_ScrollY.m_bAuto == 0 && Walking(player)) return STEP_CONTINUE;
  player.UpdateScreenRect();
  if (player.m_rcScreen.top + player.m_nBoxOffY < 0) {
    player.m_bHitTop = 1;
    player.m_dY = m_ScrollY.m_dPos;
    player.ConstrainY();
  } else if (player.m_rcScreen.bottom - player.m_nBoxOffY + 1 >= kScreenH) {
    player.m_bHitBottom = 1;
    player.m_dY = m_ScrollY.m_dPos + kScreenH - player.m_nBoxH - 1;
    player.ConstrainY();
    // Falling off the bottom of a scrolling screen is fatal to a walking player.
    if (Walking(player)) return STEP_DEFEAT;
  }
  return STEP_CONTINUE;
}

// ---------------------------------------------------------------- under the feet

std::int32_t cSceneGame::FootBlockEffect(cPlayer& player) {
  if (!Walking(player)) return STEP_CONTINUE;
  const std::int32_t n = SubSteps();
  cBlockCell* cell = player.m_pFootCell;
  if (cell != nullptr && player.m_nFootFxSteps == 0 && cell->GetHit(static_cast<std::int8_t>(player.m_nLayer)) != 0) {
    const std::int32_t x = cell->m_nFootParam;
    switch (cell->m_nFootKind) {
      case BLOCKFX_JUMP: {
        PlaySE(kJumpPadSound);
        // The pad's height is the parameter's low byte, a signed count of half-blocks.
        player.m_dVy = player.JumpSpeedFromHbl(static_cast<std::int8_t>(static_cast<std::uint32_t>(x) & 0xFFu));
        player.m_bJumpHoldOver = 1;
        player.m_bJumping = 1;
        player.m_bJumpReady = 0;
        player.m_nJumpHoldSteps = player.JumpApexSteps(player.m_dVy);
        break;
      }
      case BLOCKFX_NO_JUMP:
        player.m_bSpringJump = 1;
        break;
      case BLOCKFX_SPEED:
        player.m_nFootFxKind = BLOCKFX_SPEED;
        player.m_dFootFxFactor = static_cast<double>(x) * 0.01;
        player.m_nFootFxSteps = n;
        break;
      case BLOCKFX_MOVE_LEFT:
      case BLOCKFX_MOVE_RIGHT:
        player.m_nFootFxKind = cell->m_nFootKind;
        player.m_dFootFxFactor = static_cast<double>(x) * 0.1 / static_cast<double>(n);
        player.m_nFootFxSteps = n;
        break;
      default:
        break;
    }
    if (cell->m_nFootKind != BLOCKFX_NO_JUMP) player.m_bSpringJump = 0;
  }
  if (player.m_nFootFxSteps != 0) {
    switch (player.m_nFootFxKind) {
      case BLOCKFX_SPEED:
        player.m_dVx *= player.m_dFootFxFactor;
        break;
      case BLOCKFX_MOVE_LEFT:
        player.m_dVx -= player.m_dFootFxFactor;
        if (player.m_dCmdVx > 0) player.m_dCmdVx = 0;
        break;
      case BLOCKFX_MOVE_RIGHT:
        player.m_dVx += player.m_dFootFxFactor;
        if (player.m_dCmdVx < 0) player.m_dCmdVx = 0;
        break;
      default:
        break;
    }
    // A negative count (never set here) would otherwise run down for years.
    if (player.m_nFootFxSteps > 0) --player.m_nFootFxSteps;
    else player.m_nFootFxSteps = 0;
    if (player.m_nFootFxSteps == 0) StickToGround(player);
  }
  return STEP_CONTINUE;
}

std::int32_t cSceneGame::FootBlockItem(cPlayer& player) {
  if (!Walking(player)) return STEP_CONTINUE;
  bool bApplied = false;
  cBlockCell* cell = player.m_pFootCell;
  if (cell != nullptr && player.m_nFootItemRest == 0 &&
      cell->GetHit(static_cast<std::int8_t>(player.m_nLayer)) != 0 && cell->m_nItemPaletteKind != 0) {
    cPaletteItem* entry = GetPaletteItem(cell->m_nItemPaletteKind, cell->m_nItemIndex);
    if (entry != nullptr && !g_vPlayer.empty()) {
      // Built as carried: a temporary item acts at once, as an item in hand does.
      cItem item;
      item.Init(0, *entry, 1);
      const std::int32_t result = UseItem(item, g_vPlayer.front());
      if (result != STEP_CONTINUE) return result;
      player.m_nFootItemRest = kItemRestFrames * SubSteps();
      bApplied = true;
    }
  }
  if (player.m_nFootItemRest != 0) {
    if (player.m_bAirborne != 0) {
      player.m_nFootItemRest = 0;
    } else {
      if (player.m_nFootItemRest > 0) --player.m_nFootItemRest;
      else player.m_nFootItemRest = 0;
      // Stepping onto another item block gives its item at once.
      if (player.m_pLastFootCell != player.m_pPrevFootCell && player.m_pFootCell != nullptr && !bApplied) {
        player.m_nFootItemRest = 0;
        StickToGround(player);
      }
    }
  }
  return STEP_CONTINUE;
}

void cSceneGame::StickToGround(cCharaBase& chara) {
  if (g_SystemData.m_bRuleGroundStick793 != 0) {
    if (chara.m_dVy >= 0) chara.m_dVy += 1.0;
    return;
  }
  const double n = g_StageData.m_dSubSteps;
  if (chara.m_dVy < 0 || chara.m_dVy > 1.0 / n || chara.m_bRiding != 0 || chara.m_bAirborne != 0) return;
  const int y = BlockCollisionAddClamped(Trunc(chara.m_dBottom), 4);
  const int index = ProbeBlocks(chara, Trunc(chara.m_dX + chara.m_dVx), y, Trunc(chara.m_dRight + chara.m_dVx), y);
  if (HitOf(index, chara.m_nLayer) != 0) chara.m_dVy = 7.0 / n;
}

std::int32_t cSceneGame::IsPlaceBlocked(cCharaBase& chara) {
  if (BlockCollisionPassesBlocks(chara)) return 0;
  const int index = ProbeCorners(chara.m_nCellL, chara.m_nCellT, chara.m_nCellR, chara.m_nCellB, chara.m_nLayer);
  if (HitOf(index, chara.m_nLayer) != 0) return 1;
  return IsSolidCharaInBox(chara);
}
