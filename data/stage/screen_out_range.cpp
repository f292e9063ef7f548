#include "data/stage/screen_out_range.h"

#include "data/common/record_versions.h"

namespace {

constexpr std::uint32_t kSideFlagsFrom = 125;

}  // namespace

cScreenOutRange::cScreenOutRange() {
  Register(g_nDataVersion);
  Reset();
}

void cScreenOutRange::Set(std::int32_t bLeft, std::int32_t bRight, std::int32_t bTop, std::int32_t bBottom,
                          std::int32_t nLeft, std::int32_t nRight, std::int32_t nTop, std::int32_t nBottom) {
  m_bLeft = bLeft;
  m_bRight = bRight;
  m_bTop = bTop;
  m_bBottom = bBottom;
  m_nLeft = nLeft;
  m_nRight = nRight;
  m_nTop = nTop;
  m_nBottom = nBottom;
}

void cScreenOutRange::RegisterMembers(int version) {
  ClearMembers();
  AddMember(&m_bLeft);
  if (VersionAtLeast(version, kSideFlagsFrom)) {
    AddMember(&m_bRight);
    AddMember(&m_bTop);
    AddMember(&m_bBottom);
  }
  AddMember(&m_nLeft);
  AddMember(&m_nRight);
  AddMember(&m_nTop);
  AddMember(&m_nBottom);
}
