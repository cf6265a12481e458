#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QStringList>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/tform1.h"
#include "support/station_builder.h"
#include "support/test_data.h"

namespace climstat::test {

// One window on a data folder, with message boxes recorded instead of shown.
class WindowTest : public ::testing::Test {
  protected:
    void TearDown() override {
        app::setMessageSinkForTesting({});
        window.reset();
        for (const std::string& dir : ownDirs)
            std::filesystem::remove_all(dir);
    }

    // A temporary folder removed when the test ends.
    std::string ownTempDir(const std::string& hint) {
        ownDirs.push_back(makeTempDir(hint));
        return ownDirs.back();
    }

    app::TForm1& open(const std::string& dataFolder) {
        app::setMessageSinkForTesting([this](const QString& text) { messages << text; });
        app::WindowSetup setup;
        setup.programFolder = "/nonexistent";
        setup.folderInputs.programFolder = setup.programFolder;
        if (!dataFolder.empty()) setup.folderInputs.commandLineDir = dataFolder;
        setup.folderInputs.xdgDataHome = ownTempDir("window-user");
        userFolder = *setup.folderInputs.xdgDataHome + "/climstat/database";
        setup.dataFolder = resolveDataFolder(setup.folderInputs);
        if (dataFolder.empty()) {
            setup.dataFolder.folder.clear();
            setup.dataFolder.tried = {"/nonexistent/database"};
        }
        window = std::make_unique<app::TForm1>(setup);
        window->show();
        QApplication::processEvents();
        return *window;
    }

    bool tabVisible(QWidget* page) const {
        return window->PageControl1->isTabVisible(window->PageControl1->indexOf(page));
    }

    // Chooses an entry of a list as a user does (the change event follows).
    static void choose(QComboBox* list, int index) {
        list->setCurrentIndex(index);
        emit list->activated(index);
        QApplication::processEvents();
    }

    // A pointer movement over a widget, delivered at once.
    static void moveTo(QWidget* widget, QPoint point) {
        QMouseEvent event(QEvent::MouseMove, QPointF(point), widget->mapToGlobal(QPointF(point)),
                          Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &event);
    }

    static void click(app::RadioGroup* group, int item) {
        group->findChild<QAbstractButton*>(group->objectName() + "_" + QString::number(item))
            ->click();
        QApplication::processEvents();
    }

    std::unique_ptr<app::TForm1> window;
    QStringList messages;
    std::string userFolder;  // the per-user data folder of the window
    std::vector<std::string> ownDirs;
};

// A window test with a data folder of its own: the real typical-year files and an eleven-year
// station 3195 made of them (nothing when the real files are missing).
class StationFolderWindowTest : public WindowTest {
  protected:
    void SetUp() override {
        if (realDatabaseDir().empty()) return;
        folder = makeTempDir("window-station");
        for (const auto& entry : std::filesystem::directory_iterator(realDatabaseDir())) {
            std::filesystem::create_symlink(entry.path(),
                                            folder + "/" + entry.path().filename().string());
        }
        writeElevenYearStation(realDatabaseDir(), folder, "3195");
    }
    void TearDown() override {
        WindowTest::TearDown();
        window.reset();
        if (!folder.empty()) std::filesystem::remove_all(folder);
    }
    std::string folder;
};

}  // namespace climstat::test
