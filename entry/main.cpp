// The program a person starts, in the game's folder: the arguments joined by blanks are
// the command line (a stage file to start on), and the player runs until its window
// closes.
//
// TOVREL_TOOL_SOCKET set: an authoring tool started this player for a test play, which
// it tells by the show command.
// TOVREL_FRAMES=N: the player closes itself after N frames (every frame it runs, those of
// stage play's pause, ranking and key-wait loops included), through its normal close
// sequence (runs without a person; with SDL_VIDEODRIVER=dummy and SDL_AUDIODRIVER=dummy
// it needs no display and no sound card). An environment variable, not an argument: every
// argument is part of the stage path.
// TOVREL_UNPACED=1: the frames follow one another as fast as they are made instead of at
// the game's frame rate (runs without a person; play counts frames, not time).
// TOVREL_INPUT=file: input record 0 of the play scene's frames from a script (lines
// "COUNT DIR BUTTONS") instead of the keyboard and joysticks.
// TOVREL_TRACE=file: one JSON line per frame of the play scene (stage/play_trace.h).
// TOVREL_SEED=N: the random seed of every stage in place of the clock (stage/scripted_input.h).
// TOVREL_SCREENS=f,f,...: pictures of those play frames (stage/play_screens.h).
// A file either names that cannot be used ends the program with code 2 before the game
// starts.
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/frame_timing.h"
#include "frontend/play_services_install.h"
#include "frontend/scene_install.h"
#include "platform/tool_socket.h"
#include "platform/win_window.h"
#include "shell/win_main.h"
#include "stage/play_screens.h"
#include "stage/play_trace.h"
#include "stage/scripted_input.h"

namespace {

std::string JoinArguments(int argc, char** argv) {
  std::string line;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) line += ' ';
    line += argv[i];
  }
  return line;
}

// The frame count of TOVREL_FRAMES: a whole number from 1 up; anything else is refused
// with a word on standard error rather than read as "no limit" or as some other number.
bool ReadFrameLimit(int& nFrames) {
  nFrames = 0;
  const char* text = std::getenv("TOVREL_FRAMES");
  if (text == nullptr || text[0] == '\0') return true;
  char* end = nullptr;
  errno = 0;
  const long value = std::strtol(text, &end, 10);
  if (errno != 0 || end == text || *end != '\0' || value < 1 || value > INT_MAX) {
    std::fprintf(stderr, "TOVREL_FRAMES=%s: a number of frames from 1 up is expected\n", text);
    return false;
  }
  nFrames = static_cast<int>(value);
  return true;
}

// TOVREL_UNPACED: "1" runs the frames as fast as they are made, "0" (or unset) at the
// game's frame rate; anything else is refused.
bool ReadUnpaced() {
  const char* text = std::getenv("TOVREL_UNPACED");
  if (text == nullptr || text[0] == '\0' || std::strcmp(text, "0") == 0) return true;
  if (std::strcmp(text, "1") != 0) {
    std::fprintf(stderr, "TOVREL_UNPACED=%s: 1 or 0 is expected\n", text);
    return false;
  }
  SetFramesUnpaced(true);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  int nFrames = 0;
  if (!ReadFrameLimit(nFrames) || !ReadUnpaced()) return 2;
  SetFrameLimit(nFrames);
  std::string error;
  if (!LoadScriptedInputFromEnv(error) || !LoadScriptedSeedFromEnv(error) || !OpenPlayTraceFromEnv(error) ||
      !ReadPlayScreensFromEnv(error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 2;
  }

  // What the shell reaches of the layers above it only through tables the entry fills:
  // the scenes of the game (the title first, without a stage to start on), and the
  // services of stage play and the front end that start-up and the main window's
  // requests call.
  InstallScenes();
  InstallFrontEndServices();

  const char* tool = std::getenv(kToolSocketVariable);
  const int nCmdShow = tool != nullptr && tool[0] != '\0' ? kTestPlayShowCommand : SW_SHOWNORMAL;
  const std::string cmdLine = JoinArguments(argc, argv);
  return WinMain(nullptr, nullptr, cmdLine.c_str(), nCmdShow);
}
