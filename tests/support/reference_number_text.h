#pragma once

#include <string>

namespace climstat::test::reference {

// The number text of grids, labels and files as first written (exact decimal digits, rounded
// half away from zero on them): what the faster conversion must give for every value.
std::string numberText(double value, int precision, int decimals, char decimalSeparator);

}  // namespace climstat::test::reference
