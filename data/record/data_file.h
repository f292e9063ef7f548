#pragma once
// Data files: a version word, then a record body (or a counted list of records). A file
// is read into memory whole and parsed from there; a file is written from memory whole,
// through a temporary file in the same folder that replaces the old one only once it is
// complete on the disk.
#include <memory>
#include <string>
#include <vector>

#include "data/record/data_reader.h"
#include "data/record/data_writer.h"
#include "platform/host_files.h"

// Largest data file the player reads; anything larger is treated as damaged.
constexpr std::size_t kMaxDataFileBytes = 256u * 1024u * 1024u;

// Opens a data file for reading and reads its version word into g_nFileVersion. None
// when the file is missing or unreadable, shorter than its version word, or newer than
// the player (then g_bFileTooNew is 1). A null or empty name opens "err".
std::unique_ptr<cDataReader> OpenDataFileForRead(const char* name);

// What a report line says stands where a file of the game or the user should be.
const char* NotAFileText(HOSTFILEKIND kind);

// A data file being written: the version word is in place; CloseDataFile writes it.
struct cDataFileOut {
  std::string Name;
  cDataWriter Out;
};
std::unique_ptr<cDataFileOut> OpenDataFileForWrite(const char* name);
// Writes the collected bytes to the file: 1 when complete on disk; 0 when anything
// failed, the previous file then being left as it was.
int CloseDataFile(std::unique_ptr<cDataFileOut> file);

// Writes `bytes` to a program path atomically (temporary file, sync, rename).
int WriteFileAtomically(const std::string& name, const std::vector<std::uint8_t>& bytes);

// Reports a failed load of a data file to the user (report log and error box).
void ShowLoadError(const std::string& path);
// Logs why a data file could not be read when its data is damaged.
void ReportDamagedFile(const char* name, const cDataReader& in);
