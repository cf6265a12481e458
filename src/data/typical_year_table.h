#pragma once

#include <span>
#include <string_view>

namespace climstat {

// The two lists of typical-year locations.
enum class TypicalYearList { List2006, List2013 };

// One entry of a typical-year list: where it stands in its list, the name the program uses for
// it, the base name of its data file and the altitude of the data (whole metres, as text).
struct TypicalYearLocation {
    TypicalYearList list;
    int position;                   // 1..64 (2006) or 1..32 (2013); 0 is "Ninguna selección"
    std::string_view name;          // UTF-8; compared by exact equality
    std::string_view fileBaseName;  // without folder and ".met"
    std::string_view altitude;      // data altitude in metres
    std::string_view entryText;     // the text shown in the list
};

// All 96 rows, the 2006 list first, each list in position order.
std::span<const TypicalYearLocation> typicalYearLocations();

// Name of the entry at a list position; empty for position 0 and positions outside the list.
std::string_view typicalYearNameAt(TypicalYearList list, int position);

// Row whose name equals the text exactly, or nullptr.
const TypicalYearLocation* findTypicalYearLocation(std::string_view name);

// Position of a name in the 2006 list (the map picks capitals by name); 0 when not in it.
int typicalYearPosition2006(std::string_view name);

// Number of entries of a list (64 or 32).
int typicalYearListSize(TypicalYearList list);

}  // namespace climstat
