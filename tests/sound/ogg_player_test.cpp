#include "media/sound/vox.h"

#include <gtest/gtest.h>

#include <cmath>
#include <thread>

#include "tests/support/ogg_encoder.h"
#include "tests/sound/sound_test_support.h"

namespace {

class OggPlayerTest : public cSoundTest {
 protected:
  // Renders in blocks, each once the decoder thread has it ready (as it is in real time).
  static std::vector<float> PullOgg(const cOggPlayer& player, int frames) {
    std::vector<float> all;
    const int block = 512;
    while (frames > 0) {
      const int n = frames < block ? frames : block;
      while (player.BufferedFrames() < n && !player.DecoderFinished() && player.IsPlaying()) std::this_thread::yield();
      std::vector<float> out = Pull(n);
      all.insert(all.end(), out.begin(), out.end());
      frames -= n;
    }
    return all;
  }
  // Frames (from the start) up to the last one that is not silent.
  static int SoundingFrames(const std::vector<float>& mix) {
    for (std::size_t i = mix.size(); i >= 2; i -= 2)
      if (mix[i - 2] != 0.0f || mix[i - 1] != 0.0f) return static_cast<int>(i / 2);
    return 0;
  }
  static float LargestStep(const std::vector<float>& mix, int from, int to) {
    float largest = 0;
    for (int i = from; i + 1 < to; ++i) largest = std::max(largest, std::fabs(mix[2 * (i + 1)] - mix[2 * i]));
    return largest;
  }
};

TEST_F(OggPlayerTest, PlaysOnceOrLoopsWithoutAGap) {
  // 220 whole cycles of 440 Hz: a gapless loop continues the sine without a step.
  ASSERT_TRUE(WriteOggTone("tone.ogg", 44100, 1, 22050));
  struct {
    int loop;
    int sounding;  // frames heard in 3 seconds
    bool playingAfter;
  } const cases[] = {{0, 22050, false}, {2, 3 * 22050, false}, {cOggPlayer::kLoopForever, 0, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.loop);
    cOggPlayer player;
    ASSERT_TRUE(player.Load("tone.ogg"));
    EXPECT_EQ(player.SampleRate(), 44100);
    player.SetLoop(c.loop);
    player.Play();
    const auto mix = PullOgg(player, 3 * 44100);
    if (c.sounding != 0) {
      // Within a frame or two: the first sample of the sine is 0.
      EXPECT_NEAR(SoundingFrames(mix), c.sounding, 2);
    } else {
      EXPECT_EQ(SoundingFrames(mix), 3 * 44100);
    }
    EXPECT_EQ(player.IsPlaying(), c.playingAfter);
    if (c.loop != 0) {
      EXPECT_LT(LargestStep(mix, 22050 - 100, 22050 + 100), 0.08f);
    }
    // The left channel of a mono file is on both sides.
    EXPECT_FLOAT_EQ(mix[2 * 1000], mix[2 * 1000 + 1]);
  }
}

TEST_F(OggPlayerTest, OtherRatesAndStereoConvertToTheMix) {
  ASSERT_TRUE(WriteOggTone("tone.ogg", 22050, 2, 11025, 220.0));
  cOggPlayer player;
  ASSERT_TRUE(player.Load("tone.ogg"));
  EXPECT_EQ(player.SampleRate(), 22050);
  player.Play();
  const auto mix = PullOgg(player, 44100);
  EXPECT_NEAR(SoundingFrames(mix), 22050, 3);
  // The right channel was encoded at half the left's amplitude.
  float left = 0, right = 0;
  for (int i = 0; i < 20000; ++i) {
    left = std::max(left, std::fabs(mix[2 * i]));
    right = std::max(right, std::fabs(mix[2 * i + 1]));
  }
  EXPECT_NEAR(left, 0.5f, 0.05f);
  EXPECT_NEAR(right, 0.25f, 0.05f);
  EXPECT_LT(LargestStep(mix, 0, 22000), 0.05f);
}

TEST_F(OggPlayerTest, PlayStartsAgainAndStopSilences) {
  ASSERT_TRUE(WriteOggTone("tone.ogg", 44100, 1, 44100));
  cOggPlayer player;
  ASSERT_TRUE(player.Load("tone.ogg"));
  player.Play();
  const auto first = PullOgg(player, 4096);
  player.Play();
  const auto again = PullOgg(player, 4096);
  EXPECT_EQ(first, again);
  player.Stop();
  EXPECT_FALSE(player.IsPlaying());
  EXPECT_EQ(SoundingFrames(Pull(1024)), 0);
  player.Close();
  player.Play();  // nothing loaded: nothing plays
  EXPECT_FALSE(player.IsPlaying());
}

TEST_F(OggPlayerTest, FilesThatAreNotOggDoNotLoad) {
  ASSERT_TRUE(WriteOggTone("tone.ogg", 44100, 1, 44100));
  const std::string good = ReadBytes("tone.ogg");
  MakeFile("empty.ogg", "");
  MakeFile("text.ogg", "not an ogg file at all");
  MakeFile("head.ogg", good.substr(0, 60));
  std::string damaged = good;
  for (std::size_t i = 200; i < damaged.size(); i += 7) damaged[i] = static_cast<char>(damaged[i] ^ 0x5A);
  MakeFile("damaged.ogg", damaged);
  for (const char* name : {"missing.ogg", "empty.ogg", "text.ogg", "head.ogg"}) {
    SCOPED_TRACE(name);
    cOggPlayer player;
    EXPECT_FALSE(player.Load(name));
  }
  // Damage past the headers loads; whatever decodes plays, and the song ends.
  cOggPlayer player;
  if (player.Load("damaged.ogg")) {
    player.Play();
    PullOgg(player, 3 * 44100);
    EXPECT_FALSE(player.IsPlaying());
  }
}

TEST_F(OggPlayerTest, VoxPlaysOneChannelAtATime) {
  ASSERT_TRUE(WriteOggTone("a.ogg", 44100, 1, 44100));
  cVox vox;
  ASSERT_EQ(vox.Init(), 1);
  ASSERT_EQ(vox.Create(2), 1);
  EXPECT_EQ(vox.Play(0, "", 1), 0);
  EXPECT_EQ(vox.Play(0, nullptr, 1), 0);
  EXPECT_EQ(vox.Play(0, "a.ogg", 1), 1);
  EXPECT_EQ(vox.m_nCurrent, 0);
  EXPECT_TRUE(vox.Player(0)->IsPlaying());
  EXPECT_EQ(vox.Play(1, "a.ogg", 0), 1);
  EXPECT_FALSE(vox.Player(0)->IsPlaying());  // the one started before is stopped
  EXPECT_EQ(vox.Play(1, "missing.ogg", 0), 0);
  EXPECT_EQ(vox.m_nCurrent, -1);
  EXPECT_FALSE(vox.Player(1)->IsPlaying());
  vox.Release();
  EXPECT_EQ(vox.Player(0), nullptr);
}

}  // namespace
