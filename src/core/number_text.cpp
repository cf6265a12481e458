#include "core/number_text.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

#include "core/errors.h"

namespace climstat {

namespace {

// Exact-enough decimal digits of |value|: 40 significant digits and the decimal exponent of the
// first one, so that rounding half away from zero at any position up to 35 digits is decided on
// digits that the binary value really has.
struct DecimalDigits {
    std::string digits;  // significant digits, first one non-zero
    int exponent = 0;    // value = 0.d1d2d3... * 10^(exponent + 1)
};

DecimalDigits decimalDigits(double magnitude) {
    char buffer[64];
    auto result =
        std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific, 39);
    std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    DecimalDigits out;
    std::size_t ePos = text.find('e');
    for (std::size_t i = 0; i < ePos; ++i) {
        if (text[i] != '.') out.digits.push_back(text[i]);
    }
    std::from_chars(text.data() + ePos + (text[ePos + 1] == '+' ? 2 : 1), text.data() + text.size(),
                    out.exponent);
    return out;
}

// Keeps `keep` significant digits of `d`, rounding half away from zero; may carry into a new
// leading digit, which raises the exponent. keep <= 0 rounds to either zero or one unit.
DecimalDigits roundDigits(const DecimalDigits& d, int keep) {
    DecimalDigits out;
    if (keep < 0) return out;  // far below the last kept position: zero
    bool up = keep < static_cast<int>(d.digits.size()) && d.digits[keep] >= '5';
    out.digits = d.digits.substr(0, static_cast<std::size_t>(keep));
    out.exponent = d.exponent;
    if (up) {
        int i = keep - 1;
        while (i >= 0 && out.digits[i] == '9') {
            out.digits[i] = '0';
            --i;
        }
        if (i >= 0) {
            ++out.digits[i];
        } else {
            // Every kept digit was a 9, or none was kept: a new leading 1 followed by zeros.
            out.digits.assign(static_cast<std::size_t>(keep > 0 ? keep : 1), '0');
            out.digits[0] = '1';
            ++out.exponent;
        }
    }
    while (!out.digits.empty() && out.digits.back() == '0')
        out.digits.pop_back();
    if (out.digits.empty()) out.exponent = 0;
    return out;
}

std::string scientificText(const DecimalDigits& d, bool negative, char separator) {
    std::string out = negative ? "-" : "";
    out += d.digits[0];
    if (d.digits.size() > 1) {
        out += separator;
        out.append(d.digits, 1, std::string::npos);
    }
    out += 'E';
    out += std::to_string(d.exponent);
    return out;
}

}  // namespace

