#include "data/stage/stage_back.h"

#include "data/common/record_versions.h"

namespace {

constexpr std::uint32_t kSpeedsAsDoublesFrom = 61;
constexpr std::uint32_t kVisibleAndOffsetsFrom = 62;
constexpr std::int32_t kDefaultFillColour = 16;
constexpr double kDefaultSpeedFactor = 0.1;

const cStageBack& NewStageBack() {
  static const cStageBack prototype;
  return prototype;
}

}  // namespace

cStageBack::cStageBack() {
  Register(g_nDataVersion);
  Reset();
}

void cStageBack::Reset() {
  cDataRecord::Reset();
  m_bVisible = 1;
  m_nFillColour = kDefaultFillColour;
  m_dSpeedX = kDefaultSpeedFactor;
  m_dSpeedY = kDefaultSpeedFactor;
}

void cStageBack::RegisterMembers(int version) {
  ClearMembers();
  const bool bSpeedsAsDoubles = VersionAtLeast(version, kSpeedsAsDoublesFrom);
  const bool bVisibleAndOffsets = VersionAtLeast(version, kVisibleAndOffsetsFrom);
  if (bVisibleAndOffsets) AddMember(&m_bVisible);
  AddMember(&m_bFill);
  AddMember(&m_nFillColour);
  AddMember(&m_nLayer);
  if (bSpeedsAsDoubles) {
    AddMember(&m_dSpeedX);
    AddMember(&m_dSpeedY);
    AddMember(&m_bAutoX);
    AddMember(&m_bAutoY);
  }
  if (bVisibleAndOffsets) {
    AddMember(&m_dPosX);
    AddMember(&m_dPosY);
  } else {
    // Below 61 the two speeds, at 61 the two offsets, were int32 values; dropped.
    AddMember(&g_Scratch.an32[0]);
    AddMember(&g_Scratch.an32[1]);
  }
  AddString(&m_strPicture);
}

void AssignStageBackList(std::vector<cStageBack>& destination, const std::vector<cStageBack>& source) {
  if (&destination == &source) return;
  destination.resize(source.size(), NewStageBack());
  for (std::size_t i = 0; i < source.size(); ++i) destination[i].CopyFrom(source[i]);
}

void ResizeStageBackList(std::vector<cStageBack>& list, std::size_t n) {
  list.clear();
  list.resize(n, NewStageBack());
}
