// Choosing a typical-year location the way the window's lists and the command line do: the list
// position names the selection, the position is kept while a typical-year source is active, and
// a read that fails gives everything back.

#include "data/location_load.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "core/errors.h"
#include "support/met_writer.h"
#include "support/test_data.h"

namespace climstat {
namespace {

namespace fs = std::filesystem;

class LocationLoadTest : public testing::Test {
  protected:
    void SetUp() override {
        dir_ = test::makeTempDir("location-load");
        state_ = std::make_unique<AnalysisState>();
    }
    void TearDown() override { fs::remove_all(dir_); }

    void writeMet(const std::string& baseName, double firstTs) {
        test::MetText o;
        o.ts = [firstTs](int h) { return h == 1 ? firstTs : 10.0; };
        test::writeBytes(dir_ + "/" + baseName + ".met", test::metText(o));
    }
    LocationRequest request2013(const std::string& name) const {
        LocationRequest request;
        request.source = DataSource::Cte2013;
        request.list = TypicalYearList::List2013;
        request.position = findTypicalYearLocation(name)->position;
        request.dataFolder = dir_;
        return request;
    }

    std::string dir_;
    std::unique_ptr<AnalysisState> state_;
};

TEST_F(LocationLoadTest, AListPositionLoadsItsEntryAndKeepsThePosition) {
    writeMet("D3_peninsula", 4.5);
    const LocationRequest request = request2013("D3_peninsula");
    const LocationLoad load = loadLocation(*state_, request);
    EXPECT_TRUE(load.loaded);
    EXPECT_EQ(load.path, typicalYearFilePath(dir_, "D3_peninsula"));
    EXPECT_EQ(state_->selectedLocation, "D3_peninsula");
    EXPECT_EQ(state_->typicalYearIndex, request.position);
    EXPECT_EQ(state_->locationCityName, "Ciudad: D3_peninsula");
    EXPECT_FLOAT_EQ(state_->ts[1][1], 4.5f);
}

TEST_F(LocationLoadTest, NoSelectionForgetsTheNameButKeepsTheData) {
    writeMet("D3_peninsula", 4.5);
    LocationRequest request = request2013("D3_peninsula");
    loadLocation(*state_, request);
    const int position = state_->typicalYearIndex;
    request.position = 0;
    EXPECT_FALSE(loadLocation(*state_, request).loaded);
    EXPECT_EQ(state_->selectedLocation, "");
    EXPECT_EQ(state_->typicalYearIndex, position);
    EXPECT_FLOAT_EQ(state_->ts[1][1], 4.5f);
    EXPECT_EQ(state_->locationCityName, "Ciudad: D3_peninsula");
}

TEST_F(LocationLoadTest, AFailedReadGivesBackSelectionPositionAndData) {
    writeMet("D3_peninsula", 4.5);
    loadLocation(*state_, request2013("D3_peninsula"));
    const int position = state_->typicalYearIndex;
    // E1's file is missing, then present but cut short: both leave D3 in place.
    EXPECT_THROW(loadLocation(*state_, request2013("E1_peninsula")), DataFileError);
    test::MetText shortFile;
    shortFile.records = 100;
    test::writeBytes(dir_ + "/E1_peninsula.met", test::metText(shortFile));
    EXPECT_THROW(loadLocation(*state_, request2013("E1_peninsula")), DataFileError);
    EXPECT_EQ(state_->selectedLocation, "D3_peninsula");
    EXPECT_EQ(state_->typicalYearIndex, position);
    EXPECT_EQ(state_->locationCityName, "Ciudad: D3_peninsula");
    EXPECT_FLOAT_EQ(state_->ts[1][1], 4.5f);

    LocationRequest noFolder = request2013("D3_peninsula");
    noFolder.dataFolder.clear();
    EXPECT_THROW(loadLocation(*state_, noFolder), DataFileError);
    EXPECT_EQ(state_->typicalYearIndex, position);
}

TEST_F(LocationLoadTest, TheStationSourceReadsNoFileAndKeepsThePosition) {
    LocationRequest request = request2013("D3_peninsula");
    request.source = DataSource::Aemet;
    request.dataFolder.clear();  // nothing is read, so no folder is needed
    const LocationLoad load = loadLocation(*state_, request);
    EXPECT_TRUE(load.loaded);
    EXPECT_EQ(load.path, "");
    EXPECT_EQ(state_->typicalYearIndex, -1);
    EXPECT_EQ(state_->selectedLocation, "D3_peninsula");
    EXPECT_EQ(state_->locationAltitudeText, "667");
}

TEST_F(LocationLoadTest, AFileOutsideTheListsNeedsAUsableAltitude) {
    writeMet("own", -2.5);
    LocationRequest request;
    request.metPath = dir_ + "/own.met";
    request.altitudeText = "abc";
    EXPECT_THROW(loadLocation(*state_, request), ConversionError);
    EXPECT_EQ(state_->typicalYearIndex, -1);
    request.altitudeText = "120";
    EXPECT_TRUE(loadLocation(*state_, request).loaded);
    EXPECT_EQ(state_->typicalYearIndex, 0);
    EXPECT_EQ(state_->selectedLocation, request.metPath);
    EXPECT_EQ(state_->locationCityName, "Ciudad: " + request.metPath);
    EXPECT_FLOAT_EQ(state_->ts[1][1], -2.5f);
}

}  // namespace
}  // namespace climstat
