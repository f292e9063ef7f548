#pragma once
// The block characters of the character list, in list order, kept while a physics
// sub-step runs. Every moving character is resolved against the block characters each
// sub-step; finding them by walking the whole character list would make a sub-step cost
// grow with the square of the characters.
//
// The play step opens a cBlockCharaScope around its passes. Erasing a character removes
// it from the index (EraseCharaNode calls Erasing); characters added meanwhile (summons)
// make the list longer than the index knows, and the next lookup rebuilds it. Outside a
// scope, or for another list, there is no index and callers walk the list.
#include <cstddef>
#include <list>
#include <vector>

class cChara;

class cBlockCharaIndex {
 public:
  // The block characters of `list`, or null when there is no index for it.
  static const std::vector<cChara*>* For(const std::list<cChara>& list);
  // To be called before a character of `list` is erased.
  static void Erasing(const std::list<cChara>& list, const cChara& chara);

 private:
  friend class cBlockCharaScope;
  static void Rebuild();

  static inline std::list<cChara>* s_pList = nullptr;
  static inline std::vector<cChara*> s_vBlock;
  static inline std::size_t s_nListSize = 0;  // the list's length the index accounts for
};

class cBlockCharaScope {
 public:
  explicit cBlockCharaScope(std::list<cChara>& list);
  ~cBlockCharaScope();
  cBlockCharaScope(const cBlockCharaScope&) = delete;
  cBlockCharaScope& operator=(const cBlockCharaScope&) = delete;

 private:
  std::list<cChara>* m_pOuter;
};
