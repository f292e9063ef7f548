#include "platform/sound_buffer.h"

#include <cstring>

bool ConvertPcmForMix(const WAVEFORMATEX& format, const std::uint8_t* bytes, std::uint32_t byteCount,
                      cMixSamples* out, std::string* why) {
  auto refuse = [why](const char* text) {
    if (why != nullptr) *why = text;
    return false;
  };
  if (format.wFormatTag != WAVE_FORMAT_PCM) return refuse("not PCM");
  if (format.nChannels != 1 && format.nChannels != 2) return refuse("channels not 1 or 2");
  if (format.wBitsPerSample != 8 && format.wBitsPerSample != 16) return refuse("bits not 8 or 16");
  const std::uint32_t blockAlign = format.nChannels * (format.wBitsPerSample / 8u);
  if (format.nBlockAlign != blockAlign) return refuse("block align does not match");
  if (format.nSamplesPerSec < 100 || format.nSamplesPerSec > 200000) return refuse("rate out of range");
  if (bytes == nullptr && byteCount != 0) return refuse("no samples");

  const std::uint64_t inFrames = byteCount / blockAlign;
  const std::uint64_t outFrames = (inFrames * kMixRate + format.nSamplesPerSec - 1) / format.nSamplesPerSec;
  if (outFrames > cSoundBuffer::kMaxFrames) return refuse("sound too long");

  const int channels = format.nChannels;
  auto sampleAt = [&](std::uint64_t frame, int channel) -> float {
    const std::uint8_t* p = bytes + frame * blockAlign;
    if (format.wBitsPerSample == 8) return (static_cast<float>(p[channel]) - 128.0f) / 128.0f;
    std::int16_t v;
    std::memcpy(&v, p + channel * 2, 2);
    return static_cast<float>(v) / 32768.0f;
  };

  out->nChannels = channels;
  out->nFrames = static_cast<std::uint32_t>(outFrames);
  out->vSamples.assign(static_cast<std::size_t>(outFrames) * static_cast<std::size_t>(channels), 0.0f);
  if (inFrames == 0) return true;
  if (format.nSamplesPerSec == static_cast<DWORD>(kMixRate)) {
    for (std::uint64_t f = 0; f < inFrames; ++f)
      for (int c = 0; c < channels; ++c) out->vSamples[f * channels + c] = sampleAt(f, c);
    return true;
  }
  // Linear interpolation between the two source frames around each output frame; the
  // step is exact in integers (frame * rate / kMixRate), so long sounds do not drift.
  for (std::uint64_t f = 0; f < outFrames; ++f) {
    const std::uint64_t scaled = f * format.nSamplesPerSec;
    const std::uint64_t i0 = scaled / kMixRate;
    const float t = static_cast<float>(scaled % kMixRate) / static_cast<float>(kMixRate);
    const std::uint64_t i1 = i0 + 1 < inFrames ? i0 + 1 : i0;
    for (int c = 0; c < channels; ++c) {
      const float a = sampleAt(i0 < inFrames ? i0 : inFrames - 1, c);
      const float b = sampleAt(i1, c);
      out->vSamples[f * channels + c] = a + (b - a) * t;
    }
  }
  return true;
}

cSoundBuffer::cSoundBuffer(cAudioMixer& mixer, std::shared_ptr<const cMixSamples> samples)
    : m_Mixer(mixer), m_pSamples(std::move(samples)) {}

std::unique_ptr<cSoundBuffer> cSoundBuffer::Create(cAudioMixer& mixer, const WAVEFORMATEX& format,
                                                   const std::uint8_t* bytes, std::uint32_t byteCount,
                                                   std::string* why) {
  auto samples = std::make_shared<cMixSamples>();
  if (!ConvertPcmForMix(format, bytes, byteCount, samples.get(), why)) return nullptr;
  std::unique_ptr<cSoundBuffer> buffer(new cSoundBuffer(mixer, std::move(samples)));
  if (!mixer.Attach(buffer.get())) {
    if (why != nullptr) *why = "too many buffers";
    return nullptr;
  }
  return buffer;
}

std::unique_ptr<cSoundBuffer> cSoundBuffer::Duplicate() const {
  std::unique_ptr<cSoundBuffer> buffer(new cSoundBuffer(m_Mixer, m_pSamples));
  if (!m_Mixer.Attach(buffer.get())) return nullptr;
  return buffer;
}

cSoundBuffer::~cSoundBuffer() { m_Mixer.Detach(this); }

void cSoundBuffer::PlayFromStart(DWORD flags) {
  m_nCommandSerial += 4;
  const std::uint32_t command = (flags & DSBPLAY_LOOPING) ? kCommandPlayLoop : kCommandPlay;
  m_nCommand.store(m_nCommandSerial | command, std::memory_order_release);
}

void cSoundBuffer::Stop() {
  m_nCommandSerial += 4;
  m_nCommand.store(m_nCommandSerial | kCommandStop, std::memory_order_release);
}

void cSoundBuffer::SetVolume(LONG volume) {
  m_nVolume = volume;
  m_fGain.store(GainFromHundredthsDb(volume), std::memory_order_relaxed);
}

void cSoundBuffer::MixInto(float* mix, int frames) {
  const std::uint32_t command = m_nCommand.load(std::memory_order_acquire);
  if (command != m_nSeenCommand) {
    m_nSeenCommand = command;
    switch (command & 3u) {
      case kCommandPlay:
      case kCommandPlayLoop:
        m_nPosition = 0;
        m_bLooping = (command & 3u) == kCommandPlayLoop;
        m_bPlaying.store(m_pSamples->nFrames != 0, std::memory_order_release);
        break;
      case kCommandStop:
        m_bPlaying.store(false, std::memory_order_release);
        break;
      default:
        break;
    }
  }
  if (!m_bPlaying.load(std::memory_order_relaxed)) return;

  const cMixSamples& samples = *m_pSamples;
  const float gain = m_fGain.load(std::memory_order_relaxed);
  const float* data = samples.vSamples.data();
  int done = 0;
  while (done < frames) {
    if (m_nPosition >= samples.nFrames) {
      if (!m_bLooping) {
        m_bPlaying.store(false, std::memory_order_release);
        return;
      }
      m_nPosition = 0;
    }
    const std::uint32_t left = samples.nFrames - m_nPosition;
    const int run = static_cast<int>(left < static_cast<std::uint32_t>(frames - done) ? left : static_cast<std::uint32_t>(frames - done));
    float* out = mix + static_cast<std::ptrdiff_t>(done) * kMixChannels;
    if (samples.nChannels == 1) {
      const float* in = data + m_nPosition;
      for (int i = 0; i < run; ++i) {
        const float v = in[i] * gain;
        out[2 * i] += v;
        out[2 * i + 1] += v;
      }
    } else {
      const float* in = data + static_cast<std::size_t>(m_nPosition) * 2;
      for (int i = 0; i < run * 2; ++i) out[i] += in[i] * gain;
    }
    m_nPosition += static_cast<std::uint32_t>(run);
    done += run;
  }
  if (m_nPosition >= samples.nFrames && !m_bLooping) m_bPlaying.store(false, std::memory_order_release);
}
