#include "core/number_text.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/errors.h"

namespace climstat {
namespace {

TEST(NumberText, FixedNotationRoundsToPrecisionThenPadsDecimals) {
    EXPECT_EQ(numberText(1234.567, 5, 2), "1234.60");
    EXPECT_EQ(numberText(1234.567, 5, 2, ','), "1234,60");
    EXPECT_EQ(numberText(33.0 + 0.4 / 0.6, 15, 1), "33.7");
    EXPECT_EQ(numberText(-3.25, 15, 1), "-3.3");  // half away from zero
    EXPECT_EQ(numberText(2.5, 15, 0), "3");
    EXPECT_EQ(numberText(0.125, 15, 2), "0.13");
    EXPECT_EQ(numberText(0.0, 15, 2), "0.00");
    EXPECT_EQ(numberText(-0.001, 15, 2), "0.00");  // no "-0.00"
    EXPECT_EQ(numberText(0.006, 15, 2), "0.01");
    EXPECT_EQ(numberText(0.0004, 15, 2), "0.00");
    EXPECT_EQ(numberText(9.999, 15, 2), "10.00");
    EXPECT_EQ(numberText(99.96, 3, 1), "100.0");
    EXPECT_EQ(numberText(12.0, 15, 0), "12");
    EXPECT_EQ(numberText(0.5, 15, 3), "0.500");
}

TEST(NumberText, SinglePrecisionValuesShowTheirRoundedDigits) {
    EXPECT_EQ(numberText(20.1f, 15, 1), "20.1");
    EXPECT_EQ(numberText(0.014696f, 15, 6), "0.014696");
    EXPECT_EQ(numberText(93564.6f, 15, 1), "93564.6");
}

TEST(NumberText, IntegerPartLongerThanPrecisionTurnsScientific) {
    EXPECT_EQ(numberText(123456.0, 5, 2), "1.2346E5");
    EXPECT_EQ(numberText(-123456.0, 5, 0, ','), "-1,2346E5");
    EXPECT_EQ(numberText(100000.0, 5, 0), "1E5");
    EXPECT_EQ(numberText(99999.0, 5, 0), "99999");
    EXPECT_EQ(numberText(99999.6, 5, 0), "1E5");
}

TEST(NumberText, DecimalsAndPrecisionCombine) {
    EXPECT_EQ(numberText(0.000123456, 3, 8), "0.00012300");  // significant digits first
    EXPECT_EQ(numberText(0.000123456, 15, 5), "0.00012");    // then decimals
    EXPECT_EQ(numberText(-0.000123456, 15, 3), "0.000");     // rounds to an unsigned zero
    EXPECT_EQ(numberText(-0.0005, 15, 3), "-0.001");         // half away from zero
    EXPECT_EQ(numberText(987.65, 3, 1), "988.0");
    EXPECT_EQ(numberText(987.65, 3, 0, ','), "988");  // no separator at D = 0
    EXPECT_EQ(numberText(987.65, 2, 1), "9.9E2");     // three integer digits need P >= 3
    EXPECT_EQ(numberText(1e-300, 15, 2), "0.00");
    EXPECT_EQ(numberText(-12.5, 15, 2, ','), "-12,50");
}

TEST(NumberText, ScientificFormKeepsPrecisionAndSeparator) {
    EXPECT_EQ(numberText(1.5e20, 15, 2), "1.5E20");
    EXPECT_EQ(numberText(-2.345e7, 3, 1, ','), "-2,35E7");
    EXPECT_EQ(numberText(1234.0, 3, 0), "1.23E3");
}

TEST(NumberText, NonFiniteValuesAreNamed) {
    EXPECT_EQ(numberText(std::nan(""), 15, 2), "NAN");
    EXPECT_EQ(numberText(HUGE_VAL, 15, 2), "INF");
    EXPECT_EQ(numberText(-HUGE_VAL, 15, 2), "-INF");
}

TEST(NumberText, IntegersAreBareDecimal) {
    EXPECT_EQ(integerText(0), "0");
    EXPECT_EQ(integerText(-96360), "-96360");
    EXPECT_EQ(integerText(8760), "8760");
}

TEST(ParseDecimal, AcceptsPlainNumbersWithTheGivenSeparator) {
    EXPECT_DOUBLE_EQ(parseDecimal("25", '.'), 25.0);
    EXPECT_DOUBLE_EQ(parseDecimal(" -2.5 ", '.'), -2.5);
    EXPECT_DOUBLE_EQ(parseDecimal("2,5", ','), 2.5);
    EXPECT_DOUBLE_EQ(parseDecimal("+1e3", '.'), 1000.0);
    EXPECT_DOUBLE_EQ(parseDecimal(".5", '.'), 0.5);
    EXPECT_DOUBLE_EQ(parseDecimal("1E-400", '.'), 0.0);
}

TEST(ParseDecimal, RejectsAnythingElseWithTheUsersMessage) {
    for (const char* text : {"", "abc", "2.5", "1e", "1e400", "nan", "inf", "1 2", "--1", ","}) {
        try {
            parseDecimal(text, ',');
            ADD_FAILURE() << "accepted '" << text << "'";
        } catch (const ConversionError& e) {
            EXPECT_EQ(e.text(), text);
            EXPECT_EQ(std::string(e.what()),
                      std::string("'") + text + "' is not a valid floating point value");
        }
    }
}

TEST(ParseDecimal, AnyCharacterCanBeTheSeparator) {
    EXPECT_DOUBLE_EQ(parseDecimal("0,0155", ','), 0.0155);
    EXPECT_DOUBLE_EQ(parseDecimal("-1,5E-2", ','), -0.015);
    EXPECT_DOUBLE_EQ(parseDecimal("7", ','), 7.0);
    EXPECT_THROW(parseDecimal("1,5", '.'), ConversionError);
    EXPECT_THROW(parseDecimal("1,5,0", ','), ConversionError);
}

TEST(LeadingNumber, TakesTheLongestLeadingDecimalNumber) {
    EXPECT_FLOAT_EQ(leadingNumber("12.5"), 12.5f);
    EXPECT_FLOAT_EQ(leadingNumber("-0.3abc"), -0.3f);
    EXPECT_FLOAT_EQ(leadingNumber("7e"), 7.0f);
    EXPECT_FLOAT_EQ(leadingNumber("1.5e2x"), 150.0f);
    EXPECT_FLOAT_EQ(leadingNumber("12,5"), 12.0f);
    EXPECT_FLOAT_EQ(leadingNumber("abc"), 0.0f);
    EXPECT_FLOAT_EQ(leadingNumber("nan"), 0.0f);
    EXPECT_FLOAT_EQ(leadingNumber("inf"), 0.0f);
    EXPECT_FLOAT_EQ(leadingNumber("-"), 0.0f);
    EXPECT_FLOAT_EQ(leadingNumber("1e999"), 0.0f);
    EXPECT_FLOAT_EQ(leadingNumber("1e39"), 0.0f);  // does not fit a float
    EXPECT_FLOAT_EQ(leadingNumber("+.5"), 0.5f);
    EXPECT_FLOAT_EQ(leadingNumber("0x1A"), 0.0f);  // no hexadecimal
    EXPECT_FLOAT_EQ(leadingNumber("1e-50"), 0.0f);
    EXPECT_FALSE(leadingNumberOrNothing("x1").has_value());
    EXPECT_FALSE(leadingNumberOrNothing("").has_value());
    EXPECT_FALSE(leadingNumberOrNothing("-inf").has_value());
    EXPECT_FALSE(leadingNumberOrNothing("NaN").has_value());
}

}  // namespace
}  // namespace climstat
