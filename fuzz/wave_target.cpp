// Fuzz target: a WAVE file of a sound effect, loaded into a sound buffer as the game loads
// its sounds (the mixer on the null output). A refused file must say why; a loaded one
// holds samples that lie inside the file.
#include <memory>

#include "fuzz/fuzz_driver.h"
#include "media/sound/sound.h"
#include "media/sound/wave_file.h"
#include "platform/audio_device.h"
#include "platform/host_files.h"
#include "platform/sound_buffer.h"

namespace {

constexpr const char* kPath = "wave\\fuzz.wav";

}  // namespace

void FuzzSetUp() {
  if (!MakeDirectory("wave")) fuzz::Fail("the sound folder can be made", "wave");
  UseNullAudioOutput();
  if (!DS_Init(nullptr, 22050, 8, 1)) fuzz::Fail("the sound output starts", "null output");
}

void FuzzOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::BeginInput();
  fuzz::WriteFile(kPath, data, size);
  WAVEDATA wave;
  if (DSLoadWave(kPath, &wave)) {
    if (wave.dwDataSize == 0 || wave.pData == nullptr || wave.dwDataSize > size)
      fuzz::Fail("a loaded wave holds samples from the file", kPath);
    if (wave.wfx.wFormatTag != WAVE_FORMAT_PCM) fuzz::Fail("a loaded wave is PCM", kPath);
    DSFreeWave(&wave);
  }
  std::unique_ptr<cSoundBuffer> buffer;
  if (!DSCreateBuffer(&buffer, kPath)) fuzz::CheckFailureReported(kPath);
}
