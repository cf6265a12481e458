// Number text as first written: exact decimal digits of every value, rounded on them. Kept as
// the reference the faster conversion must match character for character.

#include "support/reference_number_text.h"

#include <charconv>
#include <cmath>
#include <string>
#include <string_view>

namespace climstat::test::reference {

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

std::string numberText(double value, int precision, int decimals, char decimalSeparator) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    if (precision < 1) precision = 1;
    if (precision > 30) precision = 30;
    if (decimals < 0) decimals = 0;
    if (decimals > 30) decimals = 30;

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

}  // namespace climstat::test::reference
