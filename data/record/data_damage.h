#pragma once
// Why a data file counts as damaged. The reader keeps the first reason it meets; the load
// error report names it by its text, and tests check which damage a file has.

enum DATADAMAGE {
  DATADAMAGE_NONE = 0,
  DATADAMAGE_NEGATIVE_COUNT,         // a list count below zero
  DATADAMAGE_COUNT_PAST_END,         // a list the rest of the file cannot hold
  DATADAMAGE_TEXT_LENGTH,            // a text length below zero or past the end
  DATADAMAGE_SURPLUS_MEMBERS,        // more members than the record has, beyond the cap
  DATADAMAGE_SURPLUS_TEXTS,          // more texts than the record has, beyond the cap
  DATADAMAGE_NESTING,                // records nested deeper than any real data
  DATADAMAGE_PALETTE_TOO_LONG,       // more palette entries than indices can name
  DATADAMAGE_STAGE_SIZE,             // stage width or height out of range
  DATADAMAGE_STAGE_END_MARK,         // the stage's end mark is missing
  DATADAMAGE_STAGE_CUT_SHORT,        // the stage body ends early
  DATADAMAGE_STAGE_TOO_MANY_ENTRIES, // a stage list longer than a stage can hold
  DATADAMAGE_ENTRIES_CUT_SHORT,      // a database file ends inside its entries
  DATADAMAGE_BODY_CUT_SHORT,         // a world map, save or options body ends early
  DATADAMAGE_MAP_GRID,               // a world map's cell list does not match its size
  DATADAMAGE_BODY_MISSING,           // the file ends before its first member
  DATADAMAGE_TOO_COSTLY,             // records that would take far more memory than the file's size
  DATADAMAGE_COUNT,
};

// The text of a reason, as the load error report shows it.
const char* DamageText(DATADAMAGE damage);
