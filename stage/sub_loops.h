#pragma once
// The modal sub-loops of stage play: a game wait, a message, an effect or a picture that
// waits, the extra-life notice and the ranking display stop the stage inside the play
// frame that started them. The game thread fills the scene's wait request, starts one of
// these loops on a worker thread and blocks until it ends; the loop keeps drawing the
// frozen stage and presenting it, polls the input and ends on a key or a countdown.
#include <atomic>
#include <cstdint>

#include "app/thread.h"
#include "platform/win_types.h"

// The pause loop's frame: runs on thPause with the scene (g_lpSceneGame) as argument. 0
// when it ends at once because the scene is already quitting, else 1.
unsigned PauseLoop(void* lpScene);
// The ranking display's frame: runs on thRanking; always 1.
unsigned RankingLoop(void* lpScene);

// One frame of the pause loop's wait request on the frame's input: the delay counts
// down; with key wait the decision button pressed this frame and up the frame before
// confirms (sound 12 for a message, else 1; the play then ignores the buttons until
// they are released); without, the countdown runs out below 0. True when the loop ends.
class cInput;
class cSceneGame;
bool WaitRequestEnds(cSceneGame& scene, const cInput& input);

// One frame of the ranking display on the frame's input: the decision button ends it
// (sound 1); button 4 shows the next result kind the play mode ranks, when it ranks two or
// more (sound 6); otherwise the frozen stage is drawn with the ranking of the kind shown,
// the new entry highlighted. True when the display ends (nothing drawn then).
bool RankingDisplayStep(cSceneGame& scene, const cInput& input);

// The starter's side of a modal loop: starts `routine` on `thread` with the scene as its
// argument, with bHandshake posts WM_APP to it until the post is taken (the message
// command, the extra-life notice and the ranking display do so), and waits until the
// thread has ended. False, without waiting, when the thread cannot be started: there is
// nothing to wait for.
bool RunModalLoop(cThread& thread, THREADROUTINE routine, void* lpScene, bool bHandshake);

// Sends a dialog request to the main window and waits in 1 ms sleeps until the main
// thread sets `done`. A send given up because the program is shutting down answers 0
// (a served request answers 1) and the main thread will never set the flag: then false
// at once instead of polling for ever; also false when shutdown begins while waiting.
bool SendAndWaitDone(UINT message, WPARAM wParam, LPARAM lParam, std::atomic<int>& done);
