#include "data/station_catalogue.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <set>

namespace climstat {
namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Degrees, minutes and seconds of a text "DDºMM'SS''H" as decimal degrees, or NaN.
double dmsDegrees(std::string_view text, std::string_view hemispheres) {
    // "º" is two bytes in UTF-8.
    if (text.size() != 12 || text.substr(2, 2) != "º" || text[6] != '\'' ||
        text.substr(9, 2) != "''" || hemispheres.find(text[11]) == std::string_view::npos) {
        return std::nan("");
    }
    for (std::size_t i : {0u, 1u, 4u, 5u, 7u, 8u}) {
        if (!isDigit(text[i])) return std::nan("");
    }
    auto two = [&](std::size_t i) { return (text[i] - '0') * 10 + (text[i + 1] - '0'); };
    if (two(4) > 59 || two(7) > 59) return std::nan("");
    return two(0) + two(4) / 60.0 + two(7) / 3600.0;
}

// Four digits, or a capital letter and three digits, optionally followed by a capital letter.
bool isCatalogueCodeForm(std::string_view code) {
    if (code.size() != 4 && code.size() != 5) return false;
    if (!isDigit(code[0]) && !(code[0] >= 'A' && code[0] <= 'Z')) return false;
    for (std::size_t i = 1; i < 4; ++i) {
        if (!isDigit(code[i])) return false;
    }
    return code.size() == 4 || (code[4] >= 'A' && code[4] <= 'Z');
}

TEST(StationCatalogue, HoldsTheStationsInListOrder) {
    const auto stations = stationCatalogue();
    ASSERT_EQ(stations.size(), 104u);
    EXPECT_EQ(stations.front().code, "1387");
    EXPECT_EQ(stations.back().code, "9434");
    std::set<std::string_view> codes;
    for (const StationRecord& s : stations) {
        EXPECT_TRUE(codes.insert(s.code).second) << "repeated code " << s.code;
        EXPECT_TRUE(isCatalogueCodeForm(s.code)) << s.code;
        // The province is what the list item shows before its first two spaces.
        EXPECT_EQ(s.itemText.substr(0, s.itemText.find("  ")), s.province) << s.code;
        EXPECT_TRUE(s.wMax > 0.0f && s.wMax <= 1.0f) << s.code;
    }
}

TEST(StationCatalogue, LatitudeTextsAgreeWithTheLatitudes) {
    for (const StationRecord& s : stationCatalogue()) {
        const double degrees = dmsDegrees(s.latitudeText, "N");
        ASSERT_FALSE(std::isnan(degrees)) << s.code << " '" << s.latitudeText << "'";
        EXPECT_NEAR(std::round(degrees * 1e4) / 1e4, s.latitude, 1e-4) << s.code;
    }
}

TEST(StationCatalogue, LongitudeTextsAreDmsOrEmptyWhereUnknown) {
    const std::set<std::string_view> unknown = {"0208", "7002X", "7275B", "9174X", "2005X"};
    for (const StationRecord& s : stationCatalogue()) {
        if (unknown.count(s.code) > 0) {
            EXPECT_EQ(s.longitudeText, "") << s.code;
            continue;
        }
        const double degrees = dmsDegrees(s.longitudeText, "EW");
        ASSERT_FALSE(std::isnan(degrees)) << s.code << " '" << s.longitudeText << "'";
        // Spain, the Balearic and the Canary Islands lie between 19 degrees west and 5 east.
        const bool east = s.longitudeText.back() == 'E';
        EXPECT_LT(degrees, east ? 5.0 : 19.0) << s.code;
    }
    // The inventory's 60 seconds are carried into the minutes.
    EXPECT_EQ(findStation("3338")->longitudeText, "04º15'00''W");
}

TEST(StationCatalogue, KnownRecordsAreComplete) {
    const StationRecord* s = findStation("1387E");
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->province, "A Coruña");
    EXPECT_EQ(s->stationName, "A Coruña (Aeroporto)");
    EXPECT_EQ(s->altitudeText, "97");
    EXPECT_EQ(s->latitudeText, "43º18'15''N");
    EXPECT_EQ(s->longitudeText, "08º22'42''W");
    EXPECT_EQ(s->latitude, 43.3042f);
    EXPECT_EQ(s->countTText, "87600 (1998-2007)");
    EXPECT_EQ(s->countHText, "29200 (1998-2007)");
    EXPECT_TRUE(s->hasReference);
    EXPECT_EQ(s->reference[0], -4.7f);
    EXPECT_EQ(s->reference[19], 25.6f);
    EXPECT_EQ(findStation("C449C")->countTText, "82617 (1998-2007)");
    EXPECT_EQ(findStation("1428")->wMax, 0.019f);
    // Without a known count the text is empty, not invented.
    EXPECT_EQ(findStation("3129")->countTText, "");
    EXPECT_FALSE(findStation("3129")->hasReference);
}

