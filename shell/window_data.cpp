#include "shell/window_data.h"

#include <algorithm>

#include "platform/screen_metrics.h"

cWindowData g_WindowData;

cWindowData::cWindowData() {
  Register(g_nDataVersion);
  Reset();
}

void cWindowData::RegisterMembers(int version) {
  (void)version;
  ClearMembers();
  AddMember(&m_nX);
  AddMember(&m_nY);
  AddMember(&m_nWidth);
  AddMember(&m_nHeight);
  AddMember(&m_bMaximized);
}

void cWindowData::Read(cDataReader& in) {
  // A damaged file must not leave a position from it and a size from before.
  cWindowData staged(*this);
  staged.cDataRecord::Read(in);
  if (in.Truncated()) in.MarkDamaged(DATADAMAGE_BODY_CUT_SHORT);
  if (in.Damaged()) return;
  *this = staged;
  m_nX = std::clamp(m_nX, 0, std::max(0, GetSystemMetrics(SM_CXFULLSCREEN)));
  m_nY = std::clamp(m_nY, 0, std::max(0, GetSystemMetrics(SM_CYFULLSCREEN)));
}

void cWindowData::Set(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                      std::int32_t maximized) {
  m_nX = x;
  m_nY = y;
  m_nWidth = width;
  m_nHeight = height;
  m_bMaximized = maximized;
}
