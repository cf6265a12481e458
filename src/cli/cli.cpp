#include "cli/cli.h"

#include <array>
#include <exception>
#include <ostream>
#include <streambuf>
#include <string_view>

#include "core/errors.h"
#include "core/number_text.h"
#include "core/text_file.h"

namespace climstat::cli {

namespace {

struct Command {
    std::string_view name;
    int (*run)(Context&);
    std::string_view usage;
};

constexpr std::array kCommands = {
    Command{"info", commandInfo,
            "info                       location, altitude, pressure, latitude, year slots, "
            "hours read\n"
            "                           (EPW: the file's header and its design conditions beside "
            "climstat's)"},
    Command{"psychro", commandPsychro,
            "psychro --t T --w W (--pt P | --altitude Z)   every humid-air property of one "
            "state"},
    Command{"selection", commandSelection,
            "selection [--list]         selected hours per month and year slot (--list: their "
            "hour indices, day by day)"},
    Command{"averages", commandAverages,
            "averages --variable V      file of the hourly-average page (V: ts tw tdp w h rh "
            "or 0..5)"},
    Command{"hourly-values", commandHourlyValues,
            "hourly-values              file of the hourly-value page (typical-year data)"},
    Command{"diagram", commandDiagram,
            "diagram [--year N|all]     psychrometric diagram as CSV series,x,y (N 1997..2008, "
            "default 2007;\n"
            "                           EPW years: one of theirs, default the last)"},
    Command{"write-station", commandWriteStation,
            "write-station --code CODE (--input FILE.csv | --isd-lite FILE ...) [--utc-offset H]\n"
            "                           the station's two files in the data folder from lines "
            "YYYY-MM-DD;HH;T;RH\n"
            "                           (hour 1..24, degC, %; an empty field is missing) or from "
            "ISD-Lite files\n"
            "                           (UTC, plain or .gz; local time +1 h, 0 h on the Canary "
            "Islands, or H)"},
    Command{"design", commandDesign,
            "design                     design conditions (NAME;value, empty when undefined) "
            "and the observation counts"},
    Command{"frequencies", commandFrequencies,
            "frequencies --variable V [--kind K]   file of the frequency page\n"
            "                           (V: ts tw tdp w h rh or 0..5; K: hours frequencies "
            "cumulative mean-ts\n"
            "                           mean-tw mean-tdp mean-w mean-h mean-rh or 0..8, default "
            "hours)"},
    Command{"degree-hours", commandDegreeHours,
            "degree-hours [--cooling]   file of the degree-hour page (heating unless --cooling)"},
    Command{"degree-days", commandDegreeDays,
            "degree-days [--cooling]    file of the degree-day page (heating unless --cooling)"},
    Command{"locations", commandLocations,
            "locations [--source S]     names of the typical-year lists (S cte2006 or cte2013) "
            "and whether\n"
            "                           the data folder holds each file"},
};

constexpr std::string_view kUsageHead =
    "usage: climstat-cli [options] COMMAND [command options]\n"
    "\n"
    "location   --source cte2006|cte2013 --location NAME\n"
    "           --source aemet --station CODE [--extrapolation 0..3] [--locality-altitude Z]\n"
    "           --met FILE --altitude Z\n"
    "           --source epw --epw FILE [--epw FILE ...] (one year: a typical year; several: "
    "years)\n"
    "selection  --interval 0..12   --first VAR:min|max:LIMIT   --second VAR:min|max:LIMIT\n"
    "           (VAR: ts tw tdp w rh h, or none)\n"
    "           --day-type FIRST-LAST:TYPE (days of the year 1..365, type 1..7; repeatable)\n"
    "           --schedule TYPE:HOURS (type 1..6, hours such as 8-13,16-19; repeatable)\n"
    "global     --data-dir DIR   --decimal-separator . or ,   --output FILE (- for standard "
    "output)\n"
    "           --verbose (the station reader's trace lines)   -h, --help   --version\n"
    "\n"
    "commands (COMMAND --help for one):\n";

void printUsage(std::ostream& out) {
    out << kUsageHead;
    for (const Command& command : kCommands)
        out << "  " << command.usage << '\n';
}

char separatorOption(const Arguments& args) {
    auto text = args.value("decimal-separator");
    // Any other character would corrupt the ";"-separated files or change how numbers read.
    if (!text) {
        const char locale = localeDecimalSeparator();
        return locale == ',' ? ',' : '.';
    }
    if (*text != "." && *text != ",") {
        throw UsageError("--decimal-separator must be . or ,");
    }
    return (*text)[0];
}

// Where the station reader's trace lines go without --verbose.
class NullBuffer : public std::streambuf {
  protected:
    int overflow(int c) override { return c; }
};

}  // namespace

double numberOption(const Context& ctx, const std::string& name) {
    auto text = ctx.args.value(name);
    if (!text) throw UsageError("missing option --" + name);
    // Command-line numbers are accepted with a point as well as with the chosen separator.
    try {
        return parseDecimal(*text, ctx.decimalSeparator);
    } catch (const ConversionError&) {
        if (ctx.decimalSeparator == '.') throw;
        return parseDecimal(*text, '.');
    }
}

void refuseOutputOverInput(const Context& ctx, const std::string& output) {
    for (const std::string& input : ctx.inputFiles) {
        if (isSameFile(output, input)) {
            ErrorFields fields = pathFields(output);
            fields.value = input;
            throw DataFileError(ErrorKind::SameFileAsInput, std::move(fields));
        }
    }
}

void writeResult(Context& ctx, const std::string& bytes) {
    writeResult(ctx, bytes, ctx.args.value("output"));
}

void writeResult(Context& ctx, const std::string& bytes, const std::optional<std::string>& file) {
    if (file && *file != "-") {
        refuseOutputOverInput(ctx, *file);
        writeFileReplacing(*file, bytes);
        return;
    }
    ctx.out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    ctx.out.flush();
    if (!ctx.out) throw DataFileError("standard output", "could not be written completely");
}

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        const std::string& programFolder) {
    try {
        Context ctx(parseArguments(args), out, err);
        if (ctx.args.flag("version")) {
            out << "climstat-cli " << kVersion << '\n';
            return kExitOk;
        }
        const Command* command = nullptr;
        for (const Command& candidate : kCommands) {
            if (candidate.name == ctx.args.command) command = &candidate;
        }
        if (command != nullptr && ctx.args.flag("help")) {
            out << "usage: climstat-cli [options] " << command->usage << '\n';
            return kExitOk;
        }
        if (ctx.args.flag("help") || ctx.args.command.empty() || ctx.args.command == "help") {
            printUsage(ctx.args.command.empty() && !ctx.args.flag("help") ? err : out);
            return ctx.args.command.empty() && !ctx.args.flag("help") ? kExitUsage : kExitOk;
        }
        if (command == nullptr) throw UsageError("unknown command '" + ctx.args.command + "'");
        checkCommandOptions(ctx.args);
        NullBuffer nothing;
        std::ostream silent(&nothing);
        ctx.trace = ctx.args.flag("verbose") ? &err : &silent;
        ctx.decimalSeparator = separatorOption(ctx.args);
        ctx.programFolder = programFolder;
        ctx.dataFolder = resolveDataFolder(
            dataFolderInputsFromEnvironment(programFolder, ctx.args.value("data-dir")));
        return command->run(ctx);
    } catch (const UsageError& e) {
        err << "climstat-cli: " << e.what() << '\n';
        return kExitUsage;
    } catch (const ConversionError& e) {
        err << "climstat-cli: " << e.what() << '\n';
        return kExitUsage;
    } catch (const DataFileError& e) {
        err << "climstat-cli: " << e.what() << '\n';
        return kExitDataFile;
    } catch (const std::bad_alloc&) {
        err << "climstat-cli: out of memory\n";
        return 1;
    } catch (const std::exception& e) {
        err << "climstat-cli: " << e.what() << '\n';
        return 1;
    }
}

}  // namespace climstat::cli
