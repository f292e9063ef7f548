#include "media/sound/midi.h"

#include <cstring>

#include "app/checked_access.h"
#include "app/path_helpers.h"
#include "app/report_log.h"

namespace {

constexpr DWORD kEndMarkerBytes = 0x002FFF;  // FF, 2F, 00 from the lowest byte up

void WriteEvent(MIDIHDR* hdr, DWORD fill, DWORD delta, DWORD event) {
  const DWORD words[3] = {delta, 0, event};
  std::memcpy(hdr->lpData + fill, words, sizeof words);
}

}  // namespace

cMidi::cMidi(const char* path) : cMidiFile(path) {
  if (HasImage()) Open();
}

cMidi::~cMidi() {
  if (!HasImage()) return;
  // The callback thread ends before anything it uses goes.
  m_Callbacks.Quit();
  m_Thread.Join();
  if (m_hStream == nullptr) return;
  LogStreamError("Reset", midiOutReset(m_hStream));
  for (int i = 0; i < m_nBufNum; ++i) LogStreamError("Unprepare", midiOutUnprepareHeader(m_hStream, &m_pHdr[i], sizeof(MIDIHDR)));
  LogStreamError("Close", midiStreamClose(m_hStream));
  m_hStream = nullptr;
}

void cMidi::LogStreamError(const char* what, MMRESULT result) {
  if (result == MMSYSERR_NOERROR) return;
  char text[256];
  midiOutGetErrorTextA(result, text, sizeof text);
  WriteReportEC("Midi %s %s %s", m_strFile.c_str(), what, text);
}

void cMidi::Open() {
  m_nBuf = 0;
  m_nBufNum = 2;
  m_nBufSize = 24000;
  m_pHdr.reset(new MIDIHDR[m_nBufNum]);
  for (int i = 0; i < m_nBufNum; ++i) {
    m_vBuffers.emplace_back(new BYTE[m_nBufSize]());
    m_pHdr[i].lpData = m_vBuffers.back().get();
    m_pHdr[i].dwBufferLength = m_nBufSize;
    m_pHdr[i].dwUser = static_cast<std::uintptr_t>(i);
  }
  m_Thread.Start([this] { CallbackThreadProc(); });

  UINT device = static_cast<UINT>(-1);
  MMRESULT result = midiStreamOpen(&m_hStream, &device, 1, &m_Callbacks);
  if (result != MMSYSERR_NOERROR) {
    LogStreamError("Open", result);
    const std::string why = MidiStreamOpenFailure();
    if (!why.empty()) WriteReportText(why.c_str());
    m_hStream = nullptr;
    return;
  }
  BYTE property[8];
  const DWORD size = sizeof property;
  const DWORD division = static_cast<DWORD>(m_Image[12] << 8 | m_Image[13]);
  std::memcpy(property, &size, 4);
  std::memcpy(property + 4, &division, 4);
  LogStreamError("Property", midiStreamProperty(m_hStream, property, MIDIPROP_SET | MIDIPROP_TIMEDIV));
  std::lock_guard<std::mutex> lock(m_Lock);
  m_nPos = kMidiImageHead;
  m_nCarryDelta = 0;
  m_nPlayState = MIDISTATE_STOP;
  QueueBuffer();
}

void cMidi::CallbackThreadProc() {
  cMidiPosition position;
  while (m_Callbacks.Wait(&position)) {
    HandleCallback(position);
    m_Callbacks.MarkHandled();
  }
}

void cMidi::HandleCallback(const cMidiPosition& position) {
  std::lock_guard<std::mutex> lock(m_Lock);
  // A callback of a run that was stopped since (the main thread stopped or restarted the
  // song) must not act on the new run.
  if (!midiStreamIsCurrent(m_hStream, position.nEpoch)) return;
  if ((position.dwEvent & 0xFFFFFF) == kEndMarkerBytes) {
    const bool playing = m_nPlayState == MIDISTATE_PLAY;
    StopLocked(0);
    if (m_bLoop && playing) PlayLocked(1);
    return;
  }
  QueueBuffer();
}

void cMidi::Play(int loop) {
  std::lock_guard<std::mutex> lock(m_Lock);
  PlayLocked(loop);
}

void cMidi::Stop(int pause) {
  std::lock_guard<std::mutex> lock(m_Lock);
  StopLocked(pause);
}

int cMidi::PlayState() const {
  std::lock_guard<std::mutex> lock(m_Lock);
  return m_nPlayState;
}

DWORD cMidi::Position() const {
  std::lock_guard<std::mutex> lock(m_Lock);
  return m_nPos;
}

