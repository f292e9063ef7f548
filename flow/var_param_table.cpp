#include "flow/var_param_table.h"

#include <cstddef>

#include "data/flow/flow_command.h"
#include "data/flow/flow_command_kinds.h"
#include "data/flow/movement_block.h"
#include "data/flow/shot_block.h"

std::vector<std::vector<VARPARAMDESC>> g_VarParamTable;

namespace {

constexpr std::int32_t kFromPatternTable = 2147483647;  // the formation or trajectory table decides

// Where a parameter lives: a member of the movement block, of the shot block (8, 16 or
// 32 bits, or one of the formation and trajectory value arrays), or an entry of the
// command's parameter list.
struct sParamSlot {
  std::int16_t cEdMove::*m_pMove16 = nullptr;
  std::int8_t cEdShot::*m_pShot8 = nullptr;
  std::int16_t cEdShot::*m_pShot16 = nullptr;
  std::int32_t cEdShot::*m_pShot32 = nullptr;
  int m_nFormParam = -1;
  int m_nTrajParam = -1;
  int m_nParam = -1;
};

sParamSlot M16(std::int16_t cEdMove::*p) { sParamSlot s; s.m_pMove16 = p; return s; }
sParamSlot S8(std::int8_t cEdShot::*p) { sParamSlot s; s.m_pShot8 = p; return s; }
sParamSlot S16(std::int16_t cEdShot::*p) { sParamSlot s; s.m_pShot16 = p; return s; }
sParamSlot S32(std::int32_t cEdShot::*p) { sParamSlot s; s.m_pShot32 = p; return s; }
sParamSlot Form(int n) { sParamSlot s; s.m_nFormParam = n; return s; }
sParamSlot Traj(int n) { sParamSlot s; s.m_nTrajParam = n; return s; }
sParamSlot VarSlot(int i) { sParamSlot s; s.m_nParam = i; return s; }

struct sParamEntry {
  const char* m_lpName;
  std::int32_t m_nMin;
  std::int32_t m_nMax;
  sParamSlot m_Slot;
};

using EntryList = std::vector<sParamEntry>;

const EntryList& MoveTargetEntries() {
  static const EntryList list = {
      {"目標X(bl)", -640, 640, M16(&cEdMove::m_nTargetXbl)},
      {"目標X(dot)", -640, 640, M16(&cEdMove::m_nTargetXdot)},
      {"目標Y(bl)", -640, 640, M16(&cEdMove::m_nTargetYbl)},
      {"目標Y(dot)", -640, 640, M16(&cEdMove::m_nTargetYdot)},
      {"角度", -7200, 7200, M16(&cEdMove::m_nAngle)},
      {"分身値による増加角度", -7200, 7200, M16(&cEdMove::m_nAngleStep)},
  };
  return list;
}

const EntryList& EntriesOf(int kind) {
  static const EntryList none;
  static const EntryList homing = {
      {"誘導性能の悪さ", 0, 10, M16(&cEdMove::m_nHoming)},
      {"分身値による増加誘導性能の悪さ", 0, 10, M16(&cEdMove::m_nHomingStep)},
      {"目標X(bl)", -640, 640, M16(&cEdMove::m_nTargetXbl)},
      {"目標X(dot)", -640, 640, M16(&cEdMove::m_nTargetXdot)},
      {"目標Y(bl)", -640, 640, M16(&cEdMove::m_nTargetYbl)},
      {"目標Y(dot)", -640, 640, M16(&cEdMove::m_nTargetYdot)},
  };
  static const EntryList shot = {
      {"グラフィック", 1, 120, S16(&cEdShot::m_nGraphic)},
      {"Z座標", 0, 7, S8(&cEdShot::m_nZ)},
      {"フォーメーション固有1", 0, kFromPatternTable, Form(0)},
      {"フォーメーション固有2", 0, kFromPatternTable, Form(1)},
      {"フォーメーション固有3", 0, kFromPatternTable, Form(2)},
      {"発射数", 1, 127, S8(&cEdShot::m_nCount)},
      {"発射数に対する分身数", 0, 20, S8(&cEdShot::m_nCopies)},
      {"角度のズレ", -7200, 7200, S16(&cEdShot::m_nAngle)},
      {"分身値による角度のズレ", -7200, 7200, S16(&cEdShot::m_nAngleStep)},
      {"分散角度", 0, 180, S16(&cEdShot::m_nSpread)},
      {"発射位置のズレX(dot)", -640, 640, S16(&cEdShot::m_nOffsetX)},
      {"分身値による発射位置のズレX(dot)", -640, 640, S16(&cEdShot::m_nOffsetXStep)},
      {"発射位置のズレY(dot)", -640, 640, S16(&cEdShot::m_nOffsetY)},
      {"分身値による発射位置のズレY(dot)", -640, 640, S16(&cEdShot::m_nOffsetYStep)},
      {"勢力", 0, 7, S8(&cEdShot::m_nSide)},
      {"移動タイプ固有1", 0, kFromPatternTable, Traj(0)},
      {"移動タイプ固有2", 0, kFromPatternTable, Traj(1)},
      {"移動タイプ固有3", 0, kFromPatternTable, Traj(2)},
      {"速度", -200, 200, S16(&cEdShot::m_nSpeed)},
      {"分身値による増加速度", -200, 200, S16(&cEdShot::m_nSpeedStep)},
      {"加速度", -200, 200, S16(&cEdShot::m_nAccel)},
      {"分身値による増加加速度", -200, 200, S16(&cEdShot::m_nAccelStep)},
      {"飛距離(hbl)", 0, 64, S16(&cEdShot::m_nRange)},
      {"分身値による増加飛距離", -40, 40, S16(&cEdShot::m_nRangeStep)},
      {"存在時間(1/10s)", 1, 999, S16(&cEdShot::m_nLife)},
      {"分身値よる増加存在時間", -99, 99, S16(&cEdShot::m_nLifeStep)},
      {"消滅値", 1, 9, S8(&cEdShot::m_nVanish)},
      {"威力", -999999, 999999, S32(&cEdShot::m_nPower)},
      {"衝撃", -20, 20, S8(&cEdShot::m_nImpact)},
  };
  static const EntryList sword = {
      {"勢力", 0, 7, S8(&cEdShot::m_nSide)},
      {"Z座標", 0, 7, S8(&cEdShot::m_nZ)},
      {"威力", -999999, 999999, S32(&cEdShot::m_nPower)},
      {"衝撃", -20, 20, S8(&cEdShot::m_nImpact)},
  };
  static const EntryList summonBlock = {
      {"フォーメーション固有1", 0, kFromPatternTable, Form(0)},
      {"フォーメーション固有2", 0, kFromPatternTable, Form(1)},
      {"フォーメーション固有3", 0, kFromPatternTable, Form(2)},
      {"数", 1, 127, S8(&cEdShot::m_nCount)},
      {"召喚位置のズレX(dot)", -640, 640, S16(&cEdShot::m_nOffsetX)},
      {"召喚位置のズレY(dot)", -640, 640, S16(&cEdShot::m_nOffsetY)},
  };
  static const EntryList summonChara = {
      {"存在時間(1/10s)", 1, 9999, S16(&cEdShot::m_nRange)},
      {"勢力", 0, 7, S8(&cEdShot::m_nSide)},
      {"フォーメーション固有1", 0, kFromPatternTable, Form(0)},
      {"フォーメーション固有2", 0, kFromPatternTable, Form(1)},
      {"フォーメーション固有3", 0, kFromPatternTable, Form(2)},
      {"数", 1, 127, S8(&cEdShot::m_nCount)},
      {"召喚位置のズレX(dot)", -640, 640, S16(&cEdShot::m_nOffsetX)},
      {"召喚位置のズレY(dot)", -640, 640, S16(&cEdShot::m_nOffsetY)},
  };
  static const EntryList summonItem = {
      {"存在時間(1/10s)", 1, 9999, S16(&cEdShot::m_nRange)},
      {"フォーメーション固有1", 0, kFromPatternTable, Form(0)},
      {"フォーメーション固有2", 0, kFromPatternTable, Form(1)},
      {"フォーメーション固有3", 0, kFromPatternTable, Form(2)},
      {"数", 1, 127, S8(&cEdShot::m_nCount)},
      {"召喚位置のズレX(dot)", -640, 640, S16(&cEdShot::m_nOffsetX)},
      {"召喚位置のズレY(dot)", -640, 640, S16(&cEdShot::m_nOffsetY)},
  };
  static const EntryList stageClear = {
      {"次のステージの番号", 1, 99, VarSlot(1)},
      {"次のステージの初期位置X(bl)", 0, 999, VarSlot(6)},
      {"次のステージの初期位置Y(bl)", 0, 999, VarSlot(7)},
      {"クリア後のワールドマップの位置X", 0, 999, VarSlot(3)},
      {"クリア後のワールドマップの位置Y", 0, 999, VarSlot(4)},
  };
  static const EntryList message = {
      {"メッセージID", 0, 999, VarSlot(13)},
      {"座標X(bl)", 0, 20, VarSlot(1)},
      {"座標Y(bl)", 0, 15, VarSlot(2)},
      {"表示位置のズレX(dot)", -999, 999, VarSlot(3)},
      {"表示位置のズレY(dot)", -999, 999, VarSlot(4)},
  };
  static const EntryList warp = {
      {"距離(hbl)", 0, 64, M16(&cEdMove::m_nDist)},
      {"分身値による増加距離(hbl)", -40, 40, M16(&cEdMove::m_nDistStep)},
      {"目標X(bl)", -640, 640, M16(&cEdMove::m_nTargetXbl)},
      {"目標Y(bl)", -640, 640, M16(&cEdMove::m_nTargetYbl)},
      {"目標Xのズレ(dot)", -640, 640, M16(&cEdMove::m_nTargetXdot)},
      {"目標Yのズレ(dot)", -640, 640, M16(&cEdMove::m_nTargetYdot)},
  };
  static const EntryList setTarget = {
      {"対象勢力", 0, 7, VarSlot(2)},
      {"対象キャラID", 0, 99, VarSlot(10)},
      {"キャラ変数と比較する数値", -999999, 999999, VarSlot(13)},
  };
  static const EntryList status = {
      {"乱数の最小値", -999999, 999999, VarSlot(8)},
      {"乱数の最大値", -999999, 999999, VarSlot(9)},
  };
  static const EntryList vanish = {{"対象勢力", 0, 7, VarSlot(1)}};
  static const EntryList changeGraphic = {
      {"グラフィック", 1, 119, VarSlot(1)},
      {"ズレ", -999, 999, VarSlot(2)},
  };
  static const EntryList effect = {
      {"座標X(bl)", 0, 511, VarSlot(2)},
      {"座標Y(bl)", 0, 511, VarSlot(3)},
      {"表示位置のズレX(dot)", -999, 999, VarSlot(4)},
      {"表示位置のズレY(dot)", -999, 999, VarSlot(5)},
      {"表示倍率(%)", 1, 1000, VarSlot(6)},
  };
  static const EntryList picture = {
      {"ピクチャーID", 0, 999, VarSlot(13)},
      {"座標X(bl)", 0, 511, VarSlot(2)},
      {"座標Y(bl)", 0, 511, VarSlot(3)},
      {"表示位置のズレX(dot)", -999, 999, VarSlot(4)},
      {"表示位置のズレY(dot)", -999, 999, VarSlot(5)},
      {"表示倍率(%)", 1, 1000, VarSlot(7)},
  };
  static const EntryList screenColor = {
      {"R", 0, 255, VarSlot(0)},
      {"G", 0, 255, VarSlot(1)},
      {"B", 0, 255, VarSlot(2)},
      {"%", 0, 100, VarSlot(3)},
  };
  static const EntryList changeBack = {{"背景番号", 1, 8, VarSlot(0)}};

  switch (kind) {
    case FLOWCMD_MOVE_STRAIGHT: case FLOWCMD_MOVE_CHARGE: return MoveTargetEntries();
    case FLOWCMD_MOVE_HOMING: return homing;
    case FLOWCMD_SHOT: return shot;
    case FLOWCMD_SWORD: return sword;
    case FLOWCMD_SUMMON_BLOCK: return summonBlock;
    case FLOWCMD_SUMMON_CHARA: return summonChara;
    case FLOWCMD_SUMMON_ITEM: return summonItem;
    case FLOWCMD_STAGE_CLEAR: return stageClear;
    case FLOWCMD_MESSAGE: return message;
    case FLOWCMD_WARP: return warp;
    case FLOWCMD_SET_TARGET: return setTarget;
    case FLOWCMD_STATUS: return status;
    case FLOWCMD_VANISH: return vanish;
    case FLOWCMD_CHANGE_GRAPHIC: return changeGraphic;
    case FLOWCMD_EFFECT: return effect;
    case FLOWCMD_PICTURE: return picture;
    case FLOWCMD_SCREEN_COLOR: return screenColor;
    case FLOWCMD_CHANGE_BACK: return changeBack;
    default: return none;
  }
}

const sParamSlot* SlotOf(int kind, int param) {
  const EntryList& list = EntriesOf(kind);
  if (param < 0 || static_cast<std::size_t>(param) >= list.size()) return nullptr;
  return &list[static_cast<std::size_t>(param)].m_Slot;
}

// A command without the block a parameter lives in, or with a short parameter list
// (damaged data), has nothing to read or write.
bool Read(const sParamSlot& s, const cFlowCmd& cmd, std::int32_t* out) {
  if (s.m_nParam >= 0) {
    if (static_cast<std::size_t>(s.m_nParam) >= cmd.m_vParam.size()) return false;
    *out = cmd.m_vParam[static_cast<std::size_t>(s.m_nParam)];
    return true;
  }
  if (s.m_pMove16 != nullptr) {
    const cEdMove* mv = cmd.m_pMove.get();
    if (mv == nullptr) return false;
    *out = mv->*s.m_pMove16;
    return true;
  }
  const cEdShot* sh = cmd.m_pShot.get();
  if (sh == nullptr) return false;
  if (s.m_pShot8 != nullptr) *out = sh->*s.m_pShot8;
  else if (s.m_pShot16 != nullptr) *out = sh->*s.m_pShot16;
  else if (s.m_pShot32 != nullptr) *out = sh->*s.m_pShot32;
  else if (s.m_nFormParam >= 0) *out = sh->m_nFormParam[s.m_nFormParam];
  else *out = sh->m_nTrajParam[s.m_nTrajParam];
  return true;
}

// Narrowing keeps the low bits, as the stored member always did.
std::int8_t VarParamTableTo8(std::int32_t v) { return static_cast<std::int8_t>(static_cast<std::uint8_t>(static_cast<std::uint32_t>(v))); }
std::int16_t VarParamTableTo16(std::int32_t v) { return static_cast<std::int16_t>(static_cast<std::uint16_t>(static_cast<std::uint32_t>(v))); }

void Write(const sParamSlot& s, cFlowCmd& cmd, std::int32_t v) {
  if (s.m_nParam >= 0) {
    if (static_cast<std::size_t>(s.m_nParam) < cmd.m_vParam.size()) cmd.m_vParam[static_cast<std::size_t>(s.m_nParam)] = v;
    return;
  }
  if (s.m_pMove16 != nullptr) {
    if (cEdMove* mv = cmd.m_pMove.get(); mv != nullptr) mv->*s.m_pMove16 = VarParamTableTo16(v);
    return;
  }
  cEdShot* sh = cmd.m_pShot.get();
  if (sh == nullptr) return;
  if (s.m_pShot8 != nullptr) sh->*s.m_pShot8 = VarParamTableTo8(v);
  else if (s.m_pShot16 != nullptr) sh->*s.m_pShot16 = VarParamTableTo16(v);
  else if (s.m_pShot32 != nullptr) sh->*s.m_pShot32 = v;
  else if (s.m_nFormParam >= 0) sh->m_nFormParam[s.m_nFormParam] = VarParamTableTo16(v);
  else sh->m_nTrajParam[s.m_nTrajParam] = VarParamTableTo16(v);
}

template <int Kind>
bool GetParam(std::int32_t* out, int param, const cFlowCmd& cmd) {
  const sParamSlot* s = SlotOf(Kind, param);
  return s != nullptr && Read(*s, cmd, out);
}

template <int Kind>
void SetParam(std::int32_t value, int param, cFlowCmd& cmd) {
  if (const sParamSlot* s = SlotOf(Kind, param); s != nullptr) Write(*s, cmd, value);
}

// The ground-turn, circle and off-screen moves have accessors but nothing to set.
bool GetNothing(std::int32_t*, int, const cFlowCmd&) { return false; }
void SetNothing(std::int32_t, int, cFlowCmd&) {}

}  // namespace

