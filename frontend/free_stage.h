#pragma once
// Free play of one stage file: the title's stage-file choice, and the stage named at
// start-up.

// Resets the progress record for a free play, loads the stage file for play (with
// findLatest 1 the newest numbered file of `path`, with 0 `path` itself), starts the
// stage count at stage 1 with the free mode's lives and names the stage after its file.
// False when the stage cannot be loaded; the loader has shown why.
bool StartFreeStage(const char* path, int findLatest);