TEST(StationList, ItemsAndCodes) {
    EXPECT_EQ(stationItemText(0), "Ninguna selección");
    EXPECT_EQ(stationItemText(1), "A Coruña  (1387  Estación completa)");
    EXPECT_EQ(stationItemText(16), "Baleares  (B278   Palma - Aeropuerto Son San Juan)");
    EXPECT_EQ(stationItemText(104), "Zaragoza  (9434 Zaragoza  - aeropuerto)");
    EXPECT_EQ(stationItemText(105), "");
    EXPECT_EQ(stationItemText(-1), "");
    EXPECT_EQ(stationCodeForIndex(0), "");
    EXPECT_EQ(stationCodeForIndex(2), "1387E");
    EXPECT_EQ(stationCodeForIndex(105), "");
    // Listed as "367", but the code (and so the file names) keep the leading zero.
    EXPECT_EQ(stationItemText(37), "Girona  (367  Aeroport de Girona - Costa Brava)");
    EXPECT_EQ(stationCodeForIndex(37), "0367");
    EXPECT_EQ(findStation("367"), nullptr);
    EXPECT_EQ(stationIndexForCode("0367"), 37);
    EXPECT_EQ(stationIndexForCode("1387e"), 0);  // codes compare case-sensitively
}

TEST(LookUpStation, CopiesTheRecordIntoTheState) {
    auto state = std::make_unique<AnalysisState>();
    const StationPageLabels labels = lookUpStation(*state, "3195");
    EXPECT_EQ(state->stationCode, "3195");
    EXPECT_EQ(state->stationInfo[1], "Madrid");
    EXPECT_EQ(state->stationInfo[2], "Madrid (Retiro)");
    EXPECT_EQ(state->stationInfo[3], "40º24'40''N");
    EXPECT_EQ(state->stationInfo[4], "03º40'41''W");
    EXPECT_EQ(state->stationInfo[5], "87600 (1998-2007)");
    EXPECT_EQ(state->stationInfo[6], "14600 (1998-2007)");
    EXPECT_EQ(state->stationInfo[7], "3195");
    EXPECT_EQ(state->stationInfo[8], "667");
    EXPECT_EQ(state->locationLatitude, 40.4111f);
    EXPECT_EQ(state->wMax, 1.0f);
    EXPECT_EQ(state->stationDesign[1], -6.1f);
    EXPECT_EQ(state->stationDesign[5], 69.0f);
    EXPECT_EQ(state->stationDesign[20], 32.4f);

    EXPECT_EQ(labels.province, "Provincia: Madrid");
    EXPECT_EQ(labels.station, "Estación: Madrid (Retiro)");
    EXPECT_EQ(labels.latitude, "Latitud: 40º24'40''N");
    EXPECT_EQ(labels.longitude, "Longitud: 03º40'41''W");
    EXPECT_EQ(labels.altitude, "a.s.n.m.: 667");
    EXPECT_EQ(labels.countT, "Datos temperatura seca: 87600 (1998-2007)");
    EXPECT_EQ(labels.countH, "Datos humedad relativa: 14600 (1998-2007)");
    EXPECT_EQ(labels.code, "Indicativo: 3195");

    // A station without reference values leaves them unset, not those of the previous one.
    lookUpStation(*state, "1428");
    EXPECT_EQ(state->wMax, 0.019f);
    EXPECT_EQ(state->stationDesign[1], -5.8f);
    lookUpStation(*state, "3129");
    EXPECT_TRUE(std::isnan(state->stationDesign[1]));
    EXPECT_TRUE(std::isnan(state->stationDesign[20]));
}

TEST(LookUpStation, EmptyOrUnknownCodesChangeNothing) {
    auto state = std::make_unique<AnalysisState>();
    lookUpStation(*state, "9434");
    for (const char* code : {"", "XXXX", "9434 "}) {
        const StationPageLabels labels = lookUpStation(*state, code);
        EXPECT_EQ(labels.province, "") << code;
        EXPECT_EQ(labels.code, "") << code;
        EXPECT_EQ(state->stationCode, "9434");
        EXPECT_EQ(state->stationInfo[2], "Zaragoza (Aeropuerto)");
        EXPECT_EQ(state->stationDesign[1], -9.5f);
    }
}

TEST(DesignPageTexts, ReferenceValuesWithOneDecimalAndHumidityWithNone) {
    auto state = std::make_unique<AnalysisState>();
    lookUpStation(*state, "1387E");
    state->locationName = "A Coruña (Aeroporto) (1387E)";
    const DesignPageStationTexts texts = designPageStationTexts(*state, ',');
    EXPECT_EQ(texts.reference[1], "-4,7");
    EXPECT_EQ(texts.reference[2], "0,0");
    EXPECT_EQ(texts.reference[5], "93");
    EXPECT_EQ(texts.reference[13], "20,0");
    EXPECT_EQ(texts.station, "A Coruña (Aeroporto) (1387E)");
    EXPECT_EQ(referenceLabelName(1), "LTSMIN");
    EXPECT_EQ(referenceLabelName(5), "LHUM");
    EXPECT_EQ(referenceLabelName(20), "LTSC_2");

    lookUpStation(*state, "8416");
    const DesignPageStationTexts unknown = designPageStationTexts(*state, '.');
    for (int i = 1; i <= kReferenceValues; ++i)
        EXPECT_EQ(unknown.reference[static_cast<std::size_t>(i)], "") << i;
}

}  // namespace
}  // namespace climstat
