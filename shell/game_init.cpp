#include "shell/game_init.h"

bool GameInit(const char*, int) { return false; }
