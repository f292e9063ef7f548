// The pictures stage play loads for itself: the two shot sheets with every shot image in
// a 32x32 cell of its own (so shots need no conversion while drawn), and the dedicated
// character bitmaps, sword pictures and effect pictures of the databases.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "app/report_log.h"
#include "data/database/database.h"
#include "media/draw/dd_blit.h"
#include "media/draw/dd_display.h"
#include "media/draw/dd_fill.h"
#include "media/draw/dd_surface.h"
#include "stage/scene_game.h"

namespace {

constexpr int kShotRow = 20;
constexpr int kMirroredShotRow = 21;
constexpr int kPlainShotSheetRow = 63;
constexpr int kMirroredShotSheetRow = 64;
constexpr int kShotRows = 30;
constexpr int kShotColumnPairs = 4;
constexpr DWORD kStageBitmapsColorKey = 1;

bool IsDirect3D() { return lpDTCon != nullptr; }

// Surfaces and definitions emptied and room made for n, so that aliases into the vector
// stay valid while it fills.
void ResetVectors(std::vector<DDSURFACEDATA>& surfaces, std::vector<DDSURFACEDEF>& defs, std::size_t n) {
  DDReleaseSurfaceVector(&surfaces);
  surfaces.clear();
  defs.clear();
  surfaces.reserve(n);
  defs.reserve(n);
}

// One surface from its definition; false (and nothing drawn later) when the file cannot
// be loaded.
bool AddFromFile(std::vector<DDSURFACEDATA>& surfaces, std::vector<DDSURFACEDEF>& defs, const std::string& file,
                 int nDDMemType, int bAlias, int nMirrorW, int bQuiet, DDSURFACEDATA* lpAlias) {
  DDSURFACEDEF def;
  def.Set(file.c_str(), 1, nDDMemType, nDDMemType, bAlias, 0, bQuiet, nMirrorW, 0, 0, 0);
  defs.push_back(def);
  surfaces.emplace_back();
  DDSURFACEDATA& sd = surfaces.back();
  if (file.empty()) return false;
  const int result =
      DDCreateSurfaceFromFile(&sd, def.szFile, def.bColorKey, g_nBpp, def.nDDMemType, def.nDTMemType, def.bAlias,
                              def.bIndexData, def.nMirrorW, def.nMirrorH, 0);
  if (!DDCheckSurfaceResult(result)) return false;
  if (lpAlias != nullptr && bAlias != 0) sd.lpAlias = lpAlias;
  return true;
}

}  // namespace

void cSceneGame::BuildShotSheet() {
  DDSURFACEDATA* plain = &g_FixedSurface[kPlainShotSheetRow];
  DDSURFACEDATA* mirrored = &g_FixedSurface[kMirroredShotSheetRow];
  DDFillSurface(plain, 0);
  DDFillSurface(mirrored, 0);
  for (int c = 0; c < kShotRows; ++c) {
    for (int d = 0; d < kShotColumnPairs; ++d) {
      const int sx = 32 * d;
      const int sy = 16 * c;
      const int dy = 8 + 32 * c;
      DDBlt(plain, 8 + 64 * d, dy, 16, 16, &g_FixedSurface[kShotRow], sx, sy, 0);
      DDBlt(plain, 40 + 64 * d, dy, 16, 16, &g_FixedSurface[kShotRow], sx + 16, sy, 0);
      DDBlt(mirrored, 8 + 64 * d, dy, 16, 16, &g_FixedSurface[kMirroredShotRow], sx, sy, 0);
      DDBlt(mirrored, 40 + 64 * d, dy, 16, 16, &g_FixedSurface[kMirroredShotRow], sx + 16, sy, 0);
    }
  }
}

