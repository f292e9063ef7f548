#include "platform/audio_device.h"

#include <SDL.h>

#include <mutex>

#include "platform/audio_mixer.h"

namespace {

std::mutex g_DeviceLock;
SDL_AudioDeviceID g_Device = 0;
eAudioOutput g_Output = eAudioOutput::kNone;
bool g_bUseNull = false;

void SDLCALL AudioCallback(void*, Uint8* stream, int length) {
  const int frames = length / static_cast<int>(sizeof(float) * kMixChannels);
  GetAudioMixer().Render(reinterpret_cast<float*>(stream), frames);
}

SDL_AudioDeviceID OpenDevice() {
  SDL_AudioSpec want{};
  want.freq = kMixRate;
  want.format = AUDIO_F32SYS;
  want.channels = kMixChannels;
  want.samples = 1024;
  want.callback = AudioCallback;
  SDL_AudioSpec have{};
  // No changes allowed: SDL converts to whatever the hardware wants, so the mixer always
  // renders its own format.
  return SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
}

}  // namespace

cAudioOpenResult OpenAudioOutput() {
  std::lock_guard<std::mutex> lock(g_DeviceLock);
  cAudioOpenResult result;
  if (g_Output != eAudioOutput::kNone) {
    result.bOpened = true;
    result.output = g_Output;
    return result;
  }
  if (g_bUseNull) {
    g_Output = eAudioOutput::kNull;
    result.bOpened = true;
    result.output = g_Output;
    return result;
  }
  std::string failure;
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) == 0) {
    g_Device = OpenDevice();
    if (g_Device != 0) {
      const char* driver = SDL_GetCurrentAudioDriver();
      const bool dummy = driver != nullptr && SDL_strcmp(driver, "dummy") == 0;
      g_Output = dummy ? eAudioOutput::kDummy : eAudioOutput::kDevice;
      SDL_PauseAudioDevice(g_Device, 0);
      result.bOpened = true;
      result.output = g_Output;
      result.strReport = std::string("audio: driver ") + (driver != nullptr ? driver : "?");
      return result;
    }
    failure = SDL_GetError();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
  } else {
    failure = SDL_GetError();
  }
  // No sound server and no card: the dummy driver keeps the program's timing and state
  // as they would be with sound.
  SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) == 0) {
    g_Device = OpenDevice();
    if (g_Device != 0) {
      g_Output = eAudioOutput::kDummy;
      SDL_PauseAudioDevice(g_Device, 0);
      result.bOpened = true;
      result.output = g_Output;
      result.strReport = "audio: no sound device (" + failure + "), playing silently";
      return result;
    }
    failure += std::string("; dummy: ") + SDL_GetError();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }
  result.strReport = "audio: cannot open any output: " + failure;
  return result;
}

void CloseAudioOutput() {
  std::lock_guard<std::mutex> lock(g_DeviceLock);
  if (g_Device != 0) {
    SDL_CloseAudioDevice(g_Device);
    g_Device = 0;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }
  g_Output = eAudioOutput::kNone;
}

eAudioOutput CurrentAudioOutput() {
  std::lock_guard<std::mutex> lock(g_DeviceLock);
  return g_Output;
}

void UseNullAudioOutput(bool useNull) {
  std::lock_guard<std::mutex> lock(g_DeviceLock);
  g_bUseNull = useNull;
}
