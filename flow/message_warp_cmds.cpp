// The message command, which shows, replaces or deletes a text window and may hold the
// game while it is shown, and the warp command, which moves its subject at once to a
// place given by a direction and distance, from a target, or by coordinates, and takes
// the move back when that place is solid or outside the stage.
#include <cstdint>
#include <iterator>
#include <list>
#include <string>

#include "app/checked_access.h"
#include "app/thread.h"
#include "data/flow/flow_command.h"
#include "data/flow/overlay_cmd_params.h"
#include "data/flow/movement_block.h"
#include "data/system/system_data.h"
#include "objects/chara_base.h"
#include "objects/move_support.h"
#include "objects/player.h"
#include "shell/game_requests.h"
#include "stage/scene_game.h"
#include "stage/stage_overlays.h"
#include "stage/stage_world.h"
#include "stage/sub_loops.h"
#include "stage/text_macro.h"

namespace {

constexpr std::int64_t kFramesPerTenth = 6;
constexpr int kMessageSound = 11;  // a new window that waits for the key

enum WARPMODE : std::int32_t {
  WARPMODE_DIRECTION = 0,
  WARPMODE_FROM_TARGET1 = 1,
  WARPMODE_FROM_TARGET4 = 4,
  WARPMODE_COORD = 5,
};

enum WARPCOORD : std::int32_t {
  WARPCOORD_RELATIVE = 0,
  WARPCOORD_ABSOLUTE = 1,
  WARPCOORD_SCREEN = 2,
};

std::int32_t MessageWarpCmdsParam(const cFlowCmd& cmd, int i) { return CheckedAt(cmd.m_vParam, i); }

std::int32_t ClampToInt(std::int64_t v) {
  if (v > INT32_MAX) return INT32_MAX;
  if (v < INT32_MIN) return INT32_MIN;
  return static_cast<std::int32_t>(v);
}

// The first text window carrying id nId.
std::list<cMessage>::iterator FindWindow(std::list<cMessage>& list, std::int32_t nId) {
  for (auto it = list.begin(); it != list.end(); ++it) {
    if (it->m_nKind == MSGKIND_TEXT && it->m_bHasId != 0 && it->m_nId == nId) return it;
  }
  return list.end();
}

void EraseWindow(std::list<cMessage>& list, std::list<cMessage>::iterator it) {
  it->ReleaseSurface();
  list.erase(it);
}

// Moves the subject by distance d along a resolved move direction (left, right, up,
// down and the four diagonals); any other direction moves nothing.
void MoveAlong(cCharaBase& subject, std::int32_t nDir, double d) {
  const double k = g_dDiagonal * d;
  double dx = 0;
  double dy = 0;
  switch (nDir) {
    case MOVEDIR_LEFT: dx = -d; break;
    case MOVEDIR_RIGHT: dx = d; break;
    case MOVEDIR_UP: dy = -d; break;
    case MOVEDIR_DOWN: dy = d; break;
    case MOVEDIR_UP_LEFT: dx = -k; dy = -k; break;
    case MOVEDIR_DOWN_LEFT: dx = -k; dy = k; break;
    case MOVEDIR_UP_RIGHT: dx = k; dy = -k; break;
    case MOVEDIR_DOWN_RIGHT: dx = k; dy = k; break;
    default: return;
  }
  if (dx != 0) {
    subject.m_dX += dx;
    subject.ConstrainX();
  }
  if (dy != 0) {
    subject.m_dY += dy;
    subject.ConstrainY();
  }
}

}  // namespace