void cSceneGame::LoadStageBitmaps() {
  const std::vector<cBmpCharaExcData>& entries = g_Database.m_BmpCharaExc;
  const std::size_t n = entries.size() > 1 ? entries.size() - 1 : 0;
  ResetVectors(m_vCharaExcSurface, m_vCharaExcSurfaceDef, n * 4);
  const int bAlias = IsDirect3D() ? 1 : 0;
  for (std::size_t i = 1; i < entries.size(); ++i) {
    const cBmpCharaExcData& entry = entries[i];
    // A custom cell mirrors in cells of its own size, held to 1..16 blocks as the part
    // graphics read it.
    const int mirrorW = entry.m_bLarge != 0 ? std::clamp<std::int32_t>(entry.m_nLargeFactor, 1, 16) * 32 : 32;
    const std::size_t first = m_vCharaExcSurface.size();
    bool bOk = AddFromFile(m_vCharaExcSurface, m_vCharaExcSurfaceDef, entry.m_strFile, 0, 0, 0, 0, nullptr);
    DDSURFACEDATA* base = &m_vCharaExcSurface[first];
    bOk = AddFromFile(m_vCharaExcSurface, m_vCharaExcSurfaceDef, entry.m_strFile, 0, bAlias, mirrorW, 0, base) && bOk;
    bOk = AddFromFile(m_vCharaExcSurface, m_vCharaExcSurfaceDef, entry.m_strFile, 1, bAlias, 0, 0, base) && bOk;
    bOk = AddFromFile(m_vCharaExcSurface, m_vCharaExcSurfaceDef, entry.m_strFile, 1, bAlias, mirrorW, 0, base) && bOk;
    if (!bOk) WriteECf("専用bmp %s 読み込み失敗！", entry.m_strFile.c_str());
  }
}

void cSceneGame::LoadSwordBitmaps() {
  const std::vector<cSwordTypeData>& entries = g_Database.m_SwordType;
  ResetVectors(m_vSwordSurface, m_vSwordSurfaceDef, entries.size() * 4);
  const int bAlias = IsDirect3D() ? 1 : 0;
  for (const cSwordTypeData& entry : entries) {
    const std::size_t first = m_vSwordSurface.size();
    bool bOk = AddFromFile(m_vSwordSurface, m_vSwordSurfaceDef, entry.m_strFile, 0, 0, 0, 0, nullptr);
    bOk = AddFromFile(m_vSwordSurface, m_vSwordSurfaceDef, entry.m_strFile2, 0, 0, 0, 0, nullptr) && bOk;
    bOk = AddFromFile(m_vSwordSurface, m_vSwordSurfaceDef, entry.m_strFile, 1, bAlias, 0, 0,
                      &m_vSwordSurface[first]) && bOk;
    bOk = AddFromFile(m_vSwordSurface, m_vSwordSurfaceDef, entry.m_strFile2, 1, bAlias, 0, 0,
                      &m_vSwordSurface[first + 1]) && bOk;
    if (!bOk) WriteECf("ソード %s 読み込み失敗！", entry.m_strFile.c_str());
  }
}

void cSceneGame::LoadEffectBitmaps() {
  const std::vector<cEffectData>& entries = g_Database.m_Effect;
  const std::size_t n = entries.size() > 1 ? entries.size() - 1 : 0;
  ResetVectors(m_vEffectSurface, m_vEffectSurfaceDef, n * 2);
  const int bAlias = IsDirect3D() ? 1 : 0;
  for (std::size_t i = 1; i < entries.size(); ++i) {
    const cEffectData& entry = entries[i];
    const std::size_t first = m_vEffectSurface.size();
    bool bOk = AddFromFile(m_vEffectSurface, m_vEffectSurfaceDef, entry.m_strFile, 0, 0, 0, 1, nullptr);
    bOk = AddFromFile(m_vEffectSurface, m_vEffectSurfaceDef, entry.m_strFile, 1, bAlias, 0, 0,
                      &m_vEffectSurface[first]) && bOk;
    if (!bOk) WriteECf("エフェクト %s 読み込み失敗！", entry.m_strFile.c_str());
  }
}
