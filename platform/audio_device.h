#pragma once
// The program's one audio output: an SDL audio device whose callback pulls the mixer of
// GetAudioMixer(). Where no sound server or card can be opened, SDL's dummy driver takes
// its place so that the program goes on, silent.
#include <string>

enum class eAudioOutput {
  kNone,    // not open
  kDevice,  // a real device of SDL's chosen driver
  kDummy,   // SDL's dummy driver: the callback runs in real time, nothing is heard
  kNull,    // no device at all: whoever wants sound pulls the mixer (tests, offline renders)
};

struct cAudioOpenResult {
  bool bOpened = false;
  eAudioOutput output = eAudioOutput::kNone;
  // What happened, for the caller's log: the driver used, or why the real one failed.
  std::string strReport;
};

// Opens the output (once; later calls report the open output). Tests call
// UseNullAudioOutput() first to pull the mixer themselves.
cAudioOpenResult OpenAudioOutput();
void CloseAudioOutput();
eAudioOutput CurrentAudioOutput();

// From now on OpenAudioOutput opens no device (tests and offline renders).
void UseNullAudioOutput(bool useNull = true);
