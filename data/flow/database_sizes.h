#pragma once
// What the readers of flows and parameter blocks need to know of the ten databases: the
// length of each list, and the frame times of each sword type. The databases fill this
// table when they are loaded; until then every list is empty.
#include <cstdint>
#include <vector>

// In the order of the database files.
enum DBLIST {
  DBLIST_ANIMESET = 0,
  DBLIST_ANIME,
  DBLIST_BMP_CHARA_EXC,
  DBLIST_SWORD_TYPE,
  DBLIST_EFFECT,
  DBLIST_CHARA_EFFECT,
  DBLIST_SCR_EFFECT,
  DBLIST_PICTURE,
  DBLIST_SOUND,
  DBLIST_BGM,
  DBLIST_COUNT,
};

struct cDatabaseSizes {
  int anSize[DBLIST_COUNT] = {};
  // m_nTime of every frame of each sword type, in list order.
  std::vector<std::vector<std::int32_t>> SwordFrameTimes;
};
extern cDatabaseSizes g_DatabaseSizes;

// Number of entries of a database list; 0 for a kind outside DBLIST.
int GetDatabaseListSize(int nKind);

// Frame times of sword type nIndex; empty for an index outside the list.
const std::vector<std::int32_t>& GetSwordTypeFrameTimes(int nIndex);
