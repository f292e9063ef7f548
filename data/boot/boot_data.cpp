#include "data/boot/boot_data.h"

#include <utility>

#include "app/report_log.h"

cBootData g_BootData;

cBootData::cBootData() {
  Register(g_nDataVersion);
  Reset();
  m_nDrawMode = BOOTDRAW_DIRECT3D;
}

void cBootData::RegisterMembers(int version) {
  (void)version;
  ClearMembers();
  AddMember(&m_nDrawMode);
  AddMember(&m_bNoAsk);
}

void cBootData::Read(cDataReader& in) {
  cBootData staged(*this);
  staged.cDataRecord::Read(in);
  if (in.Truncated()) in.MarkDamaged(DATADAMAGE_BODY_CUT_SHORT);
  if (in.Damaged()) return;
  if (staged.m_nDrawMode != BOOTDRAW_DIRECT3D && staged.m_nDrawMode != BOOTDRAW_DIRECTDRAW) {
    WriteReport("%s : 描画モード %d は不正なため DirectDraw とします", kBootFilePath, staged.m_nDrawMode);
    staged.m_nDrawMode = BOOTDRAW_DIRECTDRAW;
  }
  *this = std::move(staged);
}
