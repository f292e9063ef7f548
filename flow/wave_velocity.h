#pragma once
// The velocity of a point running on a wave (or, with two phases a quarter turn apart, on
// a circle): one component per call, for the phase `*pPhase` in degrees x n, which then
// advances by dPhase and wraps once at 360 x n. n is the stage's sub-steps per frame.
double WaveVelocityX(double dRadius, double dStep, double* pPhase, double dPhase, double dBaseAngle);
double WaveVelocityY(double dRadius, double dStep, double* pPhase, double dPhase, double dBaseAngle);