void cMidi::PlayLocked(int loop) {
  if (!HasImage() || m_hStream == nullptr) return;
  m_bLoop = loop;
  if (m_nPlayState == MIDISTATE_PLAY) return;
  LogStreamError("Restart", midiStreamRestart(m_hStream));
  const bool wasStopped = m_nPlayState == MIDISTATE_STOP;
  m_nPlayState = MIDISTATE_PLAY;
  if (wasStopped) QueueBuffer();
}

void cMidi::StopLocked(int pause) {
  if (!HasImage() || m_hStream == nullptr) return;
  if (pause) {
    if (m_nPlayState != MIDISTATE_PLAY) return;
    LogStreamError("Pause", midiStreamPause(m_hStream));
    m_nPlayState = MIDISTATE_PAUSE;
    return;
  }
  LogStreamError("Stop", midiStreamStop(m_hStream));
  m_nPlayState = MIDISTATE_STOP;
  m_nPos = kMidiImageHead;
  m_nCarryDelta = 0;
  QueueBuffer();
}

void cMidi::QueueBuffer() {
  if (m_hStream == nullptr || m_nPos >= m_Image.size()) return;
  MIDIHDR* hdr = &m_pHdr[m_nBuf];
  if (hdr->dwFlags.load(std::memory_order_acquire) & MHDR_INQUEUE) return;
  m_nPos += FillBuffer(m_nPos, hdr);
  LogStreamError("Prepare", midiOutPrepareHeader(m_hStream, hdr, sizeof(MIDIHDR)));
  LogStreamError("Out", midiStreamOut(m_hStream, hdr, sizeof(MIDIHDR)));
  m_nBuf = (m_nBuf + 1) % m_nBufNum;
}

DWORD cMidi::EventSizeAt(DWORD position) const {
  const BYTE* p = m_Image.data() + position;
  const BYTE* end = m_Image.data() + m_Image.size();
  if (p >= end) return 0;
  const BYTE status = *p;
  DWORD size = 0;
  if (status >= 0xC0 && status <= 0xDF) {
    size = 2;
  } else if (status < 0xF0) {
    size = 3;
  } else if (status == 0xF0 || status == 0xF7) {
    int c = 0;
    const DWORD n = ReadVarLen(p + 1, end, &c);
    if (c == 0) return 0;
    size = 1 + static_cast<DWORD>(c) + n;
  } else {
    int c = 0;
    if (p + 1 >= end) return 0;
    const DWORD n = ReadVarLen(p + 2, end, &c);
    if (c == 0) return 0;
    size = 2 + static_cast<DWORD>(c) + n;
  }
  return size <= static_cast<DWORD>(end - p) ? size : 0;
}

DWORD cMidi::PutShortEvent(DWORD delta, const BYTE* event, MIDIHDR* hdr, DWORD* fill) {
  if (*fill + kMidiEventHeadBytes > m_nBufSize) return 0;
  const BYTE status = event[0];
  const bool twoBytes = status >= 0xC0 && status <= 0xDF;
  DWORD word = status | static_cast<DWORD>(event[1]) << 8;
  if (!twoBytes) word |= static_cast<DWORD>(event[2]) << 16;
  WriteEvent(hdr, *fill, delta, (static_cast<DWORD>(MEVT_SHORTMSG) << 24) | word);
  *fill += kMidiEventHeadBytes;
  return twoBytes ? 2 : 3;
}

DWORD cMidi::PutMetaEvent(DWORD delta, const BYTE* event, MIDIHDR* hdr, DWORD* fill) {
  const DWORD size = EventSizeAt(static_cast<DWORD>(event - m_Image.data()));
  if (event[1] == 0x51 && event[2] == 3) {
    if (*fill + kMidiEventHeadBytes > m_nBufSize) return 0;
    const DWORD tempo = static_cast<DWORD>(event[3]) << 16 | static_cast<DWORD>(event[4]) << 8 | event[5];
    WriteEvent(hdr, *fill, delta, (static_cast<DWORD>(MEVT_TEMPO) << 24) | tempo);
    *fill += kMidiEventHeadBytes;
  }
  // Other meta events are consumed and not sent.
  return size;
}

DWORD cMidi::PutLongEvent(DWORD delta, const BYTE* event, MIDIHDR* hdr, DWORD* fill) {
  int c = 0;
  const DWORD n = ReadVarLen(event + 1, m_Image.data() + m_Image.size(), &c);
  const DWORD length = n + 1;
  const DWORD params = (length + 3u) & ~3u;
  if (static_cast<std::uint64_t>(*fill) + kMidiEventHeadBytes + params > m_nBufSize) return 0;
  WriteEvent(hdr, *fill, delta, MEVT_F_LONG | length);
  BYTE* out = hdr->lpData + *fill + kMidiEventHeadBytes;
  out[0] = event[0];
  std::memcpy(out + 1, event + 1 + c, n);
  *fill += kMidiEventHeadBytes + params;
  return 1 + static_cast<DWORD>(c) + n;
}

