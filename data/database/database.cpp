#include "data/database/database.h"

#include <memory>

#include "app/checked_access.h"
#include "app/report_log.h"
#include "data/database/database_ranges.h"
#include "data/database/record_list_io.h"
#include "data/record/data_file.h"

cDatabase g_Database;

namespace {

const char* const kDatabaseFile[DBKIND_COUNT] = {
    "data\\database\\AnimeSet.dat",    "data\\database\\Anime.dat",       "data\\database\\Bmp_CharaExc.dat",
    "data\\database\\SwordType.dat",   "data\\database\\Effect.dat",      "data\\database\\CharaEffect.dat",
    "data\\database\\ScrEffect.dat",   "data\\database\\Picture.dat",     "data\\database\\Sound.dat",
    "data\\database\\Bgm.dat",
};

// Reads one database file into `list`. On failure the file's box is shown and `list` is
// left as it was.
template <typename T>
int LoadDatabaseFile(const char* path, std::vector<T>& list) {
  std::unique_ptr<cDataReader> in = OpenDataFileForRead(path);
  if (!in) {
    ShowLoadError(path);
    return 0;
  }
  std::vector<T> loaded;
  LoadVector(loaded, *in, T::kMinBodyBytes);
  if (in->Truncated()) in->MarkDamaged(DATADAMAGE_ENTRIES_CUT_SHORT);
  if (in->Damaged()) {
    ReportDamagedFile(path, *in);
    ShowLoadError(path);
    return 0;
  }
  // Entry 0, the "none" entry, is read by everything that refers to the database.
  if (loaded.empty()) {
    WriteReport("%s : エントリがありません", path);
    ShowLoadError(path);
    return 0;
  }
  ClampDatabaseRanges(loaded, path);
  // Carriage returns are already gone: each record's read strips its own texts.
  list.swap(loaded);
  return 1;
}

}  // namespace

cDatabase::cDatabase() {
  Register(g_nDataVersion);
  Reset();
}

void cDatabase::Reset() {
  cDataRecord::Reset();
  m_AnimeSet.assign(1, cAnimeSetData());
  m_Anime.assign(2, cAnimeData());
  m_Anime[0].m_strName = "なし";
  m_Anime[1].m_strName = "新規アニメ";
  m_BmpCharaExc.assign(2, cBmpCharaExcData());
  m_SwordType.assign(1, cSwordTypeData());
  m_Effect.assign(2, cEffectData());
  m_CharaEffect.assign(2, cCharaEffectData());
  m_ScrEffect.assign(2, cScrEffectData());
  m_Picture.assign(2, cPictureData());
  m_Sound.assign(2, cSoundData());
  m_Bgm.assign(2, cBgmData());
  m_CharaEffectWork.clear();
  m_ScrEffectWork.clear();
}

const char* cDatabase::FilePath(int nKind) {
  if (nKind < 0 || nKind >= DBKIND_COUNT) return nullptr;
  return kDatabaseFile[nKind];
}

int cDatabase::Load() {
  const bool loaded =
      ForEachFileList([](int nKind, auto& list) { return LoadDatabaseFile(FilePath(nKind), list) != 0; });
  if (!loaded) return 0;
  FixNoneEntries();
  return 1;
}

void cDatabase::FixNoneEntries() {
  CheckedAt(m_CharaEffect, 0).m_nKind = 0;
  CheckedAt(m_ScrEffect, 0).m_nKind = 0;
}
