#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>

#include "core/analysis_state.h"

namespace climstat {

// Writes the lines of an exported text file: each line converted to Windows-1252 and ended with
// CR LF.
class ExportWriter {
  public:
    explicit ExportWriter(std::ostream& out) : out_(out) {}
    void line(std::string_view utf8);
    void emptyLine() { line(""); }

  private:
    std::ostream& out_;
};

// Which extra column the month header of a table carries.
enum class SeasonColumn { None, HeatingFiveMonths, CoolingFourMonths };

// "Intervalo;Ene;...;Dic;Anual", with "5 meses" or "4 meses" before "Anual" in the degree tables.
std::string monthHeaderLine(SeasonColumn season);

// "Variable a representar= ..." for item 0..5 of a page's variable selector.
std::string variableLine(int variableItem);

// "Tipo= ..." for item 0..8 of the frequency output kind.
std::string frequencyTypeLine(int outputItem);

// Caption of the data-type labels of the result pages: for station data it names the
// extrapolation choice 0..3; for typical-year data "Ficheros CTE-HE (ficheros *.met)"; for EPW
// data "Ficheros EPW (ficheros *.epw)".
std::string dataTypeLabel(DataSource source, int extrapolationChoice);

// The name the save step writes to: the chosen name cut at its last ".txt" (exact, lower case,
// when found before position 10000), then ".txt" appended.
std::string exportFileName(const std::string& chosen);

// Writes an export file through the writer; the file is replaced only once it is complete.
// Throws DataFileError naming the file when it cannot be created or written.
void writeExportFile(const std::string& path, const std::function<void(ExportWriter&)>& block);

}  // namespace climstat
