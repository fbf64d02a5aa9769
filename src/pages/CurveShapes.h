// The response curves of the keyboard as functions: for curve n, the output (0 bottom .. 1 top)
// for an input from 0 (left) to 1 (right). The curve lists draw their pictures from these.
#pragma once

constexpr int kAftertouchCurveCount = 8;
constexpr int kVelocityCurveCount = 32;

// Output of aftertouch curve 0..7 at input x (0..1).
double AftertouchCurve(int curve, double x);
// Output of velocity curve 0..31 at input x (0..1).
double VelocityCurve(int curve, double x);
