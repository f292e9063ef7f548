#include "flow/chara_search.h"

#include <cstdlib>

#include "app/checked_access.h"
#include "data/stage/stage_data.h"
#include "objects/chara_base.h"

namespace {

bool PassesVarTest(std::int32_t variable, std::int32_t value, std::int32_t op) {
  // 64 bits: the magnitude of the smallest int and a divisor of -1 stay defined.
  const std::int64_t magnitude = std::llabs(static_cast<std::int64_t>(variable));
  switch (op) {
    case 0: return variable == value;
    case 1: return variable != value;
    case 2: return variable >= value;
    case 3: return variable <= value;
    case 4: return variable > value;
    case 5: return variable < value;
    case 6: return value == 0 || magnitude % value == 0;
    case 7: return value != 0 && magnitude % value != 0;
    default: return false;
  }
}

}  // namespace

bool PassesCharaFilter(const cCharaBase& c, const sCharaFilter& filter) {
  if (filter.bById != 0 && c.m_Def.m_nCharaId != filter.nId) return false;
  if (filter.bExcludeSelf != 0 && c.m_nObjId == filter.nSelfId) return false;
  if (filter.bExcludeInvincible1 != 0 && c.m_Def.m_nInvincible == 1) return false;
  if (filter.bExcludeInvincible2 != 0 && c.m_Def.m_nInvincible == 2) return false;
  if (filter.bExcludeBlockChara != 0 && c.m_Def.m_bBlockChara != 0) return false;
  if (filter.bByVar != 0 && !PassesVarTest(CheckedAt(c.m_vCharaVar, filter.nVarIndex), filter.nValue, filter.nOp)) {
    return false;
  }
  return true;
}

namespace {

// Group lists hold the players and the stage characters, all of them characters.
const cCharaBase& AsChara(const cGameObj* obj) { return *static_cast<const cCharaBase*>(obj); }
cCharaBase* AsCharaPtr(cGameObj* obj) { return static_cast<cCharaBase*>(obj); }

double CellCentreX(const cGameObj& obj) { return obj.m_rcScreen.left + (obj.m_nCellW >> 1); }
double CellCentreY(const cGameObj& obj) { return obj.m_rcScreen.top + (obj.m_nCellH >> 1); }

// One pass over the list; `onScreen` -1 takes both, 0 and 1 only that state.
template <class Range>
cCharaBase* NearestPass(double x, double y, const Range& list, int onScreen, const sCharaFilter& filter) {
  cCharaBase* best = nullptr;
  double bestDist = 0;
  for (cGameObj* obj : list) {
    if (obj == nullptr) continue;
    const cCharaBase& c = AsChara(obj);
    if (c.m_bActive == 0 || c.m_bDying != 0) continue;
    if (onScreen >= 0 && (c.m_bOnScreen != 0 ? 1 : 0) != onScreen) continue;
    if (!PassesCharaFilter(c, filter)) continue;
    const double dist = std::abs(CellCentreX(c) - x) + std::abs(CellCentreY(c) - y);
    if (best == nullptr || dist < bestDist) {
      best = AsCharaPtr(obj);
      bestDist = dist;
    }
  }
  return best;
}

template <class Range>
cCharaBase* NearestByMode(double x, double y, const Range& list, std::int32_t nMode, const sCharaFilter& filter) {
  switch (nMode) {
    case kSearchScreenFirst: {
      cCharaBase* onScreen = NearestPass(x, y, list, 1, filter);
      return onScreen != nullptr ? onScreen : NearestPass(x, y, list, 0, filter);
    }
    case kSearchAll: return NearestPass(x, y, list, -1, filter);
    case kSearchOnScreen: return NearestPass(x, y, list, 1, filter);
    default: return nullptr;
  }
}

}  // namespace

cCharaBase* FindCharaByDistance(double x, double y, const std::list<cGameObj*>& list, std::int32_t nMode,
                                const sCharaFilter& filter) {
  return NearestByMode(x, y, list, nMode, filter);
}

cCharaBase* FindCharaByDistance(double x, double y, std::span<cGameObj* const> list, std::int32_t nMode,
                                const sCharaFilter& filter) {
  return NearestByMode(x, y, list, nMode, filter);
}

cCharaBase* FindNearestChara(double x, double y, const std::list<cGameObj*>& list) {
  sCharaFilter filter;
  filter.bExcludeInvincible2 = 1;
  const std::int32_t mode = g_StageData.m_bGroupHitOption != 0 ? kSearchOnScreen : kSearchScreenFirst;
  return FindCharaByDistance(x, y, list, mode, filter);
}

cCharaBase* FindNearestCharaFrom(const cGameObj& self, const std::list<cGameObj*>& list) {
  return FindNearestChara(CellCentreX(self), CellCentreY(self), list);
}

cCharaBase* FindCharaByVar(const std::list<cGameObj*>& list, const sCharaFilter& filter) {
  for (cGameObj* obj : list) {
    if (obj == nullptr) continue;
    const cCharaBase& c = AsChara(obj);
    if (c.m_bDying == 0 && PassesCharaFilter(c, filter)) return AsCharaPtr(obj);
  }
  return nullptr;
}

cCharaBase* FindCharaById(const std::vector<cObjLink>& links, std::int32_t nSlot, std::int32_t nLayer,
                          std::int32_t bAnyLayer, const sCharaFilter& filter) {
  for (auto it = links.rbegin(); it != links.rend(); ++it) {
    if (it->m_nSlot != nSlot || it->m_pObj == nullptr) continue;
    const cCharaBase& c = AsChara(it->m_pObj);
    if (bAnyLayer == 0 && c.m_nLayer != nLayer) continue;
    if (PassesCharaFilter(c, filter)) return AsCharaPtr(it->m_pObj);
  }
  return nullptr;
}
