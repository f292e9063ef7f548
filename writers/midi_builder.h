#pragma once
// Standard MIDI files event by event: the demo game's song, and test files with running
// status, odd lengths and damaged tracks.
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "writers/byte_builder.h"

class cMidiTrack {
 public:
  // An event as it stands in the file: the delta, then the bytes given (status or not).
  cMidiTrack& Raw(std::uint32_t delta, std::initializer_list<std::uint8_t> bytes);
  cMidiTrack& Raw(std::uint32_t delta, const std::vector<std::uint8_t>& bytes);
  cMidiTrack& NoteOn(std::uint32_t delta, int channel, int key, int velocity) {
    return Raw(delta, {static_cast<std::uint8_t>(0x90 | channel), static_cast<std::uint8_t>(key), static_cast<std::uint8_t>(velocity)});
  }
  cMidiTrack& Tempo(std::uint32_t delta, std::uint32_t microsPerQuarter) {
    return Raw(delta, {0xFF, 0x51, 0x03, static_cast<std::uint8_t>(microsPerQuarter >> 16),
                       static_cast<std::uint8_t>(microsPerQuarter >> 8), static_cast<std::uint8_t>(microsPerQuarter)});
  }
  // A meta event of any type with a body.
  cMidiTrack& Meta(std::uint32_t delta, std::uint8_t type, const std::vector<std::uint8_t>& body);
  // F0, the length, then the body (which should end in F7).
  cMidiTrack& SysEx(std::uint32_t delta, const std::vector<std::uint8_t>& body);
  cMidiTrack& End(std::uint32_t delta) { return Raw(delta, {0xFF, 0x2F, 0x00}); }

  const std::vector<std::uint8_t>& Bytes() const { return m_Bytes.Get(); }

 private:
  cByteBuilder m_Bytes;
};

struct cMidiLayout {
  std::uint16_t nFormat = 1;
  std::uint16_t nDivision = 480;
  std::vector<cMidiTrack> vTracks;
  // When set, the header claims this many tracks instead of the tracks given.
  int nTrackCountClaim = -1;
  std::uint32_t nHeaderLength = 6;
};

std::vector<std::uint8_t> BuildMidi(const cMidiLayout& layout);
