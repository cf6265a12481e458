#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <cstdlib>
#include <string>

#include "app/toolkit.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // What the window remembers per user goes to a folder of this run, never to the settings of
    // the user who runs the tests.
    std::string config = QDir::tempPath().toStdString() + "/climstat-window-tests-XXXXXX";
    if (mkdtemp(config.data()) == nullptr) return 1;
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    QApplication application(argc, argv);
    climstat::app::installSpanishTranslation(application);
    const int result = RUN_ALL_TESTS();
    QDir(QString::fromStdString(config)).removeRecursively();
    return result;
}
