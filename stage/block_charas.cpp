// Block characters: characters that others stand on, ride, bump their heads on, and are
// pushed aside or crushed by. The block characters themselves are never moved here; they
// are the obstacles a moving character is resolved against, once per sub-step.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "app/report_log.h"
#include "data/flow/flow_enumerations.h"
#include "data/stage/stage_data.h"
#include "data/system/system_data.h"
#include "objects/chara.h"
#include "objects/player.h"
#include "stage/chara_index.h"
#include "stage/scene_game.h"
#include "stage/stage_world.h"

namespace {

constexpr int kUnembedSteps = 15;
constexpr double kUnembedStep = 0.1;
constexpr double kRideStrip = 5;  // dots under the feet in which a ridden character counts

bool PassesBlocks(const cCharaBase& c) { return c.m_bNoGravity != 0 && c.m_nBlockHit == 0; }

cDoubleRect BoxOf(const cGameObj& o) { return cDoubleRect{o.m_dX, o.m_dY, o.m_dRight, o.m_dBottom}; }

// A block character that takes part in the contacts of `self`.
bool IsCandidate(const cChara& o, const cCharaBase& self) {
  return o.m_Def.m_bBlockChara != 0 && o.m_bActive != 0 && o.m_bDying == 0 && o.m_nObjId != self.m_nObjId;
}

// Calls fn(o) for every candidate of `list` for `self`, in list order, until fn answers
// true. The sub-step's index of block characters spares the walk over the whole list.
template <class Fn>
void ForEachCandidate(std::list<cChara>& list, const cCharaBase& self, Fn fn) {
  if (const std::vector<cChara*>* index = cCharaIndex::BlockCharas(list); index != nullptr) {
    for (cChara* o : *index) {
      if (IsCandidate(*o, self) && fn(*o)) return;
    }
    return;
  }
  for (cChara& o : list) {
    if (IsCandidate(o, self) && fn(o)) return;
  }
}

// The block character of `list` with object id `id`, or null.
cChara* FindBlockCharaById(std::list<cChara>& list, std::int32_t id) {
  if (const std::vector<cChara*>* index = cCharaIndex::BlockCharas(list); index != nullptr) {
    for (cChara* o : *index) {
      if (o->m_nObjId == id) return o;
    }
    return nullptr;
  }
  for (cChara& o : list) {
    if (o.m_nObjId == id && o.m_Def.m_bBlockChara != 0) return &o;
  }
  return nullptr;
}

// The overlap extent of P with O on one axis ([p0, p1] against [o0, o1]), plus 1.
double Extent(double p0, double p1, double o0, double o1) {
  if (p1 >= o0 && o0 > p0) return p1 - o0 + 1;
  return o1 - p0 + 1;
}

// Overlap width and height of two boxes; both 0 when they do not overlap.
struct cOverlap {
  double w = 0;
  double h = 0;
};
cOverlap OverlapOf(const cDoubleRect& p, const cDoubleRect& o) {
  if (!p.IsOverlap(o)) return {};
  return {Extent(p.left, p.right, o.left, o.right), Extent(p.top, p.bottom, o.top, o.bottom)};
}

bool Meets(const cChara& o, double x1, double y1, double x2, double y2) { return o.IsInRect(x1, y1, x2, y2); }

// One side's candidate position: the first that wins keeps its character, ties keep the
// earlier one.
class cSideCandidate {
 public:
  // bLarger: the largest value wins (left, top); else the smallest (right, bottom).
  bool Offer(double dValue, cChara& who, bool bLarger) {
    if (m_pWho != nullptr && (bLarger ? dValue <= m_dValue : dValue >= m_dValue)) return false;
    m_dValue = dValue;
    m_pWho = &who;
    return true;
  }
  [[nodiscard]] bool Has() const { return m_pWho != nullptr; }

