#pragma once
// Sound-effect buffers: PCM samples converted once, when the buffer is made, to the
// mixer's rate and float format. A duplicate shares its source's samples and plays on
// its own, with its own position and volume. The control calls (any thread but the audio
// thread) hand their request to the audio thread through one atomic word: no locks.
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/audio_mixer.h"
#include "platform/win_types.h"

// The format block of a WAVE file's fmt chunk, field by field.
struct WAVEFORMATEX {
  WORD wFormatTag;
  WORD nChannels;
  DWORD nSamplesPerSec;
  DWORD nAvgBytesPerSec;
  WORD nBlockAlign;
  WORD wBitsPerSample;
  WORD cbSize;
};
constexpr WORD WAVE_FORMAT_PCM = 1;

constexpr DWORD DSBPLAY_LOOPING = 0x00000001;

// The samples of one buffer at the mixer's rate, channels as in the file (1 or 2).
struct cMixSamples {
  std::vector<float> vSamples;
  int nChannels = 1;
  std::uint32_t nFrames = 0;
};

class cSoundBuffer final : public cAudioSource {
 public:
  // The longest sound a buffer holds once converted, so that a file cannot make a huge
  // allocation through an odd rate.
  static constexpr std::uint32_t kMaxFrames = 10u * 60u * kMixRate;

  // A buffer of 8- or 16-bit PCM, 1 or 2 channels, 100 to 200000 samples a second, attached
  // to `mixer`. Null when the format cannot play or the sound is too long; `why` then says
  // what was wrong.
  static std::unique_ptr<cSoundBuffer> Create(cAudioMixer& mixer, const WAVEFORMATEX& format,
                                              const std::uint8_t* bytes, std::uint32_t byteCount,
                                              std::string* why);
  ~cSoundBuffer() override;
  cSoundBuffer(const cSoundBuffer&) = delete;
  cSoundBuffer& operator=(const cSoundBuffer&) = delete;

  // A second buffer over the same samples, stopped, at full volume.
  std::unique_ptr<cSoundBuffer> Duplicate() const;

  // Plays from the first sample (also when it was playing); flags DSBPLAY_LOOPING repeats.
  void PlayFromStart(DWORD flags);
  void Stop();
  // Hundredths of a decibel, -10000 (silent) to 0 (full); the caller clamps.
  void SetVolume(LONG volume);
  LONG GetVolume() const { return m_nVolume; }
  // Set by the audio thread while the buffer sounds.
  bool IsPlaying() const { return m_bPlaying.load(std::memory_order_acquire); }
  std::uint32_t FrameCount() const { return m_pSamples->nFrames; }

  void MixInto(float* mix, int frames) override;

 private:
  cSoundBuffer(cAudioMixer& mixer, std::shared_ptr<const cMixSamples> samples);

  enum : std::uint32_t { kCommandNone = 0, kCommandPlay = 1, kCommandPlayLoop = 2, kCommandStop = 3 };

  cAudioMixer& m_Mixer;
  std::shared_ptr<const cMixSamples> m_pSamples;
  // Control side: serial in the upper bits, command in the lowest two.
  std::atomic<std::uint32_t> m_nCommand{0};
  std::uint32_t m_nCommandSerial = 0;
  LONG m_nVolume = 0;
  std::atomic<float> m_fGain{1.0f};
  std::atomic<bool> m_bPlaying{false};
  // Audio thread only.
  std::uint32_t m_nSeenCommand = 0;
  std::uint32_t m_nPosition = 0;
  bool m_bLooping = false;
};

// Converts PCM sample bytes to the mixer's rate (linear interpolation) and float format.
// False, with `why`, when the format is not playable PCM or the result too long.
bool ConvertPcmForMix(const WAVEFORMATEX& format, const std::uint8_t* bytes, std::uint32_t byteCount,
                      cMixSamples* out, std::string* why);
