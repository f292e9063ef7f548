#include "media/sound/midi_file.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "app/report_log.h"
#include "data/record/data_file.h"
#include "platform/host_files.h"

namespace {

// A song file larger than this is not a song.
constexpr long kMaxMidiFileBytes = 64L * 1024 * 1024;

DWORD Be32(const BYTE* p) {
  return static_cast<DWORD>(p[0]) << 24 | static_cast<DWORD>(p[1]) << 16 | static_cast<DWORD>(p[2]) << 8 | p[3];
}
WORD Be16(const BYTE* p) { return static_cast<WORD>(p[0] << 8 | p[1]); }

}  // namespace

void cMidiFile::Create(const char* path) {
  m_strFile = path != nullptr ? path : "";
  m_Image.clear();
  HOSTFILEKIND refused = HOSTFILE_NONE;
  FILE* file = path != nullptr ? OpenFile(path, "rb", &refused) : nullptr;
  if (file == nullptr) {
    if (refused != HOSTFILE_NONE)
      WriteReportEC("Midi %s Create ファイルが開けません (%s)", m_strFile.c_str(), NotAFileText(refused));
    else
      WriteReportEC("Midi %s Create ファイルが開けません", m_strFile.c_str());
    return;
  }
  std::vector<BYTE> bytes;
  long size = -1;
  if (std::fseek(file, 0, SEEK_END) == 0) size = std::ftell(file);
  if (size >= 0 && size <= kMaxMidiFileBytes && std::fseek(file, 0, SEEK_SET) == 0) {
    bytes.resize(static_cast<std::size_t>(size));
    if (std::fread(bytes.data(), 1, bytes.size(), file) != bytes.size()) size = -1;
  }
  std::fclose(file);
  if (size < 0) {
    WriteReportEC("Midi %s Create ファイルが開けません", m_strFile.c_str());
    return;
  }
  if (size > kMaxMidiFileBytes) {
    WriteReportEC("Midi %s Init 標準MIDIでない(4)", m_strFile.c_str());
    return;
  }
  m_Image = Init(bytes.data(), bytes.size());
}

std::vector<BYTE> cMidiFile::Init(const BYTE* data, std::size_t size) {
  const char* name = m_strFile.c_str();
  // The header tests read the first 22 bytes; a shorter file is refused before them.
  if (size < kMidiImageHead || std::memcmp(data, "MThd", 4) != 0) {
    WriteReportEC("Midi %s Init 標準MIDIでない(4)", name);
    return {};
  }
  if (Be32(data + 4) != 6) {
    WriteReportEC("Midi %s Init 標準MIDIでない(6)", name);
    return {};
  }
  const WORD format = Be16(data + 8);
  if (format == 2) {
    WriteReportEC("Midi %s Init 対応フォーマットが2でない", name);
    return {};
  }
  if (format > 2) {
    WriteReportEC("Midi %s Init 対応フォーマットが0または1でない", name);
    return {};
  }
  const int tracks = Be16(data + 10);
  if (std::memcmp(data + 14, "MTrk", 4) != 0 || tracks == 0) {
    WriteReportEC("Midi %s Init 標準MIDIでない(4)", name);
    return {};
  }
  return Convert(data, size, tracks);
}

DWORD cMidiFile::ReadVarLen(const BYTE* p, const BYTE* end, int* count) {
  DWORD value = 0;
  for (int i = 0; i < 4; ++i) {
    if (p + i >= end) break;
    value = (value << 7) | (p[i] & 0x7F);
    if ((p[i] & 0x80) == 0) {
      *count = i + 1;
      return value;
    }
  }
  *count = 0;
  return 0;
}

int cMidiFile::PutVarLen(DWORD value, BYTE* out) {
  int n;
  if (value < (1u << 7))
    n = 1;
  else if (value < (1u << 14))
    n = 2;
  else if (value < (1u << 21))
    n = 3;
  else if (value < (1u << 28))
    n = 4;
  else
    return 0;
  for (int i = n - 1; i >= 0; --i) {
    out[i] = static_cast<BYTE>((value & 0x7F) | (i == n - 1 ? 0 : 0x80));
    value >>= 7;
  }
  return n;
}

