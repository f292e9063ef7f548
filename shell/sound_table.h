#pragma once
// The sound-effect tables start-up builds for the sound layer: the game's 17 system
// sounds first, then the sounds of the Sound database; and the volume of the option's
// sound-effect level.
#include <string>
#include <vector>

#include "data/database/sound_data.h"
#include "data/system/system_data.h"  // kSystemSoundCount
#include "media/sound/sound.h"

// Both tables get 16 + n entries for a Sound database of n entries (new entries zeroed,
// extra ones removed). Entries 0 to 16 take the system sounds, entry 16 + k the file of
// database entry k (k from 1; entry 0 is the "none" entry). Each filled source asks for
// one copy at full volume. A name too long for a path leaves its entry silent, with a
// report line.
void BuildSoundTables(std::vector<cSound>& sounds, std::vector<SOUNDSRC>& sources,
                      const std::vector<std::string>& systemSounds, const std::vector<cSoundData>& database);

// The volume of a sound-effect level (0 silent to 10 full). A level outside that range
// (a damaged option file) is taken as the nearest level, with a report line.
LONG SoundEffectVolume(int nLevel);
