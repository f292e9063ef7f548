#pragma once
// The frame of every fuzz target: one program per reader of a whole game file. Built with
// AFL++'s compiler it runs in persistent mode under afl-fuzz, one input after another in
// one process; built with the plain compiler it replays the files and folders named on
// its command line (the kept inputs), one input per file.
//
// A target defines the two functions below. Each input is one file's bytes; the target
// writes them where the game would look for the file, loads it through the game's reader
// and checks what a sanitizer cannot see: a failed load leaves a report line, and a
// loaded record saves, loads back and saves again to the same bytes. A broken rule
// aborts, so that the fuzzer keeps the input as a crash.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class cDataRecord;

// Once per process, in the target's working folder (a fresh folder, the current one).
void FuzzSetUp();
// Once per input.
void FuzzOneInput(const std::uint8_t* data, std::size_t size);

// Helpers for the targets.
namespace fuzz {

// Writes bytes to a program path, replacing the file; aborts when it cannot.
void WriteFile(const char* programPath, const std::uint8_t* data, std::size_t size);
// The whole of a file (a program path); aborts when it cannot be read.
std::vector<std::uint8_t> ReadFile(const char* programPath);

// Starts the report log afresh and drops boxes and posted messages of the last input.
void BeginInput();
// True when the report log holds a line.
bool ReportWritten();
// True when a box was shown for this input.
bool BoxShown();

// Prints the broken rule and aborts.
[[noreturn]] void Fail(const char* rule, const char* file);

// A failed load must have said why: a report line, or (for a file newer than the player,
// which the caller reports with its box) the flag that says so.
void CheckFailureReported(const char* file);
// The same for a reader that may say it with a box instead.
void CheckFailureReportedOrShown(const char* file);
// A loaded record saves, loads back and saves again to the same bytes. The saves are the
// bytes SaveToFile writes (version word and body) and the load reads them as LoadFromFile
// does, in memory: what the file functions add (a temporary file, its sync and rename,
// the whole-file read) does not depend on the record, and it cost more than the record's
// own reading and writing, twice per input. `reset` makes the record new again before it
// loads back (in place: some readers repair against the global they fill).
void CheckRoundTrip(cDataRecord& record, const std::function<void()>& reset, const char* file);

// The two saves of a loaded record must be the same bytes.
void CheckSameBytes(const std::vector<std::uint8_t>& first, const std::vector<std::uint8_t>& second,
                    const char* file);

}  // namespace fuzz
