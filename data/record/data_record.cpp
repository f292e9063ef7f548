#include "data/record/data_record.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <typeindex>
#include <utility>

#include "app/checked_access.h"
#include "app/report_log.h"
#include "data/record/data_file.h"
#include "data/record/data_lists.h"

int g_nDataVersion = 811;
int g_nFileVersion = 0;
int g_bFileTooNew = 0;
int g_bStripCR = 1;
cScratch g_Scratch;

namespace {

// Member counts beyond the table are reported line by line; past this many the data is
// treated as damaged rather than logging without end.
constexpr int kMaxSurplusReports = 16;

struct cLayoutCache {
  std::mutex Lock;
  std::map<std::pair<std::type_index, int>, std::unique_ptr<cMemberLayout>> Layouts;
};

cLayoutCache& LayoutCache() {
  static cLayoutCache cache;
  return cache;
}

const cMemberLayout& EmptyLayout() {
  static const cMemberLayout layout;
  return layout;
}

bool IsScratch(const void* address) {
  const auto* p = static_cast<const unsigned char*>(address);
  const auto* scratch = reinterpret_cast<const unsigned char*>(&g_Scratch);
  return p >= scratch && p < scratch + sizeof g_Scratch;
}

std::size_t MemberBytes(const DATAMEMBER& entry) {
  return static_cast<std::size_t>(entry.nCount) * static_cast<std::size_t>(entry.nSize);
}

// Copies the bytes of one run. Runs are short (the padding between members of unlike
// widths splits them), so the common sizes are copied inline with fixed-size moves
// rather than by a library call each.
inline void CopyRun(unsigned char* dst, const unsigned char* src, std::size_t n) {
  if (n >= 8 && n <= 16) {
    std::memcpy(dst, src, 8);
    std::memcpy(dst + n - 8, src + n - 8, 8);
  } else if (n >= 4 && n < 8) {
    std::memcpy(dst, src, 4);
    std::memcpy(dst + n - 4, src + n - 4, 4);
  } else if (n >= 2 && n < 4) {
    std::memcpy(dst, src, 2);
    std::memcpy(dst + n - 2, src + n - 2, 2);
  } else {
    std::memcpy(dst, src, n);
  }
}

void BuildRuns(cMemberLayout& layout) {
  for (const DATAMEMBER& entry : layout.Members) {
    const auto bytes = static_cast<std::int32_t>(MemberBytes(entry));
    layout.nMemberBytes += static_cast<std::size_t>(bytes);
    if (!layout.Runs.empty()) {
      cMemberRun& last = layout.Runs.back();
      const bool adjacent = entry.bScratch ? last.bScratch : (!last.bScratch && last.nOffset + last.nBytes == entry.nOffset);
      if (adjacent) {
        last.nBytes += bytes;
        continue;
      }
    }
    layout.Runs.push_back(cMemberRun{entry.nOffset, bytes, entry.bScratch});
  }
}

}  // namespace

cDataRecord& cDataRecord::operator=(const cDataRecord& source) {
  (void)source;
  Register(g_nDataVersion);
  return *this;
}

void cDataRecord::Register(int version) {
  const std::type_info& type = typeid(*this);
  if (m_pLayout && m_pLayout->nVersion == version && *m_pLayout->pType == type) return;

  cLayoutCache& cache = LayoutCache();
  std::lock_guard<std::mutex> lock(cache.Lock);
  auto& slot = cache.Layouts[{std::type_index(type), version}];
  if (!slot) {
    auto layout = std::make_unique<cMemberLayout>();
    layout->pType = &type;
    layout->nVersion = version;
    m_pBuilding = layout.get();
    RegisterMembers(version);
    m_pBuilding = nullptr;
    BuildRuns(*layout);
    slot = std::move(layout);
  }
  m_pLayout = slot.get();
}

const std::vector<DATAMEMBER>& cDataRecord::Members() const {
  return (m_pLayout ? *m_pLayout : EmptyLayout()).Members;
}

