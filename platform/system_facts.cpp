#include "platform/system_facts.h"

#include <sys/statvfs.h>
#include <sys/utsname.h>

#include <time.h>

#include <cstdio>
#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#include <x86intrin.h>
#define TOVREL_X86 1
#endif

OsFacts GetOsFacts() {
  OsFacts facts;
  struct utsname name;
  if (uname(&name) == 0) {
    facts.sysname = name.sysname;
    facts.release = name.release;
    facts.version = name.version;
    facts.machine = name.machine;
  }
  return facts;
}

int HasCpuId() {
#ifdef TOVREL_X86
  return 1;
#else
  return 0;
#endif
}

void CpuId(std::uint32_t leaf, std::uint32_t regs[4]) {
  regs[0] = regs[1] = regs[2] = regs[3] = 0;
#ifdef TOVREL_X86
  __cpuid_count(leaf, 0, regs[0], regs[1], regs[2], regs[3]);
#else
  (void)leaf;
#endif
}

std::uint64_t ReadTimeStampCounter() {
#ifdef TOVREL_X86
  return __rdtsc();
#else
  return 0;
#endif
}

std::int64_t QueryPerformanceCounterValue() {
  struct timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<std::int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

std::int64_t QueryPerformanceFrequencyValue() { return 1000000000; }

int ReadMemoryFacts(MemoryFacts& facts, const char* hostPath) {
  facts = MemoryFacts();
  FILE* file = std::fopen(hostPath, "r");
  if (file == nullptr) return 0;
  char line[256];
  int found = 0;
  while (std::fgets(line, sizeof line, file) != nullptr) {
    char key[64];
    unsigned long long kb = 0;
    if (std::sscanf(line, "%63[^:]: %llu", key, &kb) != 2) continue;
    const std::uint64_t bytes = static_cast<std::uint64_t>(kb) * 1024u;
    if (std::strcmp(key, "MemTotal") == 0) {
      facts.totalPhys = bytes;
      found = 1;
    } else if (std::strcmp(key, "MemAvailable") == 0) {
      facts.availPhys = bytes;
    } else if (std::strcmp(key, "SwapTotal") == 0) {
      facts.totalSwap = bytes;
    } else if (std::strcmp(key, "SwapFree") == 0) {
      facts.freeSwap = bytes;
    }
  }
  std::fclose(file);
  return found;
}

int GetDiskFreeBytesOf(const char* hostPath, std::uint64_t& bytes) {
  struct statvfs fs;
  if (statvfs(hostPath, &fs) != 0) return 0;
  bytes = static_cast<std::uint64_t>(fs.f_bavail) * fs.f_frsize;
  return 1;
}