  double m_dValue = 0;
  cChara* m_pWho = nullptr;
};

struct cSolidCandidates {
  cSideCandidate left;
  cSideCandidate right;
  cSideCandidate top;
  cSideCandidate bottom;
};

// The hero's spring-jump flag belongs to the player object; a hero among the stage
// characters has none.
void ClearSpringJump(cCharaBase& chara) {
  if (chara.m_nKind != 0) return;
  if (auto* player = dynamic_cast<cPlayer*>(&chara); player != nullptr) player->m_bSpringJump = 0;
}

bool IsRiddenWhileRiding(const cCharaBase& chara, const cChara* who) {
  return chara.m_bRiding != 0 && who != nullptr && who->m_nObjId == chara.m_nRideOnId;
}

void SetX(cCharaBase& chara, double x) {
  chara.m_dX = x;
  chara.ConstrainX();
}

void SetY(cCharaBase& chara, double y) {
  chara.m_dY = y;
  chara.ConstrainY();
}

// Stopped by a character above: the jump is over, and the character moves with it.
void HitHead(cCharaBase& chara, const cChara& above) {
  chara.m_dCmdVy = 0;
  chara.m_bJumpHoldOver = chara.m_bJumping = chara.m_bJumpLock = 1;
  if (g_SystemData.m_bRuleSolidChara808 == 0) chara.m_dImpactVy = 0;
  chara.m_dVy = above.m_dVy;
}

// The first candidate reaching into the upper half of the box sideways pushes the
// character below itself.
cChara* PushBelow(cCharaBase& chara, std::list<cChara>& list, bool bMarkTop) {
  const double half = static_cast<double>(chara.m_nBoxH / 2);
  const cDoubleRect upper{chara.m_dX, chara.m_dY, chara.m_dRight, chara.m_dY + half};
  cChara* pusher = nullptr;
  ForEachCandidate(list, chara, [&](cChara& o) {
    if (OverlapOf(upper, BoxOf(o)).w == 0) return false;
    pusher = &o;
    return true;
  });
  if (pusher == nullptr) return nullptr;
  HitHead(chara, *pusher);
  SetY(chara, pusher->m_dBottom + 1);
  if (bMarkTop && pusher->m_dVy > 0) chara.m_bHitTop = 1;
  return pusher;
}

// A candidate of `list` other than the two ids overlaps the box.
std::int32_t IsSolidCharaAtBox(const cDoubleRect& box, std::int32_t nSelfId, std::int32_t nExcludedId,
                               std::list<cChara>& list) {
  const auto found = [&](const cChara& o) {
    return o.m_Def.m_bBlockChara != 0 && o.m_bActive != 0 && o.m_bDying == 0 && o.m_nObjId != nSelfId &&
           o.m_nObjId != nExcludedId && box.IsOverlap(BoxOf(o));
  };
  if (const std::vector<cChara*>* index = cCharaIndex::BlockCharas(list); index != nullptr) {
    return std::any_of(index->begin(), index->end(), [&](const cChara* o) { return found(*o); }) ? 1 : 0;
  }
  return std::any_of(list.begin(), list.end(), found) ? 1 : 0;
}

}  // namespace

std::int32_t cSceneGame::IsSolidCharaAt(cGameObj& obj, std::list<cChara>& list, std::int32_t nExcludedId) {
  return IsSolidCharaAtBox(BoxOf(obj), obj.m_nObjId, nExcludedId, list);
}

std::int32_t cSceneGame::IsSolidCharaInBox(cCharaBase& chara) {
  if (PassesBlocks(chara)) return 0;
  return IsSolidCharaAtBox(BoxOf(chara), chara.m_nObjId, chara.m_nObjId, g_listChara);
}

std::int32_t cSceneGame::IsRiddenCharaUnderFeet(cCharaBase& chara) {
  if (PassesBlocks(chara)) return 0;
  const cChara* ridden = FindBlockCharaById(g_listChara, chara.m_nRideOnId);
  if (ridden == nullptr || !IsCandidate(*ridden, chara)) return 0;
  return ridden->IsInRect(chara.m_dX, chara.m_dBottom, chara.m_dRight, chara.m_dBottom + kRideStrip) ? 1 : 0;
}

