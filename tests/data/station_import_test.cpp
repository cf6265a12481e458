#include "data/station_import.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <utility>
#include <vector>

#include "core/errors.h"
#include "data/station_file.h"
#include "data/station_loader.h"
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
    EXPECT_EQ(importFolder(choice, inputs, "3195"), dir + "/xdg/climstat/database");
    choice.folder = dir + "/data";
    EXPECT_EQ(importFolder(choice, inputs, "3195"), dir + "/data");
    inputs.xdgDataHome = dir + "/file/xdg";
    choice.folder = dir + "/file/database";
    EXPECT_EQ(importFolder(choice, inputs, "3195"), "");
    fs::remove_all(dir);
}

TEST(StationImport, AStationImportedIntoTheUserFolderIsReadFromThere) {
    const std::string dir = test::makeTempDir("station-folder");
    fs::create_directories(dir + "/data");
    fs::create_directories(dir + "/user");
    EXPECT_EQ(stationFolder(dir + "/data", dir + "/user", "3195"), dir + "/data");
    test::writeBytes(stationFilePath(dir + "/user", "T", "3195"), "x");
    EXPECT_EQ(stationFolder(dir + "/data", dir + "/user", "3195"), dir + "/user");
    // The pair the user imported stays the one in use when the data folder has one too, and a
    // new import of the station goes where it is read from.
    test::writeBytes(stationFilePath(dir + "/data", "T", "3195"), "x");
    EXPECT_EQ(stationFolder(dir + "/data", dir + "/user", "3195"), dir + "/user");
    EXPECT_EQ(stationFolder(dir + "/data", dir + "/user", "1387E"), dir + "/data");
    DataFolderChoice choice;
    choice.folder = dir + "/data";
    DataFolderInputs inputs;
    inputs.xdgDataHome = dir + "/xdg";
    fs::create_directories(dir + "/xdg/climstat");
    fs::rename(dir + "/user", dir + "/xdg/climstat/database");
    EXPECT_EQ(importFolder(choice, inputs, "3195"), dir + "/xdg/climstat/database");
    EXPECT_EQ(importFolder(choice, inputs, "1387E"), dir + "/data");
    fs::remove_all(dir);
}

class StationImportOverAPair : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = test::makeTempDir("import-pair");
        db_ = dir_ + "/db";
        test::writeBytes(dir_ + "/good.csv", "2001-03-04;1;12.5;60\n");
        ASSERT_TRUE(importRecords("2001-03-04;1;12.5;60\n").written);
        pair_ = pair();
    }
    void TearDown() override { fs::remove_all(dir_); }

    StationImport importRecords(const std::string& text, const ImportHooks* hooks = nullptr) {
        test::writeBytes(dir_ + "/records.csv", text);
        return importStationRecords(*findStation("3195"), dir_ + "/records.csv", db_, '.', hooks);
    }
    std::string pair() const {
        return test::readBytes(stationFilePath(db_, "T", "3195")) + "|" +
               test::readBytes(stationFilePath(db_, "H", "3195"));
    }

    std::string dir_;
    std::string db_;
    std::string pair_;
};

TEST_F(StationImportOverAPair, RecordsThatNoLoadCouldUseReplaceNothing) {
    const std::pair<std::string, ErrorKind> cases[] = {
        {"", ErrorKind::RecordsNone},
        {"2001-03-04;1;;\n2001-03-04;2;;\n", ErrorKind::RecordsNoTemperature},
        {"2001-03-04;1;;55\n", ErrorKind::RecordsNoTemperature},
        {"2008-01-01;1;10;50\n", ErrorKind::RecordsNoStationYear},
        {"2004-02-29;1;10;50\n", ErrorKind::RecordsNoStationYear},
        {"2001-03-04;1;71;50\n", ErrorKind::RecordsUnusableLines},
    };
    for (const auto& [text, kind] : cases) {
        const StationImport imported = importRecords(text);
        EXPECT_FALSE(imported.written) << text;
        EXPECT_EQ(imported.refusal.kind, kind) << text;
        EXPECT_EQ(imported.refusal.fields.path, dir_ + "/records.csv");
        EXPECT_EQ(pair(), pair_) << text;
    }
    EXPECT_THROW(importRecords("2001-03-04;1;12.5;60\r2001-03-04;2;12;60\r"), DataFileError);
    EXPECT_EQ(pair(), pair_);
}

TEST_F(StationImportOverAPair, ARecordsFileThatChangesWhileItIsReadIsRefused) {
    const std::string records = dir_ + "/records.csv";
    const std::vector<std::function<void()>> changes = {
        [&] { std::ofstream(records, std::ios::app) << "2001-03-04;3;11;60\n"; },
        [&] { fs::resize_file(records, 5); },
    };
    for (const auto& change : changes) {
        ImportHooks hooks;
        hooks.afterRead = change;
        try {
            importRecords("2001-03-04;1;20;60\n2001-03-04;2;20;60\n", &hooks);
            ADD_FAILURE() << "a changing file was imported";
        } catch (const DataFileError& e) {
            EXPECT_EQ(e.kind(), ErrorKind::ChangedWhileRead);
        }
        EXPECT_EQ(pair(), pair_);
    }
}

TEST_F(StationImportOverAPair, TheDryBulbsAcceptedAreTheOnesALoadKeeps) {
    const StationImport imported = importRecords(
        "2001-03-04;1;70.04;50\n2001-03-04;2;-90;50\n2001-03-04;3;0.0;50\n"
        "2004-02-29;1;12;50\n2004-02-29;2;;50\n");
    ASSERT_TRUE(imported.written);
    EXPECT_EQ(imported.records.temperatureHours, 3);
    EXPECT_EQ(imported.records.humidityHours, 3);
    EXPECT_EQ(imported.records.leapDayHours, 2);
    EXPECT_EQ(importRecords("2001-03-04;1;70.05;50\n").refusal.kind,
              ErrorKind::RecordsUnusableLines);
    EXPECT_EQ(importRecords("2001-03-04;1;-90.05;50\n").refusal.kind,
              ErrorKind::RecordsUnusableLines);

    auto state = std::make_unique<AnalysisState>();
    state->wMax = 1.0f;
    StationLoadSettings settings;
    std::ostringstream trace, errors;
    const StationLoadResult load =
        loadStationData(*state, "667", "3195", settings, db_, trace, errors);
    EXPECT_EQ(load.droppedHours, 0);
    EXPECT_EQ(load.usableHours, 3);
    const int h = (31 + 28 + 3) * 24 + 1;  // 4 March, hour 1
    EXPECT_EQ(state->validMask[h][5], 1.0f);
    EXPECT_EQ(state->validMask[h + 1][5], 1.0f);
    EXPECT_EQ(state->validMask[h + 2][5], 1.0f);  // 0.0 degC with a reading
}

}  // namespace
}  // namespace climstat
