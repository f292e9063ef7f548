#include "tests/support/midi_builder.h"

cMidiTrack& cMidiTrack::Raw(std::uint32_t delta, std::initializer_list<std::uint8_t> bytes) {
  return Raw(delta, std::vector<std::uint8_t>(bytes));
}

cMidiTrack& cMidiTrack::Raw(std::uint32_t delta, const std::vector<std::uint8_t>& bytes) {
  m_Bytes.VarLen(delta).Bytes(bytes);
  return *this;
}

cMidiTrack& cMidiTrack::Meta(std::uint32_t delta, std::uint8_t type, const std::vector<std::uint8_t>& body) {
  m_Bytes.VarLen(delta).U8(0xFF).U8(type).VarLen(static_cast<std::uint32_t>(body.size())).Bytes(body);
  return *this;
}

cMidiTrack& cMidiTrack::SysEx(std::uint32_t delta, const std::vector<std::uint8_t>& body) {
  m_Bytes.VarLen(delta).U8(0xF0).VarLen(static_cast<std::uint32_t>(body.size())).Bytes(body);
  return *this;
}

std::vector<std::uint8_t> BuildMidi(const cMidiSpec& spec) {
  cByteBuilder file;
  file.Tag("MThd").U32BE(spec.nHeaderLength).U16BE(spec.nFormat);
  file.U16BE(static_cast<std::uint16_t>(spec.nTrackCountClaim >= 0 ? spec.nTrackCountClaim : static_cast<int>(spec.vTracks.size())));
  file.U16BE(spec.nDivision);
  for (const cMidiTrack& track : spec.vTracks)
    file.Tag("MTrk").U32BE(static_cast<std::uint32_t>(track.Bytes().size())).Bytes(track.Bytes());
  return file.Get();
}