namespace {

// The common case in exact integer arithmetic: a value of 1e-4 .. 1e15 whose integer part fits
// the precision. The value is m * 2^k exactly (m an integer of 53 bits); its decimal exponent
// and its rounding half away from zero at q decimals are decided on integers of 128 bits, so
// the digits are those of the exact value, as the long way below gives them. Returns false
// when the value needs the long way (scientific notation, rounding to zero or one unit).
__extension__ typedef unsigned __int128 Wide;

constexpr std::uint64_t kPowersOfTen[20] = {1ULL,
                                            10ULL,
                                            100ULL,
                                            1000ULL,
                                            10000ULL,
                                            100000ULL,
                                            1000000ULL,
                                            10000000ULL,
                                            100000000ULL,
                                            1000000000ULL,
                                            10000000000ULL,
                                            100000000000ULL,
                                            1000000000000ULL,
                                            10000000000000ULL,
                                            100000000000000ULL,
                                            1000000000000000ULL,
                                            10000000000000000ULL,
                                            100000000000000000ULL,
                                            1000000000000000000ULL,
                                            10000000000000000000ULL};

// Whether m * 2^k >= 10^e, for -4 <= e <= 15 and -70 <= k <= 0 (the products fit 128 bits).
bool atLeastPowerOfTen(std::uint64_t m, int k, int e) {
    if (e >= 0) return (Wide{m}) >= (Wide{kPowersOfTen[e]} << -k);
    return Wide{m} * kPowersOfTen[-e] >= (Wide{1} << -k);
}

bool fastNumberText(double value, int precision, int decimals, char separator, std::string& out) {
    const double magnitude = std::fabs(value);
    if (!(magnitude >= 1e-4 && magnitude < 1e15) || precision > 17 || decimals > 17) return false;
    const auto bits = std::bit_cast<std::uint64_t>(magnitude);
    const std::uint64_t m = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
    const int k = static_cast<int>(bits >> 52) - 1075;  // magnitude = m * 2^k, k in -66..-3
    if (k > 0) return false;
    // The decimal exponent: floor(e2 log10 2) from the binary exponent e2 (1233 / 4096 is
    // log10 2 closely enough for these exponents), at most one below the true one, settled
    // exactly.
    const int binaryExponent = static_cast<int>(bits >> 52) - 1023;
    int exponent = std::clamp((binaryExponent * 1233) >> 12, -3, 14);
    if (!atLeastPowerOfTen(m, k, exponent)) {
        --exponent;
    } else if (atLeastPowerOfTen(m, k, exponent + 1)) {
        ++exponent;
    }
    if (exponent < -4 || exponent > 14 || !atLeastPowerOfTen(m, k, exponent) ||
        atLeastPowerOfTen(m, k, exponent + 1)) {
        return false;
    }
    const int keep = std::min(precision, exponent + 1 + decimals);
    if (keep <= 0 || exponent + 1 > precision) return false;
    const int q = keep - (exponent + 1);  // decimals at which the value is rounded

    // magnitude * 10^q rounded half away from zero: (m 10^q + 2^(s-1)) >> s with s = -k.
    const Wide scaled = Wide{m} * kPowersOfTen[q];
    const int s = -k;
    const Wide rounded = s == 0 ? scaled : (scaled + (Wide{1} << (s - 1))) >> s;
    if (rounded >= Wide{kPowersOfTen[18]}) return false;
    char digits[24];
    const auto written =
        std::to_chars(digits, digits + sizeof digits, static_cast<std::uint64_t>(rounded));
    auto length = static_cast<int>(written.ptr - digits);
    const int integerDigits = std::max(1, length - q);
    if (integerDigits > precision) return false;  // carried into scientific notation

    out.clear();
    out.reserve(static_cast<std::size_t>(integerDigits + decimals + 2));
    if (std::signbit(value)) out.push_back('-');
    if (length <= q) {
        out.push_back('0');
    } else {
        out.append(digits, static_cast<std::size_t>(length - q));
    }
    if (decimals > 0) {
        out.push_back(separator);
        if (length < q) out.append(static_cast<std::size_t>(q - length), '0');
        const int fromDigit = std::max(0, length - q);
        out.append(digits + fromDigit, static_cast<std::size_t>(length - fromDigit));
        out.append(static_cast<std::size_t>(decimals - q), '0');
    }
    return true;
}

}  // namespace

std::string numberText(double value, int precision, int decimals, char decimalSeparator) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    if (precision < 1) precision = 1;
    if (precision > 30) precision = 30;
    if (decimals < 0) decimals = 0;
    if (decimals > 30) decimals = 30;
    if (std::string fast; fastNumberText(value, precision, decimals, decimalSeparator, fast)) {
        return fast;
    }

    bool negative = std::signbit(value);
    DecimalDigits rounded;
    if (value != 0.0) {
        DecimalDigits exact = decimalDigits(std::fabs(value));
        // The last kept digit is the coarser of the significant-digit and the decimal limits.
        int keepBySignificance = precision;
        int keepByDecimals = exact.exponent + 1 + decimals;
        rounded = roundDigits(exact, std::min(keepBySignificance, keepByDecimals));
    }
    if (rounded.digits.empty()) negative = false;

    if (!rounded.digits.empty() && rounded.exponent + 1 > precision) {
        return scientificText(rounded, negative, decimalSeparator);
    }

    // Fixed notation: integer digits, then exactly `decimals` digits.
    std::string integerPart;
    std::string fraction;
    const int e = rounded.exponent;
    const int n = static_cast<int>(rounded.digits.size());
    if (rounded.digits.empty() || e < 0) {
        integerPart.push_back('0');
    } else {
        for (int i = 0; i <= e; ++i)
            integerPart += i < n ? rounded.digits[i] : '0';
    }
    for (int k = 1; k <= decimals; ++k) {
        int index = e + k;  // digit at 10^-k
        fraction +=
            (!rounded.digits.empty() && index >= 0 && index < n) ? rounded.digits[index] : '0';
    }
    std::string out = negative ? "-" : "";
    out += integerPart;
    if (decimals > 0) {
        out += decimalSeparator;
        out += fraction;
    }
    return out;
}

