#include "media/sound/midi_file.h"

#include <gtest/gtest.h>

#include "tests/sound/sound_test_support.h"
#include "tests/support/midi_builder.h"

namespace {

using MidiFileTest = cSoundTest;

// The merged image for a list of event bytes (each with its delta already in front).
std::vector<std::uint8_t> Image(std::uint16_t division, const std::vector<std::uint8_t>& events) {
  cByteBuilder b;
  b.Tag("MThd").U32BE(6).U16BE(0).U16BE(1).U16BE(division).Tag("MTrk").U32BE(static_cast<std::uint32_t>(events.size())).Bytes(events);
  return b.Get();
}

std::vector<std::uint8_t> LoadImage(const std::vector<std::uint8_t>& file) {
  WriteTestFile("song.mid", file);
  cMidiFile midi("song.mid");
  return midi.Image();
}

TEST_F(MidiFileTest, VariableLengthQuantitiesAtTheirBoundaries) {
  struct {
    DWORD value;
    std::vector<std::uint8_t> bytes;
  } const cases[] = {
      {0, {0x00}},
      {127, {0x7F}},
      {128, {0x81, 0x00}},
      {16383, {0xFF, 0x7F}},
      {16384, {0x81, 0x80, 0x00}},
      {2097151, {0xFF, 0xFF, 0x7F}},
      {2097152, {0x81, 0x80, 0x80, 0x00}},
      {268435455, {0xFF, 0xFF, 0xFF, 0x7F}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    BYTE out[4] = {};
    ASSERT_EQ(cMidiFile::PutVarLen(c.value, out), static_cast<int>(c.bytes.size()));
    EXPECT_EQ(std::vector<std::uint8_t>(out, out + c.bytes.size()), c.bytes);
    int count = 0;
    EXPECT_EQ(cMidiFile::ReadVarLen(c.bytes.data(), c.bytes.data() + c.bytes.size(), &count), c.value);
    EXPECT_EQ(count, static_cast<int>(c.bytes.size()));
    // Cut short, it has no end.
    EXPECT_EQ(cMidiFile::ReadVarLen(c.bytes.data(), c.bytes.data() + c.bytes.size() - 1, &count), 0u);
    EXPECT_EQ(count, 0);
  }
  BYTE out[4];
  EXPECT_EQ(cMidiFile::PutVarLen(268435456, out), 0);
  const std::uint8_t five[] = {0x81, 0x80, 0x80, 0x80, 0x00};
  int count = 1;
  cMidiFile::ReadVarLen(five, five + 5, &count);
  EXPECT_EQ(count, 0);
}

TEST_F(MidiFileTest, DamagedHeadersAreRefusedWithTheirReason) {
  auto good = [] {
    cMidiLayout layout;
    layout.vTracks.push_back(std::move(cMidiTrack().NoteOn(0, 0, 60, 100).End(0)));
    return layout;
  };
  struct cCase {
    const char* name;
    std::vector<std::uint8_t> file;
    const char* log;
  };
  std::vector<cCase> cases;
  {
    cMidiLayout s = good();
    s.nFormat = 2;
    cases.push_back({"format 2", BuildMidi(s), "Midi song.mid Init 対応フォーマットが2でない"});
    s.nFormat = 3;
    cases.push_back({"format 3", BuildMidi(s), "Midi song.mid Init 対応フォーマットが0または1でない"});
  }
  {
    cMidiLayout s = good();
    s.nHeaderLength = 10;
    cases.push_back({"header length 10", BuildMidi(s), "Midi song.mid Init 標準MIDIでない(6)"});
  }
  {
    cMidiLayout s = good();
    s.nTrackCountClaim = 0;
    cases.push_back({"no tracks", BuildMidi(s), "Midi song.mid Init 標準MIDIでない(4)"});
  }
  {
    auto bytes = BuildMidi(good());
    bytes[0] = 'X';
    cases.push_back({"no MThd", bytes, "Midi song.mid Init 標準MIDIでない(4)"});
    bytes = BuildMidi(good());
    bytes[14] = 'X';
    cases.push_back({"no MTrk", bytes, "Midi song.mid Init 標準MIDIでない(4)"});
    bytes.resize(21);
    bytes[14] = 'M';
    cases.push_back({"21 bytes", bytes, "Midi song.mid Init 標準MIDIでない(4)"});
    cases.push_back({"4 bytes", {'M', 'T', 'h', 'd'}, "Midi song.mid Init 標準MIDIでない(4)"});
    cases.push_back({"empty", {}, "Midi song.mid Init 標準MIDIでない(4)"});
  }
  for (const cCase& c : cases) {
    SCOPED_TRACE(c.name);
    ResetReport();
    EXPECT_TRUE(LoadImage(c.file).empty());
    EXPECT_EQ(Report(), std::string(c.log) + "\r\n");
  }
  ResetReport();
  cMidiFile missing("none.mid");
  EXPECT_FALSE(missing.HasImage());
  EXPECT_EQ(Report(), "Midi none.mid Create ファイルが開けません\r\n");
}

TEST_F(MidiFileTest, TracksMergeByTimeWithTheLowerTrackFirst) {
  cMidiLayout layout;
  layout.nDivision = 96;
  layout.vTracks.push_back(std::move(cMidiTrack().NoteOn(0, 0, 60, 100).NoteOn(10, 0, 62, 100).End(0)));
  layout.vTracks.push_back(std::move(cMidiTrack().NoteOn(0, 1, 64, 90).NoteOn(5, 1, 65, 90).NoteOn(5, 1, 67, 90).End(20)));
  const auto image = LoadImage(BuildMidi(layout));
  const std::vector<std::uint8_t> events = {
      0x00, 0x90, 60, 100,  // track 1 first on equal times
      0x00, 0x91, 64, 90,   //
      0x05, 0x91, 65, 90,   //
      0x05, 0x90, 62, 100,  // tick 10: track 1 before track 2
      0x00, 0x91, 67, 90,   //
      0x14, 0xFF, 0x2F, 0x00,  // the song ends where its longest track ends (tick 30)
  };
  EXPECT_EQ(image, Image(96, events));
}

TEST_F(MidiFileTest, RunningStatusSystemExclusiveAndMetaEventsAreWrittenOut) {
  cMidiLayout layout;
  layout.nFormat = 0;
  cMidiTrack track;
  track.NoteOn(0, 0, 60, 100)
      .Raw(128, {62, 100})  // running status 90
      .Raw(0, {0xC3, 5})
      .Raw(16384, {6})  // running status C3, one data byte
      .SysEx(0, {0x7E, 0x7F, 0x09, 0x01, 0xF7})
      .Meta(2097152, 0x05, {'l', 'a'})
      .Raw(0, {0x06, 0x01, 'x'})  // running status is remembered for meta events too
      .Tempo(1, 600000)
      .End(0);
  layout.vTracks.push_back(std::move(track));
  const auto image = LoadImage(BuildMidi(layout));
  const std::vector<std::uint8_t> events = {
      0x00, 0x90, 60, 100,                                 //
      0x81, 0x00, 0x90, 62, 100,                           //
      0x00, 0xC3, 5,                                       //
      0x81, 0x80, 0x00, 0xC3, 6,                           //
      0x00, 0xF0, 0x05, 0x7E, 0x7F, 0x09, 0x01, 0xF7,      //
      0x81, 0x80, 0x80, 0x00, 0xFF, 0x05, 0x02, 'l', 'a',  //
      0x00, 0xFF, 0x06, 0x01, 'x',                         //
      0x01, 0xFF, 0x51, 0x03, 0x09, 0x27, 0xC0,            //
      0x00, 0xFF, 0x2F, 0x00,
  };
  EXPECT_EQ(image, Image(480, events));
}

TEST_F(MidiFileTest, EachChannelStatusTakesItsOwnNumberOfDataBytes) {
  // One event of each channel status, each followed by a note: a status read with the
  // wrong number of data bytes takes the note's bytes with it.
  const std::vector<std::vector<std::uint8_t>> events = {
      {0x80, 60, 0}, {0x91, 60, 100}, {0xA2, 60, 50}, {0xB3, 7, 100}, {0xC4, 5}, {0xD5, 40}, {0xE6, 0, 64},
  };
  cMidiLayout layout;
  layout.nFormat = 0;
  cMidiTrack track;
  std::vector<std::uint8_t> expected;
  for (const auto& event : events) {
    track.Raw(0, event).NoteOn(0, 9, 62, 100);
    expected.push_back(0x00);
    expected.insert(expected.end(), event.begin(), event.end());
    expected.insert(expected.end(), {0x00, 0x99, 62, 100});
  }
  track.End(0);
  layout.vTracks.push_back(std::move(track));
  expected.insert(expected.end(), {0x00, 0xFF, 0x2F, 0x00});
  EXPECT_EQ(LoadImage(BuildMidi(layout)), Image(480, expected));
}

TEST_F(MidiFileTest, DamagedTracksEndWhereTheirDataEnds) {
  struct cCase {
    const char* name;
    std::vector<std::uint8_t> tail;  // bytes after a note-on at tick 0 and a note at tick 10
    std::vector<std::uint8_t> expectedTail;
  };
  const std::vector<std::uint8_t> headEvents = {0x00, 0x90, 60, 100, 0x0A, 0x80, 60, 0};
  const cCase cases[] = {
      {"note cut off", {0x05, 0x90, 64}, {0x00, 0xFF, 0x2F, 0x00}},
      {"delta cut off", {0x85}, {0x00, 0xFF, 0x2F, 0x00}},
      {"five-byte delta", {0x81, 0x80, 0x80, 0x80, 0x00, 0x90, 1, 1}, {0x00, 0xFF, 0x2F, 0x00}},
      {"system exclusive longer than the file", {0x00, 0xF0, 0x7F, 1, 2}, {0x00, 0xFF, 0x2F, 0x00}},
      {"meta event whose length is cut off", {0x00, 0xFF, 0x01, 0x81}, {0x00, 0xFF, 0x2F, 0x00}},
      {"status F4", {0x03, 0xF4, 0x90, 1, 1}, {0x00, 0xFF, 0x2F, 0x00}},
      {"no end marker", {0x07, 0x90, 64, 1}, {0x07, 0x90, 64, 1, 0x00, 0xFF, 0x2F, 0x00}},
  };
  for (const cCase& c : cases) {
    SCOPED_TRACE(c.name);
    cMidiLayout layout;
    layout.nFormat = 0;
    cMidiTrack track;
    track.Raw(0, {0x90, 60, 100}).Raw(10, {0x80, 60, 0});
    layout.vTracks.push_back(std::move(track));
    auto file = BuildMidi(layout);
    file.insert(file.end(), c.tail.begin(), c.tail.end());
    std::vector<std::uint8_t> events = headEvents;
    events.insert(events.end(), c.expectedTail.begin(), c.expectedTail.end());
    EXPECT_EQ(LoadImage(file), Image(480, events));
  }
}

TEST_F(MidiFileTest, ALaterTrackStartsAfterTheEndMarkerOfTheOneBefore) {
  // The first track's chunk length is wrong; the reader follows the end marker, not it.
  cMidiLayout layout;
  layout.vTracks.push_back(std::move(cMidiTrack().NoteOn(0, 0, 60, 100).End(9600)));
  layout.vTracks.push_back(std::move(cMidiTrack().NoteOn(100, 1, 50, 100).End(0)));
  auto file = BuildMidi(layout);
  file[21] = 0x55;
  const auto image = LoadImage(file);
  const std::vector<std::uint8_t> events = {0x00, 0x90, 60, 100, 0x64, 0x91, 50, 100, 0xCA, 0x1C, 0xFF, 0x2F, 0x00};
  EXPECT_EQ(image, Image(480, events));

  // A header that claims more tracks than the file holds: the missing ones are empty.
  layout.nTrackCountClaim = 5;
  EXPECT_EQ(LoadImage(BuildMidi(layout)), Image(480, events));
}

}  // namespace
