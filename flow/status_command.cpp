#include "flow/status_command.h"

#include <cstddef>
#include <optional>

#include "app/checked_access.h"
#include "app/random.h"
#include "data/flow/flow_command.h"
#include "data/save/progress.h"
#include "data/stage/stage_data.h"
#include "flow/percent_of_rounded.h"
#include "flow/status_values.h"
#include "flow/var_op.h"
#include "objects/chara_base.h"
#include "objects/move_support.h"
#include "stage/scene_game.h"

namespace {

constexpr std::size_t kStatusParamCount = 18;
constexpr int kSubjectSystem = 5;
constexpr std::int32_t kVarMin = -999999;
constexpr std::int32_t kVarMax = 999999;
// The rows of the limited-sight surfaces, as the stage's set-up builds them.
constexpr int kSpotlightDarkRow = 65;
constexpr int kSpotlightHoleRow = 66;

std::int32_t P(const std::vector<std::int32_t>& p, int i) { return p[static_cast<std::size_t>(i)]; }

cCharaBase* SlotObject(cCharaBase& receiver, int subject) {
  const auto slot = static_cast<std::size_t>(subject - 1);
  return slot < receiver.m_vTarget.size() ? receiver.m_vTarget[slot] : nullptr;
}

bool IsSlotSubject(int subject) { return subject >= 1 && subject <= 4; }

// The operand; none when an empty target slot or a computer character's sight ends the
// command.
std::optional<std::int32_t> StatusCommandOperand(cCharaBase& receiver, const std::vector<std::int32_t>& p, const cSceneGame& scene) {
  switch (P(p, 6)) {
    case 1:
      return GetRand(P(p, 8), P(p, 9));
    case 2: {
      const int field = P(p, 13);
      const int subject = P(p, 12);
      if (subject == kSubjectSystem) return GetSystemOperand(scene, field);
      cCharaBase* obj = IsSlotSubject(subject) ? SlotObject(receiver, subject) : &receiver;
      if (obj == nullptr) return std::nullopt;
      if (field == kStatusSight && obj->m_nKind != 0) return std::nullopt;
      const std::int32_t v = GetCharaStatusValue(*obj, field, P(p, 11));
      // Reading the stoppability refreshes the friction it stands for.
      if (field == kStatusStop) obj->m_dFriction = AccelParamToStep(static_cast<std::int16_t>(v));
      return v;
    }
    case 3:
      return GetVariable(scene, P(p, 10), P(p, 11));
    default:
      return P(p, 7);
  }
}

std::int8_t To8(std::int32_t v) { return static_cast<std::int8_t>(static_cast<std::uint8_t>(static_cast<std::uint32_t>(v))); }
std::int16_t To16(std::int32_t v) { return static_cast<std::int16_t>(static_cast<std::uint16_t>(static_cast<std::uint32_t>(v))); }
std::int32_t StatusCommandWrapSub(std::int32_t a, std::int32_t b) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) - static_cast<std::uint32_t>(b));
}

void ApplySystem(cSceneGame& scene, const std::vector<std::int32_t>& p, std::int32_t v) {
  const int field = P(p, 4);
  const int op = P(p, 5);
  const std::optional<std::int32_t> cur = GetSystemValue(scene, field);
  if (!cur) return;
  if (field == kSystemLives && *cur == kUnlimitedLivesValue) return;
  if ((P(p, 14) & 0xFF) != 0) v = PercentOfRounded(*cur, v);
  switch (field) {
    case kSystemTime: ApplyVarOp(&scene.m_nTimeLeft, v, op, 0, 999); return;
    case kSystemScrollX:
      ApplyVarOp(&g_StageData.m_nAutoScrollX, v, op, -480, 480);
      scene.m_ScrollX.SetSpeed(g_StageData.m_nScrollModeX == 1 ? 1 : 0, g_StageData.m_nAutoScrollX);
      return;
    case kSystemScrollY:
      ApplyVarOp(&g_StageData.m_nAutoScrollY, v, op, -480, 480);
      scene.m_ScrollY.SetSpeed(g_StageData.m_nScrollModeY == 1 ? 1 : 0, g_StageData.m_nAutoScrollY);
      return;
    case kSystemScore: ApplyVarOp(&g_Progress.m_nStageScore, v, op, 0, 999999); return;
    case kSystemLives: ApplyVarOp(&g_Progress.m_nLives, v, op, 0, 99); return;
    default: return;
  }
}

// HP or SP by the percent mode: 0 plain, 1 percent of the maximum, 2 percent of the
// current value; the new value.
std::int32_t NewGaugeValue(std::int32_t current, std::int32_t maximum, std::int32_t v, int op, int mode) {
  std::int32_t t = current;
  switch (mode) {
    case 0: ApplyVarOp(&t, v, op, 0, 999999); break;
    case 1: ApplyVarOp(&t, PercentOfRounded(maximum, v), op, 0, 999999); break;
    case 2: ApplyVarOp(&t, PercentOfRounded(current, v), op, 0, 999999); break;
    default: break;
  }
  return t;
}

