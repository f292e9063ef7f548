#pragma once
// OGG Vorbis music: the whole file is held in memory and decoded by a thread of the
// player's own into a ring of mixed-format frames a little ahead of the audio thread,
// which only copies from the ring. Loops seek back to the first sample inside the
// decoder, so a loop has no gap.
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/audio_mixer.h"
#include "platform/host_files.h"

class cOggPlayer final : public cAudioSource {
 public:
  // The loop count that never ends.
  static constexpr int kLoopForever = 2147483647;
  static constexpr int kRingFrames = 32768;

  explicit cOggPlayer(cAudioMixer& mixer = GetAudioMixer());
  ~cOggPlayer() override;
  cOggPlayer(const cOggPlayer&) = delete;
  cOggPlayer& operator=(const cOggPlayer&) = delete;

  // Reads a whole OGG Vorbis file (a program path); false when it cannot be played.
  // `refused`, when given, says what stood at the path instead of a regular file.
  bool Load(const char* path, HOSTFILEKIND* refused = nullptr);
  // Plays from the first sample.
  void Play();
  void Stop();
  // Forgets the loaded file.
  void Close();
  // Repeats after the first pass: 0 once, kLoopForever endless.
  void SetLoop(int count);

  // True from Play until the last pass has been heard or Stop.
  bool IsPlaying() const;
  // Frames decoded ahead of the audio thread, and whether the decoder has reached the
  // end of its last pass (tests pulling the mixer wait on these).
  int BufferedFrames() const;
  bool DecoderFinished() const { return m_bDecoderDone.load(std::memory_order_acquire); }
  int SampleRate() const { return m_nRate; }

  void MixInto(float* mix, int frames) override;

 private:
  struct cDecoder;
  void StartDecoder();
  void StopDecoder();
  // Decodes into the free part of the ring; false once the last pass has ended.
  bool DecodeAhead();
  void PushFrame(float left, float right);

  cAudioMixer& m_Mixer;
  std::unique_ptr<cDecoder> m_pDecoder;
  int m_nRate = 0;
  int m_nLoop = 0;

  std::vector<float> m_vRing;
  std::atomic<std::uint64_t> m_nWritten{0};
  std::atomic<std::uint64_t> m_nRead{0};
  std::atomic<bool> m_bDecoderDone{false};
  std::atomic<bool> m_bAttached{false};
  std::atomic<bool> m_bSounding{false};

  // Resampling state of the decoder (used by the decoder only).
  double m_dPhase = 0.0;
  float m_fPrev[2] = {0.0f, 0.0f};
  bool m_bHavePrev = false;
  int m_nLoopsDone = 0;

  std::thread m_Thread;
  std::mutex m_WakeLock;
  std::condition_variable m_Wake;
  bool m_bQuit = false;
};
