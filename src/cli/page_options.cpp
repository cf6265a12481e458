#include <array>
#include <string_view>

#include "cli/cli.h"
#include "core/errors.h"

namespace climstat::cli {

int variableItemOption(const Context& ctx) {
    auto text = ctx.args.value("variable");
    if (!text) throw UsageError("missing option --variable (ts, tw, tdp, w, h, rh or 0..5)");
    // In the order of the items of the pages' variable selectors.
    static constexpr std::array<std::string_view, 6> kNames = {"ts", "tw", "tdp", "w", "h", "rh"};
    for (std::size_t i = 0; i < kNames.size(); ++i) {
        if (*text == kNames[i] || *text == std::string(1, static_cast<char>('0' + i))) {
            return static_cast<int>(i);
        }
    }
    throw UsageError("--variable: unknown variable '" + *text +
                     "' (ts, tw, tdp, w, h, rh or 0..5)");
}

}  // namespace climstat::cli
