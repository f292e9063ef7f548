#pragma once
// Input from a script instead of the keyboard and joysticks, for runs without a person:
// the file named by TOVREL_INPUT holds lines "COUNT DIR BUTTONS" (decimal), each giving
// input record 0's direction and button words for COUNT consecutive frames, counted over
// every frame that reads input: the front-end scenes' and the play scene's frames, and
// the frames of the pause, ranking and key-wait loops that stage play runs; after the
// last line both words are 0.
#include <cstdint>
#include <string>
#include <vector>

class cInput;

struct cScriptedRun {
  std::int64_t nCount = 0;
  std::uint16_t wDir = 0;
  std::uint16_t wButton = 0;
};

class cScriptedInput {
 public:
  // Reads the script. False, with a message naming the file and the line, when a line
  // is not three decimal numbers (COUNT 0 or more, DIR and BUTTONS 0-65535) or the file
  // cannot be read.
  bool LoadFile(const char* path, std::string& error);
  // Reads the script from text; `name` is used in the message.
  bool LoadText(const std::string& text, const char* name, std::string& error);
  // The words of the next frame into `input`, replacing what the devices gave.
  void Apply(cInput& input);

  [[nodiscard]] const std::vector<cScriptedRun>& Runs() const { return m_vRun; }

 private:
  std::vector<cScriptedRun> m_vRun;
  std::size_t m_nRun = 0;         // the run being played
  std::int64_t m_nRunFrame = 0;   // frames of it played
};

// Loads the script named by TOVREL_INPUT, when it is set. False with a message when the
// file is unusable; the caller refuses to start.
bool LoadScriptedInputFromEnv(std::string& error);
// A script is in use.
bool ScriptedInputActive();
// The next frame's words into input record 0.
void ApplyScriptedInput(cInput& input);

// TOVREL_SEED=N (decimal, 0 to 4294967295): the random seed every stage of the run starts
// from in place of the clock, so that a scripted run draws the same random numbers each
// time (a recorded replay keeps that seed as it keeps any other). False with a message
// when it is not such a number.
bool LoadScriptedSeedFromEnv(std::string& error);
// The seed TOVREL_SEED gave; false when it was not set.
bool ScriptedSeed(std::int32_t& nSeed);
