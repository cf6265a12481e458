#include "data/data_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/test_data.h"

namespace climstat {
namespace {

namespace fs = std::filesystem;

class DataFolderTest : public testing::Test {
  protected:
    void SetUp() override {
        root_ = test::makeTempDir("data-folder");
        program_ = root_ + "/bin";
        fs::create_directories(program_);
        inputs_.programFolder = program_;
        inputs_.home = root_ + "/home";
    }
    void TearDown() override { fs::remove_all(root_); }

    std::string make(const std::string& relative) {
        const std::string path = (fs::path(root_) / relative).string();
        fs::create_directories(path);
        return path;
    }

    std::string root_;
    std::string program_;
    DataFolderInputs inputs_;
};

TEST_F(DataFolderTest, CommandLineFirstThenEnvironmentEvenWhenMissing) {
    make("bin/database");
    inputs_.commandLineDir = root_ + "/given";
    inputs_.environmentDir = root_ + "/environment";
    DataFolderChoice choice = resolveDataFolder(inputs_);
    EXPECT_EQ(choice.folder, root_ + "/given");
    EXPECT_EQ(choice.origin, "--data-dir");

    inputs_.commandLineDir.reset();
    choice = resolveDataFolder(inputs_);
    EXPECT_EQ(choice.folder, root_ + "/environment");
    EXPECT_EQ(choice.origin, "CLIMSTAT_DATA_DIR");
}

TEST_F(DataFolderTest, ProgramFolderBeforeTheUserFolder) {
    const std::string user = make("home/.local/share/climstat/database");
    DataFolderChoice choice = resolveDataFolder(inputs_);
    EXPECT_EQ(choice.folder, user);
    EXPECT_EQ(choice.origin, "user data folder");
    ASSERT_EQ(choice.tried.size(), 2u);
    EXPECT_EQ(choice.tried[0], (fs::path(program_) / "database").string());

    const std::string beside = make("bin/database");
    choice = resolveDataFolder(inputs_);
    EXPECT_EQ(choice.folder, beside);
    EXPECT_EQ(choice.tried.size(), 1u);
}

TEST_F(DataFolderTest, XdgDataHomeReplacesTheDefaultUserFolder) {
    make("home/.local/share/climstat/database");
    const std::string xdg = make("xdg/climstat/database");
    inputs_.xdgDataHome = root_ + "/xdg";
    EXPECT_EQ(resolveDataFolder(inputs_).folder, xdg);
}

TEST_F(DataFolderTest, NothingFoundSaysWhereItLooked) {
    const DataFolderChoice choice = resolveDataFolder(inputs_);
    EXPECT_TRUE(choice.folder.empty());
    ASSERT_EQ(choice.tried.size(), 2u);
    EXPECT_EQ(choice.tried[1], root_ + "/home/.local/share/climstat/database");
    inputs_.home.reset();
    EXPECT_EQ(resolveDataFolder(inputs_).tried.size(), 1u);
}

TEST_F(DataFolderTest, ChosenFolderAfterTheEnvironmentWhileItExists) {
    make("bin/database");
    const std::string chosen = make("chosen");
    inputs_.chosenDir = chosen;
    inputs_.environmentDir = root_ + "/environment";
    EXPECT_EQ(resolveDataFolder(inputs_).origin, "CLIMSTAT_DATA_DIR");

    inputs_.environmentDir.reset();
    DataFolderChoice choice = resolveDataFolder(inputs_);
    EXPECT_EQ(choice.folder, chosen);
    EXPECT_EQ(choice.origin, "chosen folder");

    // A chosen folder that has gone (an unplugged disk) gives way to the usual places.
    fs::remove_all(chosen);
    choice = resolveDataFolder(inputs_);
    EXPECT_EQ(choice.origin, "program folder");
    EXPECT_EQ(choice.tried.front(), chosen);
}

TEST_F(DataFolderTest, ClimateFilesAreKnownByTheirNames) {
    const std::string folder = make("candidate");
    EXPECT_FALSE(holdsClimateFiles(folder));
    EXPECT_FALSE(holdsClimateFiles(root_ + "/absent"));
    std::ofstream(folder + "/notes.met") << "x";
    fs::create_directories(folder + "/madrid.met");  // a folder is not a file
    EXPECT_FALSE(holdsClimateFiles(folder));
    std::ofstream(folder + "/H1387E_.bin") << "x";
    EXPECT_TRUE(holdsClimateFiles(folder));

    const std::string zones = make("zones");
    std::ofstream(zones + "/D3_peninsula.met") << "x";
    EXPECT_TRUE(holdsClimateFiles(zones));
}

}  // namespace
}  // namespace climstat
