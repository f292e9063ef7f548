#pragma once
// The base of every record kept in a data file. A record class lists its members as they
// stood in a given data version (RegisterMembers); the base then reads, writes, resets
// and copies whatever is listed. The listing of a class at a version is made once and
// shared by every record of that class (a table of offsets into the record), so reading,
// copying and assigning records registers nothing anew.
#include <cstdint>
#include <string>
#include <type_traits>
#include <typeinfo>
#include <vector>

#include "data/record/data_reader.h"
#include "data/record/data_writer.h"

// One registered scalar member: where it lies in its record, how many elements it has
// and how wide each element is. Members of old layouts that are read and dropped are
// marked as scratch: their bytes are skipped.
struct DATAMEMBER {
  std::int32_t nOffset;
  std::int32_t nCount;
  std::int8_t nSize;
  bool bScratch;
};

// One registered text member.
struct DATASTRING {
  std::int32_t nOffset;
};

// A stretch of members that lie next to each other both in the record and in the file:
// read, written, reset and copied as one block.
struct cMemberRun {
  std::int32_t nOffset;
  std::int32_t nBytes;
  bool bScratch;
};

// The members of one record class at one data version.
struct cMemberLayout {
  const std::type_info* pType = nullptr;
  int nVersion = 0;
  std::vector<DATAMEMBER> Members;
  std::vector<DATASTRING> Strings;
  std::vector<cMemberRun> Runs;  // the members in file order, adjacent ones merged
  std::size_t nMemberBytes = 0;  // bytes of all members in the file
};

// Receiving places for members of old layouts whose values are dropped.
struct cScratch {
  std::int32_t an32[2];
  std::int16_t an16[2];
  std::int8_t an8[2];
  double d;
};

extern int g_nDataVersion;  // 811: the version this player reads and writes
extern int g_nFileVersion;  // version word of the file most recently opened for reading
extern int g_bFileTooNew;   // the last version word read was newer than the player
extern int g_bStripCR;      // texts read from data files lose their CR characters
extern cScratch g_Scratch;

class cDataRecord {
 public:
  cDataRecord() = default;
  cDataRecord(const cDataRecord& source) : m_pLayout(source.m_pLayout) {}
  // Registers this record at the current version; the member values are assigned by the
  // derived classes' assignments.
  cDataRecord& operator=(const cDataRecord& source);
  virtual ~cDataRecord() = default;

  // Makes this record's tables those of its class at `version`.
  void Register(int version);

  // One record body: the registered members, then the registered texts.
  virtual void Read(cDataReader& in);
  virtual void Write(cDataWriter& out);
  void ReadStrings(cDataReader& in);
  void WriteStrings(cDataWriter& out);

  // Zeroes every registered member and empties every registered text.
  void Reset();
  // Copies every registered member and text of a record of the same class.
  void CopyFrom(const cDataRecord& source);
  // True when `other` is of the same class and version and every registered member and
  // text is equal.
  bool SameMembersAs(const cDataRecord& other) const;
  // Removes every CR byte from every registered text.
  void StripCR();

  // 1 when the file was read (0: missing, newer than the player, or damaged).
  int LoadFromFile(const char* name);
  // 1 when the file was written whole; on failure the previous file is left as it was.
  int SaveToFile(const char* name);

  const std::vector<DATAMEMBER>& Members() const;
  const std::vector<DATASTRING>& Strings() const;
  int RegisteredVersion() const { return m_pLayout ? m_pLayout->nVersion : -1; }

 protected:
  // Lists the class's members as they stood in `version`: ClearMembers, then AddMember
  // for each scalar member and AddString for each text, in file order. Called only
  // through Register, once per class and version.
  virtual void RegisterMembers(int version) { (void)version; }

  void ClearMembers();
  template <typename T>
  void AddMember(T* address, int count = 1) {
    static_assert(std::is_trivially_copyable_v<T>);
    static_assert(sizeof(T) == 1 || sizeof(T) == 2 || sizeof(T) == 4 || sizeof(T) == 8);
    AddMemberBytes(address, count, static_cast<int>(sizeof(T)));
  }
  void AddString(std::string* address);

 private:
  void AddMemberBytes(void* address, int count, int size);
  unsigned char* Base() { return reinterpret_cast<unsigned char*>(this); }
  const unsigned char* Base() const { return reinterpret_cast<const unsigned char*>(this); }
  std::string& StringAt(const DATASTRING& entry) {
    return *reinterpret_cast<std::string*>(Base() + entry.nOffset);
  }

  const cMemberLayout* m_pLayout = nullptr;
  cMemberLayout* m_pBuilding = nullptr;  // set only while RegisterMembers runs
};
