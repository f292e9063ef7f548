// Condition lists of the running stage: the all/any evaluation, the once-true latches of
// the four list holders (block cells, stage characters, items, flows) and the condition
// kinds. Every condition is evaluated afresh each time: conditions may draw from the
// random generator, and the order of draws is part of a replay.
#include <vector>

#include "app/checked_access.h"
#include "data/flow/condition.h"
#include "data/flow/flow.h"
#include "data/flow/flow_enumerations.h"
#include "data/save/progress.h"
#include "flow/compare_by_code.h"
#include "flow/flow_run.h"
#include "flow/state_conditions.h"
#include "flow/status_condition.h"
#include "objects/chara.h"
#include "objects/chara_base.h"
#include "objects/item.h"
#include "objects/player.h"
#include "stage/block_cell.h"
#include "stage/scene_game.h"
#include "stage/stage_world.h"

namespace {

cCharaBase* PlayerOne() { return g_vPlayer.empty() ? nullptr : &g_vPlayer.front(); }

// The test shared by the four holders: an empty list holds; a once-true list that has held
// keeps holding; otherwise the list is evaluated and a success sets the latch (whether or
// not the holder reads it later).
template <typename Latch>
bool LatchedTest(cSceneGame& scene, const std::vector<cCond>& conds, std::int8_t nMode, std::int8_t bOnce, Latch& latch,
                 cCharaBase* pSubject) {
  if (conds.empty()) return true;
  if (bOnce != 0 && latch != 0) return true;
  if (!scene.CheckCondList(conds, nMode, pSubject)) return false;
  latch = 1;
  return true;
}

}  // namespace

bool cSceneGame::CheckCondList(const std::vector<cCond>& conds, std::int32_t nMode, cCharaBase* pChara) {
  if (nMode == 0) {
    for (const cCond& cond : conds) {
      if (!CheckCond(cond, pChara)) return false;
    }
    return true;
  }
  if (nMode == 1) {
    for (const cCond& cond : conds) {
      if (CheckCond(cond, pChara)) return true;
    }
    return false;
  }
  return false;
}

bool cSceneGame::CheckCond(const cCond& cond, cCharaBase* pSubject) {
  switch (cond.m_nKind) {
    case COND_COMMON_VAR:
      return CompareByCode(CheckedAt(g_Progress.m_Vars, cond.m_nVarIndex), cond.m_nValue, cond.m_nCmp) != 0;
    case COND_STAGE_VAR:
      return CompareByCode(CheckedAt(m_vStageVar, cond.m_nVarIndex), cond.m_nValue, cond.m_nCmp) != 0;
    case COND_CHARA_VAR:
      if (pSubject == nullptr) return false;
      return CompareByCode(CheckedAt(pSubject->m_vCharaVar, cond.m_nVarIndex), cond.m_nValue, cond.m_nCmp) != 0;
    case COND_STATUS:
      return CheckStatusValueCond(cond, pSubject) != 0;
    case COND_STATUS2:
      return pSubject != nullptr && CheckStatusCond(*pSubject, cond) != 0;
    case COND_STATUS3:
      return pSubject != nullptr && CheckStateCond(*pSubject, cond) != 0;
    case COND_DISTANCE:
      return pSubject != nullptr && CheckDistanceCond(*pSubject, cond) != 0;
    default:
      return false;
  }
}

std::int32_t cSceneGame::CheckBlockConds(cBlockCell& cell) {
  return LatchedTest(*this, cell.m_vCond.Get(), cell.m_nCondMode, cell.m_bCondLatch, cell.m_bLatch, PlayerOne()) ? 1
                                                                                                              : 0;
}

bool cSceneGame::CheckCharaConds(cChara& chara) {
  return LatchedTest(*this, chara.m_Def.m_vCond.Get(), chara.m_Def.m_nCondMode, chara.m_Def.m_bCondLatch,
                     chara.m_bCondLatched, &chara);
}

bool cSceneGame::CheckItemConds(cItem& item) {
  return LatchedTest(*this, item.m_ItemDef.m_vCond.Get(), item.m_ItemDef.m_nCondMode, item.m_ItemDef.m_bCondLatch,
                     item.m_bCondLatched, PlayerOne());
}

bool cSceneGame::CheckFlowConds(cFlowRun* run, cCharaBase* pChara) {
  if (run == nullptr || run->m_lpFlow == nullptr) return false;
  const cFlow& flow = *run->m_lpFlow;
  return LatchedTest(*this, flow.m_vCond, flow.m_nCondMode, flow.m_bCondLatch, run->m_bFlowCondLatched, pChara);
}
