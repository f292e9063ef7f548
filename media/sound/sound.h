#pragma once
// Sound effects. Each sound is loaded once into one or more copies, so that it can
// overlap itself; each play takes the next copy in turn. Volumes are attenuations in
// hundredths of a decibel: 0 full, -10000 silent.
#include <array>
#include <memory>
#include <vector>

#include "platform/sound_buffer.h"
#include "platform/win_types.h"

// The source of one sound.
struct SOUNDSRC {
  char szFile[MAX_PATH];
  std::int32_t nNum;     // copies
  std::int32_t nVolume;  // hundredths of a decibel, 0 = full
  std::int32_t bFlag;    // set by start-up; not read here
};

// One playable sound. Entry 0 of m_ppBuffer is the buffer made from the file, the others
// share its samples. A record without buffers has not been made.
class cSound {
 public:
  char m_szFile[MAX_PATH] = {};
  std::unique_ptr<std::unique_ptr<cSoundBuffer>[]> m_ppBuffer;
  std::int32_t m_nBufferNum = 0;
  std::int32_t m_nNextCopy = 0;
};

// The sound-effect volume option's steps (option value 0-10).
inline constexpr std::array<LONG, 11> SE_VOLUME_STEPS = {-10000, -3000, -2000, -1300, -800, -500,
                                                         -300,   -150,  -80,   -30,   0};

extern std::vector<cSound> g_Sound;
extern std::vector<SOUNDSRC> g_SoundSrc;

// Opens the audio output. Where no device can be opened the silent dummy output stands
// in, with a report-log line, so start-up goes on. The rate, bits and channels are what
// the caller would like; the mixer renders 44100 Hz stereo whatever they are.
bool DS_Init(HWND window, int samplesPerSec, int bitsPerSample, int channels);
int DSCreate(std::vector<cSound>* sounds, std::vector<SOUNDSRC>* sources, LONG volume);
bool DSLoadSound(cSound* sound, const char* path, int copies, LONG volume);
bool DSCreateBuffer(std::unique_ptr<cSoundBuffer>* buffer, const char* path);
bool DSDuplicate(std::unique_ptr<cSoundBuffer>* buffer, const cSoundBuffer* source);
void DSPlay(cSound* sound, DWORD flags);
LONG DSSetVolume(cSound* sound, int copy, LONG volume, int relative);
LONG DSGetVolume(const cSound* sound, int copy);
void DSReleaseSound(cSound* sound);
void DSRelease();
// 1 between DS_Init and DSRelease.
int DSIsReady();
