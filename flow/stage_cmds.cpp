// The commands that end the stage or stop the game for a while: the stage clear, which
// leaves the next stage's number or path, the world-map cursor and the next start
// position for the stage end, and the game wait, which holds the whole game in the pause
// loop for its time.
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/checked_access.h"
#include "app/message_boxes.h"
#include "app/path_helpers.h"
#include "app/thread.h"
#include "data/flow/flow_command.h"
#include "data/save/progress.h"
#include "data/worldmap/world_map.h"
#include "objects/chara_base.h"
#include "objects/player.h"
#include "stage/scene_game.h"
#include "stage/stage_overlays.h"
#include "stage/stage_world.h"
#include "stage/sub_loops.h"

namespace {

enum STAGECLEAR : std::int32_t {
  STAGECLEAR_NEXT = 0,
  STAGECLEAR_BY_NUMBER = 1,
  STAGECLEAR_BY_PATH = 2,
  STAGECLEAR_WORLD_CLEAR = 3,
};

constexpr int kStartFacingAsPlayer = 2;  // the start facing copies player 1's facing
constexpr std::size_t kMaxPathChars = 259;
constexpr std::int32_t kWaitFramesPerTenth = 6;

std::int32_t StageCmdsParam(const cFlowCmd& cmd, int i) { return CheckedAt(cmd.m_vParam, i); }

// A world-map cursor coordinate from the command: never at or past the map's edge, but no
// lower bound (the world map keeps what the author asked for there).
std::int32_t CapBelow(std::int32_t value, std::int32_t size) { return value >= size ? size - 1 : value; }

// The command's path becomes the stage's name ending in a dot, in place, so that running
// the command again leaves it the same; the stage end completes the file name.
void CutToStageName(std::string& text) {
  if (text.size() > kMaxPathChars) text.resize(kMaxPathChars);
  StripExtStr(text);
  text += '.';
}

}  // namespace

std::int32_t cCharaBase::CmdStageClear(cFlowCmd& cmd) {
  cSceneGame* scene = GameScene();
  cProgress& progress = g_Progress;
  if (scene != nullptr) {
    // The stage end reads the number as the next file of the numbered series (the "-N"
    // of its name), so it counts from the series' own number, not from the stage's
    // number on the world map.
    switch (StageCmdsParam(cmd, 0)) {
      case STAGECLEAR_NEXT:
        scene->m_nNextStage = static_cast<std::int32_t>(static_cast<std::uint32_t>(progress.m_nSubStage) + 1u);
        scene->m_strNextStage.clear();
        break;
      case STAGECLEAR_BY_NUMBER:
        scene->m_nNextStage = StageCmdsParam(cmd, 1);
        scene->m_strNextStage.clear();
        break;
      case STAGECLEAR_BY_PATH:
        if (!cmd.m_sText.empty()) {
          CutToStageName(cmd.m_sText);
          scene->m_strNextStage = cmd.m_sText;
        } else {
          ErrMesBoxf("ステージファイル %s が不正です。\nステージファイルとして認識できません。",
                     "");
          scene->m_strNextStage.clear();
        }
        scene->m_nNextStage = progress.m_nSubStage;
        break;
      case STAGECLEAR_WORLD_CLEAR:
        scene->m_nNextStage = 0;
        scene->m_strNextStage.clear();
        break;
      default:
        break;
    }
  }
  if (StageCmdsParam(cmd, 2) != 0) {
    progress.m_nMapX = CapBelow(StageCmdsParam(cmd, 3), g_WorldMap.m_nMapW);
    progress.m_nMapY = CapBelow(StageCmdsParam(cmd, 4), g_WorldMap.m_nMapH);
    progress.m_nRound = 0;  // the slot of the world-map cursor's facing: down
  }
  if (StageCmdsParam(cmd, 5) != 0) {
    progress.m_bStartPosSet = 1;
    progress.m_nStartX = StageCmdsParam(cmd, 6);
    progress.m_nStartY = StageCmdsParam(cmd, 7);
    progress.m_nStartDir = StageCmdsParam(cmd, 8);
    if (progress.m_nStartDir == kStartFacingAsPlayer) progress.m_nStartDir = CheckedAt(g_vPlayer, 0).m_nFacing;
  } else {
    progress.m_bStartPosSet = 0;
  }
  return 1;
}

std::int32_t cCharaBase::CmdGameWait(cFlowCmd& cmd) {
  cSceneGame* scene = GameScene();
  if (scene == nullptr) return 0;
  const std::int64_t frames = std::int64_t{StageCmdsParam(cmd, 0)} * kWaitFramesPerTenth;
  // An invisible timed window stands in the message list while the game waits.
  scene->m_lstMessage.emplace_back(GameWaitMessage(frames > INT32_MAX ? INT32_MAX : static_cast<std::int32_t>(frames)));
  cWaitReq& req = scene->m_WaitReq;
  req.m_nKind = WAIT_GAME;
  req.m_nDelay = 0;
  req.m_bKeyWait = 0;
  req.m_nCountdown = frames > INT32_MAX ? INT32_MAX : static_cast<std::int32_t>(frames);
  req.m_nSpare = 0;
  RunModalLoop(thPause, PauseLoop, scene, false);
  if (!scene->m_lstMessage.empty()) scene->m_lstMessage.pop_back();
  return 0;
}
