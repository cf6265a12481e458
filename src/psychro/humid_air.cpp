#include "psychro/humid_air.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>

namespace climstat::psychro {

namespace {

// Coefficients of the saturation-pressure equations, each rounded once to single precision.
constexpr float C1 = -5674.359f;
constexpr float C2 = 6.3925247f;
constexpr float C3 = -9.677843e-3f;
constexpr float C4 = 6.2215701e-7f;
constexpr float C5 = 2.0747825e-9f;
constexpr float C6 = -9.484024e-13f;
constexpr float C7 = 4.1635019f;
constexpr float C8 = -5800.2206f;
constexpr float C9 = 1.3914993f;
constexpr float C10 = -4.8640239e-2f;
constexpr float C11 = 4.1764768e-5f;
constexpr float C12 = -1.4452093e-8f;
constexpr float C13 = 6.5459673f;

// The dew-point bisection needs 13 halvings and the wet-bulb one typically 7 to 15; these
// bounds only stop inputs for which single precision cannot reach the tolerance.
constexpr int kMaxDewPointSteps = 64;
constexpr int kMaxWetBulbSteps = 200;
constexpr double kWetBulbBracket = 0.002;

constexpr double d(float x) {
    return static_cast<double>(x);
}
constexpr float f(double x) {
    return static_cast<float>(x);
}

}  // namespace

float saturationPressure(float T) {
    const double tk = d(f(d(T) + d(kelvinOffset)));
    double lnPs;
    // The switch compares single-precision values, so that an argument of -0.0606 itself (which
    // in single precision lies a little below -0.0606) is still on the water side.
    if (T >= -0.0606f) {
        lnPs = d(C8) / tk + d(C9) + d(C10) * tk + d(C11) * tk * tk + d(C12) * tk * tk * tk +
               d(C13) * std::log(tk);
    } else {
        lnPs = d(C1) / tk + d(C2) + d(C3) * tk + d(C4) * tk * tk + d(C5) * tk * tk * tk +
               d(C6) * tk * tk * tk * tk + d(C7) * std::log(tk);
    }
    return f(std::exp(lnPs));
}

float humidityRatio(float pv, float pt) {
    return f(d(epsilon) * d(pv) / (d(pt) - d(pv)));
}

float vapourPressure(float W, float pt) {
    return f(d(W) * d(pt) / (d(W) + d(epsilon)));
}

float saturationHumidityRatio(float T, float pt) {
    return humidityRatio(saturationPressure(T), pt);
}

float enthalpy(float T, float W) {
    return f((d(cpv) * d(T) + d(hfg)) * d(W) + d(cpa) * d(T));
}

float specificVolume(float T, float W, float pt) {
    const float pv = vapourPressure(W, pt);
    return f(rAir * (d(T) + d(kelvinOffset)) / (d(pt) - d(pv)));
}

float relativeHumidity(float T, float W, float pt) {
    if (T == 0.0f && W == 0.0f) return 0.0f;
    const float pv = vapourPressure(W, pt);
    const float ps = saturationPressure(T);
    if (ps == 0.0f) return 50.0f;
    return f(100.0 * d(pv) / d(ps));
}

namespace {

// --- Knowing the outcome of a bisection step without evaluating it ---
//
// Both solvers halve a bracket around the root of a monotone relation, comparing the relation
// at each midpoint. The saturation pressure in single precision is monotone in T on each side
// of the water/ice switch (its Kelvin temperature is rounded to single precision, so it moves
// in steps of about 3e-5 K), and so is the wet bulb implied by a trial saturation ratio. Every
// comparison therefore only asks on which side of one threshold the midpoint lies. The root of
// the same relation in double precision (the dew point's from a table, the wet bulb's from a
// few Newton steps, each to better than 1e-5 K) lies within 2e-5 K of that threshold (half a
// step of the rounded Kelvin temperature, and a little for the rounding of the results) plus
// its own error; a midpoint farther from it than kDecided is decided without evaluating the
// relation, and only the midpoints close to the root are evaluated as before. The sequence of
// midpoints, and so the result, is exactly the one the plain bisection gives.
constexpr double kDecided = 4e-5;
// Within this distance of the water/ice switch, or outside the range where every midpoint is
// finite, the solvers evaluate every step.
constexpr double kSwitch = -0.0606;
constexpr double kNearSwitch = 0.01;
constexpr double kLowestKnown = -90.0;
constexpr double kHighestKnown = 150.0;
constexpr double kHottestMonotone = 60.0;
constexpr float kThinnestMonotone = 50000.0f;

// d ln ps / dT and d2 ln ps / dT2 at t degC (unrounded Kelvin temperature) on the water or the
// ice curve, without the logarithm itself.
struct LogPressureSlopes {
    double slope;      // 1/K
    double curvature;  // 1/K2
};

LogPressureSlopes logSaturationPressureSlopes(bool water, double t) {
    const double tk = t + d(kelvinOffset);
    const double inv = 1.0 / tk;
    if (water) {
        return {
            -d(C8) * inv * inv + d(C10) + tk * (2.0 * d(C11) + tk * 3.0 * d(C12)) + d(C13) * inv,
            2.0 * d(C8) * inv * inv * inv + 2.0 * d(C11) + 6.0 * d(C12) * tk - d(C13) * inv * inv};
    }
    return {-d(C1) * inv * inv + d(C3) +
                tk * (2.0 * d(C4) + tk * (3.0 * d(C5) + tk * 4.0 * d(C6))) + d(C7) * inv,
            2.0 * d(C1) * inv * inv * inv + 2.0 * d(C4) + tk * (6.0 * d(C5) + tk * 12.0 * d(C6)) -
                d(C7) * inv * inv};
}

// ln of the saturation pressure at t degC on the water or the ice curve, and its slope: for
// building the solvers' tables.
struct LogPressure {
    double value;
    double slope;  // d ln ps / dT, 1/K
};

LogPressure logSaturationPressureOn(bool water, double t) {
    const double tk = t + d(kelvinOffset);
    const double inv = 1.0 / tk;
    const double value = water ? d(C8) * inv + d(C9) + tk * (d(C10) + tk * (d(C11) + tk * d(C12))) +
                                     d(C13) * std::log(tk)
                               : d(C1) * inv + d(C2) +
                                     tk * (d(C3) + tk * (d(C4) + tk * (d(C5) + tk * d(C6)))) +
                                     d(C7) * std::log(tk);
    return {value, logSaturationPressureSlopes(water, t).slope};
}

// --- Bisection steps on the integer image of single-precision values ---
//
// Within one binade (and up to the power of two that ends it) single-precision values are
// equally spaced, and their bit patterns, read as integers, count those steps. The rounded
// midpoint (lo + hi) * 0.5f of two such values is then the integer midpoint of their patterns,
// rounded half to even, and the comparisons of the bisection are integer comparisons: the loop
// runs on integers, with conditional moves where the processor would otherwise guess.
// Negative values are mirrored (their key is minus the pattern of their magnitude); rounding
// half to even is symmetric, so the same midpoint rule holds for them.
using Key = std::int64_t;

// Without branches: the sign of the values changes from one call to the next.
Key keyOf(float x) {
    const std::int32_t bits = std::bit_cast<std::int32_t>(x);
    const Key sign = Key{bits >> 31};  // all ones when negative
    return (Key{bits & 0x7fffffff} ^ sign) - sign;
}

float valueOf(Key k) {
    const Key sign = k >> 63;
    const auto magnitude = static_cast<std::uint32_t>((k ^ sign) - sign);
    return std::bit_cast<float>(magnitude | (static_cast<std::uint32_t>(sign) & 0x80000000u));
}

// hi = kmid where `upper` is all ones, else lo = kmid: with masks, which compilers leave as
// they stand, where they would turn a conditional expression into a branch on a coin toss.
void narrowKeys(Key upper, Key kmid, Key& lo, Key& hi) {
    hi ^= (hi ^ kmid) & upper;
    lo ^= (lo ^ kmid) & ~upper;
}

// The midpoint of two keys from their sum: half the sum, a tie going up when the lower
// neighbour is odd.
Key keyMidpoint(Key sum) {
    return (sum + ((sum >> 1) & 1)) >> 1;
}

// The smallest sum of two keys whose midpoint is k or above: a midpoint's side of a bound is
// known from the sum alone, before the midpoint itself.
Key firstSumReaching(Key k) {
    return 2 * k - ((k - 1) & 1);
}

// True when lo < hi are normal values of one sign whose magnitudes lie in one binade, the
// larger one possibly the power of two that closes it: then keyMidpoint gives the rounded
// midpoint of any two values between them, and a difference of keys times spacing() is the
// exact difference of the values.
inline bool equallySpaced(float lo, float hi) {
    const std::uint32_t a = std::bit_cast<std::uint32_t>(lo);
    const std::uint32_t b = std::bit_cast<std::uint32_t>(hi);
    if ((a ^ b) >> 31 != 0) return false;  // of different signs
    const std::uint32_t small = std::min(a & 0x7fffffffu, b & 0x7fffffffu);
    const std::uint32_t large = std::max(a & 0x7fffffffu, b & 0x7fffffffu);
    const std::uint32_t exponent = small >> 23;
    if (exponent == 0 || exponent >= 0xfe) return false;  // zero, subnormal, huge or not finite
    return (large >> 23) == exponent || large == (exponent + 1) << 23;
}

// The largest number of spacings between equally spaced values from lo to hi whose
// difference does not exceed `width`.
Key spacingsWithin(float lo, float hi, double width) {
    const std::uint32_t exponent = std::min(std::bit_cast<std::uint32_t>(lo) & 0x7fffffffu,
                                            std::bit_cast<std::uint32_t>(hi) & 0x7fffffffu) >>
                                   23;
    // width / 2^(exponent - 127 - 23), exactly: a product by a power of two built as a double
    // (exponent bias 1023).
    const double perSpacing =
        std::bit_cast<double>(static_cast<std::uint64_t>(1023 + 127 + 23 - exponent) << 52);
    return static_cast<Key>(width * perSpacing);  // positive: truncation is the floor
}

bool usableRoot(double root) {
    return std::isfinite(root) && root > kLowestKnown && root < kHighestKnown &&
           std::fabs(root - kSwitch) > kNearSwitch;
}

// The temperature at which ln ps = lnPv on one curve, by Newton's method to the last bits of
// a double, from the inverted Magnus-Tetens estimate: slow, for building the table below.
double saturationTemperatureOn(bool water, double lnPv) {
    const double L = lnPv / std::log(10.0);
    double t = (35.85 * L - 2148.496) / (L - 10.2858) - 273.15;
    for (int i = 0; i < 100; ++i) {
        const LogPressure lp = logSaturationPressureOn(water, t);
        const double step = (lp.value - lnPv) / lp.slope;
        t -= step;
        if (std::fabs(step) < 1e-13) break;
    }
    return t;
}

// Quartic pieces of a smooth function, each the polynomial in x (-1 .. 1 across its piece)
// through the function's values at the Chebyshev nodes of [from, to], a part of the piece.
constexpr int kPieceDegree = 4;
using PieceCoefficients = std::array<double, kPieceDegree + 1>;

template <typename F>
PieceCoefficients interpolate(double from, double to, F value) {
    // A Vandermonde system, solved by elimination with partial pivoting.
    constexpr int n = kPieceDegree + 1;
    double a[n][n + 1];
    for (int i = 0; i < n; ++i) {
        const double node = std::cos(3.14159265358979323846 * (i + 0.5) / n);
        const double x = from + (node + 1.0) * 0.5 * (to - from);
        double power = 1.0;
        for (int j = 0; j < n; ++j, power *= x)
            a[i][j] = power;
        a[i][n] = value(x);
    }
    for (int c = 0; c < n; ++c) {
        int pivot = c;
        for (int r = c + 1; r < n; ++r)
            if (std::fabs(a[r][c]) > std::fabs(a[pivot][c])) pivot = r;
        for (int j = 0; j <= n; ++j)
            std::swap(a[c][j], a[pivot][j]);
        for (int r = 0; r < n; ++r) {
            if (r == c) continue;
            const double factor = a[r][c] / a[c][c];
            for (int j = c; j <= n; ++j)
                a[r][j] -= factor * a[c][j];
        }
    }
    PieceCoefficients out{};
    for (int i = 0; i < n; ++i)
        out[static_cast<std::size_t>(i)] = a[i][n] / a[i][i];
    return out;
}

[[gnu::always_inline]] inline double evaluate(const PieceCoefficients& c, double x) {
    return c[0] + x * (c[1] + x * (c[2] + x * (c[3] + x * c[4])));
}

// The derivative in x.
[[gnu::always_inline]] inline double derivative(const PieceCoefficients& c, double x) {
    return c[1] + x * (2.0 * c[2] + x * (3.0 * c[3] + x * 4.0 * c[4]));
}

// The root of the dew-point relation as a function of the vapour pressure, without a
// logarithm: quartic pieces over sixteenths of each binade of pressures from 1 Pa to 512 kPa
// (about 150 degC), found from the bits of the pressure. Each interpolates the root at the
// Chebyshev nodes of its piece; the piece that holds the pressure of the water/ice switch has
// one polynomial for each curve. The largest error is 8e-9 K, far inside the margin the
// bisections leave for the root.
class DewPointCurve {
  public:
    static constexpr int kPiecesPerBinade = 16;
    static constexpr int kBinades = 19;  // 2^0 .. 2^19 Pa
    static constexpr int kPieces = kPiecesPerBinade * kBinades;

