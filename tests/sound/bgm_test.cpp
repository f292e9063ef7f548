#include "media/sound/bgm.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "platform/message_queue.h"
#include "tests/sound/midi_test_support.h"
#include "tests/support/ogg_encoder.h"

namespace {

class BgmTest : public cMidiTest {
 protected:
  void SetUp() override {
    cMidiTest::SetUp();
    std::memcpy(m_Ogg, g_szBgmOggName, sizeof m_Ogg);
    std::memcpy(m_Midi, g_szBgmMidiName, sizeof m_Midi);
    ASSERT_EQ(m_Bgm.Init(1, m_Ogg, m_Midi, BGMSLOT_NUM), 1);
    ASSERT_TRUE(WriteOggTone("song.ogg", 44100, 1, 44100));
    cMidiLayout layout;
    layout.vTracks.push_back(std::move(cMidiTrack().NoteOn(0, 0, 60, 100).End(9600)));
    WriteSong("song.mid", layout);
  }
  void TearDown() override {
    m_Bgm.Release();
    cMidiTest::TearDown();
  }
  bool OggPlaying() { return m_Bgm.m_Vox.Player(0)->IsPlaying(); }
  int MidiState() {
    cMidi* player = m_Bgm.m_MidiList.Player(0);
    return player != nullptr ? player->PlayState() : -1;
  }

