// Files that are not what they claim: implausible values, endless or special files, and the
// safe replacement of output files.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/errors.h"
#include "core/text_file.h"
#include "data/met_file.h"
#include "data/station_catalogue.h"
#include "data/station_file.h"
#include "data/station_import.h"
#include "support/met_writer.h"
#include "support/test_data.h"

namespace climstat {
namespace {

namespace fs = std::filesystem;

std::string messageOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const DataFileError& error) {
        return error.what();
    }
    return "";
}

class HostileInput : public ::testing::Test {
  protected:
    void SetUp() override { dir = test::makeTempDir("hostile"); }
    void TearDown() override { fs::remove_all(dir); }
    std::string dir;
};

TEST_F(HostileInput, ATypicalYearWithAnImplausibleValueIsRefusedNamingLineAndValue) {
    test::MetText text;
    text.ts = [](int h) { return h == 100 ? 1e9 : 10.0; };
    test::writeBytes(dir + "/hot.met", test::metText(text));
    std::string message = messageOf([&] { readMetFile(dir + "/hot.met"); });
    EXPECT_NE(message.find(dir + "/hot.met"), std::string::npos) << message;
    EXPECT_NE(message.find("line 102"), std::string::npos) << message;  // two header lines
    EXPECT_NE(message.find("1e+09"), std::string::npos) << message;

    text.ts = [](int) { return 10.0; };
    text.w = [](int h) { return h == 8760 ? -0.001 : 0.005; };
    test::writeBytes(dir + "/wet.met", test::metText(text));
    message = messageOf([&] { readMetFile(dir + "/wet.met"); });
    EXPECT_NE(message.find("humidity ratio -0.001"), std::string::npos) << message;

    // Tokens without a number keep their fallback 0 but are counted.
    std::string garbled = test::metText(test::MetText{});
    std::size_t at = garbled.find('\n', garbled.find('\n') + 1) + 1;  // record 1, line 3
    for (int tab = 0; tab < 3; ++tab)
        at = garbled.find('\t', at) + 1;  // its 4th token
    garbled.insert(at, "abc");
    test::writeBytes(dir + "/garbled.met", garbled);
    const MetFileData data = readMetFile(dir + "/garbled.met");
    EXPECT_EQ(data.nonNumberTokens, 1);
    EXPECT_EQ(data.firstNonNumberLine, 3);
    EXPECT_EQ(data.ts[1], 0.0f);
}

TEST_F(HostileInput, PipesDevicesAndFoldersAreRefusedBeforeTheyAreRead) {
    const std::string fifo = dir + "/fifo.met";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_NE(messageOf([&] { readMetFile(fifo); }).find("not a regular file"), std::string::npos);
    EXPECT_NE(messageOf([&] { readMetFile("/dev/zero"); }).find("not a regular file"),
              std::string::npos);
    EXPECT_NE(messageOf([&] { readMetFile(dir); }).find("is a folder"), std::string::npos);

    std::ostringstream trace;
    conversorAEMET reader("", 0, trace);
    HourlyTable table = makeHourlyTable();
    EXPECT_EQ(reader.readHourlyFile(table, fifo, "T"), 1);
    EXPECT_EQ(reader.failure().kind, ErrorKind::NotARegularFile);

    const StationRecord& station = *findStation("3195");
    EXPECT_NE(messageOf([&] {
                  importStationRecords(station, fifo, dir + "/db", '.');
              }).find("not a regular file"),
              std::string::npos);
}

TEST_F(HostileInput, ReplacingKeepsLinksAndPermissionsAndRefusesSpecialFiles) {
    const std::string real = dir + "/real.txt";
    const std::string link = dir + "/link.txt";
    test::writeBytes(real, "old");
    ::chmod(real.c_str(), 0600);
    fs::create_symlink(real, link);
    writeFileReplacing(link, std::string_view("new"));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(test::readBytes(real), "new");
    EXPECT_EQ(fs::status(real).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);

    const std::string fifo = dir + "/out.fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_NE(messageOf([&] {
                  writeFileReplacing(fifo, std::string_view("x"));
              }).find("not a regular file"),
              std::string::npos);
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_NE(messageOf([&] {
                  writeFileReplacing("/dev/full", std::string_view("x"));
              }).find("not a regular file"),
              std::string::npos);
    EXPECT_TRUE(fs::is_character_file("/dev/full"));
    EXPECT_NE(
        messageOf([&] { writeFileReplacing(dir, std::string_view("x")); }).find("is a folder"),
        std::string::npos);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator{}), 3);
}

TEST_F(HostileInput, AStationIsWrittenWholeOrNotAtAll) {
    const StationRecord& station = *findStation("3195");
    test::writeBytes(dir + "/records.csv", "2001-03-04;1;12.5;60\n");
    const std::string db = dir + "/db";
    fs::create_directories(db);
    test::writeBytes(stationFilePath(db, "T", "3195"), "old temperatures");
    fs::create_directories(stationFilePath(db, "H", "3195"));  // the humidity file cannot be
    EXPECT_THROW(importStationRecords(station, dir + "/records.csv", db, '.'), DataFileError);
    EXPECT_EQ(test::readBytes(stationFilePath(db, "T", "3195")), "old temperatures");
    EXPECT_EQ(std::distance(fs::directory_iterator(db), fs::directory_iterator{}), 2);
}

}  // namespace
}  // namespace climstat
