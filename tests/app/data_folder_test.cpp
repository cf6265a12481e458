// The data folder as a first start meets it: none found, one chosen on the station page,
// checked, remembered for the next start and named on the page.

#include <QDir>
#include <QPushButton>
#include <cstdlib>
#include <optional>

#include "window_fixture.h"

namespace climstat::test {
namespace {

using DataFolderChoiceTest = WindowTest;

TEST_F(DataFolderChoiceTest, AChosenFolderIsCheckedUsedAndRememberedForTheNextStart) {
    CLIMSTAT_NEED_REAL_DATA();
    app::userSettings()->remove(app::kChosenDataFolderKey);
    app::TForm1& w = open("");
    EXPECT_TRUE(w.BCarpetaDatos->isVisible());
    EXPECT_TRUE(w.LAvisoDatos->text().contains(QStringLiteral("«Elegir carpeta de datos…»")));

    // A folder without any climate file of the lists or the catalogue is refused.
    const std::string empty = ownTempDir("chosen-empty");
    EXPECT_FALSE(w.chooseDataFolder(QString::fromStdString(empty)));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(QString::fromStdString(empty)));
    EXPECT_TRUE(w.setup().dataFolder.folder.empty());
    EXPECT_FALSE(app::userSettings()->contains(app::kChosenDataFolderKey));

    const std::string real =
        QDir(QString::fromStdString(realDatabaseDir())).absolutePath().toStdString();
    ASSERT_TRUE(w.chooseDataFolder(QString::fromStdString(real)));
    EXPECT_TRUE(w.LAvisoDatos->text().isEmpty());
    EXPECT_TRUE(w.LCarpeta->text().contains(QString::fromStdString(real)));
    EXPECT_TRUE(w.LCarpeta->text().contains(QStringLiteral("elegida en esta página")));
    click(w.RGTiposDatos, 2);
    choose(w.CBMet2013, 1);
    EXPECT_TRUE(tabVisible(w.TSFrecuencias));

    // The next start finds it, after --data-dir and the environment, before the usual places.
    const char* environment = std::getenv("CLIMSTAT_DATA_DIR");
    const std::optional<std::string> saved =
        environment ? std::optional<std::string>(environment) : std::nullopt;
    unsetenv("CLIMSTAT_DATA_DIR");
    const app::WindowSetup next = app::windowSetup("/nonexistent", std::nullopt);
    EXPECT_EQ(next.dataFolder.folder, real);
    EXPECT_EQ(next.dataFolder.origin, "chosen folder");
    EXPECT_EQ(app::windowSetup("/nonexistent", empty).dataFolder.folder, empty);
    if (saved) setenv("CLIMSTAT_DATA_DIR", saved->c_str(), 1);
    app::userSettings()->remove(app::kChosenDataFolderKey);
}

TEST_F(DataFolderChoiceTest, AFolderGivenAtTheStartStaysInUseAndTheChoiceWaits) {
    CLIMSTAT_NEED_REAL_DATA();
    const std::string given = ownTempDir("given");
    app::TForm1& w = open(given);
    ASSERT_TRUE(w.chooseDataFolder(QString::fromStdString(realDatabaseDir())));
    EXPECT_EQ(w.setup().dataFolder.folder, given);
    EXPECT_TRUE(w.LAvisoDatos->text().contains(QStringLiteral("sin --data-dir")));
    app::userSettings()->remove(app::kChosenDataFolderKey);
}

}  // namespace
}  // namespace climstat::test