    DewPointCurve() {
        switchPressure_ = std::exp(logSaturationPressureOn(true, kSwitch).value);
        for (int k = 0; k < kPieces; ++k) {
            const auto rootOn = [k](bool water) {
                return [k, water](double x) {
                    return saturationTemperatureOn(water, std::log(pressureAt(k, x)));
                };
            };
            PieceCoefficients& c = coefficients_[static_cast<std::size_t>(k)];
            if (switchPressure_ >= pressureAt(k, -1.0) && switchPressure_ < pressureAt(k, 1.0)) {
                const double atSwitch = positionIn(k, switchPressure_);
                switchPiece_ = k;
                iceAtSwitch_ = interpolate(-1.0, atSwitch, rootOn(false));
                c = interpolate(atSwitch, 1.0, rootOn(true));
            } else {
                c = interpolate(-1.0, 1.0, rootOn(pressureAt(k, -1.0) >= switchPressure_));
            }
        }
    }

    // The root for the vapour pressure pv; false outside 1 Pa .. 512 kPa.
    bool root(double pv, double& t) const {
        const auto bits = std::bit_cast<std::uint64_t>(pv);
        const auto piece = static_cast<std::int64_t>(bits >> (52 - 4)) - (std::int64_t{1023} << 4);
        if (!(piece >= 0 && piece < kPieces)) return false;
        // The position inside the piece, from the remaining 48 bits of the mantissa.
        const double x = static_cast<double>(bits & ((std::uint64_t{1} << 48) - 1)) * 0x1p-47 - 1.0;
        t = evaluate(piece == switchPiece_ && pv < switchPressure_
                         ? iceAtSwitch_
                         : coefficients_[static_cast<std::size_t>(piece)],
                     x);
        return true;
    }

