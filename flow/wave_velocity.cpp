#include "flow/wave_velocity.h"

#include <cmath>

#include "flow/cmd_prepare.h"

namespace {

constexpr double kDegToRad = 0.017453292519943295;

void AdvancePhase(double* pPhase, double dPhase, double n) {
  *pPhase += dPhase;
  if (*pPhase >= 360 * n) *pPhase -= 360 * n;
}

}  // namespace

double WaveVelocityX(double dRadius, double dStep, double* pPhase, double dPhase, double dBaseAngle) {
  const double n = FlowSubSteps();
  const double k = dStep * kDegToRad;
  const double a = *pPhase / n + dBaseAngle;
  const double v = dRadius * k * std::cos(k * a) / n;
  AdvancePhase(pPhase, dPhase, n);
  return v;
}

double WaveVelocityY(double dRadius, double dStep, double* pPhase, double dPhase, double dBaseAngle) {
  const double n = FlowSubSteps();
  const double k = dStep * kDegToRad;
  const double a = *pPhase / n + dBaseAngle;
  const double v = -(dRadius * k * k * std::sin(k * a)) / (n * n);
  AdvancePhase(pPhase, dPhase, n);
  return v;
}