const std::vector<DATASTRING>& cDataRecord::Strings() const {
  return (m_pLayout ? *m_pLayout : EmptyLayout()).Strings;
}

void cDataRecord::ClearMembers() {
  if (!m_pBuilding) return;
  m_pBuilding->Members.clear();
  m_pBuilding->Strings.clear();
}

void cDataRecord::AddMemberBytes(void* address, int count, int size) {
  if (!m_pBuilding) return;
  DATAMEMBER entry{};
  entry.nCount = count;
  entry.nSize = static_cast<std::int8_t>(size);
  entry.bScratch = IsScratch(address);
  entry.nOffset = entry.bScratch ? 0 : static_cast<std::int32_t>(static_cast<unsigned char*>(address) - Base());
  m_pBuilding->Members.push_back(entry);
}

void cDataRecord::AddString(std::string* address) {
  if (!m_pBuilding) return;
  m_pBuilding->Strings.push_back(
      DATASTRING{static_cast<std::int32_t>(reinterpret_cast<unsigned char*>(address) - Base())});
}

void cDataRecord::Read(cDataReader& in) {
  Register(g_nFileVersion);
  const std::vector<DATAMEMBER>& members = m_pLayout->Members;
  const std::int32_t count = in.ReadCount(1);
  // The usual case: the file holds exactly the members of its version.
  if (static_cast<std::size_t>(count) == members.size()) {
    if (const std::uint8_t* src = in.Take(m_pLayout->nMemberBytes)) {
      for (const cMemberRun& run : m_pLayout->Runs) {
        if (!run.bScratch) CopyRun(Base() + run.nOffset, src, static_cast<std::size_t>(run.nBytes));
        src += run.nBytes;
      }
      ReadStrings(in);
      if (g_nFileVersion != g_nDataVersion) Register(g_nDataVersion);
      return;
    }
  }
  for (std::int32_t i = 0; i < count && !in.Damaged(); ++i) {
    const DATAMEMBER* entry = nullptr;
    if (static_cast<std::size_t>(i) < members.size()) {
      entry = &members[static_cast<std::size_t>(i)];
    } else {
      // More members than this version has: corrupt data, reported as a bad index (the
      // program then closes in order). The bytes land in member 0; without a member to
      // receive them, or past a few such lines, the data counts as damaged.
      const std::int32_t surplus = i - static_cast<std::int32_t>(members.size());
      if (members.empty() || surplus >= kMaxSurplusReports) {
        if (surplus < kMaxSurplusReports) ReportCheckedAccessFailure('V', i, members.size(), sizeof(DATAMEMBER));
        in.MarkDamaged(DATADAMAGE_SURPLUS_MEMBERS);
        break;
      }
      ReportCheckedAccessFailure('V', i, members.size(), sizeof(DATAMEMBER));
      entry = &members[0];
    }
    const std::size_t bytes = MemberBytes(*entry);
    if (entry->bScratch)
      in.Skip(bytes);
    else
      in.ReadBytes(Base() + entry->nOffset, bytes);
  }
  ReadStrings(in);
  if (g_nFileVersion != g_nDataVersion) Register(g_nDataVersion);
}

void cDataRecord::ReadStrings(cDataReader& in) {
  const std::vector<DATASTRING>& strings = m_pLayout ? m_pLayout->Strings : EmptyLayout().Strings;
  const std::int32_t count = in.ReadCount(4);
  for (std::int32_t i = 0; i < count && !in.Damaged(); ++i) {
    if (static_cast<std::size_t>(i) < strings.size()) {
      ReadString(StringAt(strings[static_cast<std::size_t>(i)]), in);
      continue;
    }
    // More texts than this version has: reported like a bad index. The text lands in
    // text 0; without a text to receive it, it is skipped and written nowhere.
    const std::int32_t surplus = i - static_cast<std::int32_t>(strings.size());
    if (surplus >= kMaxSurplusReports) {
      in.MarkDamaged(DATADAMAGE_SURPLUS_TEXTS);
      break;
    }
    ReportCheckedAccessFailure('V', i, strings.size(), sizeof(DATASTRING));
    if (strings.empty()) {
      std::string skipped;
      ReadString(skipped, in);
    } else {
      ReadString(StringAt(strings[0]), in);
    }
  }
  if (g_bStripCR) StripCR();
}

