#include "data/record/shared_list.h"

namespace {

std::atomic<std::uint64_t> g_nLastRepairPass{0};
thread_local std::uint64_t t_nRepairPass = 0;

}  // namespace

cRepairPass::cRepairPass() : m_nOuter(t_nRepairPass) {
  t_nRepairPass = g_nLastRepairPass.fetch_add(1, std::memory_order_relaxed) + 1;
}

cRepairPass::~cRepairPass() { t_nRepairPass = m_nOuter; }

std::uint64_t cRepairPass::Current() { return t_nRepairPass; }
