#include <sstream>

#include "cli/cli.h"
#include "core/errors.h"
#include "output/hourly_values_export.h"
#include "output/page_labels.h"

namespace climstat::cli {

// The text file of the typical-year hourly-value page: the page's selection pass and the block
// the page's save button writes. The station hourly-value page has no file.
int commandHourlyValues(Context& ctx) {
    loadLocation(ctx);
    if (ctx.source == DataSource::Aemet ||
        (ctx.source == DataSource::Epw && ctx.state().typicalYearIndex < 0)) {
        throw UsageError(
            "hourly-values writes the file of the typical-year hourly-value page; the page of "
            "station data and of several years has none");
    }
    runSelectionPass(ctx);
    const AnalysisState& state = ctx.state();
    std::ostringstream out;
    writeHourlyValuesBlock(out, state,
                           hourlyValuesPageLabels(state, ctx.decimalSeparator, ctx.source),
                           ctx.decimalSeparator);
    writeResult(ctx, out.str());
    return kExitOk;
}

}  // namespace climstat::cli
