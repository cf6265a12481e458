#pragma once

#include <string>
#include <vector>

namespace climstat::app {

// The fixed texts of the information panel, line by line, with their tabs and blanks.
const std::vector<std::string>& generalHelpText();        // what the program computes
const std::vector<std::string>& extrapolationHelpText();  // the extrapolation choices
const std::vector<std::string>& glossaryHelpText();       // the design-condition names

}  // namespace climstat::app
