#include "data/database/anime_data.h"

#include "data/database/record_list_io.h"
#include "data/record/data_lists.h"

static_assert(cAnimeData::kMinBodyBytes == MinRecordBodyBytes(1));

cAnimeFrame::cAnimeFrame() {
  Register(g_nDataVersion);
  Reset();
}

void cAnimeFrame::Reset() {
  cDataRecord::Reset();
  m_nTime = 1;
}

void cAnimeFrame::RegisterMembers(int version) {
  (void)version;
  ClearMembers();
  AddMember(&m_nPattern);
  AddMember(&m_nTime);
  AddMember(&m_bHoldFrom);
}

cAnimeData::cAnimeData() {
  Register(g_nDataVersion);
  Reset();
}

void cAnimeData::Reset() {
  cDataRecord::Reset();
  m_nSetting2 = 1;
  m_vFrame.assign(1, cAnimeFrame());
}

void cAnimeData::RegisterMembers(int version) {
  const unsigned v = static_cast<unsigned>(version);
  ClearMembers();
  if (v >= 55) {
    AddMember(&m_nSetting1);
    AddMember(&m_nSetting2);
    AddMember(&m_nSetting3);
  }
  AddString(&m_strName);
}

void cAnimeData::Read(cDataReader& in) {
  cDataRecord::Read(in);
  LoadVector(m_vFrame, in, cAnimeFrame::kMinBodyBytes);
}

void cAnimeData::Write(cDataWriter& out) {
  cDataRecord::Write(out);
  SaveVector(m_vFrame, out);
}
