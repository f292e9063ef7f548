// The mixer hands a detached source back only once the audio thread is out of it.
#include "platform/audio_mixer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "platform/win_time.h"

namespace {

// A source whose mixing blocks until it is let go, as a slow decoder would.
class cLatchedSource : public cAudioSource {
 public:
  void MixInto(float*, int) override {
    m_bEntered.store(true);
    while (!m_bRelease.load()) std::this_thread::yield();
    m_bLeft.store(true);
  }
  std::atomic<bool> m_bEntered{false};
  std::atomic<bool> m_bRelease{false};
  std::atomic<bool> m_bLeft{false};
};

TEST(AudioMixerTest, DetachWaitsForTheRenderInsideTheSource) {
  cAudioMixer mixer;
  cLatchedSource source;
  ASSERT_TRUE(mixer.Attach(&source));
  std::thread audio([&] {
    std::vector<float> out(2 * 64);
    mixer.Render(out.data(), 64);
  });
  while (!source.m_bEntered.load()) std::this_thread::yield();
  std::atomic<bool> detached{false};
  std::thread control([&] {
    mixer.Detach(&source);
    // The source may be freed from here on: the render must have left it.
    EXPECT_TRUE(source.m_bLeft.load());
    detached.store(true);
  });
  Sleep(50);
  EXPECT_FALSE(detached.load()) << "Detach returned while the render was inside the source";
  source.m_bRelease.store(true);
  control.join();
  audio.join();
  EXPECT_TRUE(detached.load());
  // Detached, it is not mixed again.
  source.m_bEntered.store(false);
  std::vector<float> out(2 * 64);
  mixer.Render(out.data(), 64);
  EXPECT_FALSE(source.m_bEntered.load());
}

}  // namespace
