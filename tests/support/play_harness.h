#pragma once
// Plays a stage headless in the built player and reads back what happened frame by frame:
// the game is written into the current folder, the player runs there as a process of its
// own with SDL's dummy drivers, fed an input file, and writes its trace (one JSON line
// per play frame) that is parsed here.
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "media/input/input.h"  // kDirLeft ... kDirDown
#include "writers/stage_writer.h"

// The built player, when the test program was given its path.
#ifdef TOVREL_PLAYER
inline constexpr const char* kPlayerProgram = TOVREL_PLAYER;
#endif

// Input words of record 0 for nCount consecutive frames: a line "COUNT DIR BUTTONS".
struct cInputSpan {
  int nCount = 0;
  std::uint16_t wDir = 0;     // 1 left, 2 right, 4 up, 8 down
  std::uint16_t wButton = 0;  // bit 0 button 1 (decision), bit 1 button 2, ...
};

constexpr std::uint16_t kButton1 = 1;
constexpr std::uint16_t kButton2 = 2;

// One object of a trace line.
struct cTraceObject {
  std::string strKind;  // "player", "chara", "item" or "shot"
  int nId = 0;
  double dX = 0, dY = 0, dVx = 0, dVy = 0, dCmdVx = 0, dCmdVy = 0;
  std::optional<int> nHp;  // null for objects without hit points
  int nFacing = 0;
  bool bActive = false;
};

// One trace line: a frame of the play scene.
struct cTraceFrame {
  int nFrame = 0;
  int nState = 0;
  double dScrollX = 0, dScrollY = 0;
  std::vector<cTraceObject> vObjects;
  std::string strLine;  // the line as written

  // The first object of that kind; null when there is none.
  const cTraceObject* Find(const std::string& kind) const;
  // The player (the first object): a test failure when there is none.
  const cTraceObject& Player() const;
};

// Parses one trace line; false (with `error` saying why) when it is not the trace's
// format.
bool ParseTraceLine(const std::string& line, cTraceFrame& frame, std::string& error);

// What to play: the stage file (a program path relative to the game folder), the frames
// and the input; further environment entries are passed as they stand.
struct cPlayRequest {
  std::string strStagePath;
  int nFrames = 60;
  std::vector<cInputSpan> vInput;
  std::vector<std::pair<std::string, std::string>> vEnv;
  int nTimeoutSeconds = 120;
};

struct cPlayResult {
  int nExitCode = -1;      // -1 when the process did not end by itself
  bool bTimedOut = false;
  std::string strOutput;   // what the player wrote to stdout and stderr
  std::vector<cTraceFrame> vFrames;
  std::string strTraceError;  // the first line that did not parse, and why

  // The frame with that number; a test failure when there is none.
  const cTraceFrame& At(int nFrame) const;
  // The frames in the play state (2), in order.
  std::vector<const cTraceFrame*> PlayFrames() const;
  // Index in vFrames of the first frame written in the play state: the frame that left
  // the start banner, before any play step ran. -1 when play never began.
  int FirstPlayIndex() const;
};

// The input file's text for a list of spans.
std::string InputFileText(const std::vector<cInputSpan>& input);

// Runs `program` (the player) in the current folder on the request: writes the input
// file, starts the player with the trace switched on and waits for it (killed after the
// time-out), then reads the trace.
cPlayResult RunPlayer(const std::string& program, const cPlayRequest& request);

// Writes `game` into the current folder over the demo game (which brings System.ini, the
// pictures and the sounds start-up needs), then plays stage `stageName` from the command
// line.
cPlayResult PlayPlannedGame(const std::string& program, const cGameContent& game, const std::string& stageName,
                            int nFrames, const std::vector<cInputSpan>& input,
                            const std::vector<std::pair<std::string, std::string>>& env = {});

#ifdef TOVREL_PLAYER
inline cPlayResult RunPlayer(const cPlayRequest& request) { return RunPlayer(kPlayerProgram, request); }
inline cPlayResult PlayPlan(const cStagePlan& plan, int nFrames, const std::vector<cInputSpan>& input = {}) {
  return PlayPlannedGame(kPlayerProgram, PlannedGame({plan}), plan.strName, nFrames, input);
}
inline cPlayResult PlayGame(const cGameContent& game, const std::string& stageName, int nFrames,
                            const std::vector<cInputSpan>& input = {},
                            const std::vector<std::pair<std::string, std::string>>& env = {}) {
  return PlayPlannedGame(kPlayerProgram, game, stageName, nFrames, input, env);
}
#endif
