#pragma once
// The writer lives with the other file writers, which the demo game uses as well.
#include "writers/wave_builder.h"
