#pragma once
// Searches for a character: the nearest one to a point, the first one of a list that
// passes a set of filters, and the most recent child found through a character's
// back-links. The set-target command chooses its targets with them; aiming and homing
// shots look for the nearest character.
#include <cstdint>
#include <list>
#include <span>
#include <vector>

class cCharaBase;
class cGameObj;
class cObjLink;

// The filters every search shares, in the order the commands pass them.
struct sCharaFilter {
  std::int32_t bById = 0;          // only characters with this chara ID
  std::int32_t nId = 0;
  std::int32_t bByVar = 0;         // only characters whose variable passes the comparison
  std::int32_t nVarIndex = 0;
  std::int32_t nValue = 0;
  std::int32_t nOp = 0;            // 0 =, 1 !=, 2 >=, 3 <=, 4 >, 5 <, 6 multiple of, 7 not a multiple of
  std::int32_t bExcludeSelf = 0;   // not the object whose id is nSelfId
  std::int32_t bExcludeInvincible1 = 0;
  std::int32_t bExcludeInvincible2 = 0;
  std::int32_t bExcludeBlockChara = 0;
  std::int32_t nSelfId = 0;
};

// Range of the nearest search: on-screen characters first, then the others; all active
// characters; on-screen characters only.
constexpr std::int32_t kSearchScreenFirst = 0;
constexpr std::int32_t kSearchAll = 1;
constexpr std::int32_t kSearchOnScreen = 2;

// 1 when `c` passes the filters (its variable read through the guarded access).
[[nodiscard]] bool PassesCharaFilter(const cCharaBase& c, const sCharaFilter& filter);

// The character of `list` (group lists hold characters only) nearest to (x, y) by the
// sum of the axis distances of its sprite-cell centre on screen; the first of equal
// distances wins. Dying characters never qualify. Null when none does.
cCharaBase* FindCharaByDistance(double x, double y, const std::list<cGameObj*>& list, std::int32_t nMode,
                                const sCharaFilter& filter);
// The same over a few candidates held in place (the winners of the group lists).
cCharaBase* FindCharaByDistance(double x, double y, std::span<cGameObj* const> list, std::int32_t nMode,
                                const sCharaFilter& filter);
// The nearest character that shots do not pass through, on screen only when the stage
// limits hits to the screen.
cCharaBase* FindNearestChara(double x, double y, const std::list<cGameObj*>& list);
// FindNearestChara from the centre of `self`'s sprite cell on screen.
cCharaBase* FindNearestCharaFrom(const cGameObj& self, const std::list<cGameObj*>& list);
// The first character of `list`, in order, that is not dying and passes the filters.
cCharaBase* FindCharaByVar(const std::list<cGameObj*>& list, const sCharaFilter& filter);
// Walks back-links from the last to the first: the first character linked through
// `nSlot`, of group `nLayer` unless `bAnyLayer`, that passes the filters.
cCharaBase* FindCharaById(const std::vector<cObjLink>& links, std::int32_t nSlot, std::int32_t nLayer,
                          std::int32_t bAnyLayer, const sCharaFilter& filter);
