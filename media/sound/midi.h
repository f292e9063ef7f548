#pragma once
// The MIDI player: the merged image of a song is turned into stream events in two
// buffers of 24000 bytes, refilled from the player's callback thread each time the last
// event of a buffer plays. At the end of the song the player rewinds and, when looping,
// starts again. One lock per player keeps the main thread's Play and Stop and the
// callback thread's refills and restarts from overlapping.
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "media/sound/midi_callback_thread.h"
#include "media/sound/midi_file.h"
#include "platform/midi_stream.h"

constexpr int MIDISTATE_STOP = 0;
constexpr int MIDISTATE_PLAY = 1;
constexpr int MIDISTATE_PAUSE = 2;

// The song's end marker in a stream buffer: a callback event whose low bytes are FF 2F 00.
constexpr DWORD MIDIEVT_END = 0x40002FFFu;

class cMidi : public cMidiFile {
 public:
  explicit cMidi(const char* path);
  ~cMidi() override;

  void Play(int loop);
  void Stop(int pause);

  // The following run under the player's lock (the public operations above take it).
  void QueueBuffer();
  DWORD FillBuffer(DWORD position, MIDIHDR* hdr);
  // Each writes one event at *fill and returns the image bytes it stands for, 0 when it
  // does not fit below m_nBufSize. `event` points at the status byte in the image.
  DWORD PutShortEvent(DWORD delta, const BYTE* event, MIDIHDR* hdr, DWORD* fill);
  DWORD PutMetaEvent(DWORD delta, const BYTE* event, MIDIHDR* hdr, DWORD* fill);
  DWORD PutLongEvent(DWORD delta, const BYTE* event, MIDIHDR* hdr, DWORD* fill);
  DWORD PutEndEvent(DWORD delta, MIDIHDR* hdr, DWORD* fill);

  int PlayState() const;
  DWORD Position() const;
  // Every position callback so far has been handled (tests pull the mixer themselves).
  bool CallbacksDrained() const { return m_Callbacks.IsDrained(); }

  int m_nBuf = 0;
  HMIDISTRM m_hStream = nullptr;
  std::unique_ptr<MIDIHDR[]> m_pHdr;
  BYTE m_nBufNum = 2;
  DWORD m_nBufSize = 24000;
  DWORD m_nPos = kMidiImageHead;
  int m_nPlayState = MIDISTATE_STOP;
  int m_bLoop = 0;
  // Delta ticks of meta events that were not sent, owed to the next event that is. It
  // outlives a buffer: the event that did not fit starts the next one.
  DWORD m_nCarryDelta = 0;

 private:
  void Open();
  void PlayLocked(int loop);
  void StopLocked(int pause);
  void HandleCallback(const cMidiPosition& position);
  void CallbackThreadProc();
  void LogStreamError(const char* what, MMRESULT result);
  // Skips the event at `position` in the image; returns its size (0 when malformed).
  DWORD EventSizeAt(DWORD position) const;

  mutable std::mutex m_Lock;
  std::vector<std::unique_ptr<BYTE[]>> m_vBuffers;
  cMidiCallbackQueue m_Callbacks;
  cMidiCallbackThread m_Thread;
};

class cMidiList {
 public:
  ~cMidiList() { Clear(); }
  // Replaces every player by a new one for `path` on `channel`; 1 when it started.
  int Play(int channel, const char* path, int loop);
  void Stop(int pause);
  // Deletes every player and sizes the list to `count` empty entries.
  void Resize(int count);
  void Clear();
  cMidi* Player(int channel);

  std::vector<cMidi*> m_vPlayer;
};
