#include "stage/chara_index.h"

#include <algorithm>

#include "objects/chara.h"

bool cCharaIndex::IsCurrent(const std::list<cChara>& list) {
  if (s_pList != &list) return false;
  if (s_nListSize != list.size()) Rebuild();
  return true;
}

const std::vector<cChara*>* cCharaIndex::BlockCharas(const std::list<cChara>& list) {
  return IsCurrent(list) ? &s_vBlock : nullptr;
}

bool cCharaIndex::FindById(const std::list<cChara>& list, std::int32_t nId, cChara** ppFound) {
  if (!IsCurrent(list)) return false;
  if (!s_bById) {
    s_vById.clear();
    for (cChara& c : *s_pList) s_vById.emplace_back(c.m_nObjId, &c);
    // Stable: should two characters share an id, the first in the list is found, as a
    // walk would find it.
    std::stable_sort(s_vById.begin(), s_vById.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    s_bById = true;
  }
  const auto found = std::lower_bound(s_vById.begin(), s_vById.end(), nId,
                                      [](const auto& entry, std::int32_t id) { return entry.first < id; });
  *ppFound = found != s_vById.end() && found->first == nId ? found->second : nullptr;
  return true;
}

void cCharaIndex::Erasing(const std::list<cChara>& list, const cChara& chara) {
  if (s_pList != &list) return;
  // Characters added meanwhile are not in the indices yet: the count then stays off and
  // the next lookup rebuilds them.
  --s_nListSize;
  if (const auto found = std::find(s_vBlock.begin(), s_vBlock.end(), &chara); found != s_vBlock.end())
    s_vBlock.erase(found);
  if (s_bById) {
    const auto found = std::find_if(s_vById.begin(), s_vById.end(), [&](const auto& e) { return e.second == &chara; });
    if (found != s_vById.end()) s_vById.erase(found);
  }
}

void cCharaIndex::Rebuild() {
  s_vBlock.clear();
  for (cChara& c : *s_pList) {
    if (c.m_Def.m_bBlockChara != 0) s_vBlock.push_back(&c);
  }
  s_bById = false;
  s_nListSize = s_pList->size();
}

cCharaIndexScope::cCharaIndexScope(std::list<cChara>& list) : m_pOuter(cCharaIndex::s_pList) {
  cCharaIndex::s_pList = &list;
  cCharaIndex::Rebuild();
}

cCharaIndexScope::~cCharaIndexScope() {
  cCharaIndex::s_pList = m_pOuter;
  if (m_pOuter != nullptr) cCharaIndex::Rebuild();
}
