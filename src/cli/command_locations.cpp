#include <filesystem>
#include <sstream>
#include <system_error>

#include "cli/cli.h"
#include "core/errors.h"
#include "data/typical_year.h"
#include "data/typical_year_table.h"

namespace climstat::cli {

// The names of the typical-year lists, as --location takes them, with the file each one reads
// and whether the data folder holds it: one line "list;position;name;file;present|missing".
int commandLocations(Context& ctx) {
    bool list2006 = true;
    bool list2013 = true;
    if (auto source = ctx.args.value("source")) {
        if (*source == "cte2006") {
            list2013 = false;
        } else if (*source == "cte2013") {
            list2006 = false;
        } else {
            throw UsageError("locations lists cte2006 or cte2013, not '" + *source + "'");
        }
    }
    std::ostringstream out;
    out << "list;position;name;file;in the data folder\n";
    for (const TypicalYearLocation& row : typicalYearLocations()) {
        const bool is2006 = row.list == TypicalYearList::List2006;
        if ((is2006 && !list2006) || (!is2006 && !list2013)) continue;
        const std::string file = std::string(row.fileBaseName) + ".met";
        std::error_code ec;
        const bool present = !ctx.dataFolder.folder.empty() &&
                             std::filesystem::is_regular_file(
                                 typicalYearFilePath(ctx.dataFolder.folder, row.fileBaseName), ec);
        out << (is2006 ? "cte2006" : "cte2013") << ';' << row.position << ';' << row.name << ';'
            << file << ';' << (present ? "present" : "missing") << '\n';
    }
    if (ctx.dataFolder.folder.empty()) {
        ctx.err << "climstat-cli: warning: data folder " << missingFolderMessage(ctx.dataFolder)
                << '\n';
    }
    writeResult(ctx, out.str());
    return kExitOk;
}

}  // namespace climstat::cli
