#pragma once
// The game thread's replay requests to the main window: the F1/F2 save keys of stage
// play and the replay file chosen from the title. The main window runs the file dialog
// and the file work while the game thread waits for its done flag.
#include <cstdint>

// Frames during which a save key pressed with nothing recorded stays silent.
constexpr std::int32_t kReplaySaveCoolDown = 60;

// At the start of the play, pause, clear, retry and game-over frames: F1 asks to save the
// current stage's replay, F2 (when F1 is not held) the previous one's. 1 when a request
// was sent (the caller skips the rest of its frame); 0 in replay playback, with replay
// recording off, with no key, or with nothing recorded (a buzz at most once per 60
// frames).
std::int32_t CheckReplaySaveKey();
// Asks the main window for a replay file to play. Non-zero when one was loaded; 0 when
// cancelled, refused, or when the request was given up because the program is closing.
std::int32_t RequestLoadReplay();

// The save keys' cool-down (frames), for tests.
std::int32_t ReplaySaveCoolDown();
void SetReplaySaveCoolDown(std::int32_t nFrames);
