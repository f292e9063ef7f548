#pragma once
// The rankings of a stage: one file per stage and play mode holding five lists of 20
// places, one per result kind (score, time left, clear time, HP left, SP left), the best
// place first. g_RankingSet holds the rankings of the stage in hand: the world map and the
// challenge list load it for their panel, stage play loads it at the start, asks at the
// clear which place each result would take, inserts them and saves the file.
//
// File: int32 version; the set's body (0 members, 0 texts), int32 list count, each list:
// its body (1 member, m_bHigherBetter; 0 texts), int32 entry count, each entry: its body
// (2 members, m_bUsed and m_nValue; 1 text, the name).
#include <cstdint>
#include <string>
#include <vector>

#include "data/record/data_reader.h"
#include "data/record/data_record.h"
#include "data/record/data_writer.h"

struct DDSURFACEDATA;

constexpr int kRankPlaces = 20;
constexpr int kRankLists = 5;  // one per result kind (RESULTKIND order)

class cRankEntry : public cDataRecord {
 public:
  // An empty place.
  cRankEntry();

  std::int32_t m_bUsed = 0;  // 1: a registered result stands here
  std::int32_t m_nValue = 0;
  std::string m_strName;

 protected:
  void RegisterMembers(int version) override;
};

class cRanking : public cDataRecord {
 public:
  // Lower is better, 20 empty places.
  cRanking();
  // Lower is better; exactly 20 places, those already within the first 20 kept.
  void Reset();

  // The body, then int32 n and n entries (the list becomes n empty places first).
  void Read(cDataReader& in) override;
  void Write(cDataWriter& out) override;

  // The place `value` would take: the first empty place or the first whose value is
  // strictly worse; an equal value goes after the one already there. -1 when none.
  [[nodiscard]] int GetRank(std::int32_t value) const;
  // Puts a used entry at GetRank(value) and drops the last place, so the list keeps its
  // length and a value that ranks nowhere changes nothing.
  void Insert(const std::string& name, std::int32_t value);

  // The ranking window of result kind `kind` at (x, y), 270 x 350, with the highlight icon
  // at place `highlight` (-1: none). Defined in ranking_draw.cpp.
  void Draw(DDSURFACEDATA* lpDst, int x, int y, int kind, int highlight) const;

  std::vector<cRankEntry> m_vEntry;   // the best place first
  std::int32_t m_bHigherBetter = 0;   // 1: the higher value ranks first

 protected:
  void RegisterMembers(int version) override;
};

class cRankingSet : public cDataRecord {
 public:
  // Five fresh lists.
  cRankingSet();
  // Five lists of 20 empty places, higher-is-better 1, 1, 0, 1, 1 by kind.
  void Reset();

  // The body, int32 n and n lists; then the lists of old files are upgraded and, whatever
  // the file held, the set is given its five lists of 20 places (a damaged or hand-made
  // file must not leave a list that the ranking code would index past).
  void Read(cDataReader& in) override;
  void Write(cDataWriter& out) override;

  // The ranking window of list `kind` (see cRanking::Draw).
  void Draw(DDSURFACEDATA* lpDst, int x, int y, int kind, int highlight) const;

  // Loads the ranking file of a stage in a play mode; the set is reset and false returned
  // when there is no file for the mode or it cannot be read.
  static bool Load(cRankingSet& set, int nPlayMode, const std::string& stageName, int bSuffix, int nSuffixA,
                   int nSuffixB);
  // Writes it; false when the mode has no file or writing fails.
  static bool Save(cRankingSet& set, int nPlayMode, const std::string& stageName, int bSuffix, int nSuffixA,
                   int nSuffixB);

  std::vector<cRanking> m_vRanking;  // one per result kind

 private:
  // The lists beyond the fifth dropped, missing ones made fresh, each with 20 places.
  void Normalize();
};

extern cRankingSet g_RankingSet;

// The ranking file of a stage: the play mode's ranking folder, the stage name without its
// folder (it ends with a "."; in story mode the variable suffix is applied first) and
// "rkg". False for the replay mode and any mode without a folder.
bool GetRankingPath(std::string& out, int nPlayMode, const std::string& stageName, int bSuffix, int nSuffixA,
                    int nSuffixB);
