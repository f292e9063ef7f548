#include "media/sound/vox.h"

#include <new>

#include "app/checked_access.h"
#include "app/message_boxes.h"
#include "app/report_log.h"
#include "data/record/data_file.h"

int cVox::Init() {
  // The decoder is part of the program; there is nothing to load.
  m_bLoaded = 1;
  return 1;
}

int cVox::Create(int count) {
  m_ppPlayer.clear();
  m_nPlayer = 0;
  m_nCurrent = -1;
  if (count < 0) count = 0;
  for (int i = 0; i < count; ++i) {
    std::unique_ptr<cOggPlayer> player(new (std::nothrow) cOggPlayer());
    if (!player) {
      MemErrMesBox();
      return 0;
    }
    m_ppPlayer.push_back(std::move(player));
  }
  m_nPlayer = count;
  return 1;
}

cOggPlayer* cVox::Player(int channel) {
  if (m_ppPlayer.empty()) return nullptr;
  return CheckedAt(m_ppPlayer, channel).get();
}

int cVox::Play(int channel, const char* path, int loop) {
  if (path == nullptr || path[0] == '\0') return 0;
  const int count = loop ? cOggPlayer::kLoopForever : 0;
  Stop();
  cOggPlayer* player = Player(channel);
  if (player == nullptr) return 0;
  player->Close();
  HOSTFILEKIND refused = HOSTFILE_NONE;
  if (!player->Load(path, &refused)) {
    // A song that does not play quietly gives way to the MIDI one; something that is not
    // a file where the song should be is said, as nothing else would tell.
    if (refused != HOSTFILE_NONE) WriteReport("%s : %s", path, NotAFileText(refused));
    m_nCurrent = -1;
    return 0;
  }
  player->SetLoop(count);
  player->Play();
  m_nCurrent = channel;
  return 1;
}

void cVox::Stop() {
  if (m_nCurrent == -1) return;
  if (cOggPlayer* player = Player(m_nCurrent)) player->Stop();
  m_nCurrent = -1;
}

void cVox::Release() {
  m_ppPlayer.clear();
  m_nPlayer = 0;
  m_nCurrent = -1;
  m_bLoaded = 0;
}
