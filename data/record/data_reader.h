#pragma once
// A bounds-checked cursor over the bytes of a data file held in memory. Nothing is ever
// read outside the buffer: a value read past the end reads as zero (a count as 0) and
// marks the data truncated. Counts and text lengths that the remaining bytes cannot hold
// mark the data damaged; from then on every read yields zero, so a damaged file can
// neither make a huge allocation nor read outside its memory.
//
// Memory is bounded by the size of the data as well: the readers of lists charge what
// the elements they make will cost (Spend) before making them, and data whose records
// would take more than kMemoryPerDataByte bytes for each of its bytes (beyond a fixed
// allowance) is damaged. A real file's records take a few bytes of memory per byte; a
// list of near-empty records, each a few bytes long in the file and a hundred in
// memory, would otherwise turn a file of a few hundred megabytes into gigabytes.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "data/record/data_damage.h"

// Allocates like std::allocator, but new elements made without a value are left
// uninitialised: a buffer that a file is read into is not zeroed first.
template <typename T>
struct cUninitAllocator : std::allocator<T> {
  template <typename U>
  void construct(U* p) noexcept {
    ::new (static_cast<void*>(p)) U;
  }
  template <typename U, typename... Args>
  void construct(U* p, Args&&... args) {
    ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
  }
};

// The bytes of a data file in memory.
using cDataBytes = std::vector<std::uint8_t, cUninitAllocator<std::uint8_t>>;

// Memory the records read from data may take: this many bytes for each byte of the data,
// and the allowance below besides (which small files never reach).
constexpr std::size_t kMemoryPerDataByte = 10;
constexpr std::size_t kMemoryAllowance = std::size_t{32} << 20;
// What the heap adds to every block it hands out, charged with each list's storage.
constexpr std::size_t kHeapBlockOverhead = 16;

class cDataReader {
 public:
  cDataReader() { SetBudget(); }
  explicit cDataReader(cDataBytes bytes) : m_Bytes(std::move(bytes)) { SetBudget(); }
  explicit cDataReader(const std::vector<std::uint8_t>& bytes) : m_Bytes(bytes.begin(), bytes.end()) { SetBudget(); }
  cDataReader(const void* data, std::size_t size)
      : m_Bytes(static_cast<const std::uint8_t*>(data), static_cast<const std::uint8_t*>(data) + size) {
    SetBudget();
  }

  // Copies n bytes into dst. When fewer remain, dst is left as it was, the cursor moves
  // to the end and the data counts as truncated; returns false.
  bool ReadBytes(void* dst, std::size_t n);
  // The next n bytes, the cursor moved past them; null (nothing moved) when fewer remain.
  const std::uint8_t* Take(std::size_t n) {
    if (n > Remaining()) return nullptr;
    const std::uint8_t* p = m_Bytes.data() + m_nPos;
    m_nPos += n;
    return p;
  }
  // Moves the cursor to the end and marks the data truncated.
  void ReadPastEnd() {
    m_nPos = m_Bytes.size();
    m_bTruncated = true;
  }
  // Skips n bytes (false, and the cursor at the end, when fewer remain).
  bool Skip(std::size_t n);

  std::int32_t ReadInt32() {
    std::int32_t v = 0;
    if (const std::uint8_t* p = Take(sizeof v))
      std::memcpy(&v, p, sizeof v);
    else
      ReadPastEnd();
    return v;
  }
  std::int16_t ReadInt16();
  std::int8_t ReadInt8();
  std::uint8_t ReadUInt8() { return static_cast<std::uint8_t>(ReadInt8()); }
  double ReadDouble();

  // Reads a list count. A negative count, or one whose elements (each at least
  // minElementBytes long) cannot fit in the bytes left, marks the data damaged and
  // yields 0.
  std::int32_t ReadCount(std::size_t minElementBytes);

  // Charges `bytes` of memory about to be taken by records made from the data. False,
  // and the data damaged (nothing more read), when the data's budget does not hold it.
  bool Spend(std::size_t bytes) {
    if (bytes <= m_nBudgetLeft) {
      m_nBudgetLeft -= bytes;
      return true;
    }
    m_nBudgetLeft = 0;
    MarkDamaged(DATADAMAGE_TOO_COSTLY);
    return false;
  }
  // Memory that may still be charged.
  std::size_t BudgetLeft() const { return m_nBudgetLeft; }

  std::size_t Remaining() const { return m_bDamaged ? 0 : m_Bytes.size() - m_nPos; }
  std::size_t Position() const { return m_nPos; }
  bool AtEnd() const { return Remaining() == 0; }

  // Damaged data: counts or lengths that cannot be right. The first reason is kept.
  void MarkDamaged(DATADAMAGE reason);
  bool Damaged() const { return m_bDamaged; }
  DATADAMAGE Damage() const { return m_Damage; }
  const char* DamageReason() const { return DamageText(m_Damage); }
  std::size_t DamagePosition() const { return m_nDamagePos; }
  // A read ran past the end of the data (a truncated file; not by itself damage).
  bool Truncated() const { return m_bTruncated; }

  // The data version word at the head of the file (0 until the file's opener sets it).
  void SetVersion(std::int32_t nVersion) { m_nVersion = nVersion; }
  std::int32_t Version() const { return m_nVersion; }
  // The file the data came from, for report lines; empty for data made in memory.
  void SetName(std::string name) { m_strName = std::move(name); }
  const std::string& Name() const { return m_strName; }

  // Nesting of records inside records (flows hold commands which hold flows). Enter
  // returns false, and marks the data damaged, beyond kMaxNesting levels.
  static constexpr int kMaxNesting = 64;
  bool EnterNesting();
  void LeaveNesting() { --m_nDepth; }
  int Nesting() const { return m_nDepth; }

 private:
  void SetBudget() { m_nBudgetLeft = m_Bytes.size() * kMemoryPerDataByte + kMemoryAllowance; }

  cDataBytes m_Bytes;
  std::size_t m_nBudgetLeft = 0;
  std::size_t m_nPos = 0;
  std::size_t m_nDamagePos = 0;
  int m_nDepth = 0;
  std::int32_t m_nVersion = 0;
  std::string m_strName;
  bool m_bDamaged = false;
  bool m_bTruncated = false;
  DATADAMAGE m_Damage = DATADAMAGE_NONE;
};

// Enters one nesting level for its lifetime; `ok` is false when the data is too deep.
class cNestingGuard {
 public:
  explicit cNestingGuard(cDataReader& in) : m_In(in), m_bOk(in.EnterNesting()) {}
  ~cNestingGuard() {
    if (m_bOk) m_In.LeaveNesting();
  }
  cNestingGuard(const cNestingGuard&) = delete;
  cNestingGuard& operator=(const cNestingGuard&) = delete;
  bool ok() const { return m_bOk; }

 private:
  cDataReader& m_In;
  bool m_bOk;
};
