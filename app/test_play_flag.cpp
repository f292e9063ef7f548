#include "app/test_play_flag.h"

int g_bTestPlay = 0;