DWORD cMidi::PutEndEvent(DWORD delta, MIDIHDR* hdr, DWORD* fill) {
  if (*fill + kMidiEventHeadBytes > m_nBufSize) return 0;
  WriteEvent(hdr, *fill, delta, MIDIEVT_END);
  *fill += kMidiEventHeadBytes;
  return 3;
}

DWORD cMidi::FillBuffer(DWORD position, MIDIHDR* hdr) {
  std::memset(hdr->lpData, 0, m_nBufSize);
  const DWORD start = position;
  const DWORD end = static_cast<DWORD>(m_Image.size());
  DWORD fill = 0;
  bool wroteAny = false;
  DWORD lastEvent = 0;
  while (position < end) {
    int n = 0;
    const DWORD delta = ReadVarLen(m_Image.data() + position, m_Image.data() + end, &n);
    const DWORD at = position + static_cast<DWORD>(n);
    const DWORD size = n != 0 ? EventSizeAt(at) : 0;
    if (size == 0) {
      // The image is made by the reader and never malformed; should it be, the song
      // ends here rather than reading outside it.
      position = end;
      break;
    }
    const DWORD total = delta + m_nCarryDelta;
    const BYTE* event = m_Image.data() + at;
    const DWORD before = fill;
    const bool isEnd = event[0] == 0xFF && event[1] == 0x2F;
    DWORD consumed;
    if (isEnd)
      consumed = PutEndEvent(total, hdr, &fill);
    else if (event[0] == 0xF0 || event[0] == 0xF7)
      consumed = PutLongEvent(total, event, hdr, &fill);
    else if (event[0] == 0xFF)
      consumed = PutMetaEvent(total, event, hdr, &fill);
    else
      consumed = PutShortEvent(total, event, hdr, &fill);

    if (consumed == 0) {
      if (!wroteAny) {
        // Larger than a whole buffer: it can never be sent. Skip it and keep its delta
        // for the next event, so the buffer still ends with an event to flag.
        WriteReportEC("Midi %s Fill バッファに収まらないイベント(%u bytes)を飛ばしました", m_strFile.c_str(),
                      static_cast<unsigned>(size));
        m_nCarryDelta = total;
        position = at + size;
        continue;
      }
      break;  // the event starts the next buffer, with its carry
    }
    position = at + consumed;
    if (fill == before) {
      m_nCarryDelta = total;  // not sent: its delta goes to the next event sent
      continue;
    }
    m_nCarryDelta = 0;
    wroteAny = true;
    lastEvent = before;
    if (isEnd) break;
  }
  // The last event written carries the callback flag (the end marker has it already).
  if (wroteAny) {
    DWORD word;
    std::memcpy(&word, hdr->lpData + lastEvent + 8, 4);
    word |= MEVT_F_CALLBACK;
    std::memcpy(hdr->lpData + lastEvent + 8, &word, 4);
  }
  hdr->dwFlags.store(0, std::memory_order_release);
  hdr->lpNext = nullptr;
  hdr->reserved = 0;
  hdr->dwOffset = 0;
  for (auto& r : hdr->dwReserved) r = 0;
  hdr->dwBytesRecorded = fill;
  return position - start;
}

int cMidiList::Play(int channel, const char* path, int loop) {
  for (cMidi* player : m_vPlayer)
    if (player != nullptr) player->Stop(1);
  for (cMidi*& player : m_vPlayer) {
    delete player;
    player = nullptr;
  }
  char ext[MAX_PATH] = "";
  if (path == nullptr || !GetExt(ext, path) || std::strcmp(ext, "mid") != 0) return 0;
  if (channel < 0 || static_cast<std::size_t>(channel) >= m_vPlayer.size()) {
    ReportCheckedAccessFailure('V', channel, m_vPlayer.size(), sizeof(cMidi*));
    return 0;
  }
  cMidi* player = new cMidi(path);
  m_vPlayer[static_cast<std::size_t>(channel)] = player;
  // Without an image, or without a stream to play it on, nothing plays.
  if (!player->HasImage() || player->m_hStream == nullptr) return 0;
  player->Play(loop);
  return 1;
}

void cMidiList::Stop(int pause) {
  for (cMidi* player : m_vPlayer)
    if (player != nullptr) player->Stop(pause);
}

void cMidiList::Resize(int count) {
  Clear();
  m_vPlayer.assign(static_cast<std::size_t>(count > 0 ? count : 0), nullptr);
}

void cMidiList::Clear() {
  for (cMidi*& player : m_vPlayer) {
    delete player;
    player = nullptr;
  }
  m_vPlayer.clear();
}

cMidi* cMidiList::Player(int channel) {
  if (channel < 0 || static_cast<std::size_t>(channel) >= m_vPlayer.size()) return nullptr;
  return m_vPlayer[static_cast<std::size_t>(channel)];
}
