#include "platform/midi_stream.h"

#include <cstdio>
#include <cstring>
#include <mutex>

#include "platform/audio_mixer.h"
#include "platform/midi_synth.h"

bool cMidiCallbackQueue::Post(const cMidiPosition& position) {
  const std::uint32_t posted = m_nPosted.load(std::memory_order_relaxed);
  if (posted - m_nTaken.load(std::memory_order_acquire) >= kCapacity) return false;
  m_Ring[posted % kCapacity] = position;
  m_nPosted.store(posted + 1, std::memory_order_release);
  m_nSignal.fetch_add(1, std::memory_order_acq_rel);
  m_nSignal.notify_one();
  return true;
}

bool cMidiCallbackQueue::Wait(cMidiPosition* out) {
  for (;;) {
    const std::uint32_t signal = m_nSignal.load(std::memory_order_acquire);
    if (m_bQuit.load(std::memory_order_acquire)) return false;
    const std::uint32_t taken = m_nTaken.load(std::memory_order_relaxed);
    const std::uint32_t posted = m_nPosted.load(std::memory_order_acquire);
    if (posted != taken) {
      *out = m_Ring[taken % kCapacity];
      m_nTaken.store(taken + 1, std::memory_order_release);
      return true;
    }
    m_nSignal.wait(signal, std::memory_order_acquire);
  }
}

void cMidiCallbackQueue::Quit() {
  m_bQuit.store(true, std::memory_order_release);
  m_nSignal.fetch_add(1, std::memory_order_acq_rel);
  m_nSignal.notify_all();
}

class cMidiStream final : public cAudioSource {
 public:
  cMidiStream(cMidiSynth* synth, cMidiCallbackQueue* callbacks) : m_pSynth(synth), m_pCallbacks(callbacks) {
    UpdateTiming();
  }

  static constexpr int kMaxQueued = 16;

  std::mutex m_Lock;
  cMidiSynth* m_pSynth;
  cMidiCallbackQueue* m_pCallbacks;
  std::atomic<std::uint32_t> m_nEpoch{0};

  // Guarded by m_Lock.
  MIDIHDR* m_Queue[kMaxQueued] = {};
  int m_nHead = 0;
  int m_nCount = 0;
  DWORD m_nEventOffset = 0;
  bool m_bHaveEvent = false;
  // Samples until the pending event falls, counted from the current sample.
  double m_dWait = 0.0;
  DWORD m_nTimeDiv = 96;
  DWORD m_nTempo = 500000;
  double m_dSamplesPerTick = 0.0;
  bool m_bRunning = false;
  // A silence the audio thread owes the synthesiser: 1 notes off, 2 full reset.
  int m_nSilence = 0;

  void UpdateTiming() {
    if (m_nTimeDiv & 0x8000) {
      // SMPTE: frames a second (negative in the high byte; 29 stands for 29.97) times
      // ticks a frame; tempo events do not apply.
      const int fps = -static_cast<std::int8_t>(m_nTimeDiv >> 8);
      const double frames = fps == 29 ? 29.97 : static_cast<double>(fps);
      const double ticks = frames * static_cast<double>(m_nTimeDiv & 0xFF);
      m_dSamplesPerTick = ticks > 0.0 ? kMixRate / ticks : 0.0;
    } else {
      m_dSamplesPerTick = static_cast<double>(m_nTempo) * kMixRate / (1e6 * static_cast<double>(m_nTimeDiv));
    }
  }

  void ReturnAllBuffers() {
    for (int i = 0; i < m_nCount; ++i) {
      MIDIHDR* hdr = m_Queue[(m_nHead + i) % kMaxQueued];
      hdr->dwFlags.store((hdr->dwFlags.load() & ~MHDR_INQUEUE) | MHDR_DONE, std::memory_order_release);
    }
    m_nHead = 0;
    m_nCount = 0;
    m_nEventOffset = 0;
    m_bHaveEvent = false;
    m_dWait = 0.0;
  }

  void StopLocked(int silence) {
    m_bRunning = false;
    ReturnAllBuffers();
    m_nTempo = 500000;
    UpdateTiming();
    if (silence > m_nSilence) m_nSilence = silence;
    m_nEpoch.fetch_add(1, std::memory_order_acq_rel);
  }

