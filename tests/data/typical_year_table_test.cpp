#include "data/typical_year_table.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace climstat {
namespace {

using L = TypicalYearList;

TEST(TypicalYearTable, TwoListsNumberedWithoutGaps) {
    EXPECT_EQ(typicalYearLocations().size(), 96u);
    std::set<std::string_view> names;
    for (L list : {L::List2006, L::List2013}) {
        const int size = typicalYearListSize(list);
        EXPECT_EQ(size, list == L::List2006 ? 64 : 32);
        for (int p = 1; p <= size; ++p) {
            const std::string_view name = typicalYearNameAt(list, p);
            ASSERT_FALSE(name.empty()) << p;
            const TypicalYearLocation* row = findTypicalYearLocation(name);
            ASSERT_NE(row, nullptr);
            EXPECT_EQ(row->list, list);
            EXPECT_EQ(row->position, p);
            names.insert(name);
        }
        EXPECT_TRUE(typicalYearNameAt(list, 0).empty());  // "Ninguna selección"
        EXPECT_TRUE(typicalYearNameAt(list, size + 1).empty());
        EXPECT_TRUE(typicalYearNameAt(list, -1).empty());
    }
    EXPECT_EQ(names.size(), 96u);  // names are unique across both lists
}

TEST(TypicalYearTable, NamesFilesAndAltitudesAsPublished) {
    struct Expected {
        const char* name;
        const char* file;
        const char* altitude;
        int position;
    };
    for (const Expected& e :
         {Expected{"A Coruña", "Lacoruna", "67", 1}, Expected{"Avila", "avila", "1130", 5},
          Expected{"Castellón de la Plana", "Castello", "35", 12},
          Expected{"Ciudad Real", "ciudadreal", "629", 14}, Expected{"Girona", "gerona", "129", 18},
          Expected{"Lleida", "lerida", "202", 28}, Expected{"Madrid", "madrid", "667", 29},
          Expected{"Ourense", "orense", "150", 33},
          Expected{"Palma de Mallorca", "palmamallorca", "6", 36},
          Expected{"Santa Cruz de Tenerife", "tenerife", "36", 40},
          Expected{"Sevilla", "sevilla", "31", 43}, Expected{"Zaragoza", "zaragoza", "240", 52},
          Expected{"ZonaA3", "ZonaA3", "4", 53}, Expected{"ZonaE1", "ZonaE1", "881", 64}}) {
        const TypicalYearLocation* row = findTypicalYearLocation(e.name);
        ASSERT_NE(row, nullptr) << e.name;
        EXPECT_EQ(row->fileBaseName, e.file);
        EXPECT_EQ(row->altitude, e.altitude);
        EXPECT_EQ(row->position, e.position);
        EXPECT_EQ(row->list, L::List2006);
    }
    const TypicalYearLocation* donostia = findTypicalYearLocation("Donostia-San Sebastián");
    ASSERT_NE(donostia, nullptr);
    EXPECT_EQ(donostia->position, 17);
    EXPECT_EQ(donostia->fileBaseName, "sansebastian");
    EXPECT_EQ(donostia->entryText, "Donostia-San Sebastian");  // the list text lacks the accent
    EXPECT_EQ(findTypicalYearLocation("ZonaD3")->entryText, "ZonaD3(2006)");
    EXPECT_EQ(findTypicalYearLocation("D3_peninsula")->entryText, "D3_peninsula(2013)");
}

TEST(TypicalYearTable, TwentyThirteenZones) {
    EXPECT_EQ(typicalYearNameAt(L::List2013, 1), "A3_peninsula");
    EXPECT_EQ(typicalYearNameAt(L::List2013, 12), "E1_peninsula");
    EXPECT_EQ(typicalYearNameAt(L::List2013, 13), "alpha1_canarias");
    EXPECT_EQ(typicalYearNameAt(L::List2013, 17), "A1_canarias");
    EXPECT_EQ(typicalYearNameAt(L::List2013, 32), "E1_canarias");
    for (const TypicalYearLocation& row : typicalYearLocations()) {
        if (row.list != L::List2013) continue;
        EXPECT_EQ(row.fileBaseName, row.name);
        const char* expected = row.position <= 12 ? "667" : row.position <= 16 ? "21" : "30";
        EXPECT_EQ(row.altitude, expected) << row.name;
    }
}

TEST(TypicalYearTable, LookUpsAreExact) {
    EXPECT_EQ(findTypicalYearLocation("madrid"), nullptr);  // a file name, not a name
    EXPECT_EQ(findTypicalYearLocation("Donostia-San Sebastian"), nullptr);
    EXPECT_EQ(findTypicalYearLocation("ZonaD3(2006)"), nullptr);
    EXPECT_EQ(findTypicalYearLocation(""), nullptr);
    EXPECT_EQ(typicalYearPosition2006("Donostia-San Sebastián"), 17);
    EXPECT_EQ(typicalYearPosition2006("Madrid"), 29);
    EXPECT_EQ(typicalYearPosition2006("D3_peninsula"), 0);  // a 2013 zone
    EXPECT_EQ(typicalYearPosition2006("Atlantis"), 0);
}

}  // namespace
}  // namespace climstat