std::int32_t cCharaBase::CmdMessage(cFlowCmd& cmd, std::int32_t bContinued) {
  cSceneGame* scene = GameScene();
  if (scene == nullptr || scene->m_bQuit != 0) return 0;
  std::list<cMessage>& list = scene->m_lstMessage;
  const bool bDelete = MessageWarpCmdsParam(cmd, MSGP_DELETE) != 0;
  auto at = list.end();  // the node the new window takes the place of (reuse and replace)
  bool bReuse = false;
  if (MessageWarpCmdsParam(cmd, MSGP_HAS_ID) != 0) {
    auto found = FindWindow(list, MessageWarpCmdsParam(cmd, MSGP_ID));
    if (found != list.end()) {
      if (bDelete) {
        EraseWindow(list, found);
        return 0;
      }
      std::string text = cmd.m_sText;
      if (MessageWarpCmdsParam(cmd, MSGP_MACRO) != 0) ExpandTextMacro(text);
      std::int32_t w = 0;
      std::int32_t h = 0;
      cMessage::GetTextSize(&w, &h, text);
      if (w == found->m_nWidth && h == found->m_nHeight) {
        bReuse = true;
        at = found;
      } else {
        auto next = std::next(found);
        EraseWindow(list, found);
        at = list.emplace(next);
      }
    } else if (bDelete) {
      return 0;
    }
  } else if (bDelete) {
    return 0;
  }
  if (at == list.end()) at = list.emplace(list.end());

  const std::int32_t nPos = MessageWarpCmdsParam(cmd, MSGP_POSITION);
  std::int32_t nSubjectId = 0;
  if (nPos >= MSGPOS_SELF_ABOVE && nPos <= MSGPOS_SELF_CENTRE) {
    nSubjectId = m_nObjId;
  } else if (nPos >= MSGPOS_HERO_ABOVE && nPos <= MSGPOS_HERO_CENTRE) {
    nSubjectId = CheckedAt(g_vPlayer, 0).m_nObjId;
  }
  const std::int32_t nFrames =
      MessageWarpCmdsParam(cmd, MSGP_ONE_FRAME) != 0 ? 1 : ClampToInt(MessageWarpCmdsParam(cmd, MSGP_TIME) * kFramesPerTenth);
  cMessageSetup setup;
  setup.nKind = MSGKIND_TEXT;
  setup.lpText = cmd.m_sText.c_str();
  setup.nPosMode = nPos;
  setup.nBlockX = MessageWarpCmdsParam(cmd, MSGP_BLOCK_X);
  setup.nBlockY = MessageWarpCmdsParam(cmd, MSGP_BLOCK_Y);
  setup.nOffsetX = MessageWarpCmdsParam(cmd, MSGP_OFFSET_X);
  setup.nOffsetY = MessageWarpCmdsParam(cmd, MSGP_OFFSET_Y);
  setup.bKeepOnScreen = MessageWarpCmdsParam(cmd, MSGP_KEEP_ON_SCREEN);
  setup.bScreenFixed = MessageWarpCmdsParam(cmd, MSGP_SCREEN_FIXED);
  setup.nDispMode = MessageWarpCmdsParam(cmd, MSGP_DISPLAY);
  setup.nFrames = nFrames;
  setup.bCountWhilePaused = MessageWarpCmdsParam(cmd, MSGP_WAIT);
  setup.nSubjectId = nSubjectId;
  setup.bContinued = bContinued;
  setup.bMacro = MessageWarpCmdsParam(cmd, MSGP_MACRO);
  setup.bRefresh = MessageWarpCmdsParam(cmd, MSGP_REFRESH);
  setup.nRefreshInterval = MessageWarpCmdsParam(cmd, MSGP_REFRESH_INTERVAL);
  setup.bFramed = MessageWarpCmdsParam(cmd, MSGP_FRAMED);
  setup.bHasId = MessageWarpCmdsParam(cmd, MSGP_HAS_ID);
  setup.nId = MessageWarpCmdsParam(cmd, MSGP_ID);
  setup.bKeepSurface = bReuse ? 1 : 0;
  at->Set(setup);

  if (MessageWarpCmdsParam(cmd, MSGP_WAIT) == 0) return 0;
  const cMessage* shown = &*at;
  if (setup.nDispMode == MSGDISP_TIME) {
    scene->m_WaitReq.Set(WAIT_MESSAGE, 0, nFrames, bContinued);
  } else {
    // A window until the key, and also one until the end of the stage: while the game is
    // held nothing else could ever end that wait, so it too ends on the advance key.
    scene->m_WaitReq.Set(WAIT_MESSAGE, 1, 0, bContinued);
    if (bContinued == 0) PlaySE(kMessageSound);
  }
  RunModalLoop(thPause, PauseLoop, scene, true);
  // The window goes with the wait. It is looked up again: its own time may have ended it
  // during the wait.
  for (auto it = list.begin(); it != list.end(); ++it) {
    if (&*it == shown) {
      EraseWindow(list, it);
      break;
    }
  }
  return 0;
}

