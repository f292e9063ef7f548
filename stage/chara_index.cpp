#include "stage/block_chara_index.h"

#include <algorithm>

#include "objects/chara.h"

const std::vector<cChara*>* cBlockCharaIndex::For(const std::list<cChara>& list) {
  if (s_pList != &list) return nullptr;
  if (s_nListSize != list.size()) Rebuild();
  return &s_vBlock;
}

void cBlockCharaIndex::Erasing(const std::list<cChara>& list, const cChara& chara) {
  if (s_pList != &list) return;
  // Characters added meanwhile are not in the index yet: the count then stays off and
  // the next lookup rebuilds it.
  --s_nListSize;
  const auto found = std::find(s_vBlock.begin(), s_vBlock.end(), &chara);
  if (found != s_vBlock.end()) s_vBlock.erase(found);
}

void cBlockCharaIndex::Rebuild() {
  s_vBlock.clear();
  for (cChara& c : *s_pList) {
    if (c.m_Def.m_bBlockChara != 0) s_vBlock.push_back(&c);
  }
  s_nListSize = s_pList->size();
}

cBlockCharaScope::cBlockCharaScope(std::list<cChara>& list) : m_pOuter(cBlockCharaIndex::s_pList) {
  cBlockCharaIndex::s_pList = &list;
  cBlockCharaIndex::Rebuild();
}

cBlockCharaScope::~cBlockCharaScope() {
  cBlockCharaIndex::s_pList = m_pOuter;
  if (m_pOuter != nullptr) cBlockCharaIndex::Rebuild();
}