cChara* cSceneGame::FindSolidCharaUnderFeet(cCharaBase& chara) {
  if (PassesBlocks(chara)) return nullptr;
  cChara* found = nullptr;
  ForEachCandidate(g_listChara, chara, [&](cChara& o) {
    if (!o.IsInRect(chara.m_dX, chara.m_dBottom, chara.m_dRight, chara.m_dBottom + kRideStrip)) return false;
    found = &o;
    return true;
  });
  return found;
}

std::int32_t cSceneGame::IsEnclosedBySolidCharas(cCharaBase& chara, const cDoubleRect& entry) {
  if (PassesBlocks(chara)) return 0;
  const cDoubleRect now = BoxOf(chara);
  const auto covered = [&](double x, double y, double ex, double ey) {
    bool bCovered = false;
    ForEachCandidate(g_listChara, chara, [&](const cChara& o) {
      bCovered = o.IsInRect(x, y, x, y) || o.IsInRect(ex, ey, ex, ey);
      return bCovered;
    });
    return bCovered;
  };
  if (!covered(now.left, now.top, entry.left, entry.top)) return 0;
  if (!covered(now.right, now.top, entry.right, entry.top)) return 0;
  if (!covered(now.left, now.bottom - 1, entry.left, entry.bottom - 1)) return 0;
  if (!covered(now.right, now.bottom - 1, entry.right, entry.bottom - 1)) return 0;
  return 1;
}

void cSceneGame::ResolveSolidAxis(cCharaBase& chara, std::list<cChara>& list, std::int32_t bVertical) {
  if (PassesBlocks(chara)) return;
  cSolidCandidates cand;
  const double x = chara.m_dX;
  const double y = chara.m_dY;
  const double right = chara.m_dRight;
  const double bottom = chara.m_dBottom;
  ForEachCandidate(list, chara, [&](cChara& o) {
    if (OverlapOf(BoxOf(chara), BoxOf(o)).w == 0) return false;
    if (bVertical != 0) {
      if (Meets(o, x + 1, y, right - 1, y)) {
        chara.m_bHitTop = 1;
        cand.top.Offer(o.m_dBottom + 1, o, true);
      }
      if (Meets(o, x, bottom, right, bottom)) {
        chara.m_bHitBottom = 1;
        cand.bottom.Offer(o.m_dY - chara.m_nBoxH, o, false);
      }
    } else {
      if (Meets(o, x, y + 1, x, bottom - 1)) {
        chara.m_bHitLeft = 1;
        cand.left.Offer(o.m_dRight + 1, o, true);
      }
      if (Meets(o, right, y, right, bottom)) {
        chara.m_bHitRight = 1;
        cand.right.Offer(o.m_dX - chara.m_nBoxW, o, false);
      }
    }
    return false;
  });
  if (bVertical != 0) {
    if (cand.top.Has()) SetY(chara, cand.top.m_dValue);
    if (cand.bottom.Has()) SetY(chara, cand.bottom.m_dValue);
    return;
  }
  for (const cSideCandidate* side : {&cand.left, &cand.right}) {
    if (!side->Has()) continue;
    SetX(chara, side->m_dValue);
    if (!IsRiddenWhileRiding(chara, side->m_pWho)) chara.m_bCharaSideContact = 1;
  }
}

void cSceneGame::CarryRider(cCharaBase& rider, std::list<cChara>& list) {
  if (rider.m_bNoGravity != 0) return;
  cChara* carrier = FindBlockCharaById(list, rider.m_nRideOnId);
  if (carrier == nullptr) return;
  rider.m_dVx += carrier->m_dX - rider.m_rcContact.left;
  if (carrier->m_bNoGravity != 0 || carrier->m_bAirborne != 0) rider.m_dVy = carrier->m_dY - rider.m_rcContact.top;
  if (rider.m_nKind == 0) carrier->FireTriggerEx(FLOWTRIG_RIDDEN_BY_HERO, &rider, 0);
  carrier->FireTriggerEx(FLOWTRIG_RIDDEN_BY_CHARA, &rider, 0);
}

