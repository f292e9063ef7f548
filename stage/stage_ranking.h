#pragma once
// What the stage end asks of the rankings: which result kinds a play ranks, the place a
// result would take in the stage's ranking, and the registration of results with the
// ranking file saved.
#include <cstdint>
#include <string>

struct DDSURFACEDATA;

// Result kind nKind (RESULTKIND) is ranked in play mode nPlayMode: both the play mode's
// ranking settings in the System data and the stage being played enable it.
bool IsRankedKind(int nPlayMode, int nKind);
// The place (0 the best) result nValue of kind nKind would take in the stage's ranking
// (g_RankingSet); -1 when it ranks nowhere.
std::int32_t RankOfResult(int nKind, std::int32_t nValue);
// Inserts a result under `name` into the ranking of kind nKind.
void InsertResult(int nKind, const std::string& name, std::int32_t nValue);
// Saves the stage's ranking to the ranking file of the current play mode and stage.
void SaveStageRanking();

// Loads the ranking of the current play mode's stage named by g_Progress into
// g_RankingSet (empty rankings when it has no file).
void LoadStageRanking();
// Result kinds play mode nPlayMode ranks (0 when its rankings are off).
int RankedKindCount(int nPlayMode);
// The ranking panel and ranking screen show the next kind the play mode ranks.
void NextRankedKind(int nPlayMode);
// The ranking window of kind nKind at (x, y), with place nHighlight marked (-1 none).
void DrawStageRanking(DDSURFACEDATA* lpDst, int x, int y, int nKind, int nHighlight);