void ApplyChara(cCharaBase& c, cSceneGame& scene, const std::vector<std::int32_t>& p, std::int32_t v) {
  const int field = P(p, 4);
  const int op = P(p, 5);
  const bool pct = (P(p, 14) & 0xFF) != 0;
  cPaletteChara& d = c.m_Def;
  const std::int8_t v8 = To8(v);
  const std::int16_t v16 = To16(v);
  auto apply8 = [&](std::int8_t* x, std::int8_t min, std::int8_t max) {
    ApplyVarOp8(x, pct ? To8(PercentOfRounded8(*x, v8)) : v8, op, min, max);
  };
  auto apply16 = [&](std::int16_t* x, std::int16_t min, std::int16_t max) {
    ApplyVarOp16(x, pct ? To16(PercentOfRounded16(*x, v16)) : v16, op, min, max);
  };
  auto apply32 = [&](std::int32_t* x, std::int32_t min, std::int32_t max) {
    ApplyVarOp(x, pct ? PercentOfRounded(*x, v) : v, op, min, max);
  };
  switch (field) {
    case kStatusCharaVar: {
      const int index = P(p, 2);
      if (index < 0 || static_cast<std::size_t>(index) >= c.m_vCharaVar.size()) {
        (void)CheckedAt(c.m_vCharaVar, index);  // reported; nothing written
        return;
      }
      apply32(&c.m_vCharaVar[static_cast<std::size_t>(index)], kVarMin, kVarMax);
      return;
    }
    case kStatusHp: {
      const std::int32_t t = NewGaugeValue(c.m_nHp, d.m_nMaxHp, v, op, P(p, 15));
      c.AddHp(StatusCommandWrapSub(t, c.m_nHp), 1, P(p, 16));
      return;
    }
    case kStatusSp: {
      const std::int32_t t = NewGaugeValue(c.m_nSp, d.m_nMaxSp, v, op, P(p, 15));
      c.AddSp(StatusCommandWrapSub(t, c.m_nSp), P(p, 16));
      return;
    }
    case kStatusMaxHp:
      apply32(&d.m_nMaxHp, 0, 999999);
      if (d.m_nMaxHp < c.m_nHp) c.m_nHp = d.m_nMaxHp;
      return;
    case kStatusMaxSp:
      apply32(&d.m_nMaxSp, 0, 999999);
      if (d.m_nMaxSp < c.m_nSp) c.m_nSp = d.m_nMaxSp;
      return;
    case kStatusCharaId: apply8(&d.m_nCharaId, 0, 99); return;
    case kStatusZ: apply8(&d.m_nZ, 0, 7); return;
    case kStatusMark: apply16(&d.m_nEmblem, 0, 119); return;
    case kStatusSight:
      if (c.m_nKind != 0) return;
      apply8(&d.m_nSightRange, 0, 40);
      c.m_nSightRange = HblToDot(d.m_nSightRange);
      scene.CreateSpotlight(kSpotlightDarkRow, kSpotlightHoleRow);
      return;
    case kStatusPower: apply32(&d.m_nBodyPower, kVarMin, kVarMax); return;
    case kStatusImpact: apply8(&d.m_nBodyImpact, -20, 20); return;
    case kStatusDefence: apply32(&d.m_nDefence, 0, 999999); return;
    case kStatusImpactResist: apply8(&d.m_nImpactResist, 0, 20); return;
    case kStatusStop:
      apply16(&d.m_nStopEase, 0, 200);
      c.m_dFriction = AccelParamToStep(d.m_nStopEase);
      return;
    case kStatusScore: apply32(&d.m_nScore, kVarMin, kVarMax); return;
    default: return;
  }
}

}  // namespace

std::int32_t ExecStatusCommand(cCharaBase& receiver, const std::vector<std::int32_t>& p) {
  cSceneGame* scene = GameScene();
  if (scene == nullptr || p.size() < kStatusParamCount) return 0;
  const std::optional<std::int32_t> operand = StatusCommandOperand(receiver, p, *scene);
  if (!operand) return 0;
  std::int32_t v = *operand;
  const int op = P(p, 5);

  if (P(p, 0) == 1) {
    std::int32_t* x = VariableSlot(*scene, P(p, 1), P(p, 2));
    if (x == nullptr) return 0;
    if ((P(p, 14) & 0xFF) != 0) v = PercentOfRounded(*x, v);
    ApplyVarOp(x, v, op, kVarMin, kVarMax);
    return 0;
  }
  if (P(p, 0) != 0) return 0;

  const int subject = P(p, 3);
  if (subject == kSubjectSystem) {
    ApplySystem(*scene, p, v);
    return 0;
  }
  // A subject outside self, the four slots and the system names no object: nothing.
  cCharaBase* c = nullptr;
  if (subject == 0) c = &receiver;
  else if (IsSlotSubject(subject)) c = SlotObject(receiver, subject);
  if (c == nullptr) return 0;
  if (P(p, 17) != 0 && c->m_Def.m_nInvincible != 0) return 0;
  ApplyChara(*c, *scene, p, v);
  const int field = P(p, 4);
  // The receiver notices its own loss of HP when its flows end; another character's death
  // is looked for by the play state.
  if ((field == kStatusHp || field == kStatusMaxHp) && c != &receiver && c->m_nHp <= 0) scene->m_bKilled = 1;
  return 0;
}

std::int32_t cCharaBase::CmdStatus(cFlowCmd& cmd) { return ExecStatusCommand(*this, cmd.m_vParam); }
