// The window on data of any place: ISD-Lite files among the imported records, and EPW files as
// the fourth data source.

#include <QTest>
#include <filesystem>

#include "data/station_catalogue.h"
#include "data/station_file.h"
#include "support/isd_writer.h"
#include "window_fixture.h"

namespace climstat::test {
namespace {

class WorldDataWindowTest : public WindowTest {
  protected:
    void SetUp() override { folder = makeTempDir("window-world"); }
    void TearDown() override {
        WindowTest::TearDown();
        window.reset();
        std::filesystem::remove_all(folder);
    }
    std::string folder;
};

TEST_F(WorldDataWindowTest, ImportTakesIsdLiteBesideRecordsAndNamesWhatWasLeftOut) {
    app::TForm1& w = open(folder);
    const std::string isd = folder + "/082220-99999-2001";
    std::string lines;
    for (int hour = 0; hour < 24; ++hour)
        lines += isdLiteLine(2001, 3, 4, hour, 100 + hour, 50);
    writeBytes(isd, lines + "not a line\n");
    const std::string records = folder + "/more.csv";
    writeBytes(records, "2001-03-05;1;12.5;60\n");
    ASSERT_TRUE(
        w.importStationFiles(stationIndexForCode("3195"),
                             {QString::fromStdString(isd), QString::fromStdString(records)}));
    EXPECT_TRUE(std::filesystem::exists(stationFilePath(folder, "T", "3195")));
    EXPECT_EQ(w.CBAEMET->currentIndex(), stationIndexForCode("3195"));
    EXPECT_EQ(w.state().nValidT, 25);
    EXPECT_TRUE(w.LAvisoDatos->text().contains(QStringLiteral("línea 25")));
    EXPECT_TRUE(w.LAvisoDatos->text().contains(QStringLiteral("no es una línea ISD-Lite")));

    writeBytes(folder + "/notes.txt", "nothing useful\n");
    EXPECT_FALSE(w.importStationFiles(stationIndexForCode("1014"),
                                      {QString::fromStdString(folder + "/notes.txt")}));
    EXPECT_TRUE(w.LAvisoDatos->text().contains(QStringLiteral("no es un fichero ISD-Lite")));
    EXPECT_FALSE(std::filesystem::exists(stationFilePath(folder, "T", "1014")));
}

}  // namespace
}  // namespace climstat::test
