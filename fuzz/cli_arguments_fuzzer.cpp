// The command line as hostile input: the input split at line ends into arguments, run
// in-process. Options that write files (--output, write-station) and the data folder are held
// fixed, so that a run never touches the file system beyond reading.

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace climstat;
    std::vector<std::string> args = {"--data-dir", "/nonexistent/climstat-fuzz"};
    std::string current;
    for (std::size_t i = 0; i < size && args.size() < 64; ++i) {
        const char c = static_cast<char>(data[i]);
        if (c == '\n') {
            args.push_back(current);
            current.clear();
        } else {
            current.push_back(c);
        }
    }
    args.push_back(current);
    for (const std::string& arg : args) {
        if (arg.rfind("--output", 0) == 0 || arg == "write-station" ||
            arg.rfind("--data-dir", 0) == 0 || arg.rfind("--met", 0) == 0) {
            if (&arg != &args[0]) return 0;
        }
    }
    std::ostringstream out, err;
    const int status = cli::run(args, out, err, "");
    // Every run ends with one of the documented statuses; a failure says why in one line.
    if (status != cli::kExitOk && status != cli::kExitUsage && status != cli::kExitDataFile) {
        __builtin_trap();
    }
    if (status != cli::kExitOk && err.str().empty()) __builtin_trap();
    return 0;
}
