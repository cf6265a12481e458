#include "cli/cli.h"

#include <algorithm>
#include <array>
#include <exception>
#include <initializer_list>
#include <ostream>
#include <streambuf>
#include <string>
#include <string_view>

#include "core/errors.h"
#include "core/number_text.h"
#include "core/text_file.h"

namespace climstat::cli {

namespace {

struct Command {
    std::string_view name;
    int (*run)(Context&);
    std::string_view synopsis;
    std::string_view description;
};

constexpr std::array kCommands = {
    Command{"info", commandInfo, "info",
            "location, altitude, pressure, latitude, year slots, hours read (EPW: the file's "
            "header and its design conditions beside climstat's)"},
    Command{"psychro", commandPsychro, "psychro --t T --w W (--pt P | --altitude Z)",
            "every humid-air property of one state"},
    Command{"selection", commandSelection, "selection [--list]",
            "selected hours per month and year slot (--list: their hour indices, day by day)"},
    Command{"averages", commandAverages, "averages --variable V",
            "file of the hourly-average page (V: ts tw tdp w h rh or 0..5)"},
    Command{"hourly-values", commandHourlyValues, "hourly-values",
            "file of the hourly-value page (typical-year data)"},
    Command{"diagram", commandDiagram, "diagram [--year N|all]",
            "psychrometric diagram as CSV series,x,y (station: N 1997..2008, default 2007; EPW "
            "years: one of theirs, default the last)"},
    Command{"write-station", commandWriteStation,
            "write-station --code CODE (--input FILE.csv | --isd-lite FILE ...) [--utc-offset H]",
            "the station's two files in the data folder, from lines YYYY-MM-DD;HH;T;RH (hour "
            "1..24, degC, %; an empty field is missing) or from ISD-Lite files (UTC, plain or "
            ".gz; local time +1 h, 0 h on the Canary Islands, or H)"},
    Command{"design", commandDesign, "design",
            "design conditions (NAME;value, empty when undefined) and the observation counts"},
    Command{"frequencies", commandFrequencies, "frequencies --variable V [--kind K]",
            "file of the frequency page (V: ts tw tdp w h rh or 0..5; K: hours frequencies "
            "cumulative mean-ts mean-tw mean-tdp mean-w mean-h mean-rh or 0..8, default hours)"},
    Command{"degree-hours", commandDegreeHours, "degree-hours [--cooling]",
            "file of the degree-hour page (heating unless --cooling)"},
    Command{"degree-days", commandDegreeDays, "degree-days [--cooling]",
            "file of the degree-day page (heating unless --cooling)"},
    Command{"locations", commandLocations, "locations [--source S]",
            "names of the typical-year lists (S cte2006 or cte2013) and whether the data folder "
            "holds each file"},
};

struct HelpItem {
    std::string_view synopsis;
    std::string_view description;
};

struct HelpGroup {
    std::string_view heading;
    std::initializer_list<HelpItem> items;
};

const std::array<HelpGroup, 3> kOptionGroups = {{
    {"Location:",
     {{"--source cte2006|cte2013 --location NAME",
       "a location of the building code's typical-year lists"},
      {"--source aemet --station CODE [--extrapolation 0..3] [--locality-altitude Z]",
       "a weather station's two files in the data folder"},
      {"--met FILE --altitude Z",
       "a typical-year file of one's own and the altitude of its data (m)"},
      {"--source epw --epw FILE [--epw FILE ...]",
       "EPW files of one place (one year: a typical year; several: actual years)"}}},
    {"Selection:",
     {{"--interval 0..12", "the interval preset"},
      {"--first VAR:min|max:LIMIT, --second VAR:min|max:LIMIT",
       "the limits on two humid-air variables (VAR: ts tw tdp w rh h, or none)"},
      {"--day-type FIRST-LAST:TYPE",
       "the day type of days of the year (days 1..365, type 1..7; repeatable)"},
      {"--schedule TYPE:HOURS",
       "the hours of a day type (type 1..6, hours such as 8-13,16-19; repeatable)"}}},
    {"Options:",
     {{"--data-dir DIR", "the data folder"},
      {"--decimal-separator . or ,",
       "the decimal separator of the numbers written (default: the locale's)"},
      {"--output FILE", "where the result goes (- for standard output)"},
      {"--verbose", "the station reader's trace lines"},
      {"-h, --help", "this text; COMMAND --help the text of one command"},
      {"--version", "the program's name and version"}}},
}};

// Words from column `column` up to column 80, each further line indented to `column`; the
// first line starts at column `at`.
void printWrapped(std::ostream& out, std::string_view text, std::size_t column, std::size_t at) {
    constexpr std::size_t kWidth = 80;
    out << std::string(column > at ? column - at : 0, ' ');
    at = std::max(at, column);
    bool lineStart = true;
    while (!text.empty()) {
        const std::size_t space = text.find(' ');
        const std::string_view word = text.substr(0, space);
        text = space == std::string_view::npos ? std::string_view() : text.substr(space + 1);
        if (!lineStart && at + 1 + word.size() > kWidth) {
            out << '\n' << std::string(column, ' ');
            at = column;
            lineStart = true;
        }
        if (!lineStart) {
            out << ' ';
            ++at;
        }
        out << word;
        at += word.size();
        lineStart = false;
    }
    out << '\n';
}

// "  SYNOPSIS  description", the description from column 24 (on the synopsis line when it
// leaves room): the layout that terminals and the manual page made from this text read well.
void printItem(std::ostream& out, std::string_view synopsis, std::string_view description) {
    constexpr std::size_t kColumn = 24;
    out << "  " << synopsis;
    std::size_t at = 2 + synopsis.size();
    if (at + 2 > kColumn) {
        out << '\n';
        at = 0;
    }
    printWrapped(out, description, kColumn, at);
}

void printUsage(std::ostream& out) {
    out << "usage: climstat-cli [options] COMMAND [command options]\n";
    for (const HelpGroup& group : kOptionGroups) {
        out << '\n' << group.heading << '\n';
        for (const HelpItem& item : group.items)
            printItem(out, item.synopsis, item.description);
    }
    out << "\nCommands:\n";
    for (const Command& command : kCommands)
        printItem(out, command.synopsis, command.description);
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
            out << "usage: climstat-cli [options] " << command->synopsis << "\n\n";
            printWrapped(out, command->description, 2, 0);
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
