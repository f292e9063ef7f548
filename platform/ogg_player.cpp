#include "platform/ogg_player.h"

#define OV_EXCLUDE_STATIC_CALLBACKS
#include <vorbis/vorbisfile.h>

#include <cstdio>
#include <cstring>

#include "platform/host_files.h"

// The song's bytes as the decoder reads them. Outside the anonymous namespace: the decoder,
// a member class of the player, holds one.
struct cOggMemoryFile {
  const std::vector<unsigned char>* pBytes;
  std::size_t nPos;
};

namespace {

// A song file larger than this is not a song.
constexpr long kMaxOggFileBytes = 256L * 1024 * 1024;

std::size_t ReadMemory(void* dst, std::size_t size, std::size_t count, void* source) {
  auto* file = static_cast<cOggMemoryFile*>(source);
  if (size == 0) return 0;
  const std::size_t left = file->pBytes->size() - file->nPos;
  std::size_t n = size * count;
  if (n > left) n = left - left % size;
  std::memcpy(dst, file->pBytes->data() + file->nPos, n);
  file->nPos += n;
  return n / size;
}

int SeekMemory(void* source, ogg_int64_t offset, int whence) {
  auto* file = static_cast<cOggMemoryFile*>(source);
  ogg_int64_t base = 0;
  if (whence == SEEK_CUR) base = static_cast<ogg_int64_t>(file->nPos);
  if (whence == SEEK_END) base = static_cast<ogg_int64_t>(file->pBytes->size());
  const ogg_int64_t target = base + offset;
  if (target < 0 || target > static_cast<ogg_int64_t>(file->pBytes->size())) return -1;
  file->nPos = static_cast<std::size_t>(target);
  return 0;
}

long TellMemory(void* source) { return static_cast<long>(static_cast<cOggMemoryFile*>(source)->nPos); }

}  // namespace

struct cOggPlayer::cDecoder {
  std::vector<unsigned char> vBytes;
  cOggMemoryFile memory{nullptr, 0};
  OggVorbis_File vorbis{};
  int nChannels = 0;
  ~cDecoder() { ov_clear(&vorbis); }
};

cOggPlayer::cOggPlayer(cAudioMixer& mixer) : m_Mixer(mixer), m_vRing(static_cast<std::size_t>(kRingFrames) * 2, 0.0f) {}

cOggPlayer::~cOggPlayer() { Close(); }

bool cOggPlayer::Load(const char* path, HOSTFILEKIND* refused) {
  Close();
  FILE* file = path != nullptr ? OpenFile(path, "rb", refused) : nullptr;
  if (file == nullptr) return false;
  auto decoder = std::make_unique<cDecoder>();
  long size = -1;
  if (std::fseek(file, 0, SEEK_END) == 0) size = std::ftell(file);
  bool read = size > 0 && size <= kMaxOggFileBytes && std::fseek(file, 0, SEEK_SET) == 0;
  if (read) {
    decoder->vBytes.resize(static_cast<std::size_t>(size));
    read = std::fread(decoder->vBytes.data(), 1, decoder->vBytes.size(), file) == decoder->vBytes.size();
  }
  std::fclose(file);
  if (!read) return false;
  decoder->memory = cOggMemoryFile{&decoder->vBytes, 0};
  const ov_callbacks callbacks = {ReadMemory, SeekMemory, nullptr, TellMemory};
  if (ov_open_callbacks(&decoder->memory, &decoder->vorbis, nullptr, 0, callbacks) != 0) {
    // ov_clear on a file that did not open is harmless: it was zeroed by the failure.
    return false;
  }
  const vorbis_info* info = ov_info(&decoder->vorbis, -1);
  if (info == nullptr || info->channels < 1 || info->rate < 1000 || info->rate > 200000) return false;
  decoder->nChannels = info->channels;
  m_nRate = static_cast<int>(info->rate);
  m_pDecoder = std::move(decoder);
  return true;
}

void cOggPlayer::SetLoop(int count) { m_nLoop = count < 0 ? 0 : count; }

void cOggPlayer::Play() {
  Stop();
  if (!m_pDecoder) return;
  if (ov_raw_seek(&m_pDecoder->vorbis, 0) != 0) return;
  m_nWritten.store(0, std::memory_order_relaxed);
  m_nRead.store(0, std::memory_order_relaxed);
  m_bDecoderDone.store(false, std::memory_order_relaxed);
  m_dPhase = 0.0;
  m_bHavePrev = false;
  m_nLoopsDone = 0;
  // The ring is filled before the audio thread sees the player, so the song starts
  // without waiting for the decoder thread.
  DecodeAhead();
  m_bSounding.store(true, std::memory_order_release);
  if (m_Mixer.Attach(this)) m_bAttached.store(true, std::memory_order_release);
  StartDecoder();
}

void cOggPlayer::Stop() {
  if (m_bAttached.exchange(false)) m_Mixer.Detach(this);
  m_bSounding.store(false, std::memory_order_release);
  StopDecoder();
}

void cOggPlayer::Close() {
  Stop();
  m_pDecoder.reset();
  m_nRate = 0;
}