  private:
    // The pressure at position x (-1 .. 1) in piece k, and the inverse.
    static double pressureAt(int k, double x) {
        return std::ldexp(1.0 + ((k % kPiecesPerBinade) + (x + 1.0) * 0.5) / kPiecesPerBinade,
                          k / kPiecesPerBinade);
    }
    static double positionIn(int k, double p) {
        const double binade = std::ldexp(1.0, k / kPiecesPerBinade);
        return (p / binade - 1.0) * kPiecesPerBinade * 2.0 - 2.0 * (k % kPiecesPerBinade) - 1.0;
    }

    double switchPressure_ = 0;
    int switchPiece_ = -1;
    PieceCoefficients iceAtSwitch_{};
    std::array<PieceCoefficients, kPieces> coefficients_{};
};

const DewPointCurve& dewPointCurve() {
    static const DewPointCurve curve;
    return curve;
}

// The saturation pressure in double precision, and its derivative, without a logarithm or an
// exponential: quartic pieces over 1 K from -90 to 150 degC, their ends on the water/ice
// switch, each interpolating exp(ln ps) at the Chebyshev nodes of its piece. The largest
// relative error is 1.3e-10 above -40 degC and 1.8e-9 down to -90 degC, where the saturation
// ratio is tiny: it moves the wet bulb's root by less than 1e-7 K.
class SaturationPressureCurve {
  public:
    static constexpr int kPieces = 240;
    static constexpr double kLowest = kSwitch - 90.0;

