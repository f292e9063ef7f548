#pragma once
// The broad phase of the group hits: a snapshot of one group's rectangles sorted by their
// left edge, which hands back the members whose rectangles may overlap a given one, in
// the order of the group's list. The hit passes then visit those members exactly as the
// nested walk over the whole group would have visited them, only without the members that
// cannot overlap.
//
// A snapshot holds list positions and rectangles as they were when it was built: the
// caller rebuilds it after anything that may have moved, added or erased members (flows
// that ran), and stops using its positions meanwhile.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <list>
#include <vector>

#include "objects/game_obj.h"

template <class T>
class cHitSnapshot {
 public:
  using Iter = typename std::list<T>::iterator;

  class cEntry {
   public:
    cDoubleRect m_rc;
    Iter m_it;
    std::uint32_t m_nSeq = 0;  // position in the list
    bool m_bDead = false;      // erased since the snapshot was built
  };

  // rectOf(T&) gives the rectangle to compare. Rectangles with a NaN edge never overlap
  // anything (every comparison fails) and are left out. Reuses its storage: nothing is
  // allocated once the group has been this large before.
  template <class RectOf>
  void Build(std::list<T>& list, RectOf rectOf) {
    m_vEntry.clear();
    m_dMaxWidth = 0;
    std::uint32_t seq = 0;
    for (auto it = list.begin(); it != list.end(); ++it, ++seq) {
      const cDoubleRect rc = rectOf(*it);
      if (std::isnan(rc.left) || std::isnan(rc.right) || std::isnan(rc.top) || std::isnan(rc.bottom)) continue;
      m_vEntry.push_back(cEntry{rc, it, seq, false});
      m_dMaxWidth = std::max(m_dMaxWidth, rc.right - rc.left);
    }
    std::sort(m_vEntry.begin(), m_vEntry.end(), [](const cEntry& a, const cEntry& b) {
      return a.m_rc.left < b.m_rc.left || (a.m_rc.left == b.m_rc.left && a.m_nSeq < b.m_nSeq);
    });
    m_bValid = true;
  }

  // The live entries whose rectangles overlap rc (edges inclusive), in list order.
  void Query(const cDoubleRect& rc, std::vector<cEntry*>& out) {
    out.clear();
    const double from = rc.left - m_dMaxWidth;
    auto it = std::lower_bound(m_vEntry.begin(), m_vEntry.end(), from,
                               [](const cEntry& e, double v) { return e.m_rc.left < v; });
    for (; it != m_vEntry.end() && it->m_rc.left <= rc.right; ++it) {
      if (!it->m_bDead && it->m_rc.IsOverlap(rc)) out.push_back(&*it);
    }
    std::sort(out.begin(), out.end(), [](const cEntry* a, const cEntry* b) { return a->m_nSeq < b->m_nSeq; });
  }

  void Invalidate() { m_bValid = false; }
  [[nodiscard]] bool IsValid() const { return m_bValid; }

 private:
  std::vector<cEntry> m_vEntry;  // sorted by left edge
  double m_dMaxWidth = 0;
  bool m_bValid = false;
};