  // The buffer at the head is finished: it goes back to its owner before the callback of
  // its last event is posted, so the callback may refill it at once.
  void CompleteHead() {
    MIDIHDR* hdr = m_Queue[m_nHead];
    m_nHead = (m_nHead + 1) % kMaxQueued;
    --m_nCount;
    m_nEventOffset = 0;
    hdr->dwFlags.store((hdr->dwFlags.load(std::memory_order_relaxed) & ~MHDR_INQUEUE) | MHDR_DONE,
                       std::memory_order_release);
  }

  static DWORD ReadWord(const MIDIHDR* hdr, DWORD offset) {
    DWORD v;
    std::memcpy(&v, hdr->lpData + offset, 4);
    return v;
  }

  // The size of the event at the head's current offset; 0 when the rest of the buffer
  // cannot hold it (a damaged buffer ends there).
  DWORD EventSize(const MIDIHDR* hdr) const {
    const DWORD left = hdr->dwBytesRecorded - m_nEventOffset;
    if (hdr->dwBytesRecorded < m_nEventOffset || left < kMidiEventHeadBytes) return 0;
    const DWORD event = ReadWord(hdr, m_nEventOffset + 8);
    DWORD size = kMidiEventHeadBytes;
    if (event & MEVT_F_LONG) {
      const DWORD params = ((event & 0xFFFFFF) + 3u) & ~3u;
      if (params > left - kMidiEventHeadBytes) return 0;
      size += params;
    }
    return size;
  }

  // Finds the next event to play and adds its delta to the wait. False when no buffer
  // holds one.
  bool NextEvent() {
    while (m_nCount > 0) {
      MIDIHDR* hdr = m_Queue[m_nHead];
      if (EventSize(hdr) == 0) {
        CompleteHead();
        continue;
      }
      m_dWait += static_cast<double>(ReadWord(hdr, m_nEventOffset)) * m_dSamplesPerTick;
      m_bHaveEvent = true;
      return true;
    }
    return false;
  }

  void PlayEvent() {
    m_bHaveEvent = false;
    MIDIHDR* hdr = m_Queue[m_nHead];
    const DWORD offset = m_nEventOffset;
    const DWORD size = EventSize(hdr);
    const DWORD event = ReadWord(hdr, offset + 8);
    if (event & MEVT_F_LONG) {
      m_pSynth->LongMessage(hdr->lpData + offset + kMidiEventHeadBytes, event & 0xFFFFFF);
    } else {
      switch ((event >> 24) & 0x3F) {
        case MEVT_SHORTMSG:
          // System statuses are not channel messages; FF would reset a real device, and
          // the song's end marker is one.
          if ((event & 0xFF) < 0xF0) m_pSynth->ShortMessage(event & 0xFFFFFF);
          break;
        case MEVT_TEMPO:
          m_nTempo = event & 0xFFFFFF;
          UpdateTiming();
          break;
        default:
          break;
      }
    }
    m_nEventOffset += size;
    const bool last = m_nEventOffset + kMidiEventHeadBytes > hdr->dwBytesRecorded;
    if (last) CompleteHead();
    if (event & MEVT_F_CALLBACK)
      m_pCallbacks->Post(cMidiPosition{hdr, offset, event, m_nEpoch.load(std::memory_order_relaxed)});
  }

  void MixInto(float* mix, int frames) override {
    std::unique_lock<std::mutex> lock(m_Lock, std::try_to_lock);
    if (!lock.owns_lock()) {
      // The player is changing the stream: the notes ring on, the events wait a block.
      m_pSynth->Render(mix, frames);
      return;
    }
    if (m_nSilence != 0) {
      m_pSynth->Silence(m_nSilence == 2);
      m_nSilence = 0;
    }
    int pos = 0;
    if (m_bRunning) {
      for (;;) {
        if (!m_bHaveEvent && !NextEvent()) break;
        const double left = static_cast<double>(frames - pos);
        if (m_dWait >= left) {
          m_dWait -= left;
          break;  // the rest of the block renders below
        }
        const int at = pos + static_cast<int>(m_dWait);
        if (at > pos) m_pSynth->Render(mix + static_cast<std::ptrdiff_t>(pos) * kMixChannels, at - pos);
        m_dWait -= static_cast<double>(at - pos);
        pos = at;
        PlayEvent();
      }
    }
    if (pos < frames) m_pSynth->Render(mix + static_cast<std::ptrdiff_t>(pos) * kMixChannels, frames - pos);
  }
};

