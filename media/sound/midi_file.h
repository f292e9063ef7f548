#pragma once
// Standard MIDI files (format 0 or 1): the whole file is read, its header checked, and
// every track merged into one format-0 image in memory:
//   "MThd", 6, format 0, one track, the file's division, "MTrk", length, then every event
//   with its delta from the one before and its own status byte, ending in FF 2F 00.
// Nothing is read outside the file: an event cut off by the end of the file is dropped
// and its track ends there.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/win_types.h"

constexpr DWORD kMidiImageHead = 22;

class cMidiFile {
 public:
  cMidiFile() = default;
  explicit cMidiFile(const char* path) { Create(path); }
  virtual ~cMidiFile() = default;
  cMidiFile(const cMidiFile&) = delete;
  cMidiFile& operator=(const cMidiFile&) = delete;

  // Reads and converts a file (a program path); HasImage tells success.
  void Create(const char* path);
  // Header checks and conversion of the bytes of a whole file; the image, empty when the
  // file is refused (the reason is logged with m_strFile).
  std::vector<BYTE> Init(const BYTE* data, std::size_t size);

  bool HasImage() const { return !m_Image.empty(); }
  const std::vector<BYTE>& Image() const { return m_Image; }

  // A variable-length quantity at p (at most 4 bytes, none past `end`). Its byte count
  // goes to *count: 0 when it would need a fifth byte or runs past the end.
  static DWORD ReadVarLen(const BYTE* p, const BYTE* end, int* count);
  // Writes a variable-length quantity; returns its byte count (0 for 2^28 and above,
  // which has no four-byte form).
  static int PutVarLen(DWORD value, BYTE* out);

  std::vector<BYTE> m_Image;
  std::string m_strFile;

 private:
  // One event of a track: its absolute time, its status, and where its data bytes lie in
  // the file (after the status byte, or at the event's first byte under running status).
  struct cEvent {
    std::uint32_t nTime;
    BYTE nStatus;
    std::uint32_t nData;
    std::uint32_t nDataSize;
  };
  std::vector<BYTE> Convert(const BYTE* data, std::size_t size, int tracks);
  void ParseTrack(const BYTE* data, std::size_t size, std::size_t* pos, std::vector<cEvent>* events,
                  std::uint32_t* endTime);
  void MergeTracks(std::vector<std::vector<cEvent>>* tracks, std::vector<cEvent>* merged);
  std::vector<BYTE> Encode(const BYTE* data, const std::vector<cEvent>& merged, WORD division);
};
