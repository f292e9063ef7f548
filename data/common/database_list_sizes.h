#pragma once
// The lengths of the ten database lists, for the records that refer to database entries
// by index and repair those indices after reading.

// The ten databases, in the order of their files.
enum DBKIND {
  DBKIND_ANIMESET = 0,
  DBKIND_ANIME,
  DBKIND_BMP_CHARA_EXC,
  DBKIND_SWORD_TYPE,
  DBKIND_EFFECT,
  DBKIND_CHARA_EFFECT,
  DBKIND_SCR_EFFECT,
  DBKIND_PICTURE,
  DBKIND_SOUND,
  DBKIND_BGM,
  DBKIND_COUNT,
};

// Number of entries of database nKind in g_Database ("none" entry 0 included); 0 for a
// kind outside DBKIND.
int GetDatabaseSize(int nKind);

// An index into database nKind after repair: nIndex itself when it names an entry (taken
// as unsigned, so negative indices are out of range), otherwise nReplacement when that
// names an entry (a repair to 1 needs at least two entries), otherwise 0.
int RepairDatabaseIndex(int nKind, int nIndex, int nReplacement);
