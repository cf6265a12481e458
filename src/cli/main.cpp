#include <clocale>
#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

#include "cli/cli.h"

namespace {

// Folder of the running executable: /proc/self/exe where the system has it, else argv[0].
std::string executableFolder(const char* argv0) {
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec || exe.empty()) exe = std::filesystem::absolute(argv0 != nullptr ? argv0 : "", ec);
    return exe.parent_path().string();
}

}  // namespace

int main(int argc, char** argv) {
    // Numbers are shown with the decimal separator of the user's regional settings; the engine's
    // own conversions do not depend on the C library's locale.
    std::setlocale(LC_NUMERIC, "");
    std::vector<std::string> args(argv + 1, argv + argc);
    return climstat::cli::run(args, std::cout, std::cerr,
                              executableFolder(argc > 0 ? argv[0] : nullptr));
}
