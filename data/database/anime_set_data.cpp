#include "data/database/anime_set_data.h"

#include "data/common/record_versions.h"
#include "data/database/record_list_io.h"
#include "data/record/data_lists.h"

static_assert(cAnimeSetData::kMinBodyBytes == MinRecordBodyBytes(1));

namespace {

const char* const kStateName[cAnimeSetData::kStateCount] = {"立ち", "立ち移動", "飛行", "飛行移動"};

}  // namespace

cAnimeSetData::cAnimeSetData() {
  Register(g_nDataVersion);
  Reset();
}

void cAnimeSetData::Reset() {
  cDataRecord::Reset();
  m_nInvincibleOffset = 4;
  m_nSolidOffset = 8;
  m_vState.assign(kStateCount, cAnimeData());
  for (std::size_t i = 0; i < kStateCount; ++i) m_vState[i].m_strName = kStateName[i];
}

void cAnimeSetData::RegisterMembers(int version) {
  const unsigned v = static_cast<unsigned>(version);
  ClearMembers();
  AddMember(&m_nInvincibleOffset);
  AddMember(&m_nSolidOffset);
  if (v >= 119) AddMember(&m_nFlyingOffset);
  AddString(&m_strName);
}

void cAnimeSetData::Read(cDataReader& in) {
  cDataRecord::Read(in);
  LoadVector(m_vState, in, cAnimeData::kMinBodyBytes);

  const unsigned v = FileVersion();
  // Sets of files before the flying states: exactly four states, new ones appended.
  if (v < 119) m_vState.resize(kStateCount);
  if (v < 128) {
    m_vState.resize(kStateCount);
    m_vState[2].m_strName = kStateName[2];
    m_vState[3].m_strName = kStateName[3];
  }
}

void cAnimeSetData::Write(cDataWriter& out) {
  cDataRecord::Write(out);
  SaveVector(m_vState, out);
}
