// Fuzz target: a standard MIDI file of the music. A refused file must say why; a loaded
// one becomes a format-0 image that is itself a MIDI file, and converting that image
// again must give the same bytes.
#include "fuzz/fuzz_driver.h"
#include "media/sound/midi_file.h"
#include "platform/host_files.h"

namespace {

constexpr const char* kPath = "bgm\\fuzz.mid";

}  // namespace

void FuzzSetUp() {
  if (!MakeDirectory("bgm")) fuzz::Fail("the music folder can be made", "bgm");
}

void FuzzOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::BeginInput();
  fuzz::WriteFile(kPath, data, size);
  cMidiFile midi(kPath);
  if (!midi.HasImage()) {
    fuzz::CheckFailureReported(kPath);
    return;
  }
  const std::vector<BYTE>& image = midi.Image();
  cMidiFile again;
  again.m_strFile = kPath;
  if (again.Init(image.data(), image.size()) != image)
    fuzz::Fail("a converted song converts again to the same bytes", kPath);
}
