#include "writers/midi_builder.h"

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

std::vector<std::uint8_t> BuildMidi(const cMidiLayout& layout) {
  cByteBuilder file;
  file.Tag("MThd").U32BE(layout.nHeaderLength).U16BE(layout.nFormat);
  file.U16BE(static_cast<std::uint16_t>(layout.nTrackCountClaim >= 0 ? layout.nTrackCountClaim : static_cast<int>(layout.vTracks.size())));
  file.U16BE(layout.nDivision);
  for (const cMidiTrack& track : layout.vTracks)
    file.Tag("MTrk").U32BE(static_cast<std::uint32_t>(track.Bytes().size())).Bytes(track.Bytes());
  return file.Get();
}