void cDataRecord::Write(cDataWriter& out) {
  Register(g_nDataVersion);
  const std::vector<DATAMEMBER>& members = m_pLayout->Members;
  out.WriteInt32(static_cast<std::int32_t>(members.size()));
  for (const cMemberRun& run : m_pLayout->Runs) out.WriteBytes(Base() + run.nOffset, static_cast<std::size_t>(run.nBytes));
  WriteStrings(out);
}

void cDataRecord::WriteStrings(cDataWriter& out) {
  const std::vector<DATASTRING>& strings = m_pLayout ? m_pLayout->Strings : EmptyLayout().Strings;
  out.WriteInt32(static_cast<std::int32_t>(strings.size()));
  for (const DATASTRING& entry : strings) {
    std::string& text = StringAt(entry);
    const std::size_t zero = text.find('\0');
    if (zero != std::string::npos) text.resize(zero);
    WriteString(text, out);
  }
}

void cDataRecord::Reset() {
  Register(g_nDataVersion);
  for (const cMemberRun& run : m_pLayout->Runs)
    if (!run.bScratch) std::memset(Base() + run.nOffset, 0, static_cast<std::size_t>(run.nBytes));
  for (const DATASTRING& entry : m_pLayout->Strings) StringAt(entry).clear();
}

void cDataRecord::CopyFrom(const cDataRecord& source) {
  if (&source == this) return;
  Register(g_nDataVersion);
  const_cast<cDataRecord&>(source).Register(g_nDataVersion);
  if (m_pLayout != source.m_pLayout) return;  // records of different classes share nothing
  for (const cMemberRun& run : m_pLayout->Runs)
    if (!run.bScratch)
      std::memcpy(Base() + run.nOffset, source.Base() + run.nOffset, static_cast<std::size_t>(run.nBytes));
  for (const DATASTRING& entry : m_pLayout->Strings)
    StringAt(entry) = *reinterpret_cast<const std::string*>(source.Base() + entry.nOffset);
}

bool cDataRecord::SameMembersAs(const cDataRecord& other) const {
  if (m_pLayout != other.m_pLayout) return false;
  if (!m_pLayout) return true;
  for (const cMemberRun& run : m_pLayout->Runs)
    if (!run.bScratch && std::memcmp(Base() + run.nOffset, other.Base() + run.nOffset, static_cast<std::size_t>(run.nBytes)) != 0)
      return false;
  for (const DATASTRING& entry : m_pLayout->Strings)
    if (*reinterpret_cast<const std::string*>(Base() + entry.nOffset) !=
        *reinterpret_cast<const std::string*>(other.Base() + entry.nOffset))
      return false;
  return true;
}

void cDataRecord::StripCR() {
  if (!m_pLayout) return;
  for (const DATASTRING& entry : m_pLayout->Strings) {
    std::string& text = StringAt(entry);
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
  }
}

int cDataRecord::LoadFromFile(const char* name) {
  std::unique_ptr<cDataReader> in = OpenDataFileForRead(name);
  if (!in) return 0;
  // A body that is cut somewhere leaves the members past the cut as they were, as old
  // writers' files expect; a file with no body at all is no record. Read still runs on
  // the damaged data, so that each record treats it by its own rule for damage.
  if (in->AtEnd()) in->MarkDamaged(DATADAMAGE_BODY_MISSING);
  Read(*in);
  if (in->Damaged()) {
    ReportDamagedFile(name, *in);
    return 0;
  }
  return 1;
}

int cDataRecord::SaveToFile(const char* name) {
  std::unique_ptr<cDataFileOut> file = OpenDataFileForWrite(name);
  if (!file) return 0;
  Write(file->Out);
  return CloseDataFile(std::move(file));
}