  BGMOGGNAME m_Ogg[BGMSLOT_NUM];
  BGMMIDINAME m_Midi[BGMSLOT_NUM];
  cBgm m_Bgm;
};

TEST_F(BgmTest, SetFileChoosesTheKindByTheExactExtension) {
  const std::string longPath = "bgm\\" + std::string(300, 'a') + ".ogg";
  struct {
    const char* path;
    int result;
    int kind;
    const char* ogg;
    const char* midi;
  } const cases[] = {
      {"bgm\\Boss.MID", 1, BGMKIND_MIDI, "bgm\\Stage.ogg", "bgm\\Boss.mid"},
      {"bgm\\Boss.mid", 1, BGMKIND_MIDI, "bgm\\Stage.ogg", "bgm\\Boss.mid"},
      {"bgm\\Boss.ogg", 1, BGMKIND_OGG, "bgm\\Boss.ogg", "bgm\\Stage.mid"},
      {"bgm\\Boss.OGG", 1, BGMKIND_OGG, "bgm\\Boss.OGG", "bgm\\Stage.mid"},
      {"bgm\\Boss.Ogg", 0, BGMKIND_ANY, "bgm\\Boss.Ogg", "bgm\\Boss.Ogg"},
      {"bgm\\Boss.wav", 0, BGMKIND_ANY, "bgm\\Boss.wav", "bgm\\Boss.wav"},
      {"bgm\\Boss", 0, BGMKIND_ANY, "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    std::memcpy(m_Ogg, g_szBgmOggName, sizeof m_Ogg);
    std::memcpy(m_Midi, g_szBgmMidiName, sizeof m_Midi);
    EXPECT_EQ(m_Bgm.SetFile(BGMSLOT_STAGE, c.path), c.result);
    EXPECT_EQ(m_Bgm.m_vSlotKind[BGMSLOT_STAGE], c.kind);
    EXPECT_STREQ(m_Ogg[BGMSLOT_STAGE], c.ogg);
    EXPECT_STREQ(m_Midi[BGMSLOT_STAGE], c.midi);
  }
  EXPECT_EQ(m_Bgm.SetFile(BGMSLOT_TITLE, longPath.c_str()), 1);
  EXPECT_EQ(std::strlen(m_Ogg[BGMSLOT_TITLE]), 259u);
  EXPECT_STREQ(m_Ogg[BGMSLOT_WORLDMAP], "bgm\\WorldMap.ogg");
}

TEST_F(BgmTest, KindsDecideWhatIsTried) {
  struct {
    const char* file;
    int result;
    int channel;
    bool ogg;
    int midi;  // state of the MIDI player, -1 none
  } const cases[] = {
      {"song.ogg", 1, BGMCHANNEL_OGG, true, -1},
      {"song.MID", 1, BGMCHANNEL_MIDI, false, MIDISTATE_PLAY},
      {"song.Ogg", 1, BGMCHANNEL_OGG, true, -1},  // tried as OGG first; file names match in any case
      {"other.Ogg", 0, BGMCHANNEL_NONE, false, -1},  // no such OGG, and MIDI refuses the name
      {"missing.ogg", 0, BGMCHANNEL_NONE, false, -1},  // an OGG slot never falls back to MIDI
      {"song.mid", 1, BGMCHANNEL_MIDI, false, MIDISTATE_PLAY},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    m_Bgm.SetFile(BGMSLOT_STAGE, c.file);
    EXPECT_EQ(m_Bgm.Play(0, BGMSLOT_STAGE, 1, 1), c.result);
    EXPECT_EQ(m_Bgm.m_vChannelKind[0], c.channel);
    EXPECT_EQ(m_Bgm.m_nSlot, c.result ? BGMSLOT_STAGE : -1);
    EXPECT_EQ(OggPlaying(), c.ogg);
    if (c.midi >= 0) {
      EXPECT_EQ(MidiState(), c.midi);
    }
  }
}

TEST_F(BgmTest, AnySlotTriesOggThenMidi) {
  std::strcpy(m_Ogg[BGMSLOT_TITLE], "missing.ogg");
  std::strcpy(m_Midi[BGMSLOT_TITLE], "song.mid");
  EXPECT_EQ(m_Bgm.Play(0, BGMSLOT_TITLE, 1, 0), 1);
  EXPECT_EQ(m_Bgm.m_vChannelKind[0], BGMCHANNEL_MIDI);
  std::strcpy(m_Ogg[BGMSLOT_TITLE], "song.ogg");
  EXPECT_EQ(m_Bgm.Play(0, BGMSLOT_TITLE, 1, 1), 1);
  EXPECT_EQ(m_Bgm.m_vChannelKind[0], BGMCHANNEL_OGG);
  EXPECT_EQ(MidiState(), MIDISTATE_STOP);  // the MIDI player is stopped once the OGG plays
}

TEST_F(BgmTest, TheSameSlotWithoutForceKeepsPlaying) {
  m_Bgm.SetFile(BGMSLOT_STAGE, "song.ogg");
  ASSERT_EQ(m_Bgm.Play(0, BGMSLOT_STAGE, 1, 0), 1);
  const auto start = Pull(10000);
  cOggPlayer* player = m_Bgm.m_Vox.Player(0);
  const int buffered = player->BufferedFrames();
  EXPECT_EQ(m_Bgm.Play(0, BGMSLOT_STAGE, 1, 0), 1);
  EXPECT_LE(player->BufferedFrames(), buffered + 44100);  // not reloaded: still mid-song
  // Forced, it starts again from the beginning: the first frames are the song's first.
  EXPECT_EQ(m_Bgm.Play(0, BGMSLOT_STAGE, 1, 1), 1);
  const auto restarted = Pull(64);
  EXPECT_EQ(restarted, std::vector<float>(start.begin(), start.begin() + 128));
}

TEST_F(BgmTest, StopKeepsTheSlotAndReleaseSwitchesTheManagerOff) {
  m_Bgm.SetFile(BGMSLOT_STAGE, "song.mid");
  ASSERT_EQ(m_Bgm.Play(0, BGMSLOT_STAGE, 1, 1), 1);
  m_Bgm.Stop();
  EXPECT_EQ(MidiState(), MIDISTATE_STOP);
  EXPECT_EQ(m_Bgm.m_nSlot, BGMSLOT_STAGE);
  m_Bgm.Release();
  EXPECT_EQ(m_Bgm.m_bInit, 0);
  EXPECT_EQ(m_Bgm.Play(0, BGMSLOT_STAGE, 1, 1), 0);
  EXPECT_EQ(m_Bgm.SetFile(BGMSLOT_STAGE, "song.ogg"), 0);
  m_Bgm.Stop();
  // Switched on again, it plays as before.
  ASSERT_EQ(m_Bgm.Init(1, m_Ogg, m_Midi, BGMSLOT_NUM), 1);
  EXPECT_EQ(m_Bgm.Play(0, BGMSLOT_STAGE, 1, 1), 1);
}

TEST_F(BgmTest, AChannelOutsideTheTablesIsReportedNotFollowed) {
  m_Bgm.SetFile(BGMSLOT_STAGE, "song.mid");
  EXPECT_EQ(m_Bgm.Play(3, BGMSLOT_STAGE, 1, 1), 0);
  EXPECT_GE(CountPostedMessages(WM_CLOSE), 1);
}

}  // namespace