namespace {

std::int32_t HitCharaSolidFlying(cSceneGame& scene, cCharaBase& chara, std::list<cChara>& list) {
  cSolidCandidates cand;
  bool bContact = false;
  const double x = chara.m_dX;
  const double y = chara.m_dY;
  const double right = chara.m_dRight;
  const double bottom = chara.m_dBottom;
  ForEachCandidate(list, chara, [&](cChara& o) {
    const cOverlap ov = OverlapOf(BoxOf(chara), BoxOf(o));
    if (ov.w == 0) return false;
    bContact = true;
    if (ov.w <= ov.h) {
      if (Meets(o, x, y + 1, x, bottom - 1)) {
        chara.m_bHitLeft = 1;
        cand.left.Offer(o.m_dRight + 1, o, true);
      }
      if (Meets(o, right, y + 1, right, bottom - 1)) {
        chara.m_bHitRight = 1;
        cand.right.Offer(o.m_dX - chara.m_nBoxW, o, false);
      }
    } else {
      if (Meets(o, x + 1, y, right - 1, y)) {
        chara.m_bHitTop = 1;
        cand.top.Offer(o.m_dBottom + 1, o, true);
      }
      if (Meets(o, x + 1, bottom, right - 1, bottom)) {
        chara.m_bHitBottom = 1;
        cand.bottom.Offer(o.m_dY - chara.m_nBoxH, o, false);
      }
    }
    return false;
  });
  if (bContact) chara.FireTrigger(FLOWTRIG_HIT_BLOCK_CHARA);
  if (chara.m_nBlockHit == 2) return bContact ? STEP_DEFEAT : STEP_CONTINUE;

  // A block character moving away is not snapped to on that axis; the other axis is
  // resolved instead.
  if (cand.left.Has()) {
    chara.m_dCmdVx = 0;
    if (cand.left.m_pWho->m_dVx < 0 && chara.m_dVx >= 0) {
      chara.m_bHitLeft = 0;
      scene.ResolveSolidAxis(chara, list, 1);
    } else {
      SetX(chara, cand.left.m_dValue);
      chara.m_bCharaSideContact = 1;
    }
  }
  if (cand.right.Has()) {
    chara.m_dCmdVx = 0;
    if (cand.right.m_pWho->m_dVx > 0 && chara.m_dVx <= 0) {
      chara.m_bHitRight = 0;
      scene.ResolveSolidAxis(chara, list, 1);
    } else {
      SetX(chara, cand.right.m_dValue);
      chara.m_bCharaSideContact = 1;
    }
  }
  if (cand.top.Has()) {
    chara.m_dCmdVy = 0;
    if (cand.top.m_pWho->m_dVy < 0 && chara.m_dVy >= 0) {
      chara.m_bHitTop = 0;
      scene.ResolveSolidAxis(chara, list, 0);
    } else {
      SetY(chara, cand.top.m_dValue);
    }
  }
  if (cand.bottom.Has()) {
    chara.m_dCmdVy = 0;
    if (cand.bottom.m_pWho->m_dVy > 0 && chara.m_dVy <= 0) {
      chara.m_bHitBottom = 0;
      scene.ResolveSolidAxis(chara, list, 0);
    } else {
      SetY(chara, cand.bottom.m_dValue);
    }
  }
  return STEP_CONTINUE;
}

}  // namespace

