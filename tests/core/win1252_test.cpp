#include "core/win1252.h"

#include <gtest/gtest.h>

namespace climstat {
namespace {

TEST(Windows1252, LatinLettersBecomeSingleBytes) {
    EXPECT_EQ(toWindows1252("A Coruña"),
              "A Coru\xF1"
              "a");
    EXPECT_EQ(toWindows1252("Castellón de la Plana"), "Castell\xF3n de la Plana");
    EXPECT_EQ(toWindows1252("25 ºC"),
              "25 \xBA"
              "C");
    EXPECT_EQ(toWindows1252("plain ASCII;\r\n"), "plain ASCII;\r\n");
}

TEST(Windows1252, TheRangeEightyToNinetyFiveHoldsTypographicCharacters) {
    EXPECT_EQ(toWindows1252("€"), "\x80");
    EXPECT_EQ(toWindows1252("“x”"), "\x93x\x94");
    EXPECT_EQ(toWindows1252("–"), "\x96");
    EXPECT_EQ(toWindows1252("Ÿ"), "\x9F");
}

TEST(Windows1252, WhatItCannotHoldBecomesAQuestionMark) {
    EXPECT_EQ(toWindows1252("α"), "?");             // no Greek letters
    EXPECT_EQ(toWindows1252("😀"), "?");             // four-byte character
    EXPECT_EQ(toWindows1252("a\xC3"), "a?");        // cut-off sequence
    EXPECT_EQ(toWindows1252("\xC3("), "?(");        // continuation byte missing
    EXPECT_EQ(toWindows1252("\x80x"), "?x");        // stray continuation byte
    EXPECT_EQ(toWindows1252("\xC0\xAF"), "?");      // overlong '/'
    EXPECT_EQ(toWindows1252("\xE0\x83\xA9"), "?");  // overlong 'é'
    EXPECT_EQ(toWindows1252("\xED\xA0\x80"), "?");  // surrogate
    EXPECT_EQ(toWindows1252("\xF5\x80\x80\x80"), "?");
    EXPECT_EQ(toWindows1252("\x81"), "?");  // a Windows-1252 byte is not UTF-8
}

TEST(Windows1252, RoundTripsEveryDefinedByte) {
    std::string all;
    for (int b = 1; b < 256; ++b) {
        if (b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D) continue;
        all += static_cast<char>(b);
    }
    EXPECT_EQ(toWindows1252(fromWindows1252(all)), all);
    EXPECT_EQ(fromWindows1252("Jaén"), "JaÃ©n");  // UTF-8 bytes read as two letters each
    EXPECT_EQ(fromWindows1252("Ja\xE9n"), "Jaén");
    EXPECT_EQ(fromWindows1252("\x81"), "?");
}

}  // namespace
}  // namespace climstat
