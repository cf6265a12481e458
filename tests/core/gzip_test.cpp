// The gzip reader against files made by the system's gzip at test time, and against damaged,
// cut and oversized input.

#include "core/gzip.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>

#include "core/errors.h"
#include "support/test_data.h"

namespace climstat {
namespace {

namespace fs = std::filesystem;

class GzipTest : public testing::Test {
  protected:
    void SetUp() override {
        if (std::system("gzip --version > /dev/null 2>&1") != 0) GTEST_SKIP() << "no gzip";
        dir_ = test::makeTempDir("gzip");
    }
    void TearDown() override {
        if (!dir_.empty()) fs::remove_all(dir_);
    }

    // The bytes the system's gzip makes of `content` with the given options.
    std::string gzipOf(const std::string& content, const std::string& options) {
        const std::string plain = dir_ + "/plain";
        test::writeBytes(plain, content);
        const std::string command = "gzip -c " + options + " " + plain + " > " + plain + ".gz";
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
        return test::readBytes(plain + ".gz");
    }

    std::string dir_;
};

std::string sampleText() {
    std::string text;
    for (int i = 0; i < 20000; ++i)
        text += "2003 01 01 " + std::to_string(i % 24) + "   " + std::to_string(i % 317) +
                "    89 10223   270    41     4 -9999 -9999\n";
    return text;
}

std::string randomBytes(std::size_t n) {
    std::mt19937 random(7);
    std::string bytes(n, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random() & 0xFF);
    return bytes;
}

TEST_F(GzipTest, ReadsWhatTheSystemsGzipWrites) {
    const std::string text = sampleText();
    for (const char* options : {"-1", "-6", "-9", "-n -9"}) {
        EXPECT_EQ(gunzip(gzipOf(text, options), "x.gz", 1 << 26), text) << options;
    }
    // Incompressible bytes go into stored blocks; an empty file is a member of nothing.
    const std::string noise = randomBytes(200000);
    EXPECT_EQ(gunzip(gzipOf(noise, "-6"), "x.gz", 1 << 26), noise);
    EXPECT_EQ(gunzip(gzipOf("", "-6"), "x.gz", 1 << 26), "");
    // Long runs (matches of 258 bytes at distance 1) and members one after another.
    const std::string zeros(300000, '\0');
    const std::string both = gzipOf(zeros, "-9") + gzipOf("tail\n", "-1");
    EXPECT_EQ(gunzip(both, "x.gz", 1 << 26), zeros + "tail\n");
    EXPECT_TRUE(isGzip(both));
    EXPECT_FALSE(isGzip("1997 01 01 00"));
}

ErrorKind kindOf(const std::string& bytes, std::size_t max = 1 << 26) {
    try {
        gunzip(bytes, "x.gz", max);
    } catch (const DataFileError& e) {
        EXPECT_EQ(e.path(), "x.gz");
        return e.kind();
    }
    return ErrorKind::Other;
}

TEST_F(GzipTest, DamagedCutAndOversizedDataAreRefused) {
    const std::string good = gzipOf(sampleText(), "-6");
    // Every cut gives an error, never a crash or a wrong content.
    for (std::size_t size = 0; size < good.size(); size += good.size() / 40 + 1)
        EXPECT_EQ(kindOf(good.substr(0, size)), ErrorKind::GzipCorrupt) << size;
    // A changed byte in the middle is caught at the latest by the CRC.
    for (std::size_t at : {good.size() / 3, good.size() / 2, good.size() - 6}) {
        std::string bad = good;
        bad[at] = static_cast<char>(bad[at] ^ 0x10);
        EXPECT_EQ(kindOf(bad), ErrorKind::GzipCorrupt) << at;
    }
    std::string garbageAfter = good + "x";
    EXPECT_EQ(kindOf(garbageAfter), ErrorKind::GzipCorrupt);
    EXPECT_EQ(gunzip(good + std::string(8, '\0'), "x.gz", 1 << 26), sampleText());
    // A small file that unpacks to much more than allowed stops at the limit.
    const std::string bomb = gzipOf(std::string(8 << 20, 'a'), "-9");
    EXPECT_LT(bomb.size(), 100000u);
    EXPECT_EQ(kindOf(bomb, 1 << 20), ErrorKind::TooLargeUnpacked);
}

}  // namespace
}  // namespace climstat
