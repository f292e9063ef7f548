// The game thread's input work of one frame (poll, repeat, one-shot filter, history and
// sequence buffers) and the main thread's publishing of the keyboard, against a plain
// copy of as many bytes as the sequence buffers hold, in one run.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "media/input/input.h"
#include "media/input/key_config.h"
#include "platform/input_snapshot.h"
#include "platform/virtual_keys.h"

namespace {

constexpr int kSdlScancodes = 512;
// Bytes of the 19 sequence buffers of 32 runs.
constexpr std::size_t kSequenceBytes = (cInput::kDirSeqCount + cInput::kButtonSeqCount) * cInput::kSeqLength *
                                       sizeof(cInput::SeqRun);

void FrameWork(cInput& input) {
  input.ApplyRepeat();
  input.TriggerOnce(3);
  input.UpdateHistory();
  input.UpdateSequences();
}

void BM_CopySequenceBytes(benchmark::State& state) {
  std::vector<unsigned char> from(kSequenceBytes, 1), to(kSequenceBytes);
  for (auto _ : state) {
    benchmark::DoNotOptimize(from.data());
    std::memcpy(to.data(), from.data(), kSequenceBytes);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<long long>(kSequenceBytes));
}
BENCHMARK(BM_CopySequenceBytes);

// Arrows, four letters and joystick 0 centred, as a player holds them.
void PublishHeldKeys() {
  PublishInputFrame({{VK_LEFT, VK_UP, 'Z', 'C', 'A', 'D'}, {{0, JoystickSnapshot{true, 32768, 32768, 0}}}});
}

void BM_PollFixedLayout(benchmark::State& state) {
  g_KeyConfig = cKeyConfig{};
  SetDefaultKeyConfig(g_KeyConfig);
  PublishHeldKeys();
  cInput input;
  input.SetDefaultJoyButtons();
  for (auto _ : state) {
    input.Poll(0, 3, 60);
    benchmark::DoNotOptimize(input.m_wButton);
  }
}
BENCHMARK(BM_PollFixedLayout);

// Twelve entries, two joysticks.
void BM_PollKeyConfig(benchmark::State& state) {
  SetDefaultKeyConfig(g_KeyConfig);
  g_KeyConfig.m_bUse = 1;
  g_KeyConfig.m_nJoyNum = 2;
  PublishInputFrame({{VK_LEFT, 'Z'}, {{0, JoystickSnapshot{true, 0, 0, 1}}, {1, JoystickSnapshot{true, 0, 0, 1}}}});
  cInput input;
  for (auto _ : state) {
    input.PollKeyConfig(60);
    benchmark::DoNotOptimize(input.m_wButton);
  }
  g_KeyConfig = cKeyConfig{};
}
BENCHMARK(BM_PollKeyConfig);

// Filters, history and sequence buffers when the words stay: the usual frame.
void BM_FiltersUnchanged(benchmark::State& state) {
  cInput input;
  for (auto _ : state) {
    input.m_wDir = kDirLeft;
    input.m_wButton = 0x5;
    FrameWork(input);
    benchmark::DoNotOptimize(input.m_vButtonSeq[1][0]);
  }
}
BENCHMARK(BM_FiltersUnchanged);

// The worst case: both words change in every bit each frame, so every sequence buffer
// shifts and both rings advance.
void BM_FiltersEverythingChanges(benchmark::State& state) {
  cInput input;
  int n = 0;
  for (auto _ : state) {
    const bool odd = (n++ & 1) != 0;
    input.m_wDir = odd ? (kDirLeft | kDirUp) : (kDirRight | kDirDown);
    input.m_wButton = odd ? 0x55 : 0xAA;
    FrameWork(input);
    benchmark::DoNotOptimize(input.m_vButtonSeq[1][0]);
  }
}
BENCHMARK(BM_FiltersEverythingChanges);

void BM_PublishKeyboard(benchmark::State& state) {
  std::vector<std::uint8_t> keys(kSdlScancodes);
  keys[4] = keys[80] = keys[225] = 1;
  for (auto _ : state) {
    PublishKeyboardState(keys.data(), kSdlScancodes, 1);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_PublishKeyboard);

}  // namespace

BENCHMARK_MAIN();