namespace {

std::mutex g_OpenFailureLock;
std::string g_strOpenFailure;

bool Prepared(const MIDIHDR* hdr) { return (hdr->dwFlags.load(std::memory_order_acquire) & MHDR_PREPARED) != 0; }

}  // namespace

MMRESULT midiStreamOpen(HMIDISTRM* stream, UINT* deviceId, DWORD streams, cMidiCallbackQueue* callbacks) {
  if (stream == nullptr || callbacks == nullptr || streams != 1) return MMSYSERR_INVALPARAM;
  *stream = nullptr;
  if (deviceId != nullptr && *deviceId != static_cast<UINT>(-1) && *deviceId != 0) return MMSYSERR_BADDEVICEID;
  std::string why;
  cMidiSynth* synth = AcquireMidiSynth(&why);
  if (synth == nullptr) {
    std::lock_guard<std::mutex> lock(g_OpenFailureLock);
    g_strOpenFailure = why;
    return why.find("in use") != std::string::npos ? MMSYSERR_ALLOCATED : MMSYSERR_NODRIVER;
  }
  auto* opened = new cMidiStream(synth, callbacks);
  if (!GetAudioMixer().Attach(opened)) {
    ReleaseMidiSynth(synth);
    delete opened;
    return MMSYSERR_ALLOCATED;
  }
  *stream = opened;
  return MMSYSERR_NOERROR;
}

std::string MidiStreamOpenFailure() {
  std::lock_guard<std::mutex> lock(g_OpenFailureLock);
  return g_strOpenFailure;
}

MMRESULT midiStreamProperty(HMIDISTRM stream, BYTE* data, DWORD property) {
  if (stream == nullptr) return MMSYSERR_INVALHANDLE;
  if (data == nullptr) return MMSYSERR_INVALPARAM;
  // The property block: its size (DWORD), then the value (DWORD).
  DWORD value = 0;
  std::lock_guard<std::mutex> lock(stream->m_Lock);
  const DWORD which = property & ~(MIDIPROP_SET | MIDIPROP_GET);
  DWORD* field = which == MIDIPROP_TIMEDIV ? &stream->m_nTimeDiv : which == MIDIPROP_TEMPO ? &stream->m_nTempo : nullptr;
  if (field == nullptr) return MMSYSERR_INVALPARAM;
  if (property & MIDIPROP_SET) {
    std::memcpy(&value, data + 4, 4);
    if (which == MIDIPROP_TIMEDIV && (value == 0 || value > 0xFFFF)) return MMSYSERR_INVALPARAM;
    *field = value;
    stream->UpdateTiming();
    return MMSYSERR_NOERROR;
  }
  if (property & MIDIPROP_GET) {
    std::memcpy(data + 4, field, 4);
    return MMSYSERR_NOERROR;
  }
  return MMSYSERR_INVALPARAM;
}

MMRESULT midiOutPrepareHeader(HMIDISTRM stream, MIDIHDR* hdr, UINT size) {
  if (stream == nullptr) return MMSYSERR_INVALHANDLE;
  if (hdr == nullptr || size < sizeof(MIDIHDR) || hdr->lpData == nullptr) return MMSYSERR_INVALPARAM;
  hdr->dwFlags.fetch_or(MHDR_PREPARED, std::memory_order_acq_rel);
  return MMSYSERR_NOERROR;
}

MMRESULT midiOutUnprepareHeader(HMIDISTRM stream, MIDIHDR* hdr, UINT size) {
  if (stream == nullptr) return MMSYSERR_INVALHANDLE;
  if (hdr == nullptr || size < sizeof(MIDIHDR)) return MMSYSERR_INVALPARAM;
  if (hdr->dwFlags.load(std::memory_order_acquire) & MHDR_INQUEUE) return MIDIERR_STILLPLAYING;
  hdr->dwFlags.fetch_and(~MHDR_PREPARED, std::memory_order_acq_rel);
  return MMSYSERR_NOERROR;
}

