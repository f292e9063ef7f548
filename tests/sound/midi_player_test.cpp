#include "media/sound/midi.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <thread>
#include <vector>

#include "tests/sound/midi_test_support.h"

namespace {

using MidiPlayerTest = cMidiTest;

struct cRecord {
  DWORD delta;
  DWORD event;
};

cRecord RecordAt(const MIDIHDR& hdr, DWORD offset) {
  cRecord r;
  std::memcpy(&r.delta, hdr.lpData + offset, 4);
  std::memcpy(&r.event, hdr.lpData + offset + 8, 4);
  return r;
}

cMidiLayout Notes(int count, std::uint32_t delta) {
  cMidiLayout layout;
  layout.nFormat = 0;
  cMidiTrack track;
  for (int i = 0; i < count; ++i) track.NoteOn(i == 0 ? 0 : delta, 0, 40 + i % 40, 100);
  track.End(0);
  layout.vTracks.push_back(std::move(track));
  return layout;
}

// 480 ticks a quarter at the default tempo (500000 us) is 45.9375 samples a tick.
constexpr std::uint64_t kSamplesPerQuarter = 22050;

TEST_F(MidiPlayerTest, EventsFallOnTheSampleTheirTicksAndTempoGive) {
  cMidiLayout layout;
  cMidiTrack track;
  track.NoteOn(0, 0, 60, 100)
      .NoteOn(480, 0, 62, 100)
      .Tempo(0, 250000)
      .Meta(240, 0x05, {'l', 'a'})  // not sent: its 240 ticks go to the next event
      .NoteOn(240, 0, 64, 100)
      .SysEx(0, {0x7E, 0x7F, 0x09, 0x01, 0xF7})
      .Raw(1, {0xB0, 7, 90})
      .End(96);
  layout.vTracks.push_back(std::move(track));
  WriteSong("song.mid", layout);
  cMidi player("song.mid");
  ASSERT_NE(player.m_hStream, nullptr);
  player.Play(0);
  PullSong(player, 40000);
  const std::uint64_t third = kSamplesPerQuarter + kSamplesPerQuarter / 2;
  ASSERT_EQ(m_Synth.m_vEntries.size(), 5u);
  EXPECT_EQ(m_Synth.TimesOf(0x90), (std::vector<std::uint64_t>{0, kSamplesPerQuarter, third}));
  EXPECT_EQ(m_Synth.m_vEntries[3].nTime, third);
  EXPECT_EQ(m_Synth.m_vEntries[3].vBytes, (std::vector<std::uint8_t>{0xF0, 0x7E, 0x7F, 0x09, 0x01, 0xF7}));
  // One tick at the new tempo: 22.97 samples, falling within the 23rd.
  EXPECT_EQ(m_Synth.TimesOf(0xB0), (std::vector<std::uint64_t>{third + 22}));
  // The end marker is never sent; the song stopped and rewound.
  EXPECT_TRUE(m_Synth.TimesOf(0xFF).empty());
  EXPECT_EQ(player.PlayState(), MIDISTATE_STOP);
}

TEST_F(MidiPlayerTest, ASongLongerThanABufferIsFedInTwoBuffers) {
  WriteSong("song.mid", Notes(3000, 1));
  cMidi player("song.mid");
  ASSERT_NE(player.m_hStream, nullptr);
  // Opening fills the first buffer with 2000 events; the last one carries the callback.
  EXPECT_EQ(player.m_pHdr[0].dwBytesRecorded, 24000u);
  EXPECT_EQ(RecordAt(player.m_pHdr[0], 0).event & MEVT_F_CALLBACK, 0u);
  EXPECT_NE(RecordAt(player.m_pHdr[0], 23988).event & MEVT_F_CALLBACK, 0u);
  player.Play(1);
  // Play queued the rest: 1000 notes and the end.
  EXPECT_EQ(player.m_pHdr[1].dwBytesRecorded, 1001u * 12);
  EXPECT_EQ(RecordAt(player.m_pHdr[1], 1000 * 12).event, MIDIEVT_END);
  EXPECT_EQ(player.Position(), player.Image().size());
  // 3000 ticks at 45.9375 samples: the whole song, and the loop's first note after it.
  PullSong(player, 3000 * 46 + 300);
  const auto notes = m_Synth.TimesOf(0x90);
  ASSERT_GT(notes.size(), 3000u);
  EXPECT_EQ(notes[1999], 91829u);  // 1999 ticks
  EXPECT_EQ(notes[2000], 91875u);  // the first note of the second buffer, on time
  EXPECT_GE(notes[3000], 137812u);  // the second pass starts at the end
  EXPECT_EQ(player.PlayState(), MIDISTATE_PLAY);
}

TEST_F(MidiPlayerTest, TheDeltaOfAnUnsentMetaEventCarriesIntoTheNextBuffer) {
  cMidiLayout layout = Notes(2000, 0);
  cMidiTrack track;
  for (int i = 0; i < 2000; ++i) track.NoteOn(0, 0, 60, 100);
  track.Meta(480, 0x01, {'t'}).NoteOn(0, 0, 61, 100).End(0);
  layout.vTracks = {};
  layout.vTracks.push_back(std::move(track));
  WriteSong("song.mid", layout);
  cMidi player("song.mid");
  EXPECT_EQ(player.m_pHdr[0].dwBytesRecorded, 24000u);
  EXPECT_EQ(player.m_nCarryDelta, 480u);
  player.Play(0);
  EXPECT_EQ(RecordAt(player.m_pHdr[1], 0).delta, 480u);
  EXPECT_EQ(RecordAt(player.m_pHdr[1], 0).event & 0xFFFF, 0x3D90u);
  EXPECT_EQ(player.m_nCarryDelta, 0u);

  // Within one buffer: a 480-tick lyric before a note with delta 0.
  cMidiLayout lyric;
  lyric.vTracks.push_back(std::move(cMidiTrack().Meta(480, 0x05, {'a'}).NoteOn(0, 0, 60, 100).End(0)));
  WriteSong("lyric.mid", lyric);
  player.Stop(0);
  cMidi second("lyric.mid");
  EXPECT_EQ(second.m_hStream, nullptr);  // the synthesiser is taken by the first player
}

TEST_F(MidiPlayerTest, AnUnsentMetaDeltaWithinABuffer) {
  cMidiLayout lyric;
  lyric.vTracks.push_back(std::move(cMidiTrack().Meta(480, 0x05, {'a'}).NoteOn(0, 0, 60, 100).End(0)));
  WriteSong("lyric.mid", lyric);
  cMidi player("lyric.mid");
  EXPECT_EQ(RecordAt(player.m_pHdr[0], 0).delta, 480u);
  EXPECT_EQ(RecordAt(player.m_pHdr[0], 0).event, 0x643C90u | MEVT_F_CALLBACK * 0);
  EXPECT_EQ(RecordAt(player.m_pHdr[0], 12).event, MIDIEVT_END);
}

TEST_F(MidiPlayerTest, AnEventLargerThanABufferIsSkippedAndTheSongGoesOn) {
  cMidiLayout layout;
  std::vector<std::uint8_t> huge(30000, 0x11);
  huge.back() = 0xF7;
  layout.vTracks.push_back(std::move(cMidiTrack().SysEx(100, huge).NoteOn(0, 0, 60, 100).NoteOn(10, 0, 62, 100).End(0)));
  WriteSong("song.mid", layout);
  cMidi player("song.mid");
  EXPECT_NE(Report().find("Midi song.mid Fill"), std::string::npos);
  // The note takes the skipped event's delta; the buffer ends with a flagged event.
  EXPECT_EQ(RecordAt(player.m_pHdr[0], 0).delta, 100u);
  EXPECT_EQ(player.m_pHdr[0].dwBytesRecorded, 36u);
  player.Play(0);
  PullSong(player, 200 * 46);
  EXPECT_EQ(m_Synth.TimesOf(0x90).size(), 2u);
  EXPECT_EQ(player.PlayState(), MIDISTATE_STOP);
}

TEST_F(MidiPlayerTest, TheLoopLastsUntilTheLongestTrackEnds) {
  cMidiLayout layout;
  layout.vTracks.push_back(std::move(cMidiTrack().NoteOn(0, 0, 60, 100).Raw(480, {0x80, 60, 0}).End(0)));
  layout.vTracks.push_back(std::move(cMidiTrack().End(9600)));
  WriteSong("song.mid", layout);
  for (int loop : {0, 1}) {
    SCOPED_TRACE(loop);
    m_Synth.m_vEntries.clear();
    const std::uint64_t start = m_Synth.m_nFrames;
    cMidi player("song.mid");
    player.Play(loop);
    PullSong(player, 20 * static_cast<int>(kSamplesPerQuarter) + 1024, 512);
    std::vector<std::uint64_t> notes = m_Synth.TimesOf(0x90);
    for (auto& t : notes) t -= start;
    if (loop == 0) {
      EXPECT_EQ(notes, (std::vector<std::uint64_t>{0}));
      EXPECT_EQ(player.PlayState(), MIDISTATE_STOP);
    } else {
      ASSERT_EQ(notes.size(), 2u);
      // The second pass begins in the block after tick 9600 (sample 441000).
      EXPECT_GE(notes[1], 441000u);
      EXPECT_LE(notes[1], 441000u + 512);
      EXPECT_EQ(player.PlayState(), MIDISTATE_PLAY);
    }
  }
}

TEST_F(MidiPlayerTest, StopRewindsAndPauseResumes) {
  cMidiLayout layout;
  layout.vTracks.push_back(std::move(cMidiTrack().NoteOn(0, 0, 60, 100).NoteOn(480, 0, 62, 100).NoteOn(480, 0, 64, 100).End(0)));
  WriteSong("song.mid", layout);
  cMidi player("song.mid");
  player.Play(0);
  PullSong(player, 30000);
  player.Stop(1);
  EXPECT_EQ(player.PlayState(), MIDISTATE_PAUSE);
  PullSong(player, 30000);  // nothing plays while paused
  player.Play(0);
  PullSong(player, 20000);
  // 60 and 62 before the pause; 64 half a quarter after the resume.
  std::vector<std::uint8_t> keys;
  for (const auto& e : m_Synth.m_vEntries) keys.push_back(e.vBytes[1]);
  EXPECT_EQ(keys, (std::vector<std::uint8_t>{60, 62, 64}));
  EXPECT_EQ(m_Synth.TimesOf(0x90)[2], 60000u + 2 * kSamplesPerQuarter - 30000);

  player.Stop(0);
  EXPECT_EQ(player.PlayState(), MIDISTATE_STOP);
  EXPECT_EQ(player.Position(), player.Image().size());  // rewound and queued again
  m_Synth.m_vEntries.clear();
  player.Play(0);
  PullSong(player, 1000);
  ASSERT_EQ(m_Synth.m_vEntries.size(), 1u);
  EXPECT_EQ(m_Synth.m_vEntries[0].vBytes[1], 60);
}

TEST_F(MidiPlayerTest, AStopIsNotUndoneByTheLoopRestartOfTheCallbackThread) {
  // A short looping song; the main thread stops it right as its end plays, while the
  // callback thread is restarting it. Whichever runs first, the song stays stopped.
  cMidiLayout layout;
  layout.vTracks.push_back(std::move(cMidiTrack().NoteOn(0, 0, 60, 100).End(10)));
  WriteSong("song.mid", layout);
  cMidi player("song.mid");
  std::vector<float> out(2 * 512);
  for (int round = 0; round < 200; ++round) {
    player.Play(1);
    GetAudioMixer().Render(out.data(), 512);  // the end plays: a callback is posted
    player.Stop(0);
    while (!player.CallbacksDrained()) std::this_thread::yield();
    ASSERT_EQ(player.PlayState(), MIDISTATE_STOP) << "round " << round;
  }
}

TEST_F(MidiPlayerTest, PlayAndStopRaceTheEndOfASongRenderedOnAnotherThread) {
  // As in the game: the audio thread renders all the time (the song's end posts
  // callbacks, the callback thread restarts a loop) while Play and Stop come from the
  // game thread. Under ThreadSanitizer every access the three share must be ordered.
  cMidiLayout layout;
  layout.vTracks.push_back(std::move(cMidiTrack().NoteOn(0, 0, 60, 100).End(10)));
  WriteSong("song.mid", layout);
  cMidi player("song.mid");
  std::atomic<bool> done{false};
  std::thread audio([&] {
    std::vector<float> out(2 * 64);
    while (!done.load()) GetAudioMixer().Render(out.data(), 64);
  });
  for (int round = 0; round < 300; ++round) {
    player.Play(round % 2);
    std::this_thread::yield();
    player.Stop(round % 3 == 0 ? 1 : 0);
  }
  done.store(true);
  audio.join();
  while (!player.CallbacksDrained()) std::this_thread::yield();
  EXPECT_EQ(player.PlayState(), MIDISTATE_STOP);
}

TEST_F(MidiPlayerTest, ListPlaysOnlyMidFilesItCanOpen) {
  cMidiLayout good;
  good.vTracks.push_back(std::move(cMidiTrack().NoteOn(0, 0, 60, 100).End(0)));
  WriteSong("a.mid", good);
  WriteSong("b.MID", good);
  cMidiLayout format2 = good;
  format2.nFormat = 2;
  WriteSong("c.mid", format2);
  struct {
    const char* path;
    int channel;
    int expected;
    const char* log;
  } const cases[] = {
      {"a.mid", 0, 1, nullptr},
      {"b.MID", 0, 0, nullptr},
      {"a", 0, 0, nullptr},
      {"none.mid", 0, 0, "Midi none.mid Create"},
      {"c.mid", 0, 0, "Midi c.mid Init 対応フォーマットが2でない"},
      {"a.mid", 1, 1, nullptr},
  };
  cMidiList list;
  list.Resize(2);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    ResetReport();
    EXPECT_EQ(list.Play(c.channel, c.path, 1), c.expected);
    if (c.log != nullptr) {
      EXPECT_NE(Report().find(c.log), std::string::npos) << Report();
    }
    // Only the newest player is left.
    int players = 0;
    for (cMidi* p : list.m_vPlayer) players += p != nullptr;
    EXPECT_LE(players, 1);
  }
  ASSERT_NE(list.Player(1), nullptr);
  EXPECT_EQ(list.Player(1)->PlayState(), MIDISTATE_PLAY);
  list.Stop(1);
  EXPECT_EQ(list.Player(1)->PlayState(), MIDISTATE_PAUSE);
}

TEST_F(MidiPlayerTest, ListRefusesASongItCannotOpenAStreamFor) {
  cMidiLayout good;
  good.vTracks.push_back(std::move(cMidiTrack().NoteOn(0, 0, 60, 100).End(0)));
  WriteSong("a.mid", good);
  SetMidiSynthOverride(nullptr);
  SetMidiSoundFontPath(Dir() + "/missing.sf2");
  cMidiList list;
  list.Resize(1);
  EXPECT_EQ(list.Play(0, "a.mid", 1), 0);
  EXPECT_NE(Report().find("Midi a.mid Open"), std::string::npos) << Report();
  EXPECT_NE(Report().find("missing.sf2"), std::string::npos);
  list.Clear();
  SetMidiSoundFontPath(DefaultMidiSoundFontPath());
}

}  // namespace
