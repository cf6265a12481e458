#include "data/station_pair.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <thread>
#include <utility>

#include "core/errors.h"
#include "data/station_file.h"
#include "support/test_data.h"

namespace climstat {
namespace {

namespace fs = std::filesystem;

// Contents that tell which write a file came from and whether its partner is of the same one.
std::string pairBytes(char variable, int write) {
    return std::string(1, variable) + std::to_string(write) + std::string(64 * 1024, 'x');
}

class StationPairTest : public ::testing::Test {
  protected:
    void SetUp() override { folder_ = test::makeTempDir("station-pair"); }
    void TearDown() override { fs::remove_all(folder_); }

    void write(int id, const PairWriteHooks* hooks = nullptr) {
        writeStationPair(folder_, "3195", pairBytes('T', id), pairBytes('H', id), hooks);
    }

    // The write both files of the pair come from, as a reader sees them; -1 when they are of
    // different writes (a mixed pair) or missing.
    // `slow`: the reader takes its time between the two files, as a load parsing the
    // temperatures does.
    int readPair(bool slow = false) const {
        const StationPairRead pair(folder_, "3195");
        const std::string t = test::readBytes(pair.temperaturePath());
        if (slow) std::this_thread::sleep_for(std::chrono::milliseconds(2));
        const std::string h = test::readBytes(pair.humidityPath());
        if (t.empty() || h.empty() || t.substr(1) != h.substr(1)) return -1;
        return std::stoi(t.substr(1, t.find('x') - 1));
    }

    std::set<std::string> entries() const {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder_))
            names.insert(entry.path().filename().string());
        return names;
    }

    const std::set<std::string> kPairOnly = {"T3195_.bin", "H3195_.bin"};
    std::string folder_;
};

// A writer process that stops dead (as under kill -9) right after `step`.
void crashAfter(const std::string& folder, PairStep step, int id) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        PairWriteHooks hooks;
        hooks.afterStep = [step](PairStep done) {
            if (done == step) ::_exit(0);
        };
        try {
            writeStationPair(folder, "3195", pairBytes('T', id), pairBytes('H', id), &hooks);
        } catch (...) {
            ::_exit(2);
        }
        ::_exit(3);  // the hook never ran
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "writer status " << status;
}

TEST_F(StationPairTest, AWriterStoppedAfterAnyStepLeavesAWholePairAndNothingElse) {
    for (int s = static_cast<int>(PairStep::Locked); s <= static_cast<int>(PairStep::Done); ++s) {
        const auto step = static_cast<PairStep>(s);
        const bool committed = step >= PairStep::Committed;
        SCOPED_TRACE("stopped after step " + std::to_string(s));

        // Finished by the next load...
        write(1);
        crashAfter(folder_, step, 2);
        EXPECT_EQ(readPair(), committed ? 2 : 1);
        EXPECT_EQ(entries(), kPairOnly);

        // ... or by the next write.
        crashAfter(folder_, step, 3);
        write(4);
        EXPECT_EQ(readPair(), 4);
        EXPECT_EQ(entries(), kPairOnly);
    }
}

TEST_F(StationPairTest, AFirstPairStoppedHalfWayIsWholeOrAbsent) {
    crashAfter(folder_, PairStep::TemperatureReplaced, 1);
    EXPECT_EQ(readPair(), 1);
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    crashAfter(folder_, PairStep::OldKept, 1);
    {
        const StationPairRead pair(folder_, "3195");
        EXPECT_FALSE(fs::exists(pair.temperaturePath()));
        EXPECT_FALSE(fs::exists(pair.humidityPath()));
    }
    EXPECT_TRUE(entries().empty());
}

TEST_F(StationPairTest, ASecondReplaceThatFailsGivesTheOldPairBack) {
    write(1);
    PairWriteHooks sabotage;
    sabotage.afterStep = [this](PairStep done) {
        if (done == PairStep::TemperatureReplaced) fs::remove(folder_ + "/H3195_.bin.new~");
    };
    try {
        write(2, &sabotage);
        FAIL() << "the failed replace was reported as done";
    } catch (const DataFileError& e) {
        EXPECT_EQ(e.kind(), ErrorKind::CannotReplace);
        EXPECT_EQ(e.path(), stationFilePath(folder_, "H", "3195"));
    }
    EXPECT_EQ(readPair(), 1);
    EXPECT_EQ(entries(), kPairOnly);

    // An immutable humidity file, where the file system and the user can make one.
    const std::string humidity = stationFilePath(folder_, "H", "3195");
    if (std::system(("chattr +i '" + humidity + "' 2>/dev/null").c_str()) == 0) {
        try {
            write(3);
            ADD_FAILURE() << "an immutable file was replaced";
        } catch (const DataFileError& e) {
            EXPECT_EQ(e.fields().cause, FileCause::PermissionDenied);
        }
        EXPECT_EQ(std::system(("chattr -i '" + humidity + "'").c_str()), 0);
        EXPECT_EQ(readPair(), 1);
        EXPECT_EQ(entries(), kPairOnly);
    }
}

TEST_F(StationPairTest, TwoWritersAndAReaderNeverMeetAMixedPair) {
    write(0);
    constexpr int kWrites = 30;
    std::vector<pid_t> writers;
    for (int w = 1; w <= 2; ++w) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            try {
                for (int i = 0; i < kWrites; ++i)
                    write(w * 1000 + i);
            } catch (...) {
                ::_exit(2);
            }
            ::_exit(0);
        }
        writers.push_back(child);
    }
    int reads = 0;
    int mixed = 0;
    std::set<int> seen;
    std::size_t finished = 0;
    while (finished < writers.size()) {
        const int id = readPair(true);
        ++reads;
        if (id < 0) ++mixed;
        seen.insert(id);
        for (pid_t& child : writers) {
            int status = 0;
            if (child > 0 && ::waitpid(child, &status, WNOHANG) == child) {
                EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a writer failed";
                child = 0;
                ++finished;
            }
        }
    }
    EXPECT_EQ(mixed, 0) << "of " << reads << " reads";
    EXPECT_GT(seen.size(), 2u) << "the reads did not overlap the writes";
    const int last = readPair();
    EXPECT_TRUE(last == 1000 + kWrites - 1 || last == 2000 + kWrites - 1) << last;
    EXPECT_EQ(entries(), kPairOnly);
}

TEST_F(StationPairTest, ANoteThatCannotBeUnderstoodIsRefusedByName) {
    write(1);
    const std::string note = folder_ + "/.station-3195.replace";
    test::writeBytes(note, "climstat station replace 1\nforward\nold /etc/passwd\n");
    try {
        readPair();
        FAIL() << "a foreign note was followed";
    } catch (const DataFileError& e) {
        EXPECT_EQ(e.kind(), ErrorKind::StationPairJournalBad);
        EXPECT_EQ(e.path(), note);
    }
    EXPECT_THROW(write(2), DataFileError);
    fs::remove(note);
    EXPECT_EQ(readPair(), 1);
}

}  // namespace
}  // namespace climstat
