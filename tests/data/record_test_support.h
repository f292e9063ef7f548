#pragma once
// Shared by the tests of the blocks that flow commands hold (movement, shot, conditions):
// the bytes a record writes, the size of its registered members, and a fixture that reads
// record bodies as files of a chosen version store them.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <source_location>
#include <type_traits>
#include <vector>

#include "data/record/data_reader.h"
#include "data/record/data_record.h"
#include "data/record/data_writer.h"
#include "platform/message_queue.h"

using Bytes = std::vector<std::uint8_t>;

// The bytes `record` writes.
template <typename Record>
Bytes Written(Record& record) {
  cDataWriter out;
  record.Write(out);
  return out.Bytes();
}

// The bytes a copy of `record` writes; `record` itself stays as it is (writing may
// normalise the record written).
template <typename Record>
Bytes WrittenCopy(const Record& record) {
  Record copy(record);
  return Written(copy);
}

// Every member of two records compared through the bytes copies of them write.
template <typename Record>
void ExpectSameMembers(const Record& a, const Record& b) {
  EXPECT_EQ(WrittenCopy(a), WrittenCopy(b));
}

// The first `n` bytes of `bytes`.
inline Bytes FirstBytes(const Bytes& bytes, std::size_t n) {
  return Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(n));
}

// `body` with one-byte members `extra` more than it holds: the member count raised by
// their number, their bytes put before the text count (the last four bytes).
inline Bytes WithSurplusMembers(Bytes body, std::initializer_list<std::uint8_t> extra) {
  body[0] = static_cast<std::uint8_t>(body[0] + extra.size());
  body.insert(body.end() - 4, extra);
  return body;
}

// How many bytes the registered members of `record` take.
inline int RegisteredBytes(const cDataRecord& record) {
  int bytes = 0;
  for (const DATAMEMBER& m : record.Members()) bytes += m.nCount * m.nSize;
  return bytes;
}

// What a record class registers for files of one version.
struct cRegistration {
  int version;
  std::size_t members;
  int bytes;
};

// Registers a new `Record` at the version of each row and compares its members and their
// bytes with the row; `also` looks at the record further.
template <typename Record>
void ExpectRegistrations(std::initializer_list<cRegistration> rows,
                         const std::function<void(const Record&)>& also = {}) {
  for (const cRegistration& row : rows) {
    SCOPED_TRACE(row.version);
    Record record;
    record.Register(row.version);
    EXPECT_EQ(record.Members().size(), row.members);
    EXPECT_EQ(RegisteredBytes(record), row.bytes);
    if (also) also(record);
  }
}

// The copies of a block that a holder holds: a copy is a block of its own with the same
// members, a holder copied onto itself keeps its block, an empty source empties the
// target, and the member copy of the base class stays reachable beside the holder form.
// `member` of the source block holds `value` and keeps it while the copy's is set to
// `other`.
template <typename Block, typename Holder, typename Member>
void ExpectHolderCopies(Holder& source, Holder& target, Member Block::*member, std::type_identity_t<Member> value,
                        std::type_identity_t<Member> other) {
  Block::CopyFrom(target, source);
  ASSERT_TRUE(target);
  EXPECT_NE(target.get(), source.get());
  ExpectSameMembers(*target, *source);
  (*target).*member = other;
  EXPECT_EQ((*source).*member, value);

  Block::CopyFrom(source, source);
  ASSERT_TRUE(source);
  EXPECT_EQ((*source).*member, value);

  Holder empty;
  Block::CopyFrom(target, empty);
  EXPECT_FALSE(target);

  Block plain;
  plain.CopyFrom(*source);
  ExpectSameMembers(plain, *source);
}

// Files of the current version and no posted messages while a test runs; the file version
// of before afterwards.
class cRecordReadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_nSavedFileVersion = g_nFileVersion;
    g_nFileVersion = g_nDataVersion;
    ClearPostedMessages();
  }
  void TearDown() override {
    g_nFileVersion = m_nSavedFileVersion;
    ClearPostedMessages();
  }

  // Reads one record body of `version`; remembers whether the data counted as damaged
  // and how many bytes were left.
  template <typename Record>
  void ReadAt(Record& record, int version, const Bytes& body) {
    g_nFileVersion = version;
    cDataReader in(body);
    record.Read(in);
    m_bDamaged = in.Damaged();
    m_Damage = in.Damage();
    m_nLeft = in.Remaining();
    g_nFileVersion = g_nDataVersion;
  }

  // Hands every proper prefix of `bytes`, shortest first, to `read`, which reads it with
  // ReadAt: damaged (a count beyond the bytes left) or cut short, each read takes all the
  // bytes it is given.
  template <typename Read>
  void ReadEveryPrefix(const Bytes& bytes, Read&& read) {
    for (std::size_t cut = 0; cut < bytes.size(); ++cut) {
      SCOPED_TRACE(cut);
      read(FirstBytes(bytes, cut));
      EXPECT_EQ(m_nLeft, 0u);
    }
  }

  // Reads `body` of `version` into a new `Record`, which must find it damaged for the
  // reason given; returns the record. A failure names the line of the call.
  template <typename Record>
  Record ReadDamaged(int version, const Bytes& body, DATADAMAGE damage,
                     std::source_location call = std::source_location::current()) {
    const ::testing::ScopedTrace trace(call.file_name(), static_cast<int>(call.line()), "read here");
    Record record;
    ReadAt(record, version, body);
    EXPECT_TRUE(m_bDamaged);
    EXPECT_EQ(m_Damage, damage) << DamageText(m_Damage);
    return record;
  }

  bool m_bDamaged = false;
  DATADAMAGE m_Damage = DATADAMAGE_NONE;
  std::size_t m_nLeft = 0;

 private:
  int m_nSavedFileVersion = 0;
};
