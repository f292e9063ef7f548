#include "stage/replay.h"

#include <algorithm>
#include <limits>

cReplay g_Replay;
cReplay g_ReplayPrev;

namespace {

// The registered part as every version writes it: the member count, the seed, no texts.
constexpr std::int32_t kReplayMembers = 1;

// One word's stream: lengthens the last run when it repeats its value. A run at the
// int32 limit is followed by a new run of the same value, which plays back the same.
void RecordWord(std::vector<std::uint16_t>& values, std::vector<std::int32_t>& runs, std::uint16_t w) {
  if (!values.empty() && !runs.empty() && values.back() == w && runs.back() < std::numeric_limits<std::int32_t>::max()) {
    ++runs.back();
    return;
  }
  values.push_back(w);
  runs.push_back(1);
}

// Takes the next frame of one stream; a stored run of 0 (or less) lasts one frame.
void PlayWord(const std::vector<std::uint16_t>& values, const std::vector<std::int32_t>& runs, std::int32_t& index,
              std::int32_t& count, std::uint16_t& w) {
  const auto i = static_cast<std::size_t>(index);
  w = values[i];
  ++count;
  if (count >= runs[i]) {
    count = 0;
    ++index;
  }
}

// Reads uint32 n and n elements of T, when n elements and `after` more bytes fit in what
// is left; otherwise reads nothing and says why.
template <typename T>
REPLAYDAMAGE ReadCountedList(cDataReader& in, std::vector<T>& list, std::size_t after, std::uint32_t& count) {
  if (in.Remaining() < 4) return REPLAYDAMAGE_CUT_SHORT;
  count = static_cast<std::uint32_t>(in.ReadInt32());
  const std::size_t bytes = static_cast<std::size_t>(count) * sizeof(T);
  if (bytes > in.Remaining()) return REPLAYDAMAGE_COUNT_PAST_END;
  if (after > in.Remaining() - bytes) return REPLAYDAMAGE_CUT_SHORT;
  list.resize(count);
  if (count != 0) in.ReadBytes(list.data(), bytes);
  return REPLAYDAMAGE_NONE;
}

template <typename T>
void WriteCountedList(cDataWriter& out, const std::vector<T>& list) {
  out.WriteInt32(static_cast<std::int32_t>(static_cast<std::uint32_t>(list.size())));
  if (!list.empty()) out.WriteBytes(list.data(), list.size() * sizeof(T));
}

}  // namespace

cReplay::cReplay() { Register(g_nDataVersion); }

cReplay::cReplay(const cReplay& other)
    : cDataRecord(other),
      m_nSeed(other.m_nSeed),
      m_vDirValue(other.m_vDirValue),
      m_vButtonValue(other.m_vButtonValue),
      m_vDirRun(other.m_vDirRun),
      m_vButtonRun(other.m_vButtonRun) {}

cReplay& cReplay::operator=(const cReplay& other) {
  if (this == &other) return *this;
  cDataRecord::operator=(other);
  m_nSeed = other.m_nSeed;
  m_vDirValue = other.m_vDirValue;
  m_vButtonValue = other.m_vButtonValue;
  m_vDirRun = other.m_vDirRun;
  m_vButtonRun = other.m_vButtonRun;
  return *this;
}

void cReplay::RegisterMembers(int /*version*/) {
  ClearMembers();
  AddMember(&m_nSeed);
}

void cReplay::ClearLists() {
  m_vDirValue.clear();
  m_vButtonValue.clear();
  m_vDirRun.clear();
  m_vButtonRun.clear();
  m_nDirIndex = 0;
  m_nButtonIndex = 0;
  m_nDirCount = 0;
  m_nButtonCount = 0;
}

void cReplay::Reset() {
  cDataRecord::Reset();
  ClearLists();
}

void cReplay::Record(std::uint16_t wDir, std::uint16_t wButton) {
  RecordWord(m_vDirValue, m_vDirRun, wDir);
  RecordWord(m_vButtonValue, m_vButtonRun, wButton);
}

