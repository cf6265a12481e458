#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace climstat {

// The one number-to-text conversion of grids, labels and exported values. The value is rounded
// (half away from zero) to at most `precision` significant digits and to `decimals` decimals and
// written in fixed notation: "-" for negative values, at least one digit before the separator,
// exactly `decimals` digits after it, no separator when decimals is 0. A value whose integer part
// needs more than `precision` digits is written in scientific form instead ("1.2346E5"). A value
// that rounds to zero carries no sign. Non-finite values are written "NAN", "INF" or "-INF".
std::string numberText(double value, int precision, int decimals, char decimalSeparator = '.');

// Integers in plain decimal with a leading "-" when negative.
std::string integerText(long long value);

// Converts the text of an edit to a number: optional blanks, an optional sign, digits with at
// most one `decimalSeparator`, an optional exponent ("E" or "e", optional sign, digits), optional
// blanks. Anything else, an empty text included, throws ConversionError carrying the text.
double parseDecimal(std::string_view text, char decimalSeparator);

// Reads the longest leading plain decimal number of a token of a data file (sign, digits,
// point, exponent; the point is the separator). A token without one, or whose number does not
// fit a float ("nan", "inf", "1e999"), gives 0.
float leadingNumber(std::string_view token);

// The same, but says when the token holds no number at all.
std::optional<double> leadingNumberOrNothing(std::string_view token);

// The longest leading plain decimal number of a token as a double, however large it is: one
// beyond the range of a double gives an infinity of its sign. Empty when the token holds none.
std::optional<double> leadingNumberValue(std::string_view token);

// The decimal separator of the user's regional settings, taken from the C library's locale
// after setlocale(LC_NUMERIC, ""); '.' when it cannot be told.
char localeDecimalSeparator();

}  // namespace climstat
