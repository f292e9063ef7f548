#pragma once
// A list that copies share until one of them changes it (copy on write).
//
// Palette entries take whole lists (conditions, flows, item commands) from the entry
// they inherit from. A stage can make thousands of placements inherit the same
// definition, and a definition can hold hundreds of flows: copying the list into every
// placement makes memory and loading time grow with the square of the file. Copies of a
// cSharedList therefore hold the same list; it is copied only when one holder asks to
// change it.
//
// Reading goes through the const members (Get, size, a const range-for ...). Every
// non-const access to the elements (Edit, non-const operator[], begin, push_back ...)
// first gives this holder a list of its own, so what it then changes is seen by no
// other holder. Code that changes state per character while a stage runs (a flow
// runtime that alters a command, say) does the same: it calls Edit on the character's
// own copy of the entry, which takes a private list at that moment and leaves the
// definition and every other placement as they were. Keep state that changes often
// beside the list (as the block cell keeps its latch) rather than in it.
//
// Holders may live on different threads (the stage loader shares lists of the common
// palette); the elements are never changed once shared.
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <utility>
#include <vector>

// The repairs that a shared list may need after it was read: those against the
// databases and those against the palette lists. A list that has had one of them in the
// current repair pass (cRepairPass) needs it no more in that pass.
enum class eListRepair : int { Database = 0, Palette = 1 };

// A stretch of code in which the databases and the palette list lengths do not change,
// so a repair that one holder of a shared list found needless is needless for all. The
// stage and palette readers and normalisers open one; outside any, every holder checks
// for itself. Passes are per thread.
class cRepairPass {
 public:
  cRepairPass();
  ~cRepairPass();
  cRepairPass(const cRepairPass&) = delete;
  cRepairPass& operator=(const cRepairPass&) = delete;

  // The pass open on this thread; 0 when none is.
  static std::uint64_t Current();

 private:
  std::uint64_t m_nOuter;
};

template <typename T>
class cSharedList {
 public:
  using value_type = T;
  using size_type = std::size_t;
  using iterator = typename std::vector<T>::iterator;
  using const_iterator = typename std::vector<T>::const_iterator;

  cSharedList() = default;
  cSharedList(std::vector<T> list) { Assign(std::move(list)); }  // NOLINT: a list converts
  cSharedList(std::initializer_list<T> list) : cSharedList(std::vector<T>(list)) {}
  cSharedList(const cSharedList&) = default;
  cSharedList(cSharedList&&) noexcept = default;
  cSharedList& operator=(const cSharedList&) = default;
  cSharedList& operator=(cSharedList&&) noexcept = default;
  cSharedList& operator=(std::vector<T> list) {
    Assign(std::move(list));
    return *this;
  }
  cSharedList& operator=(std::initializer_list<T> list) { return *this = std::vector<T>(list); }

  // Reading.
  const std::vector<T>& Get() const { return m_pBody ? m_pBody->List : Empty(); }
  operator const std::vector<T>&() const { return Get(); }  // NOLINT: reads as the list
  std::size_t size() const { return Get().size(); }
  bool empty() const { return Get().empty(); }
  const T& operator[](std::size_t i) const { return Get()[i]; }
  const T& at(std::size_t i) const { return Get().at(i); }
  const T& front() const { return Get().front(); }
  const T& back() const { return Get().back(); }
  const_iterator begin() const { return Get().begin(); }
  const_iterator end() const { return Get().end(); }
  const_iterator cbegin() const { return Get().begin(); }
  const_iterator cend() const { return Get().end(); }

  // True when both hold the very same list (not merely equal ones).
  bool SharesWith(const cSharedList& other) const { return m_pBody && m_pBody == other.m_pBody; }

  // Changing: the list of this holder's own, taken first when it is shared.
  std::vector<T>& Edit() {
    if (!m_pBody) {
      m_pBody = std::make_shared<cBody>();
    } else if (m_pBody.use_count() > 1) {
      m_pBody = std::make_shared<cBody>(m_pBody->List);
    }
    m_pBody->ForgetRepairs();
    return m_pBody->List;
  }
  T& operator[](std::size_t i) { return Edit()[i]; }
  T& at(std::size_t i) { return Edit().at(i); }
  T& front() { return Edit().front(); }
  T& back() { return Edit().back(); }
  iterator begin() { return Edit().begin(); }
  iterator end() { return Edit().end(); }
  void push_back(const T& value) { Edit().push_back(value); }
  void push_back(T&& value) { Edit().push_back(std::move(value)); }
  template <typename... Args>
  T& emplace_back(Args&&... args) {
    return Edit().emplace_back(std::forward<Args>(args)...);
  }
  void resize(std::size_t n) { Edit().resize(n); }
  void reserve(std::size_t n) { Edit().reserve(n); }
  void clear() { m_pBody.reset(); }