std::string integerText(long long value) {
    return std::to_string(value);
}

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Length of the plain decimal number at the start of `text` with the given separator, 0 if none.
std::size_t scanNumber(std::string_view text, char separator) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < text.size() && isDigit(text[i]))
        ++i, ++digits;
    if (i < text.size() && text[i] == separator) {
        std::size_t afterPoint = i + 1;
        std::size_t fractionDigits = 0;
        while (afterPoint < text.size() && isDigit(text[afterPoint]))
            ++afterPoint, ++fractionDigits;
        if (digits + fractionDigits > 0) {
            i = afterPoint;
            digits += fractionDigits;
        }
    }
    if (digits == 0) return 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        std::size_t expDigits = 0;
        while (j < text.size() && isDigit(text[j]))
            ++j, ++expDigits;
        if (expDigits > 0) i = j;
    }
    return i;
}

// Converts a scanned number (separator already replaced by '.') independently of the locale.
std::optional<double> convertScanned(std::string_view number) {
    if (!number.empty() && number[0] == '+') number.remove_prefix(1);
    double value = 0;
    auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // Too small underflows to zero; too large is not a usable number.
        std::size_t ePos = number.find_first_of("eE");
        bool negativeExponent =
            ePos != std::string_view::npos && ePos + 1 < number.size() && number[ePos + 1] == '-';
        if (negativeExponent) return 0.0;
        return std::nullopt;
    }
    if (result.ec != std::errc() || result.ptr != number.data() + number.size()) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

double parseDecimal(std::string_view text, char decimalSeparator) {
    std::string_view body = text;
    while (!body.empty() && isBlank(body.front()))
        body.remove_prefix(1);
    while (!body.empty() && isBlank(body.back()))
        body.remove_suffix(1);
    std::size_t length = scanNumber(body, decimalSeparator);
    if (length == 0 || length != body.size()) throw ConversionError(std::string(text));
    std::string normalised(body);
    if (decimalSeparator != '.') {
        for (char& c : normalised) {
            if (c == decimalSeparator) c = '.';
        }
    }
    std::optional<double> value = convertScanned(normalised);
    if (!value) throw ConversionError(std::string(text));
    return *value;
}

std::optional<double> leadingNumberOrNothing(std::string_view token) {
    std::size_t length = scanNumber(token, '.');
    if (length == 0) return std::nullopt;
    std::optional<double> value = convertScanned(token.substr(0, length));
    if (!value || std::fabs(*value) > 3.4028234663852886e38) return std::nullopt;
    return value;
}

std::optional<double> leadingNumberValue(std::string_view token) {
    const std::size_t length = scanNumber(token, '.');
    if (length == 0) return std::nullopt;
    if (std::optional<double> value = convertScanned(token.substr(0, length))) return value;
    const double infinity = std::numeric_limits<double>::infinity();
    return token[0] == '-' ? -infinity : infinity;  // scanned, so only too large to convert
}

float leadingNumber(std::string_view token) {
    return static_cast<float>(leadingNumberOrNothing(token).value_or(0.0));
}

char localeDecimalSeparator() {
    const std::lconv* conv = std::localeconv();
    if (conv != nullptr && conv->decimal_point != nullptr &&
        std::strlen(conv->decimal_point) == 1) {
        return conv->decimal_point[0];
    }
    return '.';
}

}  // namespace climstat
