#pragma once
// One step of a flow's key sequence: which key slots must be pressed or released, for
// how long, and how the slots combine.
#include <cstdint>
#include <vector>

#include "data/record/data_reader.h"
#include "data/record/data_record.h"
#include "data/record/data_writer.h"

// Key slots of a key condition: 0 no direction held, 1 to 8 the directions left, right,
// up, down, up-left, down-left, up-right, down-right alone, 9 any direction, 10 no
// button held, 11 to 18 buttons 1 to 8.
constexpr int kKeyCondSlotCount = 19;

// State wanted of one key slot (cKeyCond::m_vKey).
enum KEYSLOT {
  KEYSLOT_IGNORED = 0,
  KEYSLOT_PRESSED = 1,
  KEYSLOT_RELEASED = 2,
};

// How the slots of a key condition combine (cKeyCond::m_nKeyMatch).
enum KEYMATCH {
  KEYMATCH_ALL = 0,
  KEYMATCH_ANY = 1,
  KEYMATCH_EXACTLY_ONE = 2,
};

// No member is version-gated. File layout: int32 5, 1 + 2 + 2 + 1 + 1 bytes, int32 0,
// then the slots as a counted list of bytes.
class cKeyCond : public cDataRecord {
 public:
  // A new key condition holds its slots on the heap.
  static constexpr std::size_t kNewElementHeapBytes = kKeyCondSlotCount;

  cKeyCond();
  cKeyCond(const cKeyCond&) = default;
  cKeyCond(cKeyCond&&) noexcept = default;
  cKeyCond& operator=(const cKeyCond&) = default;
  cKeyCond& operator=(cKeyCond&&) noexcept = default;
  ~cKeyCond() override = default;

  // Base reset, then kKeyCondSlotCount slots, all ignored.
  void Reset();

  // A file may hold any number of slots; they are read as stored.
  void Read(cDataReader& in) override;
  void Write(cDataWriter& out) override;

  std::int8_t m_bFacingRelative = 0;  // left/right slots swapped while facing left
  std::int16_t m_nHoldMin = 0;        // a pressed slot counts when held at least this many frames
  std::int16_t m_nHoldMax = 0;        // ... and at most this many
  std::int8_t m_bAnyHold = 0;         // any hold time above 0 counts; min and max ignored
  std::int8_t m_nKeyMatch = 0;        // a KEYMATCH value
  std::vector<std::uint8_t> m_vKey;   // one KEYSLOT value per slot

 protected:
  void RegisterMembers(int version) override;
};

// Counted lists of key conditions: every element read starts as a new key condition.
void ReadKeyCondVector(std::vector<cKeyCond>& list, cDataReader& in);
void WriteKeyCondVector(std::vector<cKeyCond>& list, cDataWriter& out);
// Makes `target` equal to `source`, element by element.
void AssignKeyCondList(std::vector<cKeyCond>& target, const std::vector<cKeyCond>& source);
