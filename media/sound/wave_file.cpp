#include "media/sound/wave_file.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>

#include "app/report_log.h"
#include "data/record/data_file.h"
#include "platform/host_files.h"

namespace {

// The file open for reading with its size known, so that no chunk can claim more than
// the file holds.
class cRiffFile {
 public:
  explicit cRiffFile(const char* path) : m_pFile(OpenFile(path, "rb", &m_Refused)) {
    if (m_pFile == nullptr) return;
    if (std::fseek(m_pFile, 0, SEEK_END) == 0) {
      const long size = std::ftell(m_pFile);
      if (size >= 0) m_nSize = static_cast<std::uint64_t>(size);
    }
    std::fseek(m_pFile, 0, SEEK_SET);
  }
  ~cRiffFile() {
    if (m_pFile != nullptr) std::fclose(m_pFile);
  }
  cRiffFile(const cRiffFile&) = delete;
  cRiffFile& operator=(const cRiffFile&) = delete;

  bool IsOpen() const { return m_pFile != nullptr; }
  // What stands at the path when it is not a regular file (HOSTFILE_NONE otherwise).
  HOSTFILEKIND Refused() const { return m_Refused; }
  std::uint64_t Size() const { return m_nSize; }

  bool ReadAt(std::uint64_t offset, void* dst, std::uint64_t n) {
    if (offset > m_nSize || n > m_nSize - offset) return false;
    if (std::fseek(m_pFile, static_cast<long>(offset), SEEK_SET) != 0) return false;
    return std::fread(dst, 1, static_cast<std::size_t>(n), m_pFile) == n;
  }

 private:
  HOSTFILEKIND m_Refused = HOSTFILE_NONE;
  FILE* m_pFile = nullptr;
  std::uint64_t m_nSize = 0;
};

std::uint32_t Le32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}
std::uint16_t Le16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }

struct cChunk {
  std::uint64_t nDataOffset = 0;
  std::uint32_t nSize = 0;
};

// Finds a chunk by id among the chunks from `from` up to `end`. Chunks are padded to an
// even length. The chunk found may claim more than lies before `end`; the caller checks.
bool FindChunk(cRiffFile& file, std::uint64_t from, std::uint64_t end, const char* id, cChunk* out) {
  std::uint64_t pos = from;
  while (pos + 8 <= end) {
    std::uint8_t head[8];
    if (!file.ReadAt(pos, head, 8)) return false;
    const std::uint32_t size = Le32(head + 4);
    if (std::memcmp(head, id, 4) == 0) {
      out->nDataOffset = pos + 8;
      out->nSize = size;
      return true;
    }
    pos += 8 + static_cast<std::uint64_t>(size) + (size & 1u);
  }
  return false;
}

}  // namespace

bool DSLoadWave(const char* path, WAVEDATA* wave) {
  cRiffFile file(path);
  if (!file.IsOpen()) {
    // A missing file fails quietly (the caller reports the failed load); anything else in
    // its place is said here, as the caller's line cannot tell why.
    if (file.Refused() != HOSTFILE_NONE) WriteReport("%s : %s", path, NotAFileText(file.Refused()));
    return false;
  }

  // The RIFF chunk of form WAVE. Its size is taken as far as the file reaches: writers
  // that leave it short or too long are common, and every inner chunk is checked anyway.
  std::uint8_t riff[12];
  if (!file.ReadAt(0, riff, 12) || std::memcmp(riff, "RIFF", 4) != 0 || std::memcmp(riff + 8, "WAVE", 4) != 0) {
    WriteReportEC("%s の読み込みに失敗しました…\n不正なファイルです。", path);
    return false;
  }
  const std::uint64_t riffEnd = std::min<std::uint64_t>(8 + static_cast<std::uint64_t>(Le32(riff + 4)), file.Size());

  cChunk fmt;
  if (!FindChunk(file, 12, riffEnd, "fmt ", &fmt)) return false;
  std::uint8_t fmtBytes[18] = {};
  if (fmt.nSize > 18 || !file.ReadAt(fmt.nDataOffset, fmtBytes, fmt.nSize)) {
    WriteReportEC("%s の読み込みに失敗しました…\n対応していない形式か、不正なwavファイルです。\n本ソフトではPCM形式のみ再生できます。",
                  path);
    return false;
  }
  WAVEFORMATEX wfx{};
  wfx.wFormatTag = Le16(fmtBytes);
  wfx.nChannels = Le16(fmtBytes + 2);
  wfx.nSamplesPerSec = Le32(fmtBytes + 4);
  wfx.nAvgBytesPerSec = Le32(fmtBytes + 8);
  wfx.nBlockAlign = Le16(fmtBytes + 12);
  wfx.wBitsPerSample = Le16(fmtBytes + 14);
  wfx.cbSize = Le16(fmtBytes + 16);
  if (wfx.wFormatTag != WAVE_FORMAT_PCM) {
    WriteReportEC("%s の読み込みに失敗しました…\nPCM形式以外の形式です。\n本ソフトではPCM形式のみ再生できます。", path);
    return false;
  }

  // The data chunk follows the fmt chunk.
  const std::uint64_t afterFmt = fmt.nDataOffset + fmt.nSize + (fmt.nSize & 1u);
  cChunk data;
  if (!FindChunk(file, afterFmt, riffEnd, "data", &data) || data.nSize == 0) return false;
  // A size beyond the end of the file is damage: it would ask for memory the file cannot
  // fill, and the samples past the end would be noise.
  if (data.nSize > file.Size() - data.nDataOffset) {
    WriteReportEC("%s の読み込みに失敗しました…\n不正なファイルです。", path);
    return false;
  }
  std::unique_ptr<BYTE[]> bytes(new (std::nothrow) BYTE[data.nSize]);
  if (!bytes) return false;
  if (!file.ReadAt(data.nDataOffset, bytes.get(), data.nSize)) return false;
  wave->wfx = wfx;
  wave->pData = std::move(bytes);
  wave->dwDataSize = data.nSize;
  return true;
}

void DSFreeWave(WAVEDATA* wave) {
  if (wave == nullptr) return;
  wave->pData.reset();
  wave->dwDataSize = 0;
}
