#pragma once
// The state of a game in progress, which is also the save file: the world-map position,
// stage numbers, lives, scores and result totals, the game's variables and stage-clear
// flags, the values carried from one stage to the next, the best value per stage, the
// challenge progress, the stage music, the ranking context and the save time.
//
// Story games are saved to the slots user_data\story\StoryNN.dat, the challenge mode
// keeps its progress in user_data\challenge\Challenge.dat, and a replay file ends with one
// progress body.
#include <cstdint>
#include <string>
#include <vector>

#include "data/palette/palette_chara.h"
#include "data/record/data_reader.h"
#include "data/record/data_record.h"
#include "data/record/data_writer.h"
#include "data/save/carry_over.h"
#include "data/save/stage_score.h"
#include "data/save/value_pair.h"
#include "data/stage/stage_data.h"
#include "data/worldmap/world_stage.h"
#include "platform/win_types.h"

// Lives that are not counted.
constexpr std::int32_t kInfiniteLives = 999999;
// A new game's list lengths.
constexpr std::size_t kNewGameClearFlags = 1000;
constexpr std::size_t kNewGameVars = 1001;

// File layout at 811: int32 35, the 35 int32 members below (the world-stage slot stored
// as 0), int32 3, the three texts; the save time (eight uint16); int32 n and n carried
// flags (files from 501); the counted carry-over, stage-score and challenge lists; int32 n
// and n clear flags; int32 n and n variables.
class cProgress : public cDataRecord {
 public:
  // A new game.
  cProgress();

  // Turns the record into a new game: every registered member 0 and text "", 25 clear
  // carried flags, one carry-over record, 1000 clear flags (flag 0 set), 1001 variables
  // 0, no stage scores and no challenge states, one challenge stage open, no save slot,
  // the ranking name "aaa".
  void NewGame();
  // Cuts or grows the carry-over list to n records (new ones fresh).
  void ResizeCarryOver(std::size_t n);

  // The body, the conversions of older files, then Normalize. Data that is damaged or
  // ends early leaves the record whole and as it was (the reader is marked damaged).
  void Read(cDataReader& in) override;
  // Normalize, then the body.
  void Write(cDataWriter& out) override;
  // Pulls a world-map cursor at or beyond the map's size back to the map's start cell and
  // fits the challenge list and the opened-challenge count to the game's challenge count
  // (taken within 0 .. kMaxChallengeStages).
  void Normalize();

  // Saves the record to story slot `nSlot` (0 to 98) with the local time as its save
  // time and records the slot as used in g_SlotList. 0 when the file could not be
  // written whole: the slot's previous file is then left as it was, the slot list is not
  // touched and the save time keeps its previous value. A slot outside the list is
  // reported as a bad index and nothing is written.
  int SaveSlot(int nSlot);
  // Loads story slot `nSlot` and applies the lives rule of the story mode. 0 when the file
  // is missing, newer than the player or damaged; the record is then left as it was.
  int LoadSlot(int nSlot);
  // Loads the challenge file and applies the lives rule of the challenge mode; 0 (record
  // unchanged) when it cannot be loaded.
  int LoadChallenge();

  // Sets the stage name, the ranking key, the suffix members and the series flag from a
  // stage file name (see progress_names.cpp).
  void MakeStageName(const std::string& file, int bSuffix, int nSuffixA, int nSuffixB);

  // Best value per stage, under its ranking key.
  void UpdateStageScore(const std::string& name, const std::string& key, int bSuffix, int nSuffixA, int nSuffixB,
                        int value);
  int GetStageScore(const std::string& key) const;
  // The total of the best values of the stages that have an entrance on g_WorldMap.
  void RecalcTotal();

  // The variables, lives and score at the start of a stage, and their restore: forced, or
  // as the system data's switch of the play mode says (replays always restore).
  void TakeSnapshot();
  void RestoreSnapshot(int bForce, int nPlayMode, int bDirectStart);

  // Carry-over between stages (progress_carry_over.cpp).
  void StoreCarryOver(int nSlot, const cPaletteChara& chara, int nExtra1, int nExtra2, int nStartEffect,
                      int nStartEffectMode, int nStartEffectRepeat, int nStageTime, int nLives, int nBgm);
  void ApplyCarryOver(int nSlot, cPaletteChara& chara, cStageData& stage);
  void ApplyCarryOverExtra(int nSlot, int& nExtra1, int& nExtra2) const;
  // Forgets the carried values that the system data's reset switches name.
  void ClearVars();

  // The next round of the story: every stage uncleared, the cursor at the map's start.
  void RestartStory();
  // Score and result sums 0.
  void ResetStageValues();

