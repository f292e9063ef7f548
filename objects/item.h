#pragma once
// An object the player can take: on the stage, carried by a character, or summoned.
#include <cstdint>

#include "data/palette/palette_item.h"
#include "objects/game_obj.h"

class cFlowCmd;
class cPlayer;

class cItem : public cGameObj {
 public:
  cItem();
  cItem(const cItem&) = default;
  cItem& operator=(const cItem&) = default;
  ~cItem() override = default;

  void ReanchorYAfterScale(std::int32_t nNew, std::int32_t nOld) override;

  // Set-up from a palette item entry; a zero giant factor in the entry becomes 1.
  void Init(std::int32_t nObjId, cPaletteItem& entry, std::int32_t bCarried);
  void PlaceAtBlock(std::int32_t bx, std::int32_t by);
  void Draw(DDSURFACEDATA* pSurface, std::int32_t bPaused);

  cPaletteItem m_ItemDef;
  std::int32_t m_bCarried = 0;  // carried by a character: always active, never scaled
};

// The two-cell animation every item plays (cell 0 and cell 1, 15 frames each).
extern const std::int32_t* const g_ItemAnimeTable[];

// The handler of the item command that changes the player's flows. With bNoDefer 0 and
// player 1's flows running right now, the command waits in m_vPendingFlowCmd.
std::int32_t ItemChangeFlow(cPlayer& player, cFlowCmd& cmd, std::int32_t bNoDefer);
