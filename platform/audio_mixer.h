#pragma once
// The program's own mixer. Every sound that plays (sound-effect voices, OGG players, MIDI
// streams) is a source attached to one mixer; the audio device's callback asks the mixer
// for the next frames. Samples are 32-bit float, two interleaved channels, at kMixRate.
//
// The audio thread never allocates, never waits on a lock and never touches a file:
// sources are reached through a fixed table of atomic pointers, and a source that is
// detached is known to be out of the audio thread's hands when Detach returns.
#include <atomic>
#include <cstdint>
#include <mutex>

constexpr int kMixRate = 44100;
constexpr int kMixChannels = 2;
// The longest run of frames a source is asked for at once; sources keep scratch buffers
// of this size instead of allocating.
constexpr int kMixBlockFrames = 1024;

class cAudioSource {
 public:
  virtual ~cAudioSource() = default;
  // Adds `frames` (at most kMixBlockFrames) stereo frames into `mix`. Runs on the audio
  // thread: no allocation, no lock waits, no file access.
  virtual void MixInto(float* mix, int frames) = 0;
};

class cAudioMixer {
 public:
  static constexpr int kMaxSources = 4096;

  cAudioMixer();
  cAudioMixer(const cAudioMixer&) = delete;
  cAudioMixer& operator=(const cAudioMixer&) = delete;

  // Adds a source; false when the table is full. Any thread but the audio thread.
  bool Attach(cAudioSource* source);
  // Removes a source. When it returns, the audio thread is not inside the source and will
  // not enter it again, so the caller may change or free it. Any thread but the audio
  // thread; waits at most for one callback to end.
  void Detach(cAudioSource* source);

  // Writes `frames` stereo frames into `out`: silence plus every attached source. Called
  // by the audio device's callback, or by tests and offline renderers pulling the mix.
  // One thread at a time.
  void Render(float* out, int frames);

  // Frames rendered so far (the mixer's clock).
  std::uint64_t FramesRendered() const { return m_nFrames.load(std::memory_order_acquire); }

 private:
  std::atomic<cAudioSource*> m_Sources[kMaxSources];
  // One past the highest slot ever used, so that the callback walks only that far.
  std::atomic<int> m_nUsed{0};
  // Odd while Render runs; Detach waits for it to move on when it was odd.
  std::atomic<std::uint64_t> m_nRenderState{0};
  std::atomic<std::uint64_t> m_nFrames{0};
  // Serialises Attach and Detach among the control threads (never taken by Render).
  std::mutex m_ControlLock;
};

// The mixer behind the program's audio device.
cAudioMixer& GetAudioMixer();

// 10^(volume / 2000) for a volume in hundredths of a decibel; -10000 and below is silence.
float GainFromHundredthsDb(int volume);
