#pragma once
// The OGG players of the music manager, one per channel. The decoder is linked in; a
// player that cannot be made takes the failure path of a missing decoder.
#include <memory>
#include <vector>

#include "platform/ogg_player.h"

class cVox {
 public:
  ~cVox() { Release(); }

  int Init();
  int Create(int count);
  int Play(int channel, const char* path, int loop);
  void Stop();
  void Release();

  cOggPlayer* Player(int channel);

  std::vector<std::unique_ptr<cOggPlayer>> m_ppPlayer;
  int m_nPlayer = 0;
  int m_nCurrent = -1;
  int m_bLoaded = 0;
};
