#pragma once
// The input of one played stage, kept so that the stage can be played again exactly: the
// random seed of the stage run and the first player's direction and button words, frame
// by frame, each word run-length coded on its own (a run ends only when the value
// changes). Stage play is deterministic given the stage, the seed and these words.
#include <cstdint>
#include <vector>

#include "data/record/data_reader.h"
#include "data/record/data_record.h"
#include "data/record/data_writer.h"

// Why the last Read refused the data.
enum REPLAYDAMAGE : std::int32_t {
  REPLAYDAMAGE_NONE = 0,
  REPLAYDAMAGE_LAYOUT,          // not one member (the seed) and no texts
  REPLAYDAMAGE_CUT_SHORT,       // the data ends before the input words are complete
  REPLAYDAMAGE_COUNTS_DIFFER,   // a word's value count is not its run-length count
  REPLAYDAMAGE_COUNT_PAST_END,  // a count the bytes that follow cannot hold
};

// Body layout after the registered part (int32 1, the seed, int32 0 texts): uint32 A and
// A direction values (uint16), uint32 B and B button values, uint32 R and R direction run
// lengths (int32), uint32 T and T button run lengths. Written with R = A and T = B.
class cReplay : public cDataRecord {
 public:
  cReplay();
  cReplay(const cReplay& other);
  // The seed and the four lists; the playback position is not copied.
  cReplay& operator=(const cReplay& other);
  ~cReplay() override = default;

  // Seed 0, the lists emptied, playback from the start.
  void Reset();

  // Appends one frame: each word lengthens its last run when it repeats the run's value,
  // otherwise starts a run of 1.
  void Record(std::uint16_t wDir, std::uint16_t wButton);
  // The next frame's words. 1, words untouched, when either word's runs are used up.
  int Play(std::uint16_t& wDir, std::uint16_t& wButton);

  // A body whose counts disagree (A != R, B != T), exceed the bytes that follow or are
  // cut short is refused: the record is left empty, `in` is marked damaged and
  // Damage() says why. Nothing larger than the data is allocated.
  void Read(cDataReader& in) override;
  void Write(cDataWriter& out) override;
  REPLAYDAMAGE Damage() const { return m_nDamage; }

  std::int32_t m_nSeed = 0;  // the only registered member
  std::vector<std::uint16_t> m_vDirValue;
  std::vector<std::uint16_t> m_vButtonValue;
  std::vector<std::int32_t> m_vDirRun;
  std::vector<std::int32_t> m_vButtonRun;

  // Playback position (not stored).
  std::int32_t m_nDirIndex = 0;
  std::int32_t m_nButtonIndex = 0;
  std::int32_t m_nDirCount = 0;
  std::int32_t m_nButtonCount = 0;

 protected:
  void RegisterMembers(int version) override;

 private:
  void ClearLists();
  void Refuse(cDataReader& in, REPLAYDAMAGE damage);

  REPLAYDAMAGE m_nDamage = REPLAYDAMAGE_NONE;
};

// The replay of the stage being played (recorded or played back), and the one of the
// stage before it (saved with F2).
extern cReplay g_Replay;
extern cReplay g_ReplayPrev;
