#pragma once
// The screen texts of the front end and the pause menus (cSystemData::m_Texts), by index.

enum SCREENTEXT {
  SCREENTEXT_WORLD = 0,            // prefix of the rows of the challenge list
  SCREENTEXT_STAGE,                // stage label
  SCREENTEXT_MAP_BEST_SCORE,       // label of the best score on the world map
  SCREENTEXT_HIGH_SCORE,           // high-score header of the challenge list
  SCREENTEXT_TOTAL_SCORE,          // total score of the world-map menu and the challenge list
  SCREENTEXT_RESULT_SCORE,         // result kinds in the result and ranking windows
  SCREENTEXT_RESULT_TIME_LEFT,
  SCREENTEXT_RESULT_CLEAR_TIME,
  SCREENTEXT_RESULT_HP_LEFT,
  SCREENTEXT_RESULT_SP_LEFT,
  SCREENTEXT_ENTER_STAGE_YES,      // world map prompt
  SCREENTEXT_ENTER_STAGE_NO,
  SCREENTEXT_SAVE_YES,             // save prompt
  SCREENTEXT_SAVE_NO,
  SCREENTEXT_AUTOSAVE_ON,          // auto-save choice
  SCREENTEXT_AUTOSAVE_OFF,
  SCREENTEXT_AUTOSAVE_NO_SLOT,     // auto save chosen before any slot was saved
  SCREENTEXT_TO_TITLE_YES,         // to-title prompt
  SCREENTEXT_TO_TITLE_NO,
  SCREENTEXT_PAUSE_TO_TITLE,       // pause menu items 0 to 3
  SCREENTEXT_PAUSE_RESUME,
  SCREENTEXT_PAUSE_RETRY,
  SCREENTEXT_PAUSE_GIVE_UP,
  SCREENTEXT_LIFE_LOST_RETRY,      // retry menu after a lost life
  SCREENTEXT_LIFE_LOST_TO_MAP,
  SCREENTEXT_HINT_RANKING_GENRE,   // hint of the ranking window
  SCREENTEXT_HINT_TO_TITLE,        // hints at the end of play
  SCREENTEXT_HINT_QUIT,
  SCREENTEXT_HINT_REGISTER_RANKING,  // hint of the stage-clear state
  SCREENTEXT_COUNT,
};

// The texts of a new system record, by SCREENTEXT.
extern const char* const DefaultScreenTexts[SCREENTEXT_COUNT];
