#pragma once

#include <iosfwd>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/analysis_state.h"
#include "core/version.h"
#include "data/data_folder.h"
#include "data/location_load.h"
#include "output/page_labels.h"
#include "selection/selection.h"

namespace climstat::cli {

// Exit statuses of climstat-cli.
inline constexpr int kExitOk = 0;
inline constexpr int kExitUsage = 2;     // bad arguments or a text that is not a number
inline constexpr int kExitDataFile = 3;  // a data file missing or unreadable

// The command line after parsing: the command, the value(s) of each option and the flags.
class Arguments {
  public:
    std::string command;

    // Last value of an option, if given.
    std::optional<std::string> value(const std::string& name) const;
    // Every value of a repeatable option, in the order given.
    const std::vector<std::string>& values(const std::string& name) const;
    bool flag(const std::string& name) const { return flags_.count(name) > 0; }
    bool has(const std::string& name) const { return values_.count(name) > 0 || flag(name); }

    void addValue(const std::string& name, std::string value) {
        values_[name].push_back(std::move(value));
    }
    void addFlag(const std::string& name) { flags_.insert(name); }

  private:
    std::map<std::string, std::vector<std::string>> values_;
    std::set<std::string> flags_;
};

// Parses "--name value", "--name=value" and flags; throws UsageError for unknown options, a
// missing value, a repeated single option or more than one command.
Arguments parseArguments(const std::vector<std::string>& args);

// Throws UsageError for an option that belongs to other commands only (frequencies --cooling).
void checkCommandOptions(const Arguments& args);

// Everything a command works with.
struct Context {
    Context(Arguments parsed, std::ostream& output, std::ostream& errors)
        : args(std::move(parsed)), out(output), err(errors) {}

    Arguments args;
    std::ostream& out;
    std::ostream& err;
    std::ostream* trace = nullptr;  // the station reader's trace lines (--verbose), else nowhere
    char decimalSeparator = '.';
    std::string programFolder;
    DataFolderChoice dataFolder;
    DataSource source = DataSource::Aemet;
    std::string loadedFile;  // the data file(s) the location was read from
    // Every file the command reads: --output may name none of them.
    std::vector<std::string> inputFiles;
    EpwLoadReport epw;  // what an EPW load found (source Epw)

    // The analysis state, made on first use: a command refused for its options or its data
    // folder never builds the megabytes of tables.
    AnalysisState& state() {
        if (!state_) state_ = std::make_unique<AnalysisState>();
        return *state_;
    }

  private:
    std::unique_ptr<AnalysisState> state_;
};

// Runs climstat-cli in-process with the arguments after the program name. Returns the exit
// status; the reason of a failure goes to `err` in one line.
int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        const std::string& programFolder);

// --- shared by the commands ---

// Number of an option given on the command line ('.' or the chosen decimal separator); throws
// ConversionError for a text that is not a number and UsageError when the option is missing.
double numberOption(const Context& ctx, const std::string& name);

// Loads the location named by the location options into ctx.state() (and sets ctx.source).
// Throws UsageError when no location is given or it is not known, DataFileError when its file
// cannot be read.
void loadLocation(Context& ctx);

// Throws DataFileError when there is no data folder (saying where the search looked) or the
// data path is not a folder.
void requireDataFolder(const Context& ctx);

// Why no data folder was found: where the search looked and how to give one.
std::string missingFolderMessage(const DataFolderChoice& choice);

// Selection settings from --interval, --first, --second, --day-type and --schedule (and the
// data source and decimal separator of the context); throws UsageError for malformed options.
SelectionSettings selectionSettings(const Context& ctx);

// Sets the schedules of the day types given with --schedule in ctx.state().scheduleTable (the
// others keep their defaults); throws UsageError for malformed options.
void applyScheduleOptions(Context& ctx);

// The selection pass on the loaded location with the options of the command line, schedules
// included; a limit that is not a number throws ConversionError. Commands run this rather than
// runSelection(selectionSettings(ctx)), which would miss the --schedule options.
void runSelectionPass(Context& ctx);

// Writes a command's output to --output FILE when given (replacing the file only once it is
// complete) or to standard output. Throws UsageError when --output is given more than once,
// DataFileError when it names a file the command reads (ctx.inputFiles).
void writeResult(Context& ctx, const std::string& bytes);
// Throws DataFileError when `output` is one of ctx.inputFiles (device and inode).
void refuseOutputOverInput(const Context& ctx, const std::string& output);
// The same to the file named by the command itself (standard output when there is none).
void writeResult(Context& ctx, const std::string& bytes, const std::optional<std::string>& file);

// What the location labels of the result pages are derived from: the loaded source, the
// --extrapolation choice and the --locality-altitude.
PageLabelSettings pageLabelSettings(const Context& ctx);

// Item 0..5 of a page's variable selector from --variable: the item or its short name ts, tw,
// tdp, w, h, rh. Throws UsageError when missing or unknown.
int variableItemOption(const Context& ctx);

// Commands.
int commandInfo(Context& ctx);
int commandPsychro(Context& ctx);
int commandSelection(Context& ctx);
int commandAverages(Context& ctx);
int commandHourlyValues(Context& ctx);
int commandDiagram(Context& ctx);
int commandWriteStation(Context& ctx);
int commandDesign(Context& ctx);
int commandFrequencies(Context& ctx);
int commandDegreeHours(Context& ctx);
int commandDegreeDays(Context& ctx);
int commandLocations(Context& ctx);

}  // namespace climstat::cli
