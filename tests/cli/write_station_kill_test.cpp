#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "data/station_file.h"
#include "data/station_pair.h"
#include "support/test_data.h"

namespace climstat {
namespace {

namespace fs = std::filesystem;

// Starts climstat-cli with these arguments, its output thrown away.
pid_t startCli(const std::vector<std::string>& args) {
    const pid_t child = ::fork();
    if (child != 0) return child;
    const int null = ::open("/dev/null", O_WRONLY);
    ::dup2(null, STDOUT_FILENO);
    ::dup2(null, STDERR_FILENO);
    std::vector<char*> argv;
    static std::string program = CLIMSTAT_CLI_PATH;
    argv.push_back(program.data());
    std::vector<std::string> owned = args;
    for (std::string& arg : owned)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    ::execv(program.c_str(), argv.data());
    ::_exit(127);
}

int waitFor(pid_t child) {
    int status = 0;
    ::waitpid(child, &status, 0);
    return status;
}

// Two years of hours, every one with the same dry bulb and relative humidity.
std::string records(const std::string& t, const std::string& rh) {
    std::string text;
    for (int year = 1999; year <= 2000; ++year) {
        for (int month = 1; month <= 12; ++month) {
            for (int day = 1; day <= daysInMonth365(month); ++day) {
                char date[32];
                std::snprintf(date, sizeof date, "%04d-%02d-%02d", year, month, day);
                for (int hour = 1; hour <= 24; ++hour)
                    text +=
                        std::string(date) + ";" + std::to_string(hour) + ";" + t + ";" + rh + "\n";
            }
        }
    }
    return text;
}

TEST(WriteStationKilled, LeavesTheOldPairOrTheNewAndNothingElseOnceReadOrWrittenAgain) {
    const std::string dir = test::makeTempDir("write-station-kill");
    const std::string db = dir + "/db";
    fs::create_directories(db);
    const std::string a = dir + "/a.csv";
    const std::string b = dir + "/b.csv";
    test::writeBytes(a, records("10.5", "40"));
    test::writeBytes(b, records("-3.5", "90"));
    auto writeArgs = [&db](const std::string& input) {
        return std::vector<std::string>{"--data-dir", db,   "write-station", "--code", "3195",
                                        "--input",    input};
    };
    auto pair = [&db] {
        const StationPairRead read(db, "3195");
        return test::readBytes(read.temperaturePath()) + "|" + test::readBytes(read.humidityPath());
    };
    auto entries = [&db] {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(db))
            names.insert(entry.path().filename().string());
        return names;
    };
    const std::set<std::string> pairOnly = {"T3195_.bin", "H3195_.bin"};

    ASSERT_EQ(waitFor(startCli(writeArgs(b))), 0);
    const std::string pairB = pair();
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(waitFor(startCli(writeArgs(a))), 0);
    const auto run = std::chrono::steady_clock::now() - start;
    const std::string pairA = pair();
    ASSERT_NE(pairA, pairB);

    // Kills at moments spread over a whole run, and a little beyond.
    std::mt19937 random(17);
    const auto span = std::chrono::duration_cast<std::chrono::microseconds>(run) * 6 / 5;
    std::uniform_int_distribution<long> moment(0, static_cast<long>(span.count()));
    int killed = 0;
    for (int i = 0; i < 40; ++i) {
        const pid_t child = startCli(writeArgs(i % 2 == 0 ? b : a));
        std::this_thread::sleep_for(std::chrono::microseconds(moment(random)));
        if (::kill(child, SIGKILL) == 0) ++killed;
        waitFor(child);
        const std::string now = pair();
        EXPECT_TRUE(now == pairA || now == pairB) << "a mixed pair after kill " << i;
        EXPECT_EQ(entries(), pairOnly) << "after kill " << i;
    }
    EXPECT_GT(killed, 0);
    ASSERT_EQ(waitFor(startCli(writeArgs(a))), 0);
    EXPECT_EQ(pair(), pairA);
    EXPECT_EQ(entries(), pairOnly);
    fs::remove_all(dir);
}

}  // namespace
}  // namespace climstat
