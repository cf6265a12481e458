// The .met reader on good files in every published variant and on broken ones, built at run
// time in a temporary folder and named after the case they cover.

#include "data/met_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

#include "core/errors.h"
#include "support/met_writer.h"
#include "support/test_data.h"

namespace climstat {
namespace {

namespace fs = std::filesystem;

class MetFileTest : public testing::Test {
  protected:
    void SetUp() override { dir_ = test::makeTempDir("met"); }
    void TearDown() override { fs::remove_all(dir_); }

    std::string write(const std::string& name, const std::string& text) {
        const std::string path = dir_ + "/" + name;
        test::writeBytes(path, text);
        return path;
    }

    // The message of the DataFileError that reading the file throws.
    std::string failure(const std::string& path) {
        try {
            readMetFile(path);
        } catch (const DataFileError& e) {
            EXPECT_EQ(e.path(), path);
            return e.what();
        }
        ADD_FAILURE() << path << " was read without complaint";
        return "";
    }

    static void expectSynthetic(const MetFileData& data, const test::MetText& o = {}) {
        for (int h = 1; h <= kMetRecords; ++h) {
            ASSERT_EQ(data.ts[h], test::writtenTs(o.ts(h))) << "record " << h;
            ASSERT_EQ(data.w[h], test::writtenW(o.w(h))) << "record " << h;
        }
    }

