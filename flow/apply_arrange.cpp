#include "flow/apply_arrange.h"

#include <cstddef>

#include "app/checked_access.h"
#include "data/flow/flow_command.h"
#include "data/flow/flow_command_kinds.h"
#include "data/flow/shot_parameter_tables.h"
#include "data/save/progress.h"
#include "flow/flow_run.h"
#include "flow/var_op.h"
#include "flow/var_param_table.h"
#include "objects/chara_base.h"
#include "objects/player.h"
#include "stage/scene_game.h"

namespace {

// Item command kinds sit 15 above the flow kinds of the same commands.
constexpr int kItemKindOffset = 15;

// The operand, or false when the variable number is not valid for its source (common
// and stage variable 0 are never operands).
bool Operand(int source, int index, const cCharaBase* subject, std::int32_t* out) {
  const std::vector<std::int32_t>* vars = nullptr;
  int first = 1;
  if (source == 0) {
    vars = &g_Progress.m_Vars;
  } else if (source == 1) {
    const cSceneGame* scene = GameScene();
    if (scene == nullptr) return false;
    vars = &scene->m_vStageVar;
  } else if (source == 2) {
    if (subject == nullptr) return false;
    vars = &subject->m_vCharaVar;
    first = 0;
  } else {
    return false;
  }
  if (index < first || static_cast<std::size_t>(index) >= vars->size()) return false;
  *out = (*vars)[static_cast<std::size_t>(index)];
  return true;
}

// The formation and trajectory values take their limits from the pattern the shot block
// names; -1 when the parameter is not one of them.
int FormationValue(int kind, int param) {
  int first = -1;
  if (kind == FLOWCMD_SHOT || kind == FLOWCMD_SUMMON_CHARA) first = 2;
  else if (kind == FLOWCMD_SUMMON_BLOCK) first = 0;
  else if (kind == FLOWCMD_SUMMON_ITEM) first = 1;
  if (first < 0 || param < first || param > first + 2) return -1;
  return param - first;
}

int TrajectoryValue(int kind, int param) {
  if (kind != FLOWCMD_SHOT || param < 15 || param > 17) return -1;
  return param - 15;
}

}  // namespace

void ApplyArrange(cFlowCmd* cmd, const std::vector<std::int32_t>* b, cCharaBase* subject) {
  if (cmd == nullptr || b == nullptr || b->size() < static_cast<std::size_t>(kBindingSize)) return;
  const std::vector<std::int32_t>& bind = *b;
  int kind = cmd->m_nKind;
  if (cmd->m_bItemCmd == 1) kind += kItemKindOffset;
  if (bind[0] != kind || kind < 0 || kind >= kFlowCmdKindCount) return;
  const VarParamGetter getter = g_VarParamGetters[kind];
  const VarParamSetter setter = g_VarParamSetters[kind];
  if (getter == nullptr || setter == nullptr) return;
  const int param = bind[1];
  std::int32_t cur = 0;
  const bool hasValue = getter(&cur, param, *cmd);
  std::int32_t d = 0;
  if (!Operand(bind[3], bind[4], subject, &d)) return;

  // The moves without settable parameters (ground turn, circle, off-screen avoidance)
  // have an empty list: a binding naming them has nothing to change.
  const std::vector<VARPARAMDESC>& descs = CheckedAt(g_VarParamTable, kind);
  if (descs.empty()) return;
  // A parameter number outside the list is damaged data: the guarded access reports it.
  const VARPARAMDESC& desc = CheckedAt(descs, param);
  // Outside the list, or in a block the command lacks: nothing to change.
  if (!hasValue) return;
  std::int32_t min = desc.m_nMin;
  std::int32_t max = desc.m_nMax;
  if (const cEdShot* sh = cmd->m_pShot.get(); sh != nullptr) {
    if (const int n = FormationValue(kind, param); n >= 0) {
      const ShotParamDesc& limits = GetShotFormParamDesc(sh->m_nFormation, n);
      min = limits.nMin;
      max = limits.nMax;
    } else if (const int t = TrajectoryValue(kind, param); t >= 0) {
      const ShotParamDesc& limits = GetShotTrajParamDesc(sh->m_nTrajectory, t);
      min = limits.nMin;
      max = limits.nMax;
    }
  }
  // The operations of the status command: 32-bit wrapping add and subtract, a product
  // saturating by the sign rule, division and remainder by 0 keeping the value, then the
  // clamp to the limits.
  ApplyVarOp(&cur, d, bind[2], min, max);
  setter(cur, param, *cmd);
}

void ApplyFlowArranges(cFlowCmd* cmd, cCharaBase* subject, cFlowRun* run) {
  if (run == nullptr) return;
  for (const std::vector<std::int32_t>& b : run->m_listArrange) ApplyArrange(cmd, &b, subject);
}

void ApplyItemArranges(cFlowCmd* cmd, cPlayer* player) {
  if (player == nullptr) return;
  for (const std::vector<std::int32_t>& b : player->m_lstItemBinding) ApplyArrange(cmd, &b, player);
}
