#pragma once
// Test seam: a disk that fills up. While a simulation runs, the files opened for writing
// through OpenFile share `bytes` free bytes; a write beyond them fails part-way as on a
// full disk (the bytes that fit reach the file, the rest fails with ENOSPC), so the
// program's own error paths run as they would on a real full disk.
#include <cstdio>

// Starts a simulation with `bytes` free bytes (0: the disk is full already).
void SimulateDiskSpace(long long bytes);
// Ends the simulation; files opened for writing from then on are plain files again.
void EndDiskSpaceSimulation();

namespace tovrel_platform {
// Called by OpenFile for every file opened for writing: the file itself, or, while a
// simulation runs and the file is only written ("w" or "a"), a stream over it that
// counts the free bytes.
FILE* WrapForSimulatedDisk(FILE* file, const char* mode);
// The file a wrapped stream writes to; `file` itself when it is not wrapped.
FILE* SimulatedDiskTarget(FILE* file);
}  // namespace tovrel_platform
