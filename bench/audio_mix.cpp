// The audio callback's cost: ten seconds of a mix of 16 sound-effect voices, one OGG song
// and one MIDI song through FluidSynth, rendered as fast as it goes, as a share of the ten
// seconds of real time. The CPU time is the whole process's: the mix, the OGG decoder
// thread and the MIDI callback thread together, which is what one core pays for the
// music and effects (the renderer sleeps while it waits for the decoder, so waiting costs
// nothing; the wall time, which includes those waits, is not the measure). Measured
// against copying the same ten seconds of output, in the same run.
//
// With TOVREL_MIX_WAV set to a file name, the program first writes ten seconds of the
// mix there as a 16-bit stereo WAVE file, for listening and measuring; TOVREL_MIX_ONLY set
// to "effects", "ogg" or "midi" leaves the other sources out of that file.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "bench/bench_support.h"
#include "media/sound/midi.h"
#include "media/sound/sound.h"
#include "media/sound/vox.h"
#include "platform/audio_device.h"
#include "platform/audio_mixer.h"
#include "tests/support/byte_builder.h"
#include "tests/support/midi_builder.h"
#include "tests/support/ogg_encoder.h"
#include "tests/support/temp_dir.h"
#include "tests/support/wave_builder.h"

namespace {

constexpr int kSeconds = 10;
constexpr int kFrames = kSeconds * kMixRate;
constexpr int kBlock = 1024;
constexpr int kVoices = 16;

// Sixteen looping effects of different pitch and length, 22050 Hz 16-bit mono, as games
// ship them; the converter brings them to the mix rate once, at load.
void WriteEffects() {
  const double pi = 3.14159265358979323846;
  for (int v = 0; v < kVoices; ++v) {
    cWaveLayout layout;
    layout.nRate = 22050;
    layout.nBits = 16;
    const int frames = 4000 + 700 * v;
    std::vector<std::int16_t> samples(static_cast<std::size_t>(frames));
    for (int i = 0; i < frames; ++i) {
      const double fade = 1.0 - static_cast<double>(i) / frames;
      samples[static_cast<std::size_t>(i)] =
          static_cast<std::int16_t>(1500.0 * fade * std::sin(2 * pi * (300.0 + 90.0 * v) * i / 22050.0));
    }
    layout.vSamples = Pcm16Bytes(samples);
    WriteTestFile("se" + std::to_string(v) + ".wav", BuildWave(layout));
  }
}

// Four bars a loop of chords, bass and a melody on three channels, with a tempo change and
// a program change; dense enough to keep a few dozen voices of the synthesiser busy.
void WriteSong() {
  cMidiLayout layout;
  layout.nDivision = 480;
  cMidiTrack chords, bass, melody;
  chords.Tempo(0, 500000).Raw(0, {0xC0, 0});
  bass.Raw(0, {0xC1, 33});
  melody.Raw(0, {0xC2, 73});
  const int roots[] = {48, 53, 55, 52};
  for (int bar = 0; bar < 12; ++bar) {
    const int root = roots[bar % 4];
    for (int beat = 0; beat < 4; ++beat) {
      chords.NoteOn(0, 0, root + 12, 80).NoteOn(0, 0, root + 16, 80).NoteOn(0, 0, root + 19, 80);
      chords.Raw(470, {0x80, static_cast<std::uint8_t>(root + 12), 0}).Raw(0, {0x80, static_cast<std::uint8_t>(root + 16), 0});
      chords.Raw(0, {0x80, static_cast<std::uint8_t>(root + 19), 0}).Raw(10, {0xB0, 7, 100});
      bass.NoteOn(0, 1, root - 12, 100).Raw(240, {0x81, static_cast<std::uint8_t>(root - 12), 0});
      bass.NoteOn(0, 1, root - 5, 90).Raw(240, {0x81, static_cast<std::uint8_t>(root - 5), 0});
      for (int e = 0; e < 4; ++e) {
        const int key = root + 24 + (e * 3 + beat * 2) % 12;
        melody.NoteOn(0, 2, key, 90).Raw(120, {0x82, static_cast<std::uint8_t>(key), 0});
      }
    }
  }
  chords.End(0);
  bass.End(0);
  melody.End(0);
  layout.vTracks = {chords, bass, melody};
  WriteTestFile("song.mid", BuildMidi(layout));
}

class cMixScene {
 public:
  cMixScene() : m_Folder("tovrel-bench-audio-") {
    UseNullAudioOutput();
    DS_Init(nullptr, 22050, 8, 1);
    WriteEffects();
    WriteSong();
    WriteOggTone("music.ogg", 44100, 2, 5 * kMixRate, 330.0, 0.2);
    const char* only = std::getenv("TOVREL_MIX_ONLY");
    const std::string part = only != nullptr ? only : "";
    m_Sounds.resize(kVoices);
    for (int v = 0; v < kVoices && (part.empty() || part == "effects"); ++v) {
      DSLoadSound(&m_Sounds[static_cast<std::size_t>(v)], ("se" + std::to_string(v) + ".wav").c_str(), 1, -600);
      DSPlay(&m_Sounds[static_cast<std::size_t>(v)], DSBPLAY_LOOPING);
    }
    m_Vox.Init();
    m_Vox.Create(1);
    m_bOk = !(part.empty() || part == "ogg") || m_Vox.Play(0, "music.ogg", 1) == 1;
    m_Midi.Resize(1);
    m_bOk = m_bOk && (!(part.empty() || part == "midi") || m_Midi.Play(0, "song.mid", 1) == 1);
  }
  ~cMixScene() {
    m_Midi.Clear();
    m_Vox.Release();
    for (cSound& s : m_Sounds) DSReleaseSound(&s);
    DSRelease();
  }