bool cOggPlayer::IsPlaying() const { return m_bSounding.load(std::memory_order_acquire); }

int cOggPlayer::BufferedFrames() const {
  return static_cast<int>(m_nWritten.load(std::memory_order_acquire) - m_nRead.load(std::memory_order_acquire));
}

void cOggPlayer::StartDecoder() {
  {
    std::lock_guard<std::mutex> lock(m_WakeLock);
    m_bQuit = false;
  }
  m_Thread = std::thread([this] {
    for (;;) {
      if (!DecodeAhead()) return;
      std::unique_lock<std::mutex> lock(m_WakeLock);
      // The audio thread does not wake the decoder (it never touches a lock); a quarter
      // of the ring drains in about 190 ms, so a short nap keeps it well filled.
      m_Wake.wait_for(lock, std::chrono::milliseconds(10), [this] { return m_bQuit; });
      if (m_bQuit) return;
    }
  });
}

void cOggPlayer::StopDecoder() {
  if (!m_Thread.joinable()) return;
  {
    std::lock_guard<std::mutex> lock(m_WakeLock);
    m_bQuit = true;
  }
  m_Wake.notify_all();
  m_Thread.join();
}

void cOggPlayer::PushFrame(float left, float right) {
  const std::uint64_t written = m_nWritten.load(std::memory_order_relaxed);
  float* slot = &m_vRing[(written % kRingFrames) * 2];
  slot[0] = left;
  slot[1] = right;
  m_nWritten.store(written + 1, std::memory_order_release);
}

bool cOggPlayer::DecodeAhead() {
  if (!m_pDecoder || m_bDecoderDone.load(std::memory_order_relaxed)) return false;
  const double step = static_cast<double>(m_nRate) / kMixRate;
  for (;;) {
    // Ask the decoder for no more than the free part of the ring can take once resampled,
    // so that nothing the audio thread has not read is overwritten.
    const std::uint64_t used = m_nWritten.load(std::memory_order_relaxed) - m_nRead.load(std::memory_order_acquire);
    const double room = static_cast<double>(kRingFrames) - static_cast<double>(used) - 2.0;
    const double fits = m_nRate == kMixRate ? room : room * step - 1.0;
    if (fits < 256.0) return true;
    const int ask = fits > 4096.0 ? 4096 : static_cast<int>(fits);
    float** pcm = nullptr;
    int section = 0;
    const long frames = ov_read_float(&m_pDecoder->vorbis, &pcm, ask, &section);
    if (frames == OV_HOLE) continue;
    if (frames <= 0) {
      // The end of a pass (or a damaged stream, which ends it too).
      if (frames == 0 && (m_nLoop == kLoopForever || m_nLoopsDone < m_nLoop) && ov_raw_seek(&m_pDecoder->vorbis, 0) == 0) {
        if (m_nLoop != kLoopForever) ++m_nLoopsDone;
        continue;
      }
      m_bDecoderDone.store(true, std::memory_order_release);
      return false;
    }
    const int channels = m_pDecoder->nChannels;
    for (long i = 0; i < frames; ++i) {
      const float l = pcm[0][i];
      const float r = channels > 1 ? pcm[1][i] : l;
      if (m_nRate == kMixRate) {
        PushFrame(l, r);
        continue;
      }
      // Linear interpolation between the previous and this frame, across packets and
      // loops alike.
      if (!m_bHavePrev) {
        m_fPrev[0] = l;
        m_fPrev[1] = r;
        m_bHavePrev = true;
        PushFrame(l, r);
        m_dPhase = step;
        continue;
      }
      while (m_dPhase < 1.0) {
        const float t = static_cast<float>(m_dPhase);
        PushFrame(m_fPrev[0] + (l - m_fPrev[0]) * t, m_fPrev[1] + (r - m_fPrev[1]) * t);
        m_dPhase += step;
      }
      m_dPhase -= 1.0;
      m_fPrev[0] = l;
      m_fPrev[1] = r;
    }
  }
}

void cOggPlayer::MixInto(float* mix, int frames) {
  if (!m_bSounding.load(std::memory_order_acquire)) return;
  const std::uint64_t read = m_nRead.load(std::memory_order_relaxed);
  const std::uint64_t written = m_nWritten.load(std::memory_order_acquire);
  const std::uint64_t available = written - read;
  const int n = available < static_cast<std::uint64_t>(frames) ? static_cast<int>(available) : frames;
  for (int i = 0; i < n; ++i) {
    const float* slot = &m_vRing[((read + static_cast<std::uint64_t>(i)) % kRingFrames) * 2];
    mix[2 * i] += slot[0];
    mix[2 * i + 1] += slot[1];
  }
  m_nRead.store(read + static_cast<std::uint64_t>(n), std::memory_order_release);
  // Past the last decoded frame of the last pass, the song is over. (A shortfall while the
  // decoder goes on is an underrun: silence for the rest of this block.)
  if (n < frames && m_bDecoderDone.load(std::memory_order_acquire) &&
      m_nWritten.load(std::memory_order_acquire) == read + static_cast<std::uint64_t>(n))
    m_bSounding.store(false, std::memory_order_release);
}