  // Registered members, in file order ("from N": files before N lack the member).
  std::int32_t m_bCarried = 0;        // values have been stored for carrying over
  std::int32_t m_nMapX = 0;           // world-map cursor
  std::int32_t m_nMapY = 0;
  std::int32_t m_nWorldStageStored = 0;  // the file's slot of m_pWorldStage: always written 0
  std::int32_t m_nRound = 0;          // story rounds, raised by RestartStory
  std::int32_t m_bRankSuffix = 0;     // from 758: the ranking key carries the numbered suffix
  std::int32_t m_nRankSuffixA = 0;    // from 758
  std::int32_t m_nRankSuffixB = 0;    // from 758
  std::int32_t m_nStage = 0;          // stage number of the stage being played
  std::int32_t m_nSubStage = 0;       // number within the stage series (1 for the first)
  std::int32_t m_nLivesAtStart = 0;
  std::int32_t m_nLives = 0;
  std::int32_t m_nStageScore = 0;     // score gained in the current stage
  std::int32_t m_nScore = 0;          // game score
  std::int32_t m_nTotalBest = 0;      // total of the best stage values
  std::int32_t m_nTimeLeftSum = 0;
  std::int32_t m_nClearTimeSum = 0;
  std::int32_t m_nHpLeftSum = 0;      // from 182
  std::int32_t m_nSpLeftSum = 0;      // from 182
  std::int32_t m_bSeries = 0;         // the stage is the first of a numbered series
  std::int32_t m_nStageBgm = 0;       // Bgm index of the stage's music
  std::int32_t m_bStageBgmLoop = 0;   // from 166
  std::int32_t m_bMapPosSet = 0;      // from 194: a stage clear placed the world-map cursor
  std::int32_t m_bMapStay = 0;        // from 190: the world map stays on the saved cursor once
  std::int32_t m_nMapStayX = 0;       // from 191
  std::int32_t m_nMapStayY = 0;       // from 191
  std::int32_t m_nChallengeOpen = 0;  // challenge stages opened
  std::int32_t m_nSaveSlot = 0;       // story slot last saved to, -1 none (the auto save's target)
  std::int32_t m_bAutoSave = 0;       // from 169
  std::int32_t m_bRankPanel = 0;
  std::int32_t m_nRankGenre = 0;
  std::int32_t m_bStartPosSet = 0;    // from 678: the next stage starts at the position below
  std::int32_t m_nStartX = 0;         // from 678
  std::int32_t m_nStartY = 0;         // from 678
  std::int32_t m_nStartDir = 0;       // from 679
  std::string m_strStageName;         // stage file name reduced by MakeStageName
  std::string m_strRankKey;           // from 724: the stage's ranking key
  std::string m_strRankName;          // fixed ranking name

  // The world-map entry being played; set when that stage starts from the world map.
  const cWorldStage* m_pWorldStage = nullptr;

  // Additions.
  SYSTEMTIME m_SaveTime{};                    // local time of the last save to a slot
  std::vector<std::int32_t> m_CarriedFlags;   // per carry index: a value is held
  std::vector<cCarryOver> m_CarryOver;        // carried values per slot
  std::vector<cStageScore> m_StageScores;     // best value per stage
  std::vector<cValuePair> m_ChallengeState;   // per challenge stage: cleared, high score
  std::vector<std::int32_t> m_ClearFlags;     // by stage number; flag 0 is always set
  std::vector<std::int32_t> m_Vars;           // the game's variables

  // Not stored: taken at the stage start.
  std::vector<std::int32_t> m_VarsAtStart;
  std::int32_t m_nLivesSnap = 0;
  std::int32_t m_nScoreSnap = 0;

 protected:
  void RegisterMembers(int version) override;

 private:
  void ReadBody(cDataReader& in);
  void ConvertOldFile(unsigned version);
  // Loads a progress file into this record; 0 (record unchanged) on any failure.
  int LoadProgressFile(const char* path);
  void ApplyLivesRule(int nPlayMode);
};

// Applies the ranking suffix to a stage name or key: without `bSuffix` the text is
// unchanged; otherwise a trailing "." is taken off, "_c", nSuffixA as at least three
// digits, "_" and nSuffixB are appended, and the "." is put back.
void AppendVarSuffix(std::string& text, int bSuffix, int nSuffixA, int nSuffixB);

// The live progress, and the progress at the start of the current and of the previous
// recorded stage (stored in replays).
extern cProgress g_Progress;
extern cProgress g_ProgressAtStageStart;
extern cProgress g_ProgressAtPrevStageStart;