std::int32_t cCharaBase::CmdWarp(cFlowCmd& cmd) {
  m_bFixScreenX = 0;
  m_bFixScreenY = 0;
  if (!cmd.m_pMove) return 0;
  const cEdMove& m = *cmd.m_pMove;
  cSceneGame* scene = GameScene();
  if (scene == nullptr) return 0;
  const double savedX = m_dX;
  const double savedY = m_dY;
  const double savedRight = m_dRight;
  const double savedBottom = m_dBottom;
  const double d = (static_cast<double>(m.m_nDistStep) * m_nCopyIndex + m.m_nDist) * 16;
  const std::int32_t nMode = m.m_nMode;
  if (nMode == WARPMODE_DIRECTION) {
    const bool bKeepDiagonal = g_SystemData.m_bRuleWarp721 != 0 ? m_bNoGravity != 0 : true;
    MoveAlong(*this, ResolveDirection(m.m_nDir, true, 0, bKeepDiagonal), d);
  } else if (nMode >= WARPMODE_FROM_TARGET1 && nMode <= WARPMODE_FROM_TARGET4) {
    const auto slot = static_cast<std::size_t>(nMode - WARPMODE_FROM_TARGET1);
    cCharaBase* target = slot < m_vTarget.size() ? m_vTarget[slot] : nullptr;
    if (target == nullptr) return 0;
    const bool bKeepDiagonal = g_SystemData.m_bRuleWarp721 != 0 ? target->m_bNoGravity != 0 : true;
    const std::int32_t nDir = target->ResolveDirection(m.m_nDir, true, 0, bKeepDiagonal);
    // Sprite-cell centre on the target's.
    m_dX = target->m_dX - target->m_nBoxOffX + (target->m_nCellW >> 1) + m_nBoxOffX - (m_nCellW >> 1);
    ConstrainX();
    m_dY = target->m_dY - target->m_nBoxOffY + (target->m_nCellH >> 1) + m_nBoxOffY - (m_nCellH >> 1);
    ConstrainY();
    MoveAlong(*this, nDir, d);
  } else if (nMode == WARPMODE_COORD) {
    double lx = m.m_nTargetXdot + m.m_nTargetXbl * 32.0;
    double ly = m.m_nTargetYdot + m.m_nTargetYbl * 32.0;
    if (m_nFacing != 0) {
      if (m.m_bMirrorX != 0) lx = -lx;
      if (m.m_bMirrorY != 0) ly = -ly;
    }
    switch (m.m_nCoordKind) {
      case WARPCOORD_RELATIVE:
        m_dX += lx;
        ConstrainX();
        m_dY += ly;
        ConstrainY();
        break;
      case WARPCOORD_ABSOLUTE:
        PlaceAtBlockX(m.m_nTargetXbl);
        PlaceAtBlockY(m.m_nTargetYbl);
        m_dX += m.m_nTargetXdot;
        ConstrainX();
        m_dY += m.m_nTargetYdot;
        ConstrainY();
        break;
      case WARPCOORD_SCREEN:
        m_dX = m_nBoxOffX + scene->m_ScrollX.m_dPos + lx;
        ConstrainX();
        m_dY = m_nBoxOffY + scene->m_ScrollY.m_dPos + ly;
        ConstrainY();
        break;
      default:
        break;
    }
  }
  UpdateScreenRect();
  if (!IsInsideArea(0) || scene->IsPlaceBlocked(*this) != 0) {
    m_dX = savedX;
    m_dY = savedY;
    m_dRight = savedRight;
    m_dBottom = savedBottom;
    ConstrainY();
    ConstrainX();
    UpdateScreenRect();
  } else if (m_bNoGravity == 0) {
    m_dVy = 0;
  }
  if (nMode == WARPMODE_COORD && m.m_nCoordKind == WARPCOORD_SCREEN) {
    m_nFixScreenX = m_rcScreen.left;
    m_nFixScreenY = m_rcScreen.top;
    m_bFixScreenX = 1;
    m_bFixScreenY = 1;
  }
  return 0;
}
