#include <sstream>

#include "cli/cli.h"
#include "output/average_export.h"
#include "output/page_labels.h"
#include "stats/hourly_averages.h"

namespace climstat::cli {

// The text file of the hourly-average page: the page's selection pass, the averages of the
// chosen variable and the block the page's save button writes.
int commandAverages(Context& ctx) {
    const int variable = variableItemOption(ctx);
    loadLocation(ctx);
    runSelectionPass(ctx);
    AnalysisState& state = ctx.state();
    computeHourlyAverages(state, {variable});
    std::ostringstream out;
    writeHourlyAverageBlock(out, state, averagePageLabels(state, ctx.source, ctx.decimalSeparator),
                            variable, ctx.decimalSeparator);
    writeResult(ctx, out.str());
    return kExitOk;
}

}  // namespace climstat::cli
