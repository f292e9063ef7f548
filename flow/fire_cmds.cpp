// The shot, sword and summon commands. Shots and summons act on the command's first step
// and again every tenth of a second while it runs; a sword is made once per run.
#include "app/checked_access.h"
#include "data/database/database.h"
#include "data/flow/flow_command.h"
#include "flow/cmd_prepare.h"
#include "flow/flow_run.h"
#include "objects/chara_base.h"
#include "objects/firing.h"
#include "objects/formation_slot.h"
#include "objects/shot.h"
#include "shell/game_requests.h"
#include "stage/scene_game.h"

namespace {

// The command's sound, unless it is meant only for a character on screen and this one is
// not.
void PlayCommandSound(const cCharaBase& chara, const cFlowCmd& cmd) {
  if (cmd.m_bSoundCond != 0 && chara.m_bOnScreen == 0) return;
  PlayUserSE(cmd.m_nSound);
}

// The counter of a command that acts every tenth of a second: 0 .. 6n - 1, wrapping.
void CountTenth(cFlowCmdRun* run) {
  run->m_nCount += 1;
  if (run->m_nCount >= 6 * FlowSubSteps()) run->m_nCount = 0;
}

// The block of a firing command; null when the command has none (damaged data).
cEdShot* FireBlock(const cFlowCmdRun* run) {
  if (run == nullptr || run->m_lpCmd == nullptr) return nullptr;
  return run->m_lpCmd->m_pShot.get();
}

using SummonFn = void (*)(cCharaBase&, cFlowCmdRun&, cEdShot&);

}  // namespace

void cCharaBase::CmdShot(cFlowCmdRun* run) {
  cEdShot* block = FireBlock(run);
  cSceneGame* scene = GameScene();
  if (block == nullptr || scene == nullptr) return;
  if (run->m_nCount == 0) {
    PlayCommandSound(*this, *run->m_lpCmd);
    FireShots(scene->m_lstShot, *this, *run, *block);
  }
  CountTenth(run);
}

void cCharaBase::CmdSword(cFlowCmdRun* run) {
  cEdShot* block = FireBlock(run);
  cSceneGame* scene = GameScene();
  if (block == nullptr || scene == nullptr) return;
  if (run->m_nCount == 0) {
    PlayCommandSound(*this, *run->m_lpCmd);
    const cSwordTypeData& type = CheckedAt(g_Database.m_SwordType, block->m_nTrajectory);
    // A sword type without frames has nothing to swing: no sword.
    if (!type.m_vFrame.empty()) {
      const cSwordFrame& first = type.m_vFrame.front();
      FORMATIONSLOT slot;
      slot.m_nCellW = first.m_nWidth;
      slot.m_nCellH = first.m_nHeight;
      cShot sword;
      if (sword.Init(scene->m_nNextShotId, *this, run->m_lpCmd->m_nKind, *block, slot)) {
        cShot& added = AddShot(scene->m_lstShot, sword);
        scene->m_nNextShotId += 1;
        added.RegisterLinks();
      }
    }
  }
  // One sword per run, however long the command runs.
  run->m_nCount += 1;
}

namespace {

void RunSummon(cCharaBase& chara, cFlowCmdRun* run, SummonFn summon) {
  cEdShot* block = FireBlock(run);
  if (block == nullptr) return;
  if (run->m_nCount == 0) {
    PlayCommandSound(chara, *run->m_lpCmd);
    summon(chara, *run, *block);
  }
  CountTenth(run);
}

}  // namespace

void cCharaBase::CmdSummonBlock(cFlowCmdRun* run) { RunSummon(*this, run, SummonBlock); }
void cCharaBase::CmdSummonChara(cFlowCmdRun* run) { RunSummon(*this, run, SummonChara); }
void cCharaBase::CmdSummonItem(cFlowCmdRun* run) { RunSummon(*this, run, SummonItem); }
