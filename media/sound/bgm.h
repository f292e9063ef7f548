#pragma once
// The background music manager: five slots (title, world map, challenge, option, stage),
// each with an OGG and a MIDI file name and a kind that says which to play. Main thread
// only.
#include <vector>

#include "media/sound/midi.h"
#include "media/sound/vox.h"
#include "platform/win_types.h"

constexpr int BGMSLOT_TITLE = 0;
constexpr int BGMSLOT_WORLDMAP = 1;
constexpr int BGMSLOT_CHALLENGE = 2;
constexpr int BGMSLOT_OPTION = 3;
constexpr int BGMSLOT_STAGE = 4;
constexpr int BGMSLOT_NUM = 5;

constexpr int BGMKIND_ANY = 0;
constexpr int BGMKIND_OGG = 1;
constexpr int BGMKIND_MIDI = 2;

// Channel state.
constexpr int BGMCHANNEL_NONE = 0;
constexpr int BGMCHANNEL_OGG = 1;
constexpr int BGMCHANNEL_MIDI = 2;

using BGMOGGNAME = char[MAX_PATH];
using BGMMIDINAME = char[264];

// The slot file names that the manager writes into.
extern BGMOGGNAME g_szBgmOggName[BGMSLOT_NUM];
extern BGMMIDINAME g_szBgmMidiName[BGMSLOT_NUM];

class cBgm {
 public:
  ~cBgm() { Release(); }

  int Init(int channels, BGMOGGNAME* oggNames, BGMMIDINAME* midiNames, int slots);
  int SetChannels(int count);
  int SetFile(int slot, const char* path);
  int Play(int channel, int slot, int loop, int force);
  void Stop();
  void Release();

  int m_bInit = 0;
  cVox m_Vox;
  BGMOGGNAME* m_pOggName = nullptr;
  cMidiList m_MidiList;
  BGMMIDINAME* m_pMidiName = nullptr;
  int m_nSlot = -1;
  std::vector<int> m_vSlotKind;
  std::vector<int> m_vChannelKind;
};

extern cBgm g_Bgm;
