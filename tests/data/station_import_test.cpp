#include "data/station_import.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/errors.h"
#include "data/station_file.h"
#include "support/test_data.h"

namespace climstat {
namespace {

namespace fs = std::filesystem;

TEST(StationImport, WritesBothFilesOrNothing) {
    const std::string dir = test::makeTempDir("import");
    const StationRecord& station = *findStation("3195");
    test::writeBytes(dir + "/good.csv", "2001-03-04;1;12.5;60\n2001-03-04;2;;61\n");
    const StationImport good = importStationRecords(station, dir + "/good.csv", dir + "/db", '.');
    EXPECT_TRUE(good.written);
    EXPECT_TRUE(fs::exists(stationFilePath(dir + "/db", "T", "3195")));
    EXPECT_TRUE(fs::exists(stationFilePath(dir + "/db", "H", "3195")));

    test::writeBytes(dir + "/bad.csv", "2001-03-04;1;12.5;60\n2001-03-04;25;12.5;60\n");
    const StationImport bad = importStationRecords(station, dir + "/bad.csv", dir + "/db2", '.');
    EXPECT_FALSE(bad.written);
    ASSERT_EQ(bad.records.errors.size(), 1u);
    EXPECT_EQ(bad.records.errors[0].line, 2);
    EXPECT_FALSE(fs::exists(dir + "/db2"));

    test::writeBytes(dir + "/empty.csv", "\n\n");
    EXPECT_FALSE(importStationRecords(station, dir + "/empty.csv", dir + "/db3", '.').written);
    EXPECT_THROW(importStationRecords(station, dir + "/missing.csv", dir + "/db", '.'),
                 DataFileError);
    EXPECT_THROW(importStationRecords(station, dir, dir + "/db", '.'), DataFileError);
    fs::remove_all(dir);
}

TEST(StationImport, GoesToTheUserFolderWhenTheDataFolderCannotBeWritten) {
    const std::string dir = test::makeTempDir("import-folder");
    test::writeBytes(dir + "/file", "x");  // a folder below a file can never be made
    DataFolderInputs inputs;
    inputs.xdgDataHome = dir + "/xdg";
    DataFolderChoice choice;
    choice.folder = dir + "/file/database";
    EXPECT_EQ(importFolder(choice, inputs), dir + "/xdg/climstat/database");
    choice.folder = dir + "/data";
    EXPECT_EQ(importFolder(choice, inputs), dir + "/data");
    inputs.xdgDataHome = dir + "/file/xdg";
    choice.folder = dir + "/file/database";
    EXPECT_EQ(importFolder(choice, inputs), "");
    fs::remove_all(dir);
}

TEST(StationImport, AStationOnlyInTheUserFolderIsReadFromThere) {
    const std::string dir = test::makeTempDir("station-folder");
    fs::create_directories(dir + "/data");
    fs::create_directories(dir + "/user");
    EXPECT_EQ(stationFolder(dir + "/data", dir + "/user", "3195"), dir + "/data");
    test::writeBytes(stationFilePath(dir + "/user", "T", "3195"), "x");
    EXPECT_EQ(stationFolder(dir + "/data", dir + "/user", "3195"), dir + "/user");
    test::writeBytes(stationFilePath(dir + "/data", "T", "3195"), "x");
    EXPECT_EQ(stationFolder(dir + "/data", dir + "/user", "3195"), dir + "/data");
    fs::remove_all(dir);
}

}  // namespace
}  // namespace climstat
