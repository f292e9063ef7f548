#include "platform/audio_mixer.h"

#include <cmath>
#include <cstring>
#include <thread>

cAudioMixer::cAudioMixer() {
  for (auto& slot : m_Sources) slot.store(nullptr, std::memory_order_relaxed);
}

bool cAudioMixer::Attach(cAudioSource* source) {
  if (source == nullptr) return false;
  std::lock_guard<std::mutex> lock(m_ControlLock);
  const int used = m_nUsed.load(std::memory_order_relaxed);
  for (int i = 0; i < used; ++i) {
    if (m_Sources[i].load(std::memory_order_relaxed) == source) return true;
  }
  for (int i = 0; i < kMaxSources; ++i) {
    if (m_Sources[i].load(std::memory_order_relaxed) != nullptr) continue;
    m_Sources[i].store(source, std::memory_order_seq_cst);
    if (i >= used) m_nUsed.store(i + 1, std::memory_order_seq_cst);
    return true;
  }
  return false;
}

void cAudioMixer::Detach(cAudioSource* source) {
  if (source == nullptr) return;
  {
    std::lock_guard<std::mutex> lock(m_ControlLock);
    const int used = m_nUsed.load(std::memory_order_relaxed);
    for (int i = 0; i < used; ++i) {
      if (m_Sources[i].load(std::memory_order_relaxed) == source) m_Sources[i].store(nullptr, std::memory_order_seq_cst);
    }
  }
  // The slot is cleared before the render state is read (both sequentially consistent):
  // a callback that started after this read cannot see the source any more, and one
  // that was running is waited out.
  const std::uint64_t state = m_nRenderState.load(std::memory_order_seq_cst);
  if ((state & 1) == 0) return;
  while (m_nRenderState.load(std::memory_order_seq_cst) == state) std::this_thread::yield();
}

void cAudioMixer::Render(float* out, int frames) {
  m_nRenderState.fetch_add(1, std::memory_order_seq_cst);
  while (frames > 0) {
    const int block = frames < kMixBlockFrames ? frames : kMixBlockFrames;
    std::memset(out, 0, sizeof(float) * static_cast<std::size_t>(block) * kMixChannels);
    const int used = m_nUsed.load(std::memory_order_seq_cst);
    for (int i = 0; i < used; ++i) {
      cAudioSource* source = m_Sources[i].load(std::memory_order_seq_cst);
      if (source != nullptr) source->MixInto(out, block);
    }
    out += static_cast<std::ptrdiff_t>(block) * kMixChannels;
    frames -= block;
    m_nFrames.fetch_add(static_cast<std::uint64_t>(block), std::memory_order_release);
  }
  m_nRenderState.fetch_add(1, std::memory_order_seq_cst);
}

cAudioMixer& GetAudioMixer() {
  // Never destroyed: sounds held by other static objects detach from it at exit.
  static cAudioMixer* mixer = new cAudioMixer;
  return *mixer;
}

float GainFromHundredthsDb(int volume) {
  if (volume <= -10000) return 0.0f;
  if (volume >= 0) return 1.0f;
  return static_cast<float>(std::pow(10.0, static_cast<double>(volume) / 2000.0));
}
