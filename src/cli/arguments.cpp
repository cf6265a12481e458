#include <array>
#include <string_view>

#include "cli/cli.h"
#include "core/errors.h"

namespace climstat::cli {

namespace {

struct OptionSpec {
    std::string_view name;
    bool takesValue;
    bool repeatable;
};

// Every option climstat-cli knows; each command reads the ones it needs.
constexpr std::array kOptions = {
    // location
    OptionSpec{"source", true, false},
    OptionSpec{"location", true, false},
    OptionSpec{"station", true, false},
    OptionSpec{"extrapolation", true, false},
    OptionSpec{"locality-altitude", true, false},
    OptionSpec{"met", true, false},
    OptionSpec{"altitude", true, false},
    OptionSpec{"epw", true, true},
    // selection
    OptionSpec{"interval", true, false},
    OptionSpec{"first", true, false},
    OptionSpec{"second", true, false},
    OptionSpec{"day-type", true, true},
    OptionSpec{"schedule", true, true},
    // global
    OptionSpec{"data-dir", true, false},
    OptionSpec{"decimal-separator", true, false},
    OptionSpec{"output", true, false},
    OptionSpec{"verbose", false, false},
    OptionSpec{"version", false, false},
    // command options
    OptionSpec{"t", true, false},
    OptionSpec{"w", true, false},
    OptionSpec{"pt", true, false},
    OptionSpec{"list", false, false},
    OptionSpec{"variable", true, false},
    OptionSpec{"kind", true, false},
    OptionSpec{"cooling", false, false},
    OptionSpec{"year", true, false},
    OptionSpec{"code", true, false},
    OptionSpec{"input", true, false},
    OptionSpec{"isd-lite", true, true},
    OptionSpec{"utc-offset", true, false},
    OptionSpec{"help", false, false},
};

// The options that belong to one command only (or to a few); every other option (location,
// selection, global, --altitude of --met and psychro alike) goes with any command.
struct CommandOptions {
    std::string_view command;
    std::string_view options;  // names separated by blanks
};

constexpr std::array kCommandOptions = {
    CommandOptions{"psychro", "t w pt"},           CommandOptions{"selection", "list"},
    CommandOptions{"averages", "variable"},        CommandOptions{"diagram", "year"},
    CommandOptions{"write-station", "code input"}, CommandOptions{"frequencies", "variable kind"},
    CommandOptions{"degree-hours", "cooling"},     CommandOptions{"degree-days", "cooling"},
};

bool listed(std::string_view list, std::string_view name) {
    for (std::size_t start = 0; start < list.size();) {
        std::size_t end = list.find(' ', start);
        if (end == std::string_view::npos) end = list.size();
        if (list.substr(start, end - start) == name) return true;
        start = end + 1;
    }
    return false;
}

const OptionSpec* findOption(std::string_view name) {
    for (const OptionSpec& option : kOptions) {
        if (option.name == name) return &option;
    }
    return nullptr;
}

}  // namespace

std::optional<std::string> Arguments::value(const std::string& name) const {
    auto it = values_.find(name);
    if (it == values_.end() || it->second.empty()) return std::nullopt;
    return it->second.back();
}

const std::vector<std::string>& Arguments::values(const std::string& name) const {
    static const std::vector<std::string> none;
    auto it = values_.find(name);
    return it == values_.end() ? none : it->second;
}

void checkCommandOptions(const Arguments& args) {
    std::string_view own;
    for (const CommandOptions& entry : kCommandOptions) {
        if (entry.command == args.command) own = entry.options;
    }
    for (const OptionSpec& option : kOptions) {
        const std::string name(option.name);
        if (!args.has(name) || listed(own, name)) continue;
        bool commandOption = false;
        for (const CommandOptions& entry : kCommandOptions)
            commandOption = commandOption || listed(entry.options, name);
        if (commandOption) {
            throw UsageError("option --" + name + " does not belong to the command " +
                             args.command);
        }
    }
}

Arguments parseArguments(const std::vector<std::string>& args) {
    Arguments parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "-h") {
            parsed.addFlag("help");
            continue;
        }
        if (arg.size() > 2 && arg.compare(0, 2, "--") == 0) {
            std::string name = arg.substr(2);
            std::optional<std::string> inlineValue;
            if (auto eq = name.find('='); eq != std::string::npos) {
                inlineValue = name.substr(eq + 1);
                name.resize(eq);
            }
            const OptionSpec* option = findOption(name);
            if (option == nullptr) throw UsageError("unknown option --" + name);
            if (!option->takesValue) {
                if (inlineValue) throw UsageError("option --" + name + " takes no value");
                parsed.addFlag(name);
                continue;
            }
            if (!option->repeatable && parsed.value(name)) {
                throw UsageError("option --" + name + " is given more than once");
            }
            if (inlineValue) {
                parsed.addValue(name, *inlineValue);
            } else if (i + 1 < args.size()) {
                parsed.addValue(name, args[++i]);
            } else {
                throw UsageError("option --" + name + " needs a value");
            }
            continue;
        }
        if (!parsed.command.empty()) {
            throw UsageError("unexpected argument '" + arg + "' after command " + parsed.command);
        }
        parsed.command = arg;
    }
    return parsed;
}

}  // namespace climstat::cli
