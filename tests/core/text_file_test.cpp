#include "core/text_file.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>
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

TEST(WriteFileReplacing, FailuresNameTheirCause) {
    const std::string dir = test::makeTempDir("text-file");
    test::writeBytes(dir + "/file", "x");
    auto problemOf = [](const auto& action) {
        try {
            action();
        } catch (const DataFileError& e) {
            return e.problem();
        }
        return Problem{};
    };
    const Problem notAFolder =
        problemOf([&] { writeFileReplacing(dir + "/file/out.txt", std::string("x")); });
    EXPECT_EQ(notAFolder.kind, ErrorKind::CannotCreate);
    EXPECT_EQ(notAFolder.fields.cause, FileCause::NotAFolder);
    EXPECT_EQ(englishText(notAFolder),
              dir + "/file/out.txt: cannot be created: a part of the path is not a folder");
    const Problem missing = problemOf([&] { openInputFile(dir + "/none.met"); });
    EXPECT_EQ(englishReason(missing), "cannot be opened: no such file or folder");
    // Causes the test cannot bring about as root or on a roomy disk, worded from the system's.
    EXPECT_EQ(englishReason({ErrorKind::NotWrittenCompletely, fileFields("f", ENOSPC)}),
              "could not be written completely: the disk is full");
    EXPECT_EQ(englishReason({ErrorKind::CannotOpen, fileFields("f", EACCES)}),
              "cannot be opened: permission denied");
    EXPECT_EQ(englishReason({ErrorKind::CannotOpen, fileFields("f", EIO)}),
              std::string("cannot be opened: ") + std::strerror(EIO));
    fs::remove_all(dir);
}

TEST(WriteFileReplacing, ADanglingLinkGetsItsTargetWrittenAndStays) {
    const std::string dir = test::makeTempDir("text-file");
    fs::create_symlink("target.txt", dir + "/link.txt");  // relative, pointing at nothing yet
    writeFileReplacing(dir + "/link.txt", std::string("new"));
    EXPECT_TRUE(fs::is_symlink(dir + "/link.txt"));
    EXPECT_EQ(contents(dir + "/target.txt"), "new");
    fs::remove_all(dir);
}

TEST(WriteFileReplacing, AReplacedFileKeepsItsOwnerAndMode) {
    if (::geteuid() != 0) GTEST_SKIP() << "giving a file to another user needs root";
    const std::string dir = test::makeTempDir("text-file");
    const std::string path = dir + "/out.txt";
    test::writeBytes(path, "old");
    ASSERT_EQ(::chown(path.c_str(), 4321, 4322), 0);
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    writeFileReplacing(path, std::string("new"));
    struct stat after {};
    ASSERT_EQ(::stat(path.c_str(), &after), 0);
    EXPECT_EQ(after.st_uid, 4321u);
    EXPECT_EQ(after.st_gid, 4322u);
    EXPECT_EQ(after.st_mode & 07777, 0640u);
    fs::remove_all(dir);
}

}  // namespace
}  // namespace climstat
