#pragma once

// The command line run in the test's process, with what it prints kept.

#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"

namespace climstat::test {

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};

inline CliResult runCommandLine(const std::vector<std::string>& args,
                                const std::string& programDir = "") {
    std::ostringstream out;
    std::ostringstream err;
    const int status = cli::run(args, out, err, programDir);
    return {status, out.str(), err.str()};
}

}  // namespace climstat::test
