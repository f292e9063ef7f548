#pragma once
// The ten databases of a game, loaded once at start-up from data\database\ and read-only
// afterwards. Entry 0 of every list is the "none" entry: index 0 in a referring record
// names nothing.
#include <vector>

#include "data/database/anime_data.h"
#include "data/database/anime_set_data.h"
#include "data/database/bgm_data.h"
#include "data/database/bmp_chara_exc_data.h"
#include "data/database/chara_effect_data.h"
#include "data/common/database_list_sizes.h"
#include "data/database/effect_data.h"
#include "data/database/picture_data.h"
#include "data/database/scr_effect_data.h"
#include "data/database/sound_data.h"
#include "data/database/sword_type_data.h"
#include "data/record/data_record.h"

// Registers no members of its own; holds the lists.
class cDatabase : public cDataRecord {
 public:
  cDatabase();
  // Base reset, then the lists of a new game: AnimeSet 1 entry, Anime 2 ("なし" and a
  // default animation), SwordType 1, every other database 2; the working lists empty.
  void Reset();

  // Reads the ten files in the order of DBKIND. 1 when all were read; 0 at the first file
  // that is missing, newer than the player, damaged, cut short or without entries: that
  // file's box is shown (ShowLoadError), its list is left as it was and the lists read
  // before it stay loaded.
  int Load();

  // Entry 0 of the character and screen effects is "none" whatever the file says.
  void FixNoneEntries();

  // The file of database nKind ("data\database\AnimeSet.dat", ...); null outside DBKIND.
  static const char* FilePath(int nKind);

  // Calls visit(kind, list) for the ten file lists in the order of DBKIND, until a call
  // returns false; true when every call returned true.
  template <typename Visit>
  bool ForEachFileList(Visit&& visit) {
    return visit(DBKIND_ANIMESET, m_AnimeSet) && visit(DBKIND_ANIME, m_Anime) &&
           visit(DBKIND_BMP_CHARA_EXC, m_BmpCharaExc) && visit(DBKIND_SWORD_TYPE, m_SwordType) &&
           visit(DBKIND_EFFECT, m_Effect) && visit(DBKIND_CHARA_EFFECT, m_CharaEffect) &&
           visit(DBKIND_SCR_EFFECT, m_ScrEffect) && visit(DBKIND_PICTURE, m_Picture) &&
           visit(DBKIND_SOUND, m_Sound) && visit(DBKIND_BGM, m_Bgm);
  }

  std::vector<cAnimeSetData> m_AnimeSet;
  std::vector<cAnimeData> m_Anime;
  std::vector<cBmpCharaExcData> m_BmpCharaExc;
  std::vector<cSwordTypeData> m_SwordType;
  std::vector<cEffectData> m_Effect;
  std::vector<cCharaEffectData> m_CharaEffect;
  std::vector<cScrEffectData> m_ScrEffect;
  std::vector<cPictureData> m_Picture;
  std::vector<cSoundData> m_Sound;
  std::vector<cBgmData> m_Bgm;
  // Copies of m_CharaEffect and m_ScrEffect made at start-up; the effect runtimes read
  // these.
  std::vector<cCharaEffectData> m_CharaEffectWork;
  std::vector<cScrEffectData> m_ScrEffectWork;
};

extern cDatabase g_Database;
