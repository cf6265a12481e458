#include "core/text_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <ostream>
#include <sstream>
#include <stdexcept>

#include "core/errors.h"
#include "support/test_data.h"

namespace climstat {
namespace {

namespace fs = std::filesystem;

std::string contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
}

TEST(WriteFileReplacing, WritesTheBytesAsGiven) {
    const std::string dir = test::makeTempDir("text-file");
    const std::string path = dir + "/out.txt";
    writeFileReplacing(path, std::string("a;b\r\n\xF1\r\n"));
    EXPECT_EQ(contents(path), "a;b\r\n\xF1\r\n");
    writeFileReplacing(path, [](std::ostream& out) { out << "new"; });
    EXPECT_EQ(contents(path), "new");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
    fs::remove_all(dir);
}

TEST(WriteFileReplacing, AFailureLeavesTheOldFileAlone) {
    const std::string dir = test::makeTempDir("text-file");
    const std::string path = dir + "/out.txt";
    test::writeBytes(path, "old");
    EXPECT_THROW(writeFileReplacing(path,
                                    [](std::ostream& out) {
                                        out << "half";
                                        throw std::runtime_error("writer failed");
                                    }),
                 std::runtime_error);
    EXPECT_EQ(contents(path), "old");
    try {
        writeFileReplacing(dir + "/missing-folder/out.txt", std::string("x"));
        FAIL() << "wrote into a missing folder";
    } catch (const DataFileError& e) {
        EXPECT_NE(std::string(e.what()).find("missing-folder/out.txt"), std::string::npos);
    }
    EXPECT_THROW(writeFileReplacing(dir, std::string("x")), DataFileError);  // a folder
    EXPECT_TRUE(fs::is_directory(dir));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
    fs::remove_all(dir);
}

}  // namespace
}  // namespace climstat
