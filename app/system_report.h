#pragma once
// The description of the machine the report log starts with: system, processor and clock,
// memory and free disk space; and the small questions other code asks of the system.
#include <string>
#include <vector>

#include "platform/win_types.h"

struct CPUNAME {
  char szBrand[49];   // empty when the processor has no brand string
  char szVendor[13];
  double dClock;      // cycles per second
};

// Memory in bytes, each capped at 0xFFFFFFFF.
struct MEMORYINFO {
  DWORD dwTotalPhys;
  DWORD dwAvailPhys;
  DWORD dwTotalVirtual;
  DWORD dwAvailVirtual;
};

struct SystemReportFacts {
  std::string os;
  CPUNAME cpu;
  MEMORYINFO memory;
  int nDiskFree;  // bytes, capped at 2147483647
};

// The report's lines for the facts (without line ends).
std::vector<std::string> FormatSystemReport(const SystemReportFacts& facts);
// Appends the report to the report log. 1 written, 0 when the log cannot be opened.
int WriteSystemReport();

// The name of a Windows version by platform id and version, as the report names it, with
// the version numbers it gives back; null when the table has no name.
const char* OsNameOf(int nPlatformId, int nMajor, int nMinor, int* lpMajor, int* lpMinor);
// The system's text, major and minor version; outputs may be null. This system answers as
// version 6.0 of platform 2 under its own name.
void GetOSName(std::string* lpText, int* lpMajor, int* lpMinor);
bool IsOSVersionAtLeast(int nMajor, int nMinor);

void GetCPUName(CPUNAME* lpCpu);
double MeasureCPUClock();
// The clock measured over a given time (the report measures over one second).
double MeasureCPUClockOver(DWORD dwMilliseconds);
void GetMemoryStatus(MEMORYINFO* lpMemory);
// Free bytes for the caller on the file system of a program path (null: the current
// folder), capped at 2147483647; 0 when it cannot be found out.
int GetDiskFreeBytes(const char* lpPath);
