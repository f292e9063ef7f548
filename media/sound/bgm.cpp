#include "media/sound/bgm.h"

#include <cstring>

#include "app/checked_access.h"
#include "app/path_helpers.h"
#include "app/report_log.h"

BGMOGGNAME g_szBgmOggName[BGMSLOT_NUM] = {"bgm\\Title.ogg", "bgm\\WorldMap.ogg", "bgm\\Challenge.ogg", "bgm\\Option.ogg",
                                          "bgm\\Stage.ogg"};
BGMMIDINAME g_szBgmMidiName[BGMSLOT_NUM] = {"bgm\\Title.mid", "bgm\\WorldMap.mid", "bgm\\Challenge.mid", "bgm\\Option.mid",
                                            "bgm\\Stage.mid"};

cBgm g_Bgm;

namespace {

// Copies a path into a name entry, cut to what the entry holds (at most 259 characters).
template <std::size_t N>
void SetName(char (&entry)[N], const char* path) {
  std::size_t n = std::strlen(path);
  if (n > MAX_PATH - 1) n = MAX_PATH - 1;
  std::memcpy(entry, path, n);
  entry[n] = '\0';
}

}  // namespace

int cBgm::Init(int channels, BGMOGGNAME* oggNames, BGMMIDINAME* midiNames, int slots) {
  m_bInit = 1;
  m_MidiList.Clear();
  if (!m_Vox.Init()) {
    WriteEC("m_Vox.Init失敗！");
    m_bInit = 0;
    return 0;
  }
  SetChannels(channels);
  m_pOggName = oggNames;
  m_pMidiName = midiNames;
  m_vSlotKind.assign(static_cast<std::size_t>(slots > 0 ? slots : 0), BGMKIND_ANY);
  return 1;
}

int cBgm::SetChannels(int count) {
  if (count < 0) count = 0;
  m_MidiList.Resize(count);
  m_Vox.Create(count);
  m_vChannelKind.assign(static_cast<std::size_t>(count), BGMCHANNEL_NONE);
  return 1;
}

int cBgm::SetFile(int slot, const char* path) {
  if (!m_bInit || path == nullptr) return 0;
  // The slot indexes the kind table and both name tables, which are sized alike.
  int& kind = CheckedAt(m_vSlotKind, slot);
  if (slot < 0 || static_cast<std::size_t>(slot) >= m_vSlotKind.size()) return 0;
  char* oggName = m_pOggName[slot];
  char* midiName = m_pMidiName[slot];
  char ext[MAX_PATH] = "";
  if (!GetExt(ext, path)) {
    oggName[0] = '\0';
    midiName[0] = '\0';
    kind = BGMKIND_ANY;
    return 0;
  }
  if (std::strcmp(ext, "mid") == 0 || std::strcmp(ext, "MID") == 0) {
    char changed[MAX_PATH];
    if (ChangeExt(changed, path, "mid"))
      SetName(m_pMidiName[slot], changed);
    else
      SetName(m_pMidiName[slot], path);
    kind = BGMKIND_MIDI;
    return 1;
  }
  if (std::strcmp(ext, "ogg") == 0 || std::strcmp(ext, "OGG") == 0) {
    SetName(m_pOggName[slot], path);
    kind = BGMKIND_OGG;
    return 1;
  }
  SetName(m_pOggName[slot], path);
  SetName(m_pMidiName[slot], path);
  kind = BGMKIND_ANY;
  return 0;
}

int cBgm::Play(int channel, int slot, int loop, int force) {
  if (!m_bInit) return 0;
  if (slot == m_nSlot && force == 0) return 1;
  m_nSlot = slot;
  const int kind = CheckedAt(m_vSlotKind, slot);
  const bool validSlot = slot >= 0 && static_cast<std::size_t>(slot) < m_vSlotKind.size();
  int& state = CheckedAt(m_vChannelKind, channel);
  if (validSlot && kind != BGMKIND_MIDI && m_Vox.Play(channel, m_pOggName[slot], loop)) {
    state = BGMCHANNEL_OGG;
    m_MidiList.Stop(0);
    return 1;
  }
  if (validSlot && kind != BGMKIND_OGG && m_MidiList.Play(channel, m_pMidiName[slot], loop)) {
    state = BGMCHANNEL_MIDI;
    m_Vox.Stop();
    return 1;
  }
  state = BGMCHANNEL_NONE;
  m_nSlot = -1;
  m_Vox.Stop();
  m_MidiList.Stop(0);
  return 0;
}

void cBgm::Stop() {
  if (!m_bInit) return;
  m_MidiList.Stop(0);
  m_Vox.Stop();
}

void cBgm::Release() {
  if (!m_bInit) return;
  m_Vox.Release();
  m_MidiList.Clear();
  m_bInit = 0;
}