    SaturationPressureCurve() {
        for (int k = 0; k < kPieces; ++k) {
            const bool water = kLowest + k >= kSwitch;
            coefficients_[static_cast<std::size_t>(k)] = interpolate(-1.0, 1.0, [&](double x) {
                return std::exp(
                    logSaturationPressureOn(water, kLowest + k + (x + 1.0) * 0.5).value);
            });
        }
    }

    struct Value {
        double ps;     // Pa
        double slope;  // d ps / dT, Pa/K
    };

    // False outside -90 .. 150 degC.
    bool at(double t, Value& out) const {
        const double position = t - kLowest;
        if (!(position >= 0.0 && position < kPieces)) return false;
        const int k = static_cast<int>(position);
        const double x = 2.0 * (position - k) - 1.0;
        const PieceCoefficients& c = coefficients_[static_cast<std::size_t>(k)];
        out = {evaluate(c, x), 2.0 * derivative(c, x)};
        return true;
    }

  private:
    std::array<PieceCoefficients, kPieces> coefficients_{};
};

const SaturationPressureCurve& saturationPressureCurve() {
    static const SaturationPressureCurve curve;
    return curve;
}

// saturationPressure(T) bit for bit, from the table when its value is far enough from the
// middle of two single-precision values to know which one the formula rounds to, and from the
// formula otherwise (about one call in sixty above -40 degC).
float saturationPressureFromTable(float T) {
    const float tk = f(d(T) + d(kelvinOffset));
    const double t = d(tk) - d(kelvinOffset);  // exact: the temperature the formula sees
    SaturationPressureCurve::Value v;
    if ((T >= -0.0606f) == (t >= kSwitch) && saturationPressureCurve().at(t, v)) {
        // The 29 bits a double carries beyond a float: 2^28 is the middle. The margins, in
        // units of the double's last place, are four times the table's error (relative
        // 1.3e-10 above -40 degC, 1.8e-9 down to -90 degC).
        const auto bits = std::bit_cast<std::uint64_t>(v.ps);
        const auto beyond = static_cast<std::int64_t>(bits & ((std::uint64_t{1} << 29) - 1));
        const std::int64_t margin = t > -40.0 ? std::int64_t{1} << 22 : std::int64_t{1} << 26;
        const std::int64_t fromMiddle = beyond - (std::int64_t{1} << 28);
        if (fromMiddle > margin || fromMiddle < -margin) return f(v.ps);
    }
    return saturationPressure(T);
}

// The root of the dew-point relation in double precision, with the slope and curvature of
// ln ps there, when it was found; pv is the vapour pressure it was solved for.
struct DewPointRoot {
    bool known = false;
    double root = 0;
    double slope = 0;
    double curvature = 0;
    float pv = 0;
};

// The dew-point solve up to its bisection: the starting estimate and, when it can be found,
// the root. `done` when the answer is known without a bisection. `failed` tells whether an
// intermediate value stopped being a finite number (a division by zero, the logarithm of a
// non-positive number, an overflow): the dew point then means nothing, and the wet bulb, which
// starts from it, gives up.
struct DewPointStart {
    bool done = false;
    float value = 0;  // the answer when done
    bool failed = false;
    float td0 = 0;
    DewPointRoot root;
};

DewPointStart dewPointStart(float W, float pt) {
    DewPointStart start;
    if (W == 0.0f) {
        start.done = true;
        return start;
    }
    const float pv = vapourPressure(W, pt);
    start.failed = !std::isfinite(pv);
    if (!(pv > 1.0f)) {  // also catches a NaN pressure
        start.done = true;
        start.value = -60.0f;
        return start;
    }
    const double L = std::log10(d(pv));
    const float td0 = f((35.85 * L - 2148.496) / (L - 10.2858) - 273.15);
    if (!std::isfinite(td0)) start.failed = true;
    start.td0 = td0;
    DewPointRoot& root = start.root;
    root.pv = pv;
    root.known = !start.failed && d(td0) > kLowestKnown + 3.0 && d(td0) < kHighestKnown - 3.0 &&
                 dewPointCurve().root(d(pv), root.root) && usableRoot(root.root);
    if (root.known) {
        const LogPressureSlopes slopes =
            logSaturationPressureSlopes(root.root >= kSwitch, root.root);
        root.slope = slopes.slope;
        root.curvature = slopes.curvature;
    }
    return start;
}

// The bisection that ends the dew-point solve. `failed` as for DewPointStart, set also when a
// saturation pressure of the plain bisection is not finite.
float dewPointFinish(const DewPointStart& start, bool& failed) {
    failed = start.failed;
    if (start.done) return start.value;
    const float pv = start.root.pv;
    const float td0 = start.td0;
    const bool known = start.root.known;
    const double root = start.root.root;
    float lo = f(d(td0) - 3.0);
    float hi = f(d(td0) + 3.0);
    float mid = td0;
    if (known) {
        // The midpoints far from the root, decided on single-precision bounds. Halving the
        // single-precision sum of two floats rounds exactly as halving their exact sum does,
        // so the midpoints are those of the plain bisection, without its conversions.
        const float decidedAbove = f(root + kDecided);
        const float decidedBelow = f(root - kDecided);
        int step = 0;
        for (; step < kMaxDewPointSteps && !equallySpaced(lo, hi); ++step) {
            mid = (lo + hi) * 0.5f;
            bool above = mid > decidedAbove;
            const bool undecided = !above & !(mid < decidedBelow);
            if (undecided) above = saturationPressureFromTable(mid) >= pv;
            hi = above ? mid : hi;
            lo = above ? lo : mid;
            if (std::fabs(d(hi) - d(lo)) <= 0.001) return mid;
        }
        if (step == kMaxDewPointSteps) return mid;
        const Key sumBelow = firstSumReaching(keyOf(decidedBelow));
        const Key sumAbove = firstSumReaching(keyOf(decidedAbove) + 1);
        const Key narrow = spacingsWithin(lo, hi, 0.001);
        Key klo = keyOf(lo);
        Key khi = keyOf(hi);
        Key kmid = 0;
        for (; step < kMaxDewPointSteps; ++step) {
            const Key sum = klo + khi;
            kmid = keyMidpoint(sum);
            Key upper = (sumAbove - 1 - sum) >> 63;  // all ones when the midpoint is above
            if (upper == 0 && sum >= sumBelow)
                upper = -Key{saturationPressureFromTable(valueOf(kmid)) >= pv};
            narrowKeys(upper, kmid, klo, khi);
            if (khi - klo <= narrow) break;
        }
        return valueOf(kmid);
    }
    for (int step = 0; step < kMaxDewPointSteps; ++step) {
        mid = f((d(lo) + d(hi)) * 0.5);
        const float ps = saturationPressure(mid);
        if (!std::isfinite(ps)) failed = true;
        if (ps >= pv) {
            hi = mid;
        } else {
            lo = mid;
        }
        if (std::fabs(d(hi) - d(lo)) <= 0.001) break;
    }
    return mid;
}

// The wet bulb implied by the saturation ratio at t, in double precision: the relation whose
// fixed point the wet-bulb bisection brackets.
struct ImpliedWetBulb {
    double value;
    double slope;  // d value / dt
};

// 1 / (pt - ps) and 1 / (cpa + cw W - (cw - cpv) ws) with ws = epsilon ps / (pt - ps), the
// two denominators of the implied wet bulb, from one division.
struct Reciprocals {
    double dry;
    double den;
};

Reciprocals reciprocals(double ps, double W, double pt) {
    const double q = pt - ps;
    const double dq = (d(cpa) + d(cw) * W) * q - (d(cw) - d(cpv)) * d(epsilon) * ps;  // den * q
    const double r = 1.0 / (q * dq);
    return {dq * r, q * q * r};
}

// False when t lies outside the saturation-pressure table.
bool impliedWetBulb(double t, double T, double W, double pt, ImpliedWetBulb& out) {
    SaturationPressureCurve::Value saturation;
    if (!saturationPressureCurve().at(t, saturation)) return false;
    const double ps = saturation.ps;
    const Reciprocals r = reciprocals(ps, W, pt);
    const double ws = d(epsilon) * ps * r.dry;
    const double dws = d(epsilon) * pt * saturation.slope * r.dry * r.dry;
    const double n = T * (d(cpa) + d(cpv) * W) + d(hfg) * (W - ws);
    const double inv = r.den;
    const double value = n * inv;
    out = {value, (-d(hfg) + (d(cw) - d(cpv)) * value) * inv * dws};
    return true;
}

// Fixed point of the implied wet bulb between the dew point and T, and the slope there. At
// the dew point the saturation ratio is W itself, so the implied wet bulb is T and the first
// Newton step needs no new saturation pressure. A step below 0.02 K leaves an error below 1e-5 K.
bool wetBulbRoot(float T, float W, float pt, const DewPointRoot& dew, double& root, double& slope) {
    // The implied wet bulb falls monotonically between the dew point and T only while the
    // saturation ratio stays below cpa / (cw - cpv), about 0.43, where its denominator
    // vanishes: up to 60 degC at 500 hPa and above that still holds. Hotter or thinner air is
    // left to the plain bisection, whatever it finds.
    if (!(d(T) > kLowestKnown && d(T) < kHottestMonotone) || !(W >= 0.0f) ||
        !(pt > kThinnestMonotone)) {
        return false;
    }
    if (!dew.known) return false;
    // A Halley step from the dew point, where everything it needs is known already.
    double t = dew.root;
    {
        const double ps = d(dew.pv);
        const Reciprocals r = reciprocals(ps, d(W), d(pt));
        const double dry = r.dry;
        const double ws = d(epsilon) * ps * dry;
        const double L1 = dew.slope;
        const double dws = ws * d(pt) * L1 * dry;
        const double d2ws = ws * d(pt) * dry * dry *
                            ((dew.curvature + L1 * L1) * (d(pt) - ps) + 2.0 * ps * L1 * L1);
        const double c = d(cw) - d(cpv);
        const double n = d(T) * (d(cpa) + d(cpv) * d(W)) + d(hfg) * (d(W) - ws);
        const double value = n * r.den;
        const double tw = (-d(hfg) + c * value) * r.den;
        const double tww = 2.0 * c * tw * r.den;
        const double g = value - t;
        const double g1 = tw * dws - 1.0;
        const double g2 = tww * dws * dws + tw * d2ws;
        const double step = 2.0 * g * g1 / (2.0 * g1 * g1 - g * g2);
        if (std::isfinite(step)) t -= step;
    }
    for (int i = 0; i < 12; ++i) {
        ImpliedWetBulb g;
        if (!impliedWetBulb(t, d(T), d(W), d(pt), g)) return false;
        const double step = (g.value - t) / (g.slope - 1.0);
        const bool waterSide = t >= kSwitch;
        t -= step;
        if (!std::isfinite(t)) return false;
        if (std::fabs(step) < 0.02 && (t >= kSwitch) == waterSide) {
            root = t;
            slope = g.slope;  // at the previous iterate, within 0.02 K: to about 0.5 %
            return usableRoot(root) && std::isfinite(slope) && slope <= 0.0;
        }
    }
    return false;
}

}  // namespace

float dewPoint(float W, float pt) {
    bool failed = false;
    return dewPointFinish(dewPointStart(W, pt), failed);
}

namespace {

// The wet bulb implied by the saturation ratio at the trial temperature m, in single precision
// as the bisection compares it; false when it or the ratio is not a finite number.
bool impliedAt(float m, float T, float W, float pt, float& t) {
    const float ws = humidityRatio(saturationPressureFromTable(m), pt);
    t = wetBulbFromSaturationRatio(ws, W, T);
    return std::isfinite(ws) && std::isfinite(t);
}

// The wet-bulb bisection of [lo, hi] from its first midpoint, every midpoint evaluated.
float wetBulbEvaluated(float T, float W, float pt, float lo, float hi, float mid) {
    for (int step = 0; step < kMaxWetBulbSteps; ++step) {
        const float prev = mid;
        float t = 0;
        if (!impliedAt(mid, T, W, pt, t)) return T;
        const bool rises = t > mid;  // the implied wet bulb lies above mid
        lo = rises ? mid : lo;
        hi = rises ? hi : mid;
        mid = f((d(hi) + d(lo)) * 0.5);
        if (!std::isfinite(mid)) return T;
        if (mid == prev) break;
        // The new midpoint lying near the wet bulb implied by the previous one only means
        // convergence once the bracket is narrow: with a wide bracket it happens by chance,
        // several degrees away from the root. The root stays inside [lo, hi], so a bracket of
        // 0.002 puts the midpoint within 0.001 of it.
        if (d(hi) - d(lo) <= kWetBulbBracket && std::fabs(d(mid) - d(t)) <= 0.001) break;
    }
    return mid;
}

// The same bisection when the root of its relation is known: midpoints farther than kDecided
// from it are decided without evaluation.
float wetBulbNearRoot(float T, float W, float pt, float lo, float hi, float mid, double root,
                      double slope) {
    const float decidedBelow = f(root - kDecided);
    const float decidedAbove = f(root + kDecided);
    // The stop test of a narrow bracket at mid, the midpoint after prev; t is the wet bulb
    // implied at prev when it was evaluated.
    const auto stops = [&](float prev, float mid, bool evaluated, float t) {
        if (!evaluated) {
            // Near the root the implied wet bulb is linear in the trial temperature; it decides
            // the test unless the distance is too close to 0.001 to tell. The single-precision
            // value moves in steps of up to 1.5e-5 K times the slope (the Kelvin temperature is
            // rounded), hence the margin.
            const double estimate = root + slope * (d(prev) - root);
            const double distance = std::fabs(d(mid) - estimate);
            const double margin = 4e-5 + 2.5e-5 * (1.0 - slope);
            if (distance < 0.001 - margin) return true;
            if (distance > 0.001 + margin) return false;
            impliedAt(prev, T, W, pt, t);
        }
        return std::fabs(d(mid) - d(t)) <= 0.001;
    };
    int step = 0;
    // While the bracket spans two binades, in single precision. Every midpoint lies between
    // two finite brackets of -90..150 degC.
    for (; step < kMaxWetBulbSteps && !equallySpaced(lo, hi); ++step) {
        const float prev = mid;
        bool rises = mid < decidedBelow;  // the implied wet bulb lies above mid
        bool evaluated = false;
        float t = 0;
        if (!rises & !(mid > decidedAbove)) {
            if (!impliedAt(mid, T, W, pt, t)) return T;
            rises = t > mid;
            evaluated = true;
        }
        lo = rises ? mid : lo;
        hi = rises ? hi : mid;
        mid = (hi + lo) * 0.5f;
        if (mid == prev) return mid;
        if (d(hi) - d(lo) <= kWetBulbBracket && stops(prev, mid, evaluated, t)) return mid;
    }
    if (step == kMaxWetBulbSteps) return mid;
    // Then on keys: the same midpoints, outcomes and stops.
    const Key sumBelow = firstSumReaching(keyOf(decidedBelow));
    const Key sumAbove = firstSumReaching(keyOf(decidedAbove) + 1);
    const Key narrow = spacingsWithin(lo, hi, kWetBulbBracket);
    Key klo = keyOf(lo);
    Key khi = keyOf(hi);
    Key sum = klo + khi;
    Key kmid = keyOf(mid);
    for (; step < kMaxWetBulbSteps; ++step) {
        const Key kprev = kmid;
        Key rises = (sum - sumBelow) >> 63;  // all ones when the implied wet bulb lies above mid
        bool evaluated = false;
        float t = 0;
        if (rises == 0 && sum < sumAbove) {
            const float m = valueOf(kmid);
            if (!impliedAt(m, T, W, pt, t)) return T;
            rises = -Key{t > m};
            evaluated = true;
        }
        narrowKeys(~rises, kmid, klo, khi);
        sum = klo + khi;
        kmid = keyMidpoint(sum);
        if (kmid == kprev) break;
        if (khi - klo <= narrow && stops(valueOf(kprev), valueOf(kmid), evaluated, t)) break;
    }
    return valueOf(kmid);
}

// The root of the wet-bulb relation, when it can be found, from the dew point's.
struct WetBulbRoot {
    bool known = false;
    double root = 0;
    double slope = 0;
};

WetBulbRoot wetBulbRootOf(float T, float W, float pt, const DewPointStart& dew) {
    WetBulbRoot r;
    r.known = wetBulbRoot(T, W, pt, dew.root, r.root, r.slope);
    return r;
}

// The wet-bulb bisection from the dew point td of (W, pt), computed by the caller.
float wetBulbFrom(float T, float W, float pt, float td, bool failed, const WetBulbRoot& r) {
    // Any arithmetic failure on the way, in the dew point included, gives back T.
    if (failed || !std::isfinite(td) || !std::isfinite(T)) return T;
    const float mid = f((d(T) + d(td)) * 0.5);
    if (T < td) return mid;
    if (r.known) return wetBulbNearRoot(T, W, pt, td, T, mid, r.root, r.slope);
    return wetBulbEvaluated(T, W, pt, td, T, mid);
}

}  // namespace

// The wet bulb's root needs only the dew point's root, not its bisection: it is found first,
// so that the processor can run the dew-point bisection while it waits on that chain of
// divisions and logarithms.
float wetBulb(float T, float W, float pt) {
    if (T == 0.0f && W == 0.0f) return 0.0f;
    const DewPointStart dew = dewPointStart(W, pt);
    const WetBulbRoot root = wetBulbRootOf(T, W, pt, dew);
    bool failed = false;
    const float td = dewPointFinish(dew, failed);
    return wetBulbFrom(T, W, pt, td, failed, root);
}

WetBulbAndDewPoint wetBulbAndDewPoint(float T, float W, float pt) {
    const DewPointStart dew = dewPointStart(W, pt);
    if (T == 0.0f && W == 0.0f) {
        bool failed = false;
        return {0.0f, dewPointFinish(dew, failed)};
    }
    const WetBulbRoot root = wetBulbRootOf(T, W, pt, dew);
    bool failed = false;
    const float td = dewPointFinish(dew, failed);
    return {wetBulbFrom(T, W, pt, td, failed, root), td};
}

float pressureAtAltitude(float z) {
    return f(seaLevelPressure * std::pow(1.0 - 2.25577e-5 * d(z), 5.2559));
}

float humidityRatioFromEnthalpy(float T, float h) {
    return f((d(h) - d(cpa) * d(T)) / (d(cpv) * d(T) + d(hfg)));
}

float temperatureFromEnthalpy(float W, float h) {
    return f((d(h) - d(hfg) * d(W)) / (d(cpv) * d(W) + d(cpa)));
}

float humidityRatioFromVolume(float T, float v, float pt) {
    return f(d(epsilon) * (d(v) * d(pt) / (rAir * (d(T) + d(kelvinOffset))) - 1.0));
}

float temperatureFromVolume(float W, float v, float pt) {
    const float pv = vapourPressure(W, pt);
    return f((d(pt) - d(pv)) * d(v) * (1.0 / rAir) - d(kelvinOffset));
}

float temperatureFromVolumeAndVapourPressure(float v, float pv, float pt) {
    return temperatureFromVolume(humidityRatio(pv, pt), v, pt);
}

float humidityRatioFromWetBulb(float T, float Twb, float Ws) {
    return f((d(cpa) * (d(Twb) - d(T)) + d(Ws) * (d(hfg) - (d(cw) - d(cpv)) * d(Twb))) /
             (d(hfg) + d(cpv) * d(T) - d(cw) * d(Twb)));
}

float wetBulbFromSaturationRatio(float Ws, float W, float T) {
    return f((d(T) * (d(cpa) + d(cpv) * d(W)) + d(hfg) * (d(W) - d(Ws))) /
             (d(cpa) + d(cw) * d(W) - (d(cw) - d(cpv)) * d(Ws)));
}

float temperatureFromWetBulb(float Twb, float W, float Ws) {
    return f(
        (d(Twb) * (d(cpa) + d(cw) * d(W) - (d(cw) - d(cpv)) * d(Ws)) - d(hfg) * (d(W) - d(Ws))) /
        (d(cpa) + d(cpv) * d(W)));
}

}  // namespace climstat::psychro