int cReplay::Play(std::uint16_t& wDir, std::uint16_t& wButton) {
  // The run lists are as long as the value lists once read (Read refuses others); a
  // record filled by hand is held to the shorter of each pair.
  const auto dirs = static_cast<std::int64_t>(std::min(m_vDirValue.size(), m_vDirRun.size()));
  const auto buttons = static_cast<std::int64_t>(std::min(m_vButtonValue.size(), m_vButtonRun.size()));
  if (m_nDirIndex < 0 || m_nButtonIndex < 0 || m_nDirIndex >= dirs || m_nButtonIndex >= buttons) return 1;
  PlayWord(m_vDirValue, m_vDirRun, m_nDirIndex, m_nDirCount, wDir);
  PlayWord(m_vButtonValue, m_vButtonRun, m_nButtonIndex, m_nButtonCount, wButton);
  return 0;
}

void cReplay::Refuse(cDataReader& in, REPLAYDAMAGE damage) {
  m_nSeed = 0;
  ClearLists();
  m_nDamage = damage;
  in.MarkDamaged(damage == REPLAYDAMAGE_CUT_SHORT ? DATADAMAGE_BODY_CUT_SHORT : DATADAMAGE_COUNT_PAST_END);
}

void cReplay::Read(cDataReader& in) {
  ClearLists();
  m_nDamage = REPLAYDAMAGE_NONE;
  Register(g_nDataVersion);
  if (in.Remaining() < 12) return Refuse(in, REPLAYDAMAGE_CUT_SHORT);
  // Read here rather than by the base: a surplus member would be reported as a bad index
  // and close the program, where a replay file is only refused.
  const std::int32_t nMembers = in.ReadInt32();
  const std::int32_t nSeed = in.ReadInt32();
  const std::int32_t nTexts = in.ReadInt32();
  if (nMembers != kReplayMembers || nTexts != 0) return Refuse(in, REPLAYDAMAGE_LAYOUT);

  // Each count is tested against the bytes that follow it, the later counts included, so
  // no list is made larger than the data that holds it.
  std::uint32_t nDirs = 0;
  std::uint32_t nButtons = 0;
  REPLAYDAMAGE damage = ReadCountedList(in, m_vDirValue, 12, nDirs);
  if (damage == REPLAYDAMAGE_NONE) damage = ReadCountedList(in, m_vButtonValue, 8, nButtons);
  if (damage != REPLAYDAMAGE_NONE) return Refuse(in, damage);
  // Runs that do not pair with the values would make playback read past its data.
  if (in.Remaining() < 4) return Refuse(in, REPLAYDAMAGE_CUT_SHORT);
  if (static_cast<std::uint32_t>(in.ReadInt32()) != nDirs) return Refuse(in, REPLAYDAMAGE_COUNTS_DIFFER);
  const std::size_t dirRunBytes = static_cast<std::size_t>(nDirs) * 4;
  const std::size_t buttonRunBytes = static_cast<std::size_t>(nButtons) * 4;
  // Both run lists and the count between them must be there before either is made.
  if (dirRunBytes + 4 + buttonRunBytes > in.Remaining()) {
    if (dirRunBytes + 4 <= in.Remaining()) {
      in.Skip(dirRunBytes);
      if (static_cast<std::uint32_t>(in.ReadInt32()) != nButtons) return Refuse(in, REPLAYDAMAGE_COUNTS_DIFFER);
    }
    return Refuse(in, REPLAYDAMAGE_CUT_SHORT);
  }
  m_vDirRun.resize(nDirs);
  if (nDirs != 0) in.ReadBytes(m_vDirRun.data(), dirRunBytes);
  if (static_cast<std::uint32_t>(in.ReadInt32()) != nButtons) return Refuse(in, REPLAYDAMAGE_COUNTS_DIFFER);
  m_vButtonRun.resize(nButtons);
  if (nButtons != 0) in.ReadBytes(m_vButtonRun.data(), buttonRunBytes);
  m_nSeed = nSeed;
}

void cReplay::Write(cDataWriter& out) {
  cDataRecord::Write(out);
  WriteCountedList(out, m_vDirValue);
  WriteCountedList(out, m_vButtonValue);
  WriteCountedList(out, m_vDirRun);
  WriteCountedList(out, m_vButtonRun);
}