void cMidiFile::ParseTrack(const BYTE* data, std::size_t size, std::size_t* pos, std::vector<cEvent>* events,
                           std::uint32_t* endTime) {
  const BYTE* end = data + size;
  std::uint64_t time = 0;
  BYTE running = 0;
  std::size_t p = *pos;
  while (p < size) {
    int n = 0;
    const DWORD delta = ReadVarLen(data + p, end, &n);
    // A delta without an end, or one that would carry the time past 32 bits, ends the
    // track: what follows cannot be placed.
    if (n == 0 || time + delta > 0xFFFFFFFFull) break;
    std::size_t q = p + static_cast<std::size_t>(n);
    if (q >= size) break;
    BYTE status = data[q];
    if (status & 0x80) {
      ++q;
    } else if (running != 0) {
      status = running;
    } else {
      break;  // data byte with no status to repeat
    }
    std::size_t dataSize;
    if (status >= 0xC0 && status <= 0xDF) {
      dataSize = 1;
    } else if (status < 0xF0) {
      dataSize = 2;
    } else if (status == 0xF0 || status == 0xF7) {
      int c = 0;
      const DWORD count = ReadVarLen(data + q, end, &c);
      if (c == 0) break;
      dataSize = static_cast<std::size_t>(c) + count;
    } else if (status == 0xFF) {
      if (q >= size) break;
      int c = 0;
      const DWORD count = ReadVarLen(data + q + 1, end, &c);
      if (c == 0) break;
      dataSize = 1 + static_cast<std::size_t>(c) + count;
    } else {
      break;  // F1-FE have no place in a file
    }
    // An event cut off by the end of the file is dropped.
    if (dataSize > size - q) break;
    running = status;
    time += delta;
    p = q + dataSize;
    if (status == 0xFF && data[q] == 0x2F) {
      *pos = p;
      *endTime = std::max(*endTime, static_cast<std::uint32_t>(time));
      return;
    }
    events->push_back(cEvent{static_cast<std::uint32_t>(time), status, static_cast<std::uint32_t>(q),
                             static_cast<std::uint32_t>(dataSize)});
  }
  // The end of the data ends the track.
  *pos = size;
  *endTime = std::max(*endTime, static_cast<std::uint32_t>(time));
}

void cMidiFile::MergeTracks(std::vector<std::vector<cEvent>>* tracks, std::vector<cEvent>* merged) {
  // Earliest event first; on equal times the lower track first; each track keeps its
  // order. A stable sort of the tracks laid end to end gives exactly that.
  std::size_t total = 0;
  for (const auto& t : *tracks) total += t.size();
  merged->reserve(total);
  for (const auto& t : *tracks) merged->insert(merged->end(), t.begin(), t.end());
  std::stable_sort(merged->begin(), merged->end(), [](const cEvent& a, const cEvent& b) { return a.nTime < b.nTime; });
}

std::vector<BYTE> cMidiFile::Encode(const BYTE* data, const std::vector<cEvent>& merged, WORD division) {
  // Sized once for the longest form of every event (a four-byte delta), then cut to what
  // was written.
  std::size_t bound = kMidiImageHead;
  for (const cEvent& e : merged) bound += 4 + 1 + e.nDataSize;
  std::vector<BYTE> image(bound);
  BYTE* out = image.data();
  const BYTE head[kMidiImageHead] = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, static_cast<BYTE>(division >> 8),
                                     static_cast<BYTE>(division), 'M', 'T', 'r', 'k', 0, 0, 0, 0};
  std::memcpy(out, head, kMidiImageHead);
  std::size_t pos = kMidiImageHead;
  std::uint32_t previous = 0;
  for (const cEvent& e : merged) {
    // Merged times never fall back, and a gap is never longer than a delta of the file.
    pos += static_cast<std::size_t>(PutVarLen(e.nTime - previous, out + pos));
    previous = e.nTime;
    out[pos++] = e.nStatus;
    if (e.nData == 0) {
      out[pos++] = 0x2F;
      out[pos++] = 0x00;
    } else {
      std::memcpy(out + pos, data + e.nData, e.nDataSize);
      pos += e.nDataSize;
    }
  }
  image.resize(pos);
  const DWORD length = static_cast<DWORD>(pos - kMidiImageHead);
  image[18] = static_cast<BYTE>(length >> 24);
  image[19] = static_cast<BYTE>(length >> 16);
  image[20] = static_cast<BYTE>(length >> 8);
  image[21] = static_cast<BYTE>(length);
  return image;
}

std::vector<BYTE> cMidiFile::Convert(const BYTE* data, std::size_t size, int tracks) {
  std::vector<std::vector<cEvent>> lists(static_cast<std::size_t>(tracks));
  std::uint32_t endTime = 0;
  std::size_t pos = kMidiImageHead;
  for (int t = 0; t < tracks; ++t) {
    // Each later track begins after the end of the one before; its chunk head is skipped.
    if (t > 0) pos = std::min(size, pos + 8);
    ParseTrack(data, size, &pos, &lists[static_cast<std::size_t>(t)], &endTime);
  }
  // The song's end, at the latest end of any track. Its data position 0 marks it: no event
  // of the file has its data there.
  lists.back().push_back(cEvent{endTime, 0xFF, 0, 2});
  std::vector<cEvent> merged;
  MergeTracks(&lists, &merged);
  lists.clear();
  return Encode(data, merged, Be16(data + 12));
}