std::int32_t cSceneGame::HitCharaSolid(cCharaBase& chara, std::list<cChara>& list) {
  if (PassesBlocks(chara)) return STEP_CONTINUE;
  if (chara.m_bNoGravity != 0) return HitCharaSolidFlying(*this, chara, list);

  const double n = g_StageData.m_dSubSteps;
  const cDoubleRect entry = BoxOf(chara);
  const double x = chara.m_dX;
  const double y = chara.m_dY;
  const double right = chara.m_dRight;
  const double bottom = chara.m_dBottom;
  const std::int32_t w = chara.m_nBoxW;
  const std::int32_t h = chara.m_nBoxH;
  const double upperBottom = y + static_cast<double>(h / 2);
  const cDoubleRect upper{x, y, right, upperBottom};
  const cDoubleRect saved = chara.m_rcSaved;
  const cDoubleRect column{saved.left, y, saved.right, bottom};
  const cDoubleRect feet{x + 1, bottom - static_cast<double>(h / 3), right - 1, bottom};

  cSolidCandidates cand;
  bool bContact = false;
  const auto offerBottom = [&](cChara& o) {
    if (!cand.bottom.Offer(o.m_dY - h, o, false)) return;
    chara.m_nRideOnId = o.m_nObjId;
    chara.m_rcContact = BoxOf(o);
  };
  const auto offerLeft = [&](cChara& o) {
    if (!Meets(o, x, y, x, upperBottom)) return false;
    chara.m_bHitLeft = 1;
    cand.left.Offer(o.m_dRight + 1.5, o, true);
    return true;
  };
  const auto offerRight = [&](cChara& o) {
    if (!Meets(o, right, y, right, upperBottom)) return false;
    chara.m_bHitRight = 1;
    cand.right.Offer(o.m_dX - w - 0.5, o, false);
    return true;
  };

  ForEachCandidate(list, chara, [&](cChara& o) {
    if (!entry.IsOverlap(BoxOf(o))) return false;
    bContact = true;
    const cOverlap ou = OverlapOf(upper, BoxOf(o));
    if (ou.w != 0) {
      const double w2 = OverlapOf(saved, BoxOf(o)).w;
      const double w3 = OverlapOf(column, o.m_rcSaved).w;
      if (chara.m_dVy > 2 / n && w3 != 0 && saved.top < o.m_rcSaved.top) {
        WriteECf("D Hit");
        if (o.m_dVy < 0) chara.m_bHitBottom = 1;
        offerBottom(o);
      } else if ((ou.w - ou.h > 0.4 / n && bottom > o.m_dBottom) || (w3 != 0 && saved.top > o.m_rcSaved.top && w2 == 0)) {
        if (o.m_dVy > 0) chara.m_bHitTop = 1;
        cand.top.Offer(o.m_dBottom + 1, o, true);
        if (chara.m_bRiding != 0 && chara.m_dVy < 0) chara.m_bHitBottom = 1;
      } else if (chara.m_dVx < 0) {
        if (!offerLeft(o)) offerRight(o);
      } else {
        if (!offerRight(o)) offerLeft(o);
      }
      return false;
    }
    const cOverlap ob = OverlapOf(entry, BoxOf(o));
    if (ob.h > ob.w) {
      if (Meets(o, right, y, right, bottom)) {
        chara.m_bHitRight = 1;
        cand.right.Offer(o.m_dX - w - 0.5, o, false);
      }
      if (Meets(o, x, y, x, bottom)) {
        chara.m_bHitLeft = 1;
        cand.left.Offer(o.m_dRight + 1.5, o, true);
      }
    } else if (Meets(o, feet.left, feet.top, feet.right, feet.bottom)) {
      if (o.m_dVy < 0) chara.m_bHitBottom = 1;
      offerBottom(o);
    }
    return false;
  });

  bool bLanded = false;
  bool bSkipSides = false;
  if (cand.top.Has() && !cand.bottom.Has()) {
    // A ceiling only.
    cChara& above = *cand.top.m_pWho;
    bool bIgnore = false;
    if (above.m_dVy < 0) {
      // The block cells are those of the current box: the test reads the current
      // corners, and the characters in the box from the candidate down.
      const cDoubleRect moved{chara.m_dX, cand.top.m_dValue, chara.m_dRight, chara.m_dBottom};
      bIgnore = chara.TouchesSolidBlock() ||
                IsSolidCharaAtBox(moved, chara.m_nObjId, above.m_nObjId, list) != 0;
    }
    if (!bIgnore) {
      HitHead(chara, above);
      SetY(chara, cand.top.m_dValue);
      HitBlockYAfterPush(chara);
    }
  } else if (cand.left.Has() && cand.right.Has() && !cand.bottom.Has()) {
    // Squeezed sideways in the air.
    PushBelow(chara, list, false);
    chara.m_bHitLeft = chara.m_bHitRight = 0;
    bSkipSides = true;
  } else if (cand.bottom.Has() && !(cand.left.Has() && cand.right.Has())) {
    // Landing on the carrier; pressed from both sides, the character does not land but is
    // crushed below, and the carrier is not ridden.
    cChara& carrier = *cand.bottom.m_pWho;
    // The block cells stay those of the current box (see above).
    if (carrier.m_dVy > 0 && chara.TouchesSolidBlockEx(0)) {
      chara.m_bRiding = 0;
    } else {
      chara.m_dCmdVy = 0;
      bLanded = true;
      if (chara.m_bRiding == 0) {
        chara.m_bRiding = 1;
        if (chara.m_nKind == 0) carrier.FireTriggerEx(FLOWTRIG_RIDDEN_BY_HERO, &chara, 0);
        carrier.FireTriggerEx(FLOWTRIG_RIDDEN_BY_CHARA, &chara, 0);
      }
      SetY(chara, cand.bottom.m_dValue);
      chara.m_dVy = 0;
      chara.m_nAirSteps = 0;
      chara.m_bJumpHoldOver = chara.m_bJumping = chara.m_bAirborne = chara.m_bImpactAir = 0;
      if (chara.m_nKind != 0) chara.m_bJumpLock = 0;
      ClearSpringJump(chara);
    }
  }

  if (!bSkipSides) {
    const double xAtEntry = chara.m_dX;
    bool bLeft = false;
    bool bRight = false;
    for (cSideCandidate* side : {&cand.left, &cand.right}) {
      if (!side->Has()) continue;
      chara.m_dCmdVx = 0;
      if (!IsRiddenWhileRiding(chara, side->m_pWho)) chara.m_bCharaSideContact = 1;
      SetX(chara, side->m_dValue);
      (side == &cand.left ? bLeft : bRight) = true;
    }
    if (bLeft && bRight && !cand.bottom.Has()) {
      SetX(chara, xAtEntry);
      if (PushBelow(chara, list, true) != nullptr) chara.m_bHitLeft = chara.m_bHitRight = 0;
    }
  }

  if (bContact) chara.FireTrigger(FLOWTRIG_HIT_BLOCK_CHARA);
  if (chara.m_bRiding != 0) {
    ClearSpringJump(chara);
    if (!bContact) chara.FireTrigger(FLOWTRIG_HIT_BLOCK_CHARA);
    chara.FireTrigger(FLOWTRIG_ON_BLOCK_CHARA);
  }

  if ((chara.m_bHitLeft != 0 && chara.m_bHitRight != 0) || (chara.m_bHitTop != 0 && chara.m_bHitBottom != 0) ||
      IsEnclosedBySolidCharas(chara, entry) != 0)
    return STEP_DEFEAT;

  // Back out of a wall the push drove the character into, at most 1.5 dots.
  const auto unembed = [&chara](std::int32_t bFlag, double dx, double dy) {
    if (bFlag == 0) return;
    for (int i = 0; i < kUnembedSteps && chara.TouchesSolidBlockEx(0); ++i) {
      if (dx != 0) SetX(chara, chara.m_dX + dx);
      if (dy != 0) SetY(chara, chara.m_dY + dy);
    }
  };
  unembed(chara.m_bHitLeft, -kUnembedStep, 0);
  unembed(chara.m_bHitRight, kUnembedStep, 0);
  unembed(chara.m_bHitTop, 0, -kUnembedStep);
  unembed(chara.m_bHitBottom, 0, kUnembedStep);

  if (chara.m_bRiding != 0 && !bLanded) {
    if (chara.m_dImpactVy < 0) {
      chara.OnCharaContact(1);
    } else if (IsRiddenCharaUnderFeet(chara) != 0) {
      if (const cChara* ridden = FindBlockCharaById(list, chara.m_nRideOnId); ridden != nullptr)
        chara.m_rcContact = BoxOf(*ridden);
      chara.m_nAirSteps = 0;
      chara.m_bImpactAir = 0;
    } else if (cChara* found = FindSolidCharaUnderFeet(chara); found != nullptr) {
      chara.m_nRideOnId = found->m_nObjId;
      chara.m_rcContact = BoxOf(*found);
      chara.m_nAirSteps = 0;
      chara.m_bImpactAir = 0;
    } else {
      chara.OnCharaContact(1);
    }
  }
  return STEP_CONTINUE;
}
