#pragma once
// Indices over the character list kept while a physics sub-step runs: its block
// characters in list order, and its characters by object id. Every moving character is
// resolved against the block characters each sub-step, and swords and links look
// characters up by id; walking the whole list for each would make a sub-step cost grow
// with the square of the characters.
//
// The play step opens a cCharaIndexScope around its passes. Erasing a character removes
// it from the indices (EraseCharaNode calls Erasing); characters added meanwhile
// (summons) make the list longer than the indices know, and the next lookup rebuilds
// them. Outside a scope, or for another list, there is no index and callers walk the
// list.
#include <cstddef>
#include <cstdint>
#include <list>
#include <utility>
#include <vector>

class cChara;

class cCharaIndex {
 public:
  // The block characters of `list`, or null when there is no index for it.
  static const std::vector<cChara*>* BlockCharas(const std::list<cChara>& list);
  // Whether `list` is indexed; then *ppFound is its character with that id, or null.
  static bool FindById(const std::list<cChara>& list, std::int32_t nId, cChara** ppFound);
  // To be called before a character of `list` is erased.
  static void Erasing(const std::list<cChara>& list, const cChara& chara);

 private:
  friend class cCharaIndexScope;
  static void Rebuild();
  static bool IsCurrent(const std::list<cChara>& list);

  static inline std::list<cChara>* s_pList = nullptr;
  static inline std::vector<cChara*> s_vBlock;
  static inline std::vector<std::pair<std::int32_t, cChara*>> s_vById;  // sorted by id
  static inline bool s_bById = false;         // s_vById has been built for the list
  static inline std::size_t s_nListSize = 0;  // the list's length the indices account for
};

class cCharaIndexScope {
 public:
  explicit cCharaIndexScope(std::list<cChara>& list);
  ~cCharaIndexScope();
  cCharaIndexScope(const cCharaIndexScope&) = delete;
  cCharaIndexScope& operator=(const cCharaIndexScope&) = delete;

 private:
  std::list<cChara>* m_pOuter;
};