  // Applies `repair` (a function that changes a std::vector<T>&) unless this list has
  // had that repair in the current pass. A list of this holder's own is repaired in
  // place. A shared one is repaired on a copy, and `same` (two const lists) decides:
  // when nothing changed the copy is dropped and the list stays shared (and counts as
  // repaired for every holder in this pass); otherwise this holder keeps the copy.
  // Lets `write` (a function of std::vector<T>&, as the list writers are: writing
  // repairs) write the list. A shared list is handed over as a temporary copy, so that
  // writing neither changes nor unshares what the other holders see.
  template <typename Write>
  void WriteWith(Write&& write) {
    if (m_pBody && m_pBody.use_count() > 1) {
      std::vector<T> copy = m_pBody->List;
      write(copy);
    } else {
      write(Edit());
    }
  }

  // Applies `repair` (a function that changes a std::vector<T>&) unless this list has
  // had that repair in the current pass. A list of this holder's own is repaired in
  // place. A shared one is repaired on a copy, and `same` (two const lists) decides:
  // when nothing changed the copy is dropped and the list stays shared; otherwise this
  // holder keeps the copy. Either way the outcome is noted in the shared list, so that
  // its other holders take it in this pass without repairing again: the work and the
  // memory of a repair are spent once per list, not once per holder.
  template <typename Repair, typename Same>
  void RepairWith(eListRepair kind, Repair&& repair, Same&& same) {
    if (!m_pBody) return;
    const std::uint64_t pass = cRepairPass::Current();
    if (pass != 0 && m_pBody->RepairedIn(kind) == pass) {
      if (std::shared_ptr<cBody> into = m_pBody->RepairedInto(kind)) m_pBody = std::move(into);
      return;
    }
    if (m_pBody.use_count() == 1) {
      repair(m_pBody->List);
      m_pBody->ForgetRepairs();
    } else {
      auto copy = std::make_shared<cBody>(m_pBody->List);
      repair(copy->List);
      if (same(static_cast<const std::vector<T>&>(copy->List), static_cast<const std::vector<T>&>(m_pBody->List))) {
        m_pBody->MarkRepaired(kind, pass, nullptr);
        return;
      }
      m_pBody->MarkRepaired(kind, pass, copy);
      m_pBody = std::move(copy);
    }
    m_pBody->MarkRepaired(kind, pass, nullptr);
  }
 private:
  struct cBody {
    cBody() = default;
    explicit cBody(const std::vector<T>& list) : List(list) {}
    explicit cBody(std::vector<T>&& list) : List(std::move(list)) {}

    std::uint64_t RepairedIn(eListRepair kind) const {
      return Repaired[static_cast<int>(kind)].load(std::memory_order_relaxed);
    }
    std::shared_ptr<cBody> RepairedInto(eListRepair kind) const { return Into[static_cast<int>(kind)]; }
    void MarkRepaired(eListRepair kind, std::uint64_t pass, std::shared_ptr<cBody> into) {
      if (pass == 0) into.reset();  // outside a pass nothing is kept for later holders
      Into[static_cast<int>(kind)] = std::move(into);
      Repaired[static_cast<int>(kind)].store(pass, std::memory_order_relaxed);
    }
    void ForgetRepairs() {
      for (int kind = 0; kind < 2; ++kind) {
        Repaired[kind].store(0, std::memory_order_relaxed);
        Into[kind].reset();
      }
    }

    std::vector<T> List;
    // The pass in which each repair last ran over the list (0 none), and the repaired
    // list that the holders take when the repair changed a shared list (null when the
    // list came out as it was). Repairs run on one thread at a time; the stamps are
    // atomic because the loader thread stamps lists of the common palette that other
    // threads read.
    std::atomic<std::uint64_t> Repaired[2] = {0, 0};
    std::shared_ptr<cBody> Into[2];
  };

  static const std::vector<T>& Empty() {
    static const std::vector<T> empty;
    return empty;
  }
  void Assign(std::vector<T>&& list) {
    if (list.empty())
      m_pBody.reset();
    else
      m_pBody = std::make_shared<cBody>(std::move(list));
  }

  std::shared_ptr<cBody> m_pBody;  // null: the empty list
};
