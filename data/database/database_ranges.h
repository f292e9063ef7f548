#pragma once
// The ranges of the databases' numbers that play computes with (see member_ranges.h).
// Each list is a database file's entries; a report line names `file`, the entry ("[3].")
// and the member. Pictures, sounds and music hold only file names.
#include <vector>

#include "data/database/anime_data.h"
#include "data/database/anime_set_data.h"
#include "data/database/bgm_data.h"
#include "data/database/bmp_chara_exc_data.h"
#include "data/database/chara_effect_data.h"
#include "data/database/effect_data.h"
#include "data/database/picture_data.h"
#include "data/database/scr_effect_data.h"
#include "data/database/sound_data.h"
#include "data/database/sword_type_data.h"

void ClampDatabaseRanges(std::vector<cAnimeSetData>& list, const char* file);
void ClampDatabaseRanges(std::vector<cAnimeData>& list, const char* file);
void ClampDatabaseRanges(std::vector<cSwordTypeData>& list, const char* file);
void ClampDatabaseRanges(std::vector<cEffectData>& list, const char* file);
void ClampDatabaseRanges(std::vector<cCharaEffectData>& list, const char* file);
void ClampDatabaseRanges(std::vector<cScrEffectData>& list, const char* file);
// The size factor of enlarged cells is kept in its range where it is used.
inline void ClampDatabaseRanges(std::vector<cBmpCharaExcData>&, const char*) {}
inline void ClampDatabaseRanges(std::vector<cPictureData>&, const char*) {}
inline void ClampDatabaseRanges(std::vector<cSoundData>&, const char*) {}
inline void ClampDatabaseRanges(std::vector<cBgmData>&, const char*) {}
