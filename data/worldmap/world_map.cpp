#include "data/worldmap/world_map.h"

#include <algorithm>
#include <utility>

#include "app/checked_access.h"
#include "app/message_boxes.h"
#include "app/path_helpers.h"
#include "data/record/data_lists.h"
#include "data/worldmap/world_map_ranges.h"

cWorldMap g_WorldMap;

namespace {

constexpr int kNewMapWidth = 20;
constexpr int kNewMapHeight = 15;
constexpr std::int32_t kNewStartX = 9;
constexpr std::int32_t kNewStartY = 7;
constexpr std::int32_t kNewBackColour = 16;
constexpr int kNewChipCount = 10;
constexpr int kNewBlockedChips = 5;  // chips 0 to 4 are blocked, the rest passable
// The largest pitch an int32 holds is 2^30.
constexpr std::int32_t kMaxPitchShift = 30;

// The number of times width - 1 can be halved before it reaches 0.
std::int32_t PitchShiftFor(std::int32_t width) {
  std::int32_t shift = 0;
  for (std::int32_t rest = width - 1; rest > 0; rest /= 2) ++shift;
  return shift;
}

}  // namespace

cWorldMap::cWorldMap() {
  Register(g_nDataVersion);
  Reset();
}

void cWorldMap::RegisterMembers(int version) {
  (void)version;
  ClearMembers();
  AddMember(&m_nMapW);
  AddMember(&m_nMapH);
  AddMember(&m_nPitch);
  AddMember(&m_nPitchShift);
  AddMember(&m_nStartX);
  AddMember(&m_nStartY);
  AddMember(&m_nBackColour);
  AddMember(&m_bShowPicture);
  AddString(&m_strMapName);
  AddString(&m_strMapPicture);
}

void cWorldMap::Reset() {
  cDataRecord::Reset();
  m_strMapName = "ワールド";
  m_nStartX = kNewStartX;
  m_nStartY = kNewStartY;
  m_nBackColour = kNewBackColour;
  m_bShowPicture = 0;

  m_vChip.assign(kNewChipCount, cMapChip());
  for (int i = 0; i < kNewChipCount; ++i) {
    cMapChip& chip = m_vChip[static_cast<std::size_t>(i)];
    chip.m_nChipGraphic = i;
    chip.m_bBlocked = i < kNewBlockedChips ? 1 : 0;
    chip.m_strChipName = i < kNewBlockedChips ? "通行不可" : "通行可";
  }
  m_vCell.clear();  // the base reset left a size of 0: nothing of the old grid is kept
  SetSize(kNewMapWidth, kNewMapHeight);
  m_vWorld.clear();
  m_vExtraWorld.assign(1, cWorld());
  m_vExtraWorld[0].m_strWorldName = "デフォルト";
}

int cWorldMap::SetSize(int width, int height) {
  if (width == 0 || height == 0) {
    DebugMesBox("SetSize()で 0 を指定しました！");
    return 0;
  }
  // A negative size would make a negative cell count, a width above 2^30 a pitch that
  // does not fit; refused like 0.
  if (width < 0 || height < 0 || PitchShiftFor(width) > kMaxPitchShift) return 0;

  const std::int32_t oldWidth = m_nMapW;
  const std::int32_t oldHeight = m_nMapH;
  const std::int32_t oldPitch = m_nPitch;
  std::vector<std::int32_t> oldCells;
  const bool keepOld = !m_vCell.empty();
  if (keepOld) {
    DebugMesBox("nBeforeWidth = %d,nBeforePitch = %d,nBeforePitch_Shift = %d", oldWidth, oldPitch, m_nPitchShift);
    oldCells = std::move(m_vCell);
  }

  m_nMapW = width;
  m_nMapH = height;
  m_nPitchShift = PitchShiftFor(width);
  m_nPitch = std::int32_t{1} << m_nPitchShift;
  m_vCell.assign(static_cast<std::size_t>(height) * static_cast<std::size_t>(m_nPitch), 0);

  if (keepOld) {
    const std::int32_t rows = std::min(oldHeight, height);
    const std::int32_t columns = std::min(oldWidth, width);
    for (std::int32_t y = 0; y < rows; ++y)
      for (std::int32_t x = 0; x < columns; ++x)
        CheckedAt(m_vCell, y * m_nPitch + x) = CheckedAt(oldCells, y * oldPitch + x);
  }
  return 1;
}