  bool Ok() const { return m_bOk; }

  // Renders the ten seconds block by block, as the device's callback would ask for them.
  // Between blocks the MIDI player's callback thread and the OGG decoder get their turn,
  // as they do in real time while the callback waits for the device.
  void Render(std::vector<float>* out) {
    cMidi* player = m_Midi.Player(0);
    cOggPlayer* ogg = m_Vox.Player(0);
    for (int done = 0; done < kFrames; done += kBlock) {
      while ((player != nullptr && !player->CallbacksDrained()) ||
             (ogg->IsPlaying() && ogg->BufferedFrames() < kBlock && !ogg->DecoderFinished())) {
        std::this_thread::sleep_for(std::chrono::microseconds(100));
      }
      const int n = kFrames - done < kBlock ? kFrames - done : kBlock;
      GetAudioMixer().Render(out->data() + static_cast<std::ptrdiff_t>(done) * kMixChannels, n);
    }
  }

 private:
  cTempFolder m_Folder;
  std::vector<cSound> m_Sounds;
  cVox m_Vox;
  cMidiList m_Midi;
  bool m_bOk = false;
};

void BM_MixTenSeconds(benchmark::State& state) {
  cMixScene scene;
  if (!scene.Ok()) {
    state.SkipWithError("the songs did not start (no SoundFont?)");
    return;
  }
  std::vector<float> out(static_cast<std::size_t>(kFrames) * kMixChannels);
  for (auto _ : state) {
    scene.Render(&out);
    benchmark::DoNotOptimize(out.data());
  }
}
BENCHMARK(BM_MixTenSeconds)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

// The plain baseline: copying ten seconds of output block by block.
void BM_CopyTenSecondsBaseline(benchmark::State& state) {
  std::vector<float> in(static_cast<std::size_t>(kFrames) * kMixChannels, 0.25f);
  std::vector<float> out(in.size());
  for (auto _ : state) {
    for (int done = 0; done < kFrames; done += kBlock) {
      const int n = kFrames - done < kBlock ? kFrames - done : kBlock;
      std::memcpy(out.data() + static_cast<std::ptrdiff_t>(done) * kMixChannels,
                  in.data() + static_cast<std::ptrdiff_t>(done) * kMixChannels, sizeof(float) * n * kMixChannels);
    }
    benchmark::DoNotOptimize(out.data());
  }
}
BENCHMARK(BM_CopyTenSecondsBaseline)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

void WriteWave(const char* path) {
  std::vector<float> out(static_cast<std::size_t>(kFrames) * kMixChannels);
  {
    cMixScene scene;
    if (!scene.Ok()) {
      std::fprintf(stderr, "the songs did not start\n");
      return;
    }
    scene.Render(&out);
  }
  cByteBuilder data;
  for (float s : out) {
    const float c = s > 1.0f ? 1.0f : (s < -1.0f ? -1.0f : s);
    data.I16(static_cast<std::int16_t>(std::lround(c * 32767.0f)));
  }
  cByteBuilder file;
  file.Tag("RIFF").U32(static_cast<std::uint32_t>(36 + data.Size())).Tag("WAVE");
  file.Tag("fmt ").U32(16).U16(1).U16(2).U32(kMixRate).U32(kMixRate * 4).U16(4).U16(16);
  file.Tag("data").U32(static_cast<std::uint32_t>(data.Size())).Bytes(data.Get());
  WriteTestFile(path, file.Get());
}

}  // namespace

int main(int argc, char** argv) {
  if (const char* wav = std::getenv("TOVREL_MIX_WAV")) {
    // Relative to where the program was started, not to the benchmark's own folder.
    std::string path = wav;
    if (!path.empty() && path[0] != '/') path = std::filesystem::current_path().string() + "/" + path;
    WriteWave(path.c_str());
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
