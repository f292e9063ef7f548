#include "app/system_report.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "app/frame_timing.h"
#include "app/report_log.h"
#include "platform/host_files.h"
#include "platform/system_facts.h"
#include "platform/win_time.h"

namespace {

constexpr double kBytesToMB = 1.0 / 1048576.0;

DWORD Cap32(std::uint64_t v) { return v > 0xFFFFFFFFull ? 0xFFFFFFFFu : static_cast<DWORD>(v); }

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Format(const char* format, ...) {
  char text[512];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  return text;
}

}  // namespace

std::vector<std::string> FormatSystemReport(const SystemReportFacts& f) {
  std::vector<std::string> lines;
  lines.push_back(Format("OS : %s", f.os.c_str()));
  lines.push_back(
      Format("CPU : %s %s %d", f.cpu.szVendor, f.cpu.szBrand, static_cast<int>(f.cpu.dClock * 1e-6)));
  lines.push_back(Format("Mem Total : %.3fMB", f.memory.dwTotalPhys * kBytesToMB));
  lines.push_back(Format("Mem Free : %3.fMB", f.memory.dwAvailPhys * kBytesToMB));
  lines.push_back(Format("Vir Total : %.3fMB", f.memory.dwTotalVirtual * kBytesToMB));
  lines.push_back(Format("Vir Free : %3.fMB", f.memory.dwAvailVirtual * kBytesToMB));
  lines.push_back(Format("HD Free : %3.fMB", f.nDiskFree * kBytesToMB));
  return lines;
}

int WriteSystemReport() {
  SystemReportFacts facts;
  GetOSName(&facts.os, nullptr, nullptr);
  GetCPUName(&facts.cpu);
  GetMemoryStatus(&facts.memory);
  facts.nDiskFree = GetDiskFreeBytes(nullptr);
  for (const std::string& line : FormatSystemReport(facts))
    if (!WriteReportText(line.c_str())) return 0;
  return 1;
}

const char* OsNameOf(int nPlatformId, int nMajor, int nMinor, int* lpMajor, int* lpMinor) {
  int major = 5, minor = 1;
  const char* name = nullptr;
  if (nPlatformId == 0) {
    name = "Windows 3.1";
    major = 1;
    minor = 0;
  } else if (nPlatformId == 1) {
    major = 1;
    minor = nMinor;
    if (nMinor == 0) name = "Windows 95";
    else if (nMinor == 10) name = "Windows 98";
    else if (nMinor == 90) name = "Windows Me";
  } else if (nPlatformId == 2) {
    major = nMajor;
    minor = nMinor;
    if (nMajor == 3) name = "Windows NT 3.51";
    else if (nMajor == 4) name = "Windows NT 4.0";
    else if (nMajor == 5 && nMinor == 0) name = "Windows 2000";
    else if (nMajor == 5 && nMinor == 1) name = "Windows XP";
    else if (nMajor == 5 && nMinor == 2) name = "Windows XP Professional x64 Edition ?";
    else if (nMajor == 6 && nMinor == 0) name = "Windows Vista";
    else if (nMajor == 6 && nMinor == 1) name = "Windows 7";
    else if (nMajor == 6 && nMinor == 2) name = "Windows 8";
  }
  if (lpMajor != nullptr) *lpMajor = major;
  if (lpMinor != nullptr) *lpMinor = minor;
  return name;
}

void GetOSName(std::string* lpText, int* lpMajor, int* lpMinor) {
  // Not Windows: the kernel names itself, and the version answers as 6.0 so that code
  // asking for a modern system gets yes.
  const OsFacts os = GetOsFacts();
  if (lpMajor != nullptr) *lpMajor = 6;
  if (lpMinor != nullptr) *lpMinor = 0;
  if (lpText != nullptr) {
    char text[512];
    std::snprintf(text, sizeof text, "%s %s PID %d Build %d", os.sysname.c_str(),
                  (os.release + " " + os.machine).c_str(), 2, 0);
    *lpText = text;
  }
}

bool IsOSVersionAtLeast(int nMajor, int nMinor) {
  int major = 0, minor = 0;
  GetOSName(nullptr, &major, &minor);
  return major > nMajor || (major == nMajor && minor >= nMinor);
}

void GetCPUName(CPUNAME* lpCpu) {
  std::memset(lpCpu, 0, sizeof *lpCpu);
  if (HasCpuId()) {
    std::uint32_t r[4];
    CpuId(0, r);
    if (r[0] > 0) {
      std::memcpy(lpCpu->szVendor, &r[1], 4);
      std::memcpy(lpCpu->szVendor + 4, &r[3], 4);
      std::memcpy(lpCpu->szVendor + 8, &r[2], 4);
    }
    CpuId(0x80000000u, r);
    if (r[0] >= 0x80000004u) {
      for (std::uint32_t leaf = 0; leaf < 3; ++leaf) {
        CpuId(0x80000002u + leaf, r);
        std::memcpy(lpCpu->szBrand + 16 * leaf, r, 16);
      }
      lpCpu->szBrand[48] = '\0';
    }
  }
  lpCpu->dClock = MeasureCPUClock();
}

// A second of busy waiting gives the clock to a few parts per million. A run without a
// person takes its frames as fast as they are made and starts the player again and again:
// there the report's clock is measured over 20 ms, near enough for a report line.
double MeasureCPUClock() { return MeasureCPUClockOver(FramesUnpaced() ? 20 : 1000); }

double MeasureCPUClockOver(DWORD dwMilliseconds) {
  const std::int64_t c0 = QueryPerformanceCounterValue();
  const std::int64_t c1 = QueryPerformanceCounterValue();
  const std::uint64_t t0 = ReadTimeStampCounter();
  const DWORD start = timeGetTime();
  while (static_cast<std::int32_t>(timeGetTime() - start) < static_cast<std::int32_t>(dwMilliseconds)) {
  }
  const std::int64_t c2 = QueryPerformanceCounterValue();
  const std::uint64_t t1 = ReadTimeStampCounter();
  const double f = static_cast<double>(QueryPerformanceFrequencyValue());
  const double seconds = static_cast<double>((c2 - c1) - (c1 - c0)) / f;
  return seconds > 0 ? static_cast<double>(t1 - t0) / seconds : 0.0;
}

void GetMemoryStatus(MEMORYINFO* lpMemory) {
  MemoryFacts facts;
  ReadMemoryFacts(facts);
  lpMemory->dwTotalPhys = Cap32(facts.totalPhys);
  lpMemory->dwAvailPhys = Cap32(facts.availPhys);
  // The commit space stands for the virtual memory a process may use.
  lpMemory->dwTotalVirtual = Cap32(facts.totalPhys + facts.totalSwap);
  lpMemory->dwAvailVirtual = Cap32(facts.availPhys + facts.freeSwap);
}

int GetDiskFreeBytes(const char* lpPath) {
  const std::string host = lpPath != nullptr ? HostPath(lpPath) : std::string(".");
  std::uint64_t bytes = 0;
  if (!GetDiskFreeBytesOf(host.empty() ? "." : host.c_str(), bytes)) return 0;
  return static_cast<int>(std::min<std::uint64_t>(bytes, 2147483647u));
}
