#pragma once
// The relative paths of a game's files and folders: the path table (indexed by position;
// stage play and the ranking code pick entries by number), the extension table and the
// folders that start-up creates. Paths are relative to the game folder, the current folder
// of the process, which the player never changes.

// Positions in g_PathTable. Paths under default\ and the authoring tool's files are kept
// so that the positions stay those the program's callers use.
enum PATHINDEX {
  PATH_DATA = 0,               // "data\"
  PATH_DEFAULT,                // "default\"
  PATH_STAGE_OLD_VERSIONS,     // authoring tool only
  PATH_WORK,                   // authoring tool only
  PATH_EDIT_CONFIG,            // authoring tool only
  PATH_PROJECT_OPTION,         // authoring tool only
  PATH_DEFAULT_PROJECT_OPTION,
  PATH_COMMON_PALETTE,         // 7
  PATH_DEFAULT_COMMON_PALETTE,
  PATH_GVAL_INFO,              // authoring tool only
  PATH_DEFAULT_GVAL_INFO,
  PATH_DEFAULT_STAGE,          // authoring tool only
  PATH_DEFAULT_DEFAULT_STAGE,
  PATH_WORLD_MAP,              // 13
  PATH_DEFAULT_WORLD_MAP,
  PATH_ANIME_SET,              // 15: the databases, each followed by its default\ twin
  PATH_DEFAULT_ANIME_SET,
  PATH_ANIME,
  PATH_DEFAULT_ANIME,
  PATH_BMP_CHARA_EXC,
  PATH_DEFAULT_BMP_CHARA_EXC,
  PATH_SWORD_TYPE,
  PATH_DEFAULT_SWORD_TYPE,
  PATH_EFFECT,
  PATH_DEFAULT_EFFECT,
  PATH_CHARA_EFFECT,
  PATH_DEFAULT_CHARA_EFFECT,
  PATH_SCR_EFFECT,
  PATH_DEFAULT_SCR_EFFECT,
  PATH_PICTURE,
  PATH_DEFAULT_PICTURE,
  PATH_SOUND,
  PATH_DEFAULT_SOUND,
  PATH_BGM,
  PATH_DEFAULT_BGM,
  PATH_SYSTEM,                 // 35
  PATH_DEFAULT_SYSTEM,
  PATH_CHALLENGE_STAGE_PREFIX, // 37: name prefix of the challenge stages
  PATH_RANKING_STORY,          // 38 to 40: ranking folders of the play modes
  PATH_RANKING_CHALLENGE,
  PATH_RANKING_FREE,
  PATH_STORY_SLOT_PREFIX,      // 41: save-slot file name prefix
  PATH_CHALLENGE_PROGRESS,     // 42
  PATH_OPTION,                 // 43
  PATH_USER_DATA,
  PATH_KEY_CONFIG,             // 45
  PATH_BOOT,                   // 46
  PATH_WINDOW,                 // 47
  PATH_COUNT,
};
static_assert(PATH_COUNT == 48);

// Positions in g_ExtTable.
enum EXTINDEX {
  EXT_COMMON_PALETTE = 0,  // "cplt4"
  EXT_STAGE,               // "stg4": stage files end in "stg4_" and three digits
  EXT_PALETTE,             // "plt4"
  EXT_RANKING,             // "rkg"
  EXT_COUNT,
};

constexpr int kFolderCount = 22;

extern const char* const g_PathTable[PATH_COUNT];
extern const char* const g_ExtTable[EXT_COUNT];
// The folders start-up creates, parents first.
extern const char* const g_FolderList[kFolderCount];
