#include "CurveShapes.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kEighth = 0.125;
constexpr double kQuarter = 0.25;
constexpr double kThreeQuarters = 0.75;

// Slow start, steep end; stronger with a larger power.
double Convex(double x, double power) {
    return std::pow(x, power);
}

// Fast start, flat end; stronger with a larger power.
double Concave(double x, double power) {
    return 1.0 - std::pow(1.0 - x, power);
}

// Maps a 0..1 shape onto the output band from..to.
double Band(double shape, double from, double to) {
    return from + (to - from) * shape;
}

// Level for the first quarter, then the shape over the rest of the input.
double AfterQuarter(double x, double (*shape)(double, double), double power) {
    return x <= kQuarter ? 0.0 : shape((x - kQuarter) / (1.0 - kQuarter), power);
}

} // namespace

double AftertouchCurve(int curve, double x) {
    x = std::clamp(x, 0.0, 1.0);
    switch (curve) {
    case 0:
        return x;
    case 1:
        return std::max(0.0, (x - 0.12) / 0.88);
    case 2:
        return Convex(x, 1.8);
    case 3:
        return Convex(x, 2.8);
    case 4:
        return std::min(1.0, Convex(x / kThreeQuarters, 2.0));
    case 5:
        return std::min(1.0, x * 1.5);
    case 6:
        return Concave(x, 2.2);
    case 7:
        return 1.0 - x;
    default:
        return 0.0;
    }
}

double VelocityCurve(int curve, double x) {
    x = std::clamp(x, 0.0, 1.0);
    // Powers of the convex curves 1..7 and of the concave curves 8..11.
    static const double convexPower[8] = {1.0, 1.35, 1.8, 2.3, 3.0, 3.9, 5.0, 9.0};
    static const double concavePower[4] = {1.8, 2.8, 4.5, 12.0};
    // Powers of 16..19; 20..23 take the shapes of 16, 18, 17, 19 in this order.
    static const double bandPower[4] = {1.6, 2.2, 3.0, 4.0};
    static const int shortBandShape[4] = {0, 2, 1, 3};

    if (curve >= 0 && curve <= 7)
        return Convex(x, convexPower[curve]);
    if (curve >= 8 && curve <= 11)
        return Concave(x, concavePower[curve - 8]);
    switch (curve) {
    case 12:
        return Band(x, kEighth, 1.0);
    case 13:
        return Band(AfterQuarter(x, Convex, 1.0), kEighth, 1.0);
    case 14:
        return Band(x, kEighth, kThreeQuarters);
    case 15:
        return Band(AfterQuarter(x, Convex, 1.0), kEighth, kThreeQuarters);
    case 16:
    case 17:
    case 18:
    case 19:
        return Band(Convex(x, bandPower[curve - 16]), kEighth, 1.0);
    case 20:
    case 21:
    case 22:
    case 23:
        return Band(Convex(x, bandPower[shortBandShape[curve - 20]]), kEighth, kThreeQuarters);
    case 24:
        return Band(Concave(x, 2.0), kQuarter, 1.0);
    case 25:
        return Band(Concave(x, 2.0), kQuarter, kThreeQuarters);
    case 26:
        return Band(AfterQuarter(x, Concave, 2.0), kEighth, 1.0);
    case 27:
        return Band(AfterQuarter(x, Concave, 2.0), kEighth, kThreeQuarters);
    case 28:
        return 0.94 * (1.0 - Convex(x, 3.0));
    case 29:
        return 0.94 * Convex(1.0 - x, 2.0);
    case 30:
        return 0.5;
    case 31:
        return 1.0;
    default:
        return 0.0;
    }
}
