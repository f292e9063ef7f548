#pragma once
// A walk over one of the stage's object lists (characters, group lists, items, shots)
// that survives the erasure of the element it stands on.
//
// Flows run in the middle of the play step's walks: a died flow, an item's commands, a
// modal pause whose drawing erases characters whose defeat has ended. Any of them may
// erase elements of the list being walked. Code that erases an element of a walked list
// calls cListWalk<T>::Erasing first; every walk standing on that element then moves to
// its successor and reports Gone(), so the walker knows its element is no more and does
// not step again.
//
// The visit rule: an element appended while a walk runs is visited later in the same
// walk (std::list keeps every other iterator valid, and the walk reaches the new tail).
// An element erased before the walk reaches it is not visited.
//
// Walks live on the game thread's stack and nest; the modal sub-loops run while the game
// thread waits for them, so the registry is never touched by two threads at once.
#include <list>

template <class T>
class cListWalk {
 public:
  using Iter = typename std::list<T>::iterator;

  explicit cListWalk(std::list<T>& list) : cListWalk(list, list.begin()) {}
  cListWalk(std::list<T>& list, Iter start) : m_pList(&list), m_it(start), m_pNext(s_pHead) { s_pHead = this; }
  cListWalk(const cListWalk&) = delete;
  cListWalk& operator=(const cListWalk&) = delete;
  ~cListWalk() {
    for (cListWalk** link = &s_pHead; *link != nullptr; link = &(*link)->m_pNext) {
      if (*link == this) {
        *link = m_pNext;
        break;
      }
    }
  }

  [[nodiscard]] bool AtEnd() const { return m_it == m_pList->end(); }
  [[nodiscard]] T& Current() const { return *m_it; }
  [[nodiscard]] Iter Position() const { return m_it; }
  // The element the walk stood on has been erased; the walk already stands on its
  // successor.
  [[nodiscard]] bool Gone() const { return m_bGone; }
  void Next() {
    if (m_bGone)
      m_bGone = false;
    else
      ++m_it;
  }

  // To be called before `node` of `list` is erased.
  static void Erasing(const std::list<T>& list, Iter node) {
    for (cListWalk* walk = s_pHead; walk != nullptr; walk = walk->m_pNext) {
      if (walk->m_pList == &list && walk->m_it == node) {
        ++walk->m_it;
        walk->m_bGone = true;
      }
    }
  }

 private:
  std::list<T>* m_pList;
  Iter m_it;
  bool m_bGone = false;
  cListWalk* m_pNext;
  inline static cListWalk* s_pHead = nullptr;
};