void cWorldMap::Normalize() {
  if (m_nStartX >= m_nMapW) m_nStartX = m_nMapW - 1;
  if (m_nStartY >= m_nMapH) m_nStartY = m_nMapH - 1;
  std::erase_if(m_vWorld, [this](const cWorld& world) {
    return world.m_nWorldX >= m_nMapW || world.m_nWorldY >= m_nMapH;
  });
}

bool cWorldMap::GridMatchesSize() const {
  if (m_nMapW < 1 || m_nMapH < 1) return false;
  // The width decides the pitch.
  if (m_nPitchShift != PitchShiftFor(m_nMapW) || m_nPitchShift > kMaxPitchShift ||
      m_nPitch != (std::int32_t{1} << m_nPitchShift))
    return false;
  return static_cast<std::uint64_t>(m_nMapH) * static_cast<std::uint64_t>(m_nPitch) == m_vCell.size();
}

void cWorldMap::Read(cDataReader& in) {
  // Read into a copy, so that a damaged map leaves this one whole and as it was.
  cWorldMap staged(*this);
  staged.ReadBody(in);
  if (in.Truncated()) in.MarkDamaged(DATADAMAGE_BODY_CUT_SHORT);
  if (!in.Damaged() && !staged.GridMatchesSize()) in.MarkDamaged(DATADAMAGE_MAP_GRID);
  if (in.Damaged()) return;
  ClampWorldMapRanges(staged, in.Name());
  staged.Normalize();
  *this = std::move(staged);
}

void cWorldMap::ReadBody(cDataReader& in) {
  cDataRecord::Read(in);
  LoadVector(m_vChip, in);
  ReadIntVector(m_vCell, in);
  LoadVector(m_vWorld, in);
  LoadVector(m_vExtraWorld, in);
}

void cWorldMap::Write(cDataWriter& out) {
  Normalize();
  cDataRecord::Write(out);
  SaveVector(m_vChip, out);
  WriteIntVector(m_vCell, out);
  SaveVector(m_vWorld, out);
  SaveVector(m_vExtraWorld, out);
}

const cWorld* cWorldMap::GetWorldAt(int x, int y) const {
  for (const cWorld& world : m_vWorld)
    if (world.m_nWorldX == x && world.m_nWorldY == y) return &world;
  return nullptr;
}

std::string WorldStageFileKey(const std::string& file) {
  std::string key = file;
  StripExtStr(key);
  // Bytes "-" and "1" are never the trail byte of a double-byte character.
  for (std::size_t i = key.size(); i >= 2; --i) {
    if (key[i - 2] == '-' && key[i - 1] == '1') {
      key.resize(i - 1);
      key[i - 2] = '.';
      return key;
    }
  }
  key += '.';
  return key;
}

int cWorldMap::HasStage(const std::string& name, int bSuffix, int nSuffixA, int nSuffixB) const {
  for (const cWorld& world : m_vWorld) {
    for (const cWorldStage& entry : world.m_vStage) {
      if (entry.m_nKind != WORLDSTAGE_STAGE) continue;
      if (WorldStageFileKey(entry.m_strStageFile) != name) continue;
      if (bSuffix == 0) {
        if (entry.m_bRankSuffix == 0) return 1;
      } else if (entry.m_bRankSuffix != 0 && nSuffixA == entry.m_nRankSuffixA && nSuffixB == entry.m_nRankSuffixB) {
        return 1;
      }
    }
  }
  return 0;
}
