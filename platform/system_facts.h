#pragma once
// Facts about the machine for the system report: the kernel, the processor's
// identification and time-stamp counter, memory and free disk space.
#include <cstdint>
#include <string>

struct OsFacts {
  std::string sysname;  // "Linux"
  std::string release;  // kernel release
  std::string version;  // kernel build text
  std::string machine;  // "x86_64"
};
// uname; empty texts when it fails.
OsFacts GetOsFacts();

// 1 when the processor has the identification instruction (always on x86-64; never on
// processors of other families).
int HasCpuId();
// Runs the identification instruction for a leaf (sub-leaf 0): EAX, EBX, ECX, EDX.
void CpuId(std::uint32_t leaf, std::uint32_t regs[4]);
// The processor's time-stamp counter (0 where there is none).
std::uint64_t ReadTimeStampCounter();
// A monotonic counter and its ticks per second.
std::int64_t QueryPerformanceCounterValue();
std::int64_t QueryPerformanceFrequencyValue();

struct MemoryFacts {
  std::uint64_t totalPhys = 0;
  std::uint64_t availPhys = 0;
  std::uint64_t totalSwap = 0;
  std::uint64_t freeSwap = 0;
};
// Reads a meminfo file (the system's is "/proc/meminfo"; tests pass their own). 1 when
// MemTotal was found; missing lines stay 0.
int ReadMemoryFacts(MemoryFacts& facts, const char* hostPath = "/proc/meminfo");

// Bytes free to the caller on the file system of a host path. 1 on success.
int GetDiskFreeBytesOf(const char* hostPath, std::uint64_t& bytes);
