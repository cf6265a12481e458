#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QStringList>
#include <memory>
#include <string>

#include "app/tform1.h"
#include "support/test_data.h"

namespace climstat::test {

// One window on a data folder, with message boxes recorded instead of shown.
class WindowTest : public ::testing::Test {
  protected:
    void TearDown() override { app::setMessageSinkForTesting({}); }

    app::TForm1& open(const std::string& dataFolder) {
        app::setMessageSinkForTesting([this](const QString& text) { messages << text; });
        app::WindowSetup setup;
        setup.programFolder = "/nonexistent";
        setup.folderInputs.programFolder = setup.programFolder;
        setup.folderInputs.commandLineDir = dataFolder;
        setup.folderInputs.xdgDataHome = makeTempDir("window-user");
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
};

}  // namespace climstat::test
