#include "platform/midi_synth.h"

#include <fluidsynth.h>

#include <mutex>
#include <vector>

#include "platform/audio_mixer.h"

namespace {

class cFluidSynth final : public cMidiSynth {
 public:
  ~cFluidSynth() override {
    if (m_pSynth != nullptr) delete_fluid_synth(m_pSynth);
    if (m_pSettings != nullptr) delete_fluid_settings(m_pSettings);
  }

  bool Load(const std::string& soundFont, std::string* why) {
    m_pSettings = new_fluid_settings();
    if (m_pSettings == nullptr) return Fail(why, "no FluidSynth settings");
    fluid_settings_setnum(m_pSettings, "synth.sample-rate", kMixRate);
    // Only the audio thread calls the synthesiser, so its own locking is not needed.
    fluid_settings_setint(m_pSettings, "synth.threadsafe-api", 0);
    m_pSynth = new_fluid_synth(m_pSettings);
    if (m_pSynth == nullptr) return Fail(why, "no FluidSynth synthesiser");
    if (fluid_synth_sfload(m_pSynth, soundFont.c_str(), 1) == FLUID_FAILED)
      return Fail(why, "cannot load the SoundFont " + soundFont);
    m_vScratch.assign(static_cast<std::size_t>(kMixBlockFrames) * kMixChannels, 0.0f);
    return true;
  }

  void ShortMessage(std::uint32_t message) override {
    const int status = static_cast<int>(message & 0xFF);
    const int channel = status & 0x0F;
    const int d1 = static_cast<int>((message >> 8) & 0x7F);
    const int d2 = static_cast<int>((message >> 16) & 0x7F);
    switch (status & 0xF0) {
      case 0x80: fluid_synth_noteoff(m_pSynth, channel, d1); break;
      case 0x90: fluid_synth_noteon(m_pSynth, channel, d1, d2); break;
      case 0xA0: fluid_synth_key_pressure(m_pSynth, channel, d1, d2); break;
      case 0xB0: fluid_synth_cc(m_pSynth, channel, d1, d2); break;
      case 0xC0: fluid_synth_program_change(m_pSynth, channel, d1); break;
      case 0xD0: fluid_synth_channel_pressure(m_pSynth, channel, d1); break;
      case 0xE0: fluid_synth_pitch_bend(m_pSynth, channel, d1 | d2 << 7); break;
      default: break;  // system messages mean nothing to the synthesiser
    }
  }

  void LongMessage(const std::uint8_t* bytes, std::size_t count) override {
    // FluidSynth takes the body without the F0 and the closing F7.
    if (count < 2 || bytes[0] != 0xF0) return;
    std::size_t n = count - 1;
    if (bytes[count - 1] == 0xF7) --n;
    fluid_synth_sysex(m_pSynth, reinterpret_cast<const char*>(bytes + 1), static_cast<int>(n), nullptr, nullptr,
                      nullptr, 0);
  }

  void Silence(bool resetControllers) override {
    if (resetControllers)
      fluid_synth_system_reset(m_pSynth);
    else
      fluid_synth_all_notes_off(m_pSynth, -1);
  }

  void Render(float* mix, int frames) override {
    float* scratch = m_vScratch.data();
    fluid_synth_write_float(m_pSynth, frames, scratch, 0, 2, scratch, 1, 2);
    for (int i = 0; i < frames * 2; ++i) mix[i] += scratch[i];
  }

 private:
  static bool Fail(std::string* why, const std::string& text) {
    if (why != nullptr) *why = text;
    return false;
  }

  fluid_settings_t* m_pSettings = nullptr;
  fluid_synth_t* m_pSynth = nullptr;
  std::vector<float> m_vScratch;
};

std::mutex g_SynthLock;
cFluidSynth* g_pFluid = nullptr;
bool g_bFluidFailed = false;
std::string g_strFluidFailure;
std::string g_strSoundFont = DefaultMidiSoundFontPath();
cMidiSynth* g_pOverride = nullptr;
cMidiSynth* g_pInUse = nullptr;

void QuietFluidLog(int, const char*, void*) {}

}  // namespace

const char* DefaultMidiSoundFontPath() { return "/usr/share/sounds/sf2/default-GM.sf2"; }

cMidiSynth* AcquireMidiSynth(std::string* why) {
  std::lock_guard<std::mutex> lock(g_SynthLock);
  if (g_pInUse != nullptr) {
    if (why != nullptr) *why = "the synthesiser is in use by another stream";
    return nullptr;
  }
  if (g_pOverride != nullptr) return g_pInUse = g_pOverride;
  if (g_pFluid == nullptr) {
    if (g_bFluidFailed) {
      if (why != nullptr) *why = g_strFluidFailure;
      return nullptr;
    }
    // FluidSynth writes its own warnings to the terminal; the caller logs what matters.
    fluid_set_log_function(FLUID_WARN, QuietFluidLog, nullptr);
    fluid_set_log_function(FLUID_INFO, QuietFluidLog, nullptr);
    fluid_set_log_function(FLUID_DBG, QuietFluidLog, nullptr);
    auto* synth = new cFluidSynth;
    if (!synth->Load(g_strSoundFont, &g_strFluidFailure)) {
      delete synth;
      g_bFluidFailed = true;
      if (why != nullptr) *why = g_strFluidFailure;
      return nullptr;
    }
    g_pFluid = synth;
  }
  return g_pInUse = g_pFluid;
}

void ReleaseMidiSynth(cMidiSynth* synth) {
  std::lock_guard<std::mutex> lock(g_SynthLock);
  if (synth != nullptr && synth == g_pInUse) g_pInUse = nullptr;
}

void SetMidiSoundFontPath(const std::string& path) {
  std::lock_guard<std::mutex> lock(g_SynthLock);
  if (path == g_strSoundFont) return;
  g_strSoundFont = path;
  // A new file gets a new try; a loaded synthesiser not in use is dropped.
  g_bFluidFailed = false;
  if (g_pFluid != nullptr && g_pInUse != g_pFluid) {
    delete g_pFluid;
    g_pFluid = nullptr;
  }
}

void SetMidiSynthOverride(cMidiSynth* synth) {
  std::lock_guard<std::mutex> lock(g_SynthLock);
  g_pOverride = synth;
  g_pInUse = nullptr;
}
