#include "data/common/database_list_sizes.h"

#include <climits>
#include <cstddef>

#include "data/database/database.h"

namespace {

template <typename T>
int SizeOf(const std::vector<T>& list) {
  return list.size() > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(list.size());
}

}  // namespace

int GetDatabaseSize(int nKind) {
  const cDatabase& db = g_Database;
  switch (nKind) {
    case DBKIND_ANIMESET: return SizeOf(db.m_AnimeSet);
    case DBKIND_ANIME: return SizeOf(db.m_Anime);
    case DBKIND_BMP_CHARA_EXC: return SizeOf(db.m_BmpCharaExc);
    case DBKIND_SWORD_TYPE: return SizeOf(db.m_SwordType);
    case DBKIND_EFFECT: return SizeOf(db.m_Effect);
    case DBKIND_CHARA_EFFECT: return SizeOf(db.m_CharaEffect);
    case DBKIND_SCR_EFFECT: return SizeOf(db.m_ScrEffect);
    case DBKIND_PICTURE: return SizeOf(db.m_Picture);
    case DBKIND_SOUND: return SizeOf(db.m_Sound);
    case DBKIND_BGM: return SizeOf(db.m_Bgm);
    default: return 0;
  }
}

int RepairDatabaseIndex(int nKind, int nIndex, int nReplacement) {
  const unsigned size = static_cast<unsigned>(GetDatabaseSize(nKind));
  if (static_cast<unsigned>(nIndex) < size) return nIndex;
  if (static_cast<unsigned>(nReplacement) < size) return nReplacement;
  return 0;
}
