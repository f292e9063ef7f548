#pragma once
// MIDI streams of our own, with the meanings the music player relies on: buffers of
// MIDIEVENT records (delta ticks, stream id, event word, parameters) play in the order
// queued, at the stream's time division and the tempo events' tempo; an event with
// MEVT_F_CALLBACK posts a position callback to the player's callback queue; stop and
// reset silence every note. Channel and system-exclusive events go to the synthesiser,
// which renders into the mixer at the sample where each event falls.
//
// Control calls come from the player (main thread or its callback thread) and hold the
// stream's lock briefly; the audio thread only tries the lock and, when it is busy,
// renders the sounding notes and takes the events up in the next block.
#include <atomic>
#include <cstdint>
#include <string>

#include "platform/win_types.h"

using MMRESULT = UINT;
constexpr MMRESULT MMSYSERR_NOERROR = 0;
constexpr MMRESULT MMSYSERR_ERROR = 1;
constexpr MMRESULT MMSYSERR_BADDEVICEID = 2;
constexpr MMRESULT MMSYSERR_ALLOCATED = 4;
constexpr MMRESULT MMSYSERR_INVALHANDLE = 5;
constexpr MMRESULT MMSYSERR_NODRIVER = 6;
constexpr MMRESULT MMSYSERR_INVALPARAM = 11;
constexpr MMRESULT MIDIERR_UNPREPARED = 64;
constexpr MMRESULT MIDIERR_STILLPLAYING = 65;

constexpr DWORD MHDR_DONE = 0x1;
constexpr DWORD MHDR_PREPARED = 0x2;
constexpr DWORD MHDR_INQUEUE = 0x4;

constexpr DWORD MEVT_F_SHORT = 0x00000000;
constexpr DWORD MEVT_F_LONG = 0x80000000;
constexpr DWORD MEVT_F_CALLBACK = 0x40000000;
constexpr BYTE MEVT_SHORTMSG = 0x00;
constexpr BYTE MEVT_TEMPO = 0x01;
constexpr BYTE MEVT_NOP = 0x02;
constexpr BYTE MEVT_LONGMSG = 0x80;

constexpr DWORD MIDIPROP_SET = 0x80000000;
constexpr DWORD MIDIPROP_GET = 0x40000000;
constexpr DWORD MIDIPROP_TIMEDIV = 0x00000001;
constexpr DWORD MIDIPROP_TEMPO = 0x00000002;

constexpr UINT MM_MOM_POSITIONCB = 0x3CA;

// One stream buffer. dwFlags is shared with the audio thread, hence atomic.
struct MIDIHDR {
  BYTE* lpData = nullptr;
  DWORD dwBufferLength = 0;
  DWORD dwBytesRecorded = 0;
  std::uintptr_t dwUser = 0;
  std::atomic<DWORD> dwFlags{0};
  MIDIHDR* lpNext = nullptr;
  std::uintptr_t reserved = 0;
  DWORD dwOffset = 0;
  std::uintptr_t dwReserved[8] = {};
};

// The head of one event in a buffer; long events carry their bytes after it.
struct MIDIEVENT {
  DWORD dwDeltaTime;
  DWORD dwStreamID;
  DWORD dwEvent;
};
constexpr DWORD kMidiEventHeadBytes = 12;

// A position callback: the buffer, the offset of the event that played, the event word
// (copied, so that the buffer may be refilled before the callback is handled), and the
// stream's epoch when it played (a stop or reset starts a new epoch).
struct cMidiPosition {
  MIDIHDR* pHdr = nullptr;
  DWORD dwOffset = 0;
  DWORD dwEvent = 0;
  std::uint32_t nEpoch = 0;
};

// The callback thread's queue: the audio thread posts without locking or allocating;
// the callback thread waits.
class cMidiCallbackQueue {
 public:
  static constexpr int kCapacity = 64;
  // Audio thread. False when the queue is full (the callback is lost).
  bool Post(const cMidiPosition& position);
  // Callback thread. Waits for a callback; false once Quit was called.
  bool Wait(cMidiPosition* out);
  // Callback thread: the callback taken last has been handled (see IsDrained).
  void MarkHandled() { m_nHandled.fetch_add(1, std::memory_order_acq_rel); m_nHandled.notify_all(); }
  void Quit();
  // Every callback posted so far has been taken and handled (tests and offline renders
  // that pull the mixer themselves wait for this between blocks).
  bool IsDrained() const {
    return m_nHandled.load(std::memory_order_acquire) == m_nPosted.load(std::memory_order_acquire);
  }

 private:
  cMidiPosition m_Ring[kCapacity];
  std::atomic<std::uint32_t> m_nPosted{0};
  std::atomic<std::uint32_t> m_nTaken{0};
  std::atomic<std::uint32_t> m_nHandled{0};
  std::atomic<bool> m_bQuit{false};
  // Moves on every post and at quit; the waiter sleeps on it.
  std::atomic<std::uint32_t> m_nSignal{0};
};

class cMidiStream;
using HMIDISTRM = cMidiStream*;

// Opens a stream on the synthesiser (device -1, the mapper, is the only device). The
// stream starts paused, with time division 96 and 500000 microseconds a quarter note.
MMRESULT midiStreamOpen(HMIDISTRM* stream, UINT* deviceId, DWORD streams, cMidiCallbackQueue* callbacks);
MMRESULT midiStreamProperty(HMIDISTRM stream, BYTE* data, DWORD property);
MMRESULT midiOutPrepareHeader(HMIDISTRM stream, MIDIHDR* hdr, UINT size);
MMRESULT midiOutUnprepareHeader(HMIDISTRM stream, MIDIHDR* hdr, UINT size);
MMRESULT midiStreamOut(HMIDISTRM stream, MIDIHDR* hdr, UINT size);
MMRESULT midiStreamRestart(HMIDISTRM stream);
MMRESULT midiStreamPause(HMIDISTRM stream);
// Stops: every note off, every queued buffer returned (done), the position back to 0.
MMRESULT midiStreamStop(HMIDISTRM stream);
// As stop, and the synthesiser's channels reset.
MMRESULT midiOutReset(HMIDISTRM stream);
MMRESULT midiStreamClose(HMIDISTRM stream);
MMRESULT midiOutGetErrorTextA(MMRESULT result, char* text, UINT size);
// Whether a callback still belongs to the stream's current run (no stop or reset since).
bool midiStreamIsCurrent(HMIDISTRM stream, std::uint32_t epoch);

// What the last failed midiStreamOpen could not do (for the player's log).
std::string MidiStreamOpenFailure();
