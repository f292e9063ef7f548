#pragma once
// What a stage hands on to the next one: a copy of the hero's character record and five
// values that do not live in it. Which values are stored and applied is decided per carry
// index by the system data's carry switches.
#include <cstdint>

#include "data/palette/palette_chara.h"
#include "data/record/data_reader.h"
#include "data/record/data_record.h"
#include "data/record/data_writer.h"

// Carry indices: entry i of the system data's m_CarrySwitch and of the save data's
// m_CarriedFlags. Each names the character-record members (or the extra value) it moves.
enum CARRY : int {
  CARRY_GRAPHIC = 0,         // graphic, graphic kind, pattern
  CARRY_ANIME_SET = 1,
  CARRY_Z = 2,
  CARRY_HIDDEN = 3,
  CARRY_START_EFFECT = 4,    // start effect, its mode and repeat (given by the caller)
  CARRY_FIXED_FACING = 5,
  CARRY_FLYING = 6,
  CARRY_INVINCIBLE = 7,
  CARRY_SIZE = 8,
  CARRY_SCROLL_SYNC = 9,
  CARRY_SIGHT = 10,          // sight shape and range
  CARRY_EXTRA1 = 11,         // a value of the caller's (hit points)
  CARRY_EXTRA2 = 12,         // a value of the caller's (skill points)
  CARRY_MAX_HP = 13,
  CARRY_MAX_SP = 14,
  CARRY_HIT_BOX = 15,
  CARRY_BODY_POWER = 16,
  CARRY_BODY_IMPACT = 17,
  CARRY_DEFENCE = 18,
  CARRY_IMPACT_RESIST = 19,
  CARRY_STOP_EASE = 20,
  CARRY_FLOWS = 21,          // the whole flow list
  CARRY_STAGE_TIME = 22,     // into the time limit of the next stage
  CARRY_LIVES = 23,          // into the lives of the progress
  CARRY_BGM = 24,            // into the music of the next stage
  CARRY_COUNT = 25,
};

// File layout: int32 5, the five int32 values below, int32 0; then the whole body of the
// character record as its own writer writes it.
class cCarryOver : public cDataRecord {
 public:
  cCarryOver();

  void Read(cDataReader& in) override;
  void Write(cDataWriter& out) override;

  cPaletteChara m_Chara;          // the carried members of the hero's record
  std::int32_t m_nExtra1 = 0;
  std::int32_t m_nExtra2 = 0;
  std::int32_t m_nStageTime = 0;
  std::int32_t m_nLivesCarry = 0;
  std::int32_t m_nBgmCarry = 0;

 protected:
  void RegisterMembers(int version) override;
};
