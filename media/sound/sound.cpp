#include "media/sound/sound.h"

#include <cstring>
#include <new>

#include "app/report_log.h"
#include "media/sound/wave_file.h"
#include "platform/audio_device.h"
#include "platform/audio_mixer.h"

std::vector<cSound> g_Sound;
std::vector<SOUNDSRC> g_SoundSrc;

namespace {

bool g_bReady = false;
HWND g_hSoundWnd = nullptr;
std::vector<cSound>* g_pSounds = nullptr;
std::vector<SOUNDSRC>* g_pSources = nullptr;

cSoundBuffer* CopyBuffer(const cSound* sound, int copy) {
  if (sound == nullptr || !sound->m_ppBuffer) return nullptr;
  if (copy < 0 || copy >= sound->m_nBufferNum) return nullptr;
  return sound->m_ppBuffer[copy].get();
}

}  // namespace

int DSIsReady() { return g_bReady ? 1 : 0; }

bool DS_Init(HWND window, int samplesPerSec, int bitsPerSample, int channels) {
  (void)samplesPerSec;
  (void)bitsPerSample;
  (void)channels;
  const cAudioOpenResult opened = OpenAudioOutput();
  if (!opened.strReport.empty()) WriteReportText(opened.strReport.c_str());
  if (!opened.bOpened) {
    WriteEC("DIRECTSOUNDCREATE_ERR!");
    return false;
  }
  g_bReady = true;
  g_hSoundWnd = window;
  g_pSounds = nullptr;
  g_pSources = nullptr;
  return true;
}

int DSCreate(std::vector<cSound>* sounds, std::vector<SOUNDSRC>* sources, LONG volume) {
  if (!g_bReady) return 1;
  g_pSounds = sounds;
  g_pSources = sources;
  if (sounds == nullptr || sources == nullptr) return 1;
  for (std::size_t i = 0; i < sounds->size(); ++i) {
    cSound& sound = (*sounds)[i];
    if (sound.m_ppBuffer) continue;
    // The two tables are sized together by start-up; a sound without a source stays silent.
    if (i >= sources->size()) continue;
    const SOUNDSRC& source = (*sources)[i];
    char path[MAX_PATH];
    std::memcpy(path, source.szFile, MAX_PATH);
    path[MAX_PATH - 1] = '\0';
    DSLoadSound(&sound, path, source.nNum, volume != 0 ? volume : source.nVolume);
  }
  return 1;
}

bool DSLoadSound(cSound* sound, const char* path, int copies, LONG volume) {
  if (!g_bReady) return true;
  if (sound == nullptr || path == nullptr) return false;
  DSReleaseSound(sound);
  *sound = cSound{};
  // A source with no copies makes nothing: the sound stays silent, and nothing is
  // allocated for a count that may come from a damaged table.
  if (copies <= 0) return false;
  sound->m_ppBuffer.reset(new (std::nothrow) std::unique_ptr<cSoundBuffer>[static_cast<std::size_t>(copies)]);
  if (!sound->m_ppBuffer) {
    WriteECf("%sのメモリ確保失敗！", path);
    return false;
  }
  // Until every copy exists the record counts the copies made so far, so that a release
  // after a failure touches only those.
  if (!DSCreateBuffer(&sound->m_ppBuffer[0], path)) {
    sound->m_ppBuffer.reset();
    return false;
  }
  sound->m_nBufferNum = 1;
  for (int i = 1; i < copies; ++i) {
    if (!DSDuplicate(&sound->m_ppBuffer[i], sound->m_ppBuffer[0].get())) {
      WriteECf("%sのメモリ共用バッファの生成失敗！", path);
      return false;
    }
    sound->m_nBufferNum = i + 1;
  }
  std::strncpy(sound->m_szFile, path, MAX_PATH - 1);
  sound->m_szFile[MAX_PATH - 1] = '\0';
  if (volume != 0) {
    for (int i = 0; i < copies; ++i) DSSetVolume(sound, i, volume, 0);
  }
  return true;
}

bool DSCreateBuffer(std::unique_ptr<cSoundBuffer>* buffer, const char* path) {
  if (!g_bReady) return true;
  WAVEDATA wave;
  if (!DSLoadWave(path, &wave)) {
    WriteReportEC("%s の読み込みに失敗しました！", path);
    return false;
  }
  std::string why;
  *buffer = cSoundBuffer::Create(GetAudioMixer(), wave.wfx, wave.pData.get(), wave.dwDataSize, &why);
  DSFreeWave(&wave);
  if (!*buffer) {
    // A PCM file whose format cannot play: the reader took it, so only this line says why
    // the sound stays silent.
    WriteReportEC("%s生成失敗！(%s)", path, why.c_str());
    return false;
  }
  return true;
}

bool DSDuplicate(std::unique_ptr<cSoundBuffer>* buffer, const cSoundBuffer* source) {
  if (!g_bReady) return true;
  if (buffer == nullptr || source == nullptr) return false;
  *buffer = source->Duplicate();
  return static_cast<bool>(*buffer);
}

void DSPlay(cSound* sound, DWORD flags) {
  if (!g_bReady || sound == nullptr) return;
  cSoundBuffer* buffer = CopyBuffer(sound, sound->m_nNextCopy);
  if (buffer == nullptr) return;
  buffer->Stop();
  buffer->PlayFromStart(flags);
  ++sound->m_nNextCopy;
  if (sound->m_nNextCopy >= sound->m_nBufferNum) sound->m_nNextCopy = 0;
}

LONG DSSetVolume(cSound* sound, int copy, LONG volume, int relative) {
  if (!g_bReady) return 0;
  cSoundBuffer* buffer = CopyBuffer(sound, copy);
  if (buffer == nullptr) return 0;
  // Computed wide: a relative change of a huge value must clamp, not wrap.
  long long wanted = volume;
  if (relative == 1) wanted += buffer->GetVolume();
  if (wanted < -10000) wanted = -10000;
  if (wanted > 0) wanted = 0;
  buffer->SetVolume(static_cast<LONG>(wanted));
  return static_cast<LONG>(wanted);
}

LONG DSGetVolume(const cSound* sound, int copy) {
  if (!g_bReady) return 0;
  const cSoundBuffer* buffer = CopyBuffer(sound, copy);
  return buffer != nullptr ? buffer->GetVolume() : 0;
}

void DSReleaseSound(cSound* sound) {
  if (sound == nullptr || !sound->m_ppBuffer) return;
  // Only the copies that were made; the duplicates before the buffer they share.
  for (int i = sound->m_nBufferNum - 1; i >= 1; --i) sound->m_ppBuffer[i].reset();
  sound->m_ppBuffer[0].reset();
  sound->m_ppBuffer.reset();
  sound->m_nBufferNum = 0;
  sound->m_nNextCopy = 0;
}

void DSRelease() {
  if (!g_bReady) return;
  if (g_pSounds != nullptr) {
    for (cSound& sound : *g_pSounds) DSReleaseSound(&sound);
  }
  g_pSounds = nullptr;
  g_pSources = nullptr;
  g_bReady = false;
  CloseAudioOutput();
}
