#include "data/flow/flow_equality.h"

#include <algorithm>
#include <cstddef>

namespace {

template <typename T, typename Same>
bool SameLists(const std::vector<T>& a, const std::vector<T>& b, Same same) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), same);
}

bool SameRecords(const cDataRecord& a, const cDataRecord& b) { return a.SameMembersAs(b); }

bool SameKeyConds(const cKeyCond& a, const cKeyCond& b) { return a.SameMembersAs(b) && a.m_vKey == b.m_vKey; }

// Two holders of a block: both empty, or both holding blocks that `same` finds equal.
template <typename Holder, typename Same>
bool SameBlocks(const Holder& a, const Holder& b, Same same) {
  if (!a || !b) return !a && !b;
  return a.get() == b.get() || same(*a, *b);
}

bool SameCondLists(const cCondList& a, const cCondList& b) {
  return a.SameMembersAs(b) && SameLists(a.m_vCond, b.m_vCond, SameRecords);
}

bool SameFlow(const cFlow& a, const cFlow& b);

bool SameFlowCmd(const cFlowCmd& a, const cFlowCmd& b) {
  return a.SameMembersAs(b) && a.m_vParam == b.m_vParam && SameBlocks(a.m_pMove, b.m_pMove, SameRecords) &&
         SameBlocks(a.m_pShot, b.m_pShot, SameRecords) && SameBlocks(a.m_pCond, b.m_pCond, SameCondLists) &&
         SameLists(a.m_vFlow, b.m_vFlow, SameFlow);
}

bool SameFlow(const cFlow& a, const cFlow& b) {
  return a.SameMembersAs(b) && SameLists(a.m_vCond, b.m_vCond, SameRecords) &&
         SameLists(a.m_vKeyCond, b.m_vKeyCond, SameKeyConds) && SameLists(a.m_vCmd, b.m_vCmd, SameFlowCmd);
}

}  // namespace

bool SameFlows(const std::vector<cFlow>& a, const std::vector<cFlow>& b) { return SameLists(a, b, SameFlow); }

bool SameFlowCmds(const std::vector<cFlowCmd>& a, const std::vector<cFlowCmd>& b) {
  return SameLists(a, b, SameFlowCmd);
}
