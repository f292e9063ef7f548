#include "flow/compare_with_percent.h"

#include "data/flow/condition.h"
#include "flow/compare_by_code.h"
#include "flow/percent_of_rounded.h"
#include "flow/var_op.h"

namespace {

int KeepWithin(int v, int min, int max) {
  if (v < min) return min;
  if (v > max) return max;
  return v;
}

}  // namespace

int CompareWithPercent(int value, int base, const cCond& cond, int min, int max) {
  int cmp = cond.m_nValue;
  if (cond.m_bPercentOfMax != 0) cmp = KeepWithin(PercentOfRounded(base, cmp), min, max);
  return CompareByCode(value, cmp, cond.m_nCmp);
}

int CompareWithPercent16(int value, int base, const cCond& cond, int min, int max) {
  int cmp = cond.m_nValue;
  if (cond.m_bPercentOfMax != 0) cmp = KeepWithin(PercentOfRounded16(base, cmp), min, max);
  return CompareByCode16(value, cmp, cond.m_nCmp);
}
