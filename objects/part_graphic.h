#pragma once
// Where the picture of a part (block, character, item, shot, dedicated bitmap) lies: the
// surfaces for this facing and the other, their system-memory companions, the pair chosen
// for drawing, and the cell. Filled for one draw, so it holds no ownership. A part whose
// picture does not exist (graphic 0 of a dedicated bitmap, a number past the loaded
// bitmaps) has no surfaces and draws nothing.
#include <cstdint>

#include "data/common/palette_kind.h"
#include "media/draw/dd_colour.h"

struct DDSURFACEDATA;
class cGameObj;

// Part kinds ("ブロック", "キャラ", "アイテム", "ショット", "専用bmp"): the graphic kinds of
// the palette entries.
constexpr std::int32_t PARTKIND_BLOCK = PARTGRAPHIC_BLOCK;
constexpr std::int32_t PARTKIND_CHARA = PARTGRAPHIC_CHARA;
constexpr std::int32_t PARTKIND_ITEM = PARTGRAPHIC_ITEM;
constexpr std::int32_t PARTKIND_SHOT = PARTGRAPHIC_SHOT;
constexpr std::int32_t PARTKIND_DEDICATED = PARTGRAPHIC_CHARA_EXC;

// What the part is drawn for.
constexpr std::int32_t PARTUSE_PLAIN = 0;  // no object: facing 0
constexpr std::int32_t PARTUSE_CHARA = 1;  // a character: facing from the object
constexpr std::int32_t PARTUSE_ITEM = 2;   // an item: extra is its frame

class cPartGraphic {
 public:
  // pObj is read for its facing (use 1); extra is the pattern added for use 1 (the
  // animation's pattern) or the item frame for use 2.
  void Set(std::int32_t nUse, std::int32_t nKind, std::int32_t nGraphic, std::int32_t nPattern, const cGameObj* pObj,
           std::int32_t nExtra);
  [[nodiscard]] bool HasPicture() const { return m_pDraw[0] != nullptr; }

  DDSURFACEDATA* m_pSrc[2] = {};        // video-memory surface: this facing, the other facing
  DDSURFACEDATA* m_pCompanion[2] = {};  // their system-memory copies
  DDSURFACEDATA* m_pDraw[2] = {};       // the pair drawing reads
  std::int32_t m_bBlend = 0;            // tint the sprite with m_Blend
  DDBLEND m_Blend{};
  std::int32_t m_bCustomCell = 0;       // a dedicated bitmap of cells of m_nCellSize blocks
  std::int32_t m_nCellSize = 1;         // blocks per cell side
  std::int32_t m_nCellX = 0;            // pixels in the source
  std::int32_t m_nCellY = 0;
};

// 16x16 icon of a part with colour key (the rising item icon, a carried item's icon).
void DrawPartIcon(DDSURFACEDATA* pDst, std::int32_t x, std::int32_t y, std::int32_t nKind, std::int32_t nGraphic,
                  std::int32_t nPattern);

// The work surfaces the character effects share, chosen by display mode. The stage scene
// selects them on entry; the accessors select them again on every use (two compares), so
// a display brought up after an earlier selection never reads the other mode's surfaces.
extern DDSURFACEDATA* g_pScaledMarkSheet;
extern DDSURFACEDATA* g_pCharaWorkA;
extern DDSURFACEDATA* g_pCharaWorkB;
void SelectCharaWorkSurfaces();
DDSURFACEDATA* ScaledMarkSheet();
DDSURFACEDATA* CharaWorkA();
DDSURFACEDATA* CharaWorkB();

// Rows of g_FixedSurface that character drawing reads.
constexpr int kBlockSheetRow = 2;
constexpr int kFirstCharaSheetRow = 4;
constexpr int kCharaSheetCount = 8;
constexpr int kCompanionRowOffset = 18;
constexpr int kItemSheetRow = 40;
constexpr int kSmallItemSheetRow = 42;
constexpr int kMarkSheetRow = 43;
constexpr int kAccessorySheetRow = 49;
constexpr int kShotSheetRow = 63;  // 64: the mirrored one
constexpr int kBlank640Row = 65;   // 66: the second
constexpr int kBlank1024Row = 69;
