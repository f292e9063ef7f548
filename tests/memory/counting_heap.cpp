#include "tests/memory/counting_heap.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<std::size_t> g_nLive{0};
std::atomic<std::size_t> g_nPeak{0};

// Each block is preceded by a header that holds its size; the header keeps the block
// aligned as operator new must.
constexpr std::size_t kHeader = alignof(std::max_align_t);

void* Allocate(std::size_t n) {
  auto* p = static_cast<unsigned char*>(std::malloc(n + kHeader));
  if (!p) return nullptr;
  *reinterpret_cast<std::size_t*>(p) = n;
  const std::size_t live = g_nLive.fetch_add(n, std::memory_order_relaxed) + n;
  std::size_t peak = g_nPeak.load(std::memory_order_relaxed);
  while (live > peak && !g_nPeak.compare_exchange_weak(peak, live, std::memory_order_relaxed)) {
  }
  return p + kHeader;
}

void Release(void* block) {
  if (!block) return;
  unsigned char* p = static_cast<unsigned char*>(block) - kHeader;
  g_nLive.fetch_sub(*reinterpret_cast<std::size_t*>(p), std::memory_order_relaxed);
  std::free(p);
}

void* AllocateOrThrow(std::size_t n) {
  if (void* p = Allocate(n)) return p;
  throw std::bad_alloc();
}

}  // namespace

namespace counting_heap {

std::size_t LiveBytes() { return g_nLive.load(std::memory_order_relaxed); }
std::size_t PeakBytes() { return g_nPeak.load(std::memory_order_relaxed); }
void ResetPeak() { g_nPeak.store(g_nLive.load(std::memory_order_relaxed), std::memory_order_relaxed); }

}  // namespace counting_heap

void* operator new(std::size_t n) { return AllocateOrThrow(n); }
void* operator new[](std::size_t n) { return AllocateOrThrow(n); }
void* operator new(std::size_t n, const std::nothrow_t&) noexcept { return Allocate(n); }
void* operator new[](std::size_t n, const std::nothrow_t&) noexcept { return Allocate(n); }
void operator delete(void* p) noexcept { Release(p); }
void operator delete[](void* p) noexcept { Release(p); }
void operator delete(void* p, std::size_t) noexcept { Release(p); }
void operator delete[](void* p, std::size_t) noexcept { Release(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { Release(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { Release(p); }
