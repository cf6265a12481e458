#include "support/test_data.h"

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

#include <unistd.h>

namespace climstat::test {

namespace fs = std::filesystem;

std::string testDataDir() {
    std::error_code ec;
    return fs::is_directory(CLIMSTAT_TEST_DATA_DIR, ec) ? std::string(CLIMSTAT_TEST_DATA_DIR) : "";
}

std::string realDatabaseDir() {
    std::string base = testDataDir();
    if (base.empty()) return "";
    std::error_code ec;
    fs::path db = fs::path(base) / "database";
    return fs::is_directory(db, ec) ? db.string() : "";
}

bool testDataRequired() {
    const char* value = std::getenv("CLIMSTAT_REQUIRE_TEST_DATA");
    return value != nullptr && std::string(value) == "1";
}

std::string makeTempDir(const std::string& hint) {
    static std::atomic<int> counter{0};
    fs::path dir =
        fs::temp_directory_path() /
        ("climstat-" + hint + "-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir.string();
}

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) throw std::runtime_error("cannot write " + path);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace climstat::test