    std::string dir_;
};

TEST_F(MetFileTest, ZoneFileTakesTheLatitudeFromTheSecondLine) {
    const MetFileData data = readMetFile(write("zone_2013.met", test::metText({})));
    EXPECT_FLOAT_EQ(data.latitude, 40.683331f);  // not the longitude, the third token
    expectSynthetic(data);
}

TEST_F(MetFileTest, CapitalFileTakesTheThirdToken) {
    test::MetText o;
    o.zoneHeader = false;
    o.latitude = 37.37;
    o.longitude = -6.01;
    o.tokensPerRecord = 15;
    o.lineEnd = "\n";
    const MetFileData data = readMetFile(write("capital_2006.met", test::metText(o)));
    EXPECT_FLOAT_EQ(data.latitude, 37.37f);
    expectSynthetic(data, o);
}

TEST_F(MetFileTest, LineEndsExtraColumnsAndTheLastLineBreakDoNotMatter) {
    const MetFileData reference = readMetFile(write("reference.met", test::metText({})));
    test::MetText o;
    o.lineEnd = "\n";
    o.finalLineBreak = false;
    o.tokensPerRecord = 15;
    const MetFileData variant =
        readMetFile(write("unix_line_ends_15_columns_no_final_break.met", test::metText(o)));
    EXPECT_EQ(variant.latitude, reference.latitude);
    EXPECT_EQ(variant.ts, reference.ts);
    EXPECT_EQ(variant.w, reference.w);
}

TEST_F(MetFileTest, WhatFollowsTheLastRecordIsIgnored) {
    const std::string text = test::metText({}) + "1 1 1 99.9 0 0 0 0.5 0 0 0 0 0\r\njunk\r\n\r\n";
    const MetFileData data = readMetFile(write("trailing_lines.met", text));
    expectSynthetic(data);
}

TEST_F(MetFileTest, TokensThatAreNotPlainNumbersReadAsZero) {
    test::MetText o;
    std::string text = test::metText(o);
    // Record 3 (line 5) gets words where its numbers were.
    std::size_t line = 0;
    for (int n = 0; n < 4; ++n)
        line = text.find('\n', line) + 1;
    const std::size_t end = text.find('\n', line);
    text.replace(line, end - line, "1\t1\t3\tnan\tx\t0\t0\tinf\t75\t1\t2\t3\t4\r");
    const MetFileData data = readMetFile(write("record_with_non_numbers.met", text));
    EXPECT_EQ(data.ts[3], 0.0f);
    EXPECT_EQ(data.w[3], 0.0f);
    EXPECT_EQ(data.ts[2], test::writtenTs(o.ts(2)));
    EXPECT_EQ(data.ts[4], test::writtenTs(o.ts(4)));
}

TEST_F(MetFileTest, ValuesBeyondTheBoundsFailHoweverLargeTheyAre) {
    // Beyond single precision, beyond double precision, or longer than any number: a corrupt
    // file, not a 0 with a warning.
    const std::string digits400(400, '7');
    for (const std::string& token :
         {std::string("1e300"), std::string("1e39"), std::string("-1e39"), std::string("3.5e38"),
          std::string("1e999"), digits400}) {
        std::string text = test::metText(test::MetText{});
        const std::size_t line = text.find('\n', text.find('\n') + 1) + 1;  // record 1
        std::size_t at = line;
        for (int tab = 0; tab < 3; ++tab)
            at = text.find('\t', at) + 1;
        text.replace(at, text.find('\t', at) - at, token);
        const std::string message = failure(write("huge_values.met", text));
        EXPECT_NE(message.find("line 3: dry bulb "), std::string::npos) << message;
        EXPECT_NE(message.find("degC is outside -90..70 (record 1)"), std::string::npos);
    }
}

TEST_F(MetFileTest, AHeaderLineMissingOrOfSeveralWordsAndCrOnlyLineEndsAreNamed) {
    const std::string good = test::metText(test::MetText{});
    const std::string noName = good.substr(good.find('\n') + 1);
    EXPECT_NE(failure(write("no_name_line.met", noName)).find("line 2 is already a record"),
              std::string::npos)
        << failure(write("no_name_line.met", noName));
    const std::string noHeader = noName.substr(noName.find('\n') + 1);
    EXPECT_NE(failure(write("no_header.met", noHeader)).find("line 1 is already a record"),
              std::string::npos);

    const MetFileData named = readMetFile(write("long_name.met", "zona de la prueba\n" + noName));
    EXPECT_EQ(named.latitudeNotANumber, "la");
    EXPECT_EQ(named.latitude, 0.0f);
    EXPECT_EQ(readMetFile(write("good.met", good)).latitudeNotANumber, "");

    std::string oldMac = good;
    for (std::size_t at = oldMac.find("\r\n"); at != std::string::npos;
         at = oldMac.find("\r\n", at)) {
        oldMac.erase(at + 1, 1);
    }
    EXPECT_NE(failure(write("cr_only.met", oldMac)).find("lines ended by CR alone"),
              std::string::npos);
}

TEST_F(MetFileTest, MissingFileOrFolder) {
    EXPECT_NE(failure(dir_ + "/missing.met").find("cannot be opened"), std::string::npos);
    EXPECT_NE(failure(dir_).find("folder"), std::string::npos);
}

TEST_F(MetFileTest, EmptyAndHeaderOnlyFiles) {
    EXPECT_NE(failure(write("empty_file.met", "")).find("is empty"), std::string::npos);
    EXPECT_NE(failure(write("blank_lines_only.met", "\r\n \t\r\n")).find("is empty"),
              std::string::npos);
    test::MetText o;
    o.records = 0;
    EXPECT_NE(failure(write("header_only.met", test::metText(o))).find("after 0 of 8760 records"),
              std::string::npos);
    EXPECT_NE(failure(write("half_header.met", "zonaX.met\r\n40.5 -3")).find("header"),
              std::string::npos);
}

TEST_F(MetFileTest, TruncatedFileSaysHowManyRecordsWereRead) {
    test::MetText o;
    o.records = 100;
    const std::string message = failure(write("hundred_records.met", test::metText(o)));
    EXPECT_NE(message.find("hundred_records.met"), std::string::npos);
    EXPECT_NE(message.find("100 of 8760 records"), std::string::npos);
    o.records = 8759;
    o.finalLineBreak = false;
    EXPECT_NE(failure(write("one_short.met", test::metText(o))).find("8759 of 8760"),
              std::string::npos);
}

TEST_F(MetFileTest, ShortRecordLineIsAnErrorNotADrift) {
    std::string text = test::metText({});
    // Line 53 (record 51) keeps only two tokens.
    std::size_t line = 0;
    for (int n = 0; n < 52; ++n)
        line = text.find('\n', line) + 1;
    text.replace(line, text.find('\n', line) - line, "1 3\r");
    const std::string message = failure(write("line_with_two_tokens.met", text));
    EXPECT_NE(message.find("line 53"), std::string::npos) << message;
    EXPECT_NE(message.find("50 of 8760 records"), std::string::npos) << message;
}

TEST_F(MetFileTest, FiftyMegabytesOfGarbageEndQuickly) {
    std::mt19937 random(7);
    std::string bytes(50u << 20, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random() & 0xFF);
    // Random bytes hold line breaks about every 256 bytes and many tokens per line: the reader
    // takes whatever leading numbers it finds, or refuses a short line.
    const std::string path = write("garbage_50mb.bin", bytes);
    try {
        readMetFile(path);
    } catch (const DataFileError& e) {
        EXPECT_NE(std::string(e.what()).find(path), std::string::npos);
    }
    // Without a single line break it is one endless header line.
    for (char& c : bytes) {
        if (c == '\n' || c == '\r') c = ' ';
    }
    EXPECT_NE(failure(write("garbage_50mb_one_line.bin", bytes)).find("line 1"), std::string::npos);
}

}  // namespace
}  // namespace climstat