const VarParamGetter g_VarParamGetters[40] = {
    nullptr, nullptr, &GetParam<2>, &GetNothing, &GetNothing, &GetParam<5>, &GetParam<6>, &GetNothing,
    nullptr, nullptr, nullptr, &GetParam<11>, &GetParam<12>, &GetParam<13>, &GetParam<14>, &GetParam<15>,
    nullptr, &GetParam<17>, nullptr, &GetParam<19>, &GetParam<20>, &GetParam<21>, &GetParam<22>, nullptr,
    &GetParam<24>, nullptr, &GetParam<26>, nullptr, nullptr, &GetParam<29>, nullptr, nullptr,
    &GetParam<32>, &GetParam<33>, &GetParam<34>, nullptr, nullptr, nullptr, nullptr, nullptr,
};

const VarParamSetter g_VarParamSetters[40] = {
    nullptr, nullptr, &SetParam<2>, &SetNothing, &SetNothing, &SetParam<5>, &SetParam<6>, &SetNothing,
    nullptr, nullptr, nullptr, &SetParam<11>, &SetParam<12>, &SetParam<13>, &SetParam<14>, &SetParam<15>,
    nullptr, &SetParam<17>, nullptr, &SetParam<19>, &SetParam<20>, &SetParam<21>, &SetParam<22>, nullptr,
    &SetParam<24>, nullptr, &SetParam<26>, nullptr, nullptr, &SetParam<29>, nullptr, nullptr,
    &SetParam<32>, &SetParam<33>, &SetParam<34>, nullptr, nullptr, nullptr, nullptr, nullptr,
};

void InitVarParamTable() {
  g_VarParamTable.assign(static_cast<std::size_t>(kFlowCmdKindCount), {});
  for (int kind = 0; kind < kFlowCmdKindCount; ++kind) {
    const EntryList& entries = EntriesOf(kind);
    std::vector<VARPARAMDESC>& list = g_VarParamTable[static_cast<std::size_t>(kind)];
    list.resize(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) list[i].Set(entries[i].m_lpName, entries[i].m_nMin, entries[i].m_nMax);
  }
}
