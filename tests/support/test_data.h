#pragma once

#include <string>

namespace climstat::test {

// Folder with the real climate files (its "database" subfolder is a data folder as the program
// expects one). Empty when it does not exist.
std::string testDataDir();

// The data folder of the real typical-year files, or empty.
std::string realDatabaseDir();

// True when tests that need the real files must fail rather than skip without them.
bool testDataRequired();

// A fresh temporary folder for one test, removed by the caller when it likes.
std::string makeTempDir(const std::string& hint);

// The whole content of a file (empty when it cannot be read).
std::string readBytes(const std::string& path);

// Writes bytes to a file, creating or replacing it.
void writeBytes(const std::string& path, const std::string& bytes);

}  // namespace climstat::test

// Skips the current test when the real data are missing, or fails it when
// CLIMSTAT_REQUIRE_TEST_DATA is set. Use at the top of a test body.
#define CLIMSTAT_NEED_REAL_DATA()                                                        \
    do {                                                                                 \
        if (::climstat::test::realDatabaseDir().empty()) {                               \
            if (::climstat::test::testDataRequired()) {                                  \
                FAIL() << "real climate data not found under " CLIMSTAT_TEST_DATA_DIR;   \
            }                                                                            \
            GTEST_SKIP() << "real climate data not found under " CLIMSTAT_TEST_DATA_DIR; \
        }                                                                                \
    } while (0)
