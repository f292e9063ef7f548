#pragma once
// What stage play shows over the running stage: message windows and notices, animated
// effects, and pictures of the picture command. The scene keeps lists of them and draws
// them each frame (overlay_draw.cpp).
#include "stage/message_window.h"
#include "stage/stage_effect.h"
#include "stage/stage_picture.h"