MMRESULT midiStreamOut(HMIDISTRM stream, MIDIHDR* hdr, UINT size) {
  if (stream == nullptr) return MMSYSERR_INVALHANDLE;
  if (hdr == nullptr || size < sizeof(MIDIHDR) || hdr->dwBytesRecorded > hdr->dwBufferLength) return MMSYSERR_INVALPARAM;
  if (!Prepared(hdr)) return MIDIERR_UNPREPARED;
  std::lock_guard<std::mutex> lock(stream->m_Lock);
  if (hdr->dwFlags.load(std::memory_order_acquire) & MHDR_INQUEUE) return MIDIERR_STILLPLAYING;
  if (stream->m_nCount >= cMidiStream::kMaxQueued) return MMSYSERR_ERROR;
  hdr->dwFlags.store((hdr->dwFlags.load() & ~MHDR_DONE) | MHDR_INQUEUE, std::memory_order_release);
  stream->m_Queue[(stream->m_nHead + stream->m_nCount) % cMidiStream::kMaxQueued] = hdr;
  ++stream->m_nCount;
  return MMSYSERR_NOERROR;
}

MMRESULT midiStreamRestart(HMIDISTRM stream) {
  if (stream == nullptr) return MMSYSERR_INVALHANDLE;
  std::lock_guard<std::mutex> lock(stream->m_Lock);
  stream->m_bRunning = true;
  return MMSYSERR_NOERROR;
}

MMRESULT midiStreamPause(HMIDISTRM stream) {
  if (stream == nullptr) return MMSYSERR_INVALHANDLE;
  std::lock_guard<std::mutex> lock(stream->m_Lock);
  stream->m_bRunning = false;
  if (stream->m_nSilence < 1) stream->m_nSilence = 1;
  return MMSYSERR_NOERROR;
}

MMRESULT midiStreamStop(HMIDISTRM stream) {
  if (stream == nullptr) return MMSYSERR_INVALHANDLE;
  std::lock_guard<std::mutex> lock(stream->m_Lock);
  stream->StopLocked(1);
  return MMSYSERR_NOERROR;
}

MMRESULT midiOutReset(HMIDISTRM stream) {
  if (stream == nullptr) return MMSYSERR_INVALHANDLE;
  std::lock_guard<std::mutex> lock(stream->m_Lock);
  stream->StopLocked(2);
  return MMSYSERR_NOERROR;
}

MMRESULT midiStreamClose(HMIDISTRM stream) {
  if (stream == nullptr) return MMSYSERR_INVALHANDLE;
  {
    std::lock_guard<std::mutex> lock(stream->m_Lock);
    stream->StopLocked(2);
  }
  GetAudioMixer().Detach(stream);
  // The owed silence would be lost with the stream: the synthesiser is quiet when the
  // next stream takes it.
  stream->m_pSynth->Silence(true);
  ReleaseMidiSynth(stream->m_pSynth);
  delete stream;
  return MMSYSERR_NOERROR;
}

bool midiStreamIsCurrent(HMIDISTRM stream, std::uint32_t epoch) {
  return stream != nullptr && stream->m_nEpoch.load(std::memory_order_acquire) == epoch;
}

MMRESULT midiOutGetErrorTextA(MMRESULT result, char* text, UINT size) {
  if (text == nullptr || size == 0) return MMSYSERR_INVALPARAM;
  const char* message = "unknown error";
  switch (result) {
    case MMSYSERR_NOERROR: message = "no error"; break;
    case MMSYSERR_ERROR: message = "unspecified error"; break;
    case MMSYSERR_BADDEVICEID: message = "no such device"; break;
    case MMSYSERR_ALLOCATED: message = "the device is already in use"; break;
    case MMSYSERR_INVALHANDLE: message = "invalid handle"; break;
    case MMSYSERR_NODRIVER: message = "no synthesiser (SoundFont missing or unreadable)"; break;
    case MMSYSERR_INVALPARAM: message = "invalid parameter"; break;
    case MIDIERR_UNPREPARED: message = "header not prepared"; break;
    case MIDIERR_STILLPLAYING: message = "buffer still in the queue"; break;
    default: break;
  }
  std::snprintf(text, size, "%s", message);
  return MMSYSERR_NOERROR;
}
