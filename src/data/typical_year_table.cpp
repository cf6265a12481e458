#include "data/typical_year_table.h"

#include <array>

namespace climstat {

namespace {

using L = TypicalYearList;

// clang-format off
constexpr std::array<TypicalYearLocation, 96> kLocations = {{
    {L::List2006, 1, "A Coruña", "Lacoruna", "67", "A Coruña"},
    {L::List2006, 2, "Albacete", "albacete", "704", "Albacete"},
    {L::List2006, 3, "Alicante", "alicante", "82", "Alicante"},
    {L::List2006, 4, "Almería", "almeria", "21", "Almería"},
    {L::List2006, 5, "Avila", "avila", "1130", "Avila"},
    {L::List2006, 6, "Badajoz", "badajoz", "192", "Badajoz"},
    {L::List2006, 7, "Barcelona", "barcelona", "6", "Barcelona"},
    {L::List2006, 8, "Bilbao", "bilbao", "34", "Bilbao"},
    {L::List2006, 9, "Burgos", "burgos", "881", "Burgos"},
    {L::List2006, 10, "Cáceres", "caceres", "405", "Cáceres"},
    {L::List2006, 11, "Cádiz", "cadiz", "4", "Cádiz"},
    {L::List2006, 12, "Castellón de la Plana", "Castello", "35", "Castellón de la Plana"},
    {L::List2006, 13, "Ceuta", "ceuta", "200", "Ceuta"},
    {L::List2006, 14, "Ciudad Real", "ciudadreal", "629", "Ciudad Real"},
    {L::List2006, 15, "Córdoba", "cordoba", "92", "Córdoba"},
    {L::List2006, 16, "Cuenca", "cuenca", "956", "Cuenca"},
    {L::List2006, 17, "Donostia-San Sebastián", "sansebastian", "259", "Donostia-San Sebastian"},
    {L::List2006, 18, "Girona", "gerona", "129", "Girona"},
    {L::List2006, 19, "Granada", "granada", "570", "Granada"},
    {L::List2006, 20, "Guadalajara", "guadalajara", "685", "Guadalajara"},
    {L::List2006, 21, "Huelva", "huelva", "26", "Huelva"},
    {L::List2006, 22, "Huesca", "huesca", "542", "Huesca"},
    {L::List2006, 23, "Jaén", "jaen", "510", "Jaén"},
    {L::List2006, 24, "Logroño", "logrono", "352", "Logroño"},
    {L::List2006, 25, "Las Palmas de Gran Canaria", "laspalmas", "24", "Las Palmas de Gran Canaria"},
    {L::List2006, 26, "León", "leon", "913", "León"},
    {L::List2006, 27, "Lugo", "lugo", "43", "Lugo"},
    {L::List2006, 28, "Lleida", "lerida", "202", "Lleida"},
    {L::List2006, 29, "Madrid", "madrid", "667", "Madrid"},
    {L::List2006, 30, "Málaga", "malaga", "7", "Málaga"},
    {L::List2006, 31, "Melilla", "melilla", "55", "Melilla"},
    {L::List2006, 32, "Murcia", "murcia", "3", "Murcia"},
    {L::List2006, 33, "Ourense", "orense", "150", "Ourense"},
    {L::List2006, 34, "Oviedo", "oviedo", "339", "Oviedo"},
    {L::List2006, 35, "Palencia", "palencia", "750", "Palencia"},
    {L::List2006, 36, "Palma de Mallorca", "palmamallorca", "6", "Palma de Mallorca"},
    {L::List2006, 37, "Pamplona", "pamplona", "461", "Pamplona"},
    {L::List2006, 38, "Pontevedra", "pontevedra", "19", "Pontevedra"},
    {L::List2006, 39, "Salamanca", "salamanca", "790", "Salamanca"},
    {L::List2006, 40, "Santa Cruz de Tenerife", "tenerife", "36", "Santa Cruz de Tenerife"},
    {L::List2006, 41, "Santander", "santander", "65", "Santander"},
    {L::List2006, 42, "Segovia", "segovia", "1005", "Segovia"},
    {L::List2006, 43, "Sevilla", "sevilla", "31", "Sevilla"},
    {L::List2006, 44, "Soria", "soria", "1080", "Soria"},
    {L::List2006, 45, "Tarragona", "tarragona", "50", "Tarragona"},
    {L::List2006, 46, "Teruel", "teruel", "916", "Teruel"},
    {L::List2006, 47, "Toledo", "toledo", "516", "Toledo"},
    {L::List2006, 48, "Valencia", "valencia", "11", "Valencia"},
    {L::List2006, 49, "Valladolid", "valladolid", "735", "Valladolid"},
    {L::List2006, 50, "Vitoria-Gasteiz", "vitoria", "521", "Vitoria-Gasteiz"},
    {L::List2006, 51, "Zamora", "zamora", "667", "Zamora"},
    {L::List2006, 52, "Zaragoza", "zaragoza", "240", "Zaragoza"},
    {L::List2006, 53, "ZonaA3", "ZonaA3", "4", "ZonaA3(2006)"},
    {L::List2006, 54, "ZonaA4", "ZonaA4", "21", "ZonaA4(2006)"},
    {L::List2006, 55, "ZonaB3", "ZonaB3", "11", "ZonaB3(2006)"},
    {L::List2006, 56, "ZonaB4", "ZonaB4", "31", "ZonaB4(2006)"},
    {L::List2006, 57, "ZonaC1", "ZonaC1", "34", "ZonaC1(2006)"},
    {L::List2006, 58, "ZonaC2", "ZonaC2", "6", "ZonaC2(2006)"},
    {L::List2006, 59, "ZonaC3", "ZonaC3", "570", "ZonaC3(2006)"},
    {L::List2006, 60, "ZonaC4", "ZonaC4", "516", "ZonaC4(2006)"},
    {L::List2006, 61, "ZonaD1", "ZonaD1", "521", "ZonaD1(2006)"},
    {L::List2006, 62, "ZonaD2", "ZonaD2", "667", "ZonaD2(2006)"},
    {L::List2006, 63, "ZonaD3", "ZonaD3", "667", "ZonaD3(2006)"},
    {L::List2006, 64, "ZonaE1", "ZonaE1", "881", "ZonaE1(2006)"},
    {L::List2013, 1, "A3_peninsula", "A3_peninsula", "667", "A3_peninsula(2013)"},
    {L::List2013, 2, "A4_peninsula", "A4_peninsula", "667", "A4_peninsula(2013)"},
    {L::List2013, 3, "B3_peninsula", "B3_peninsula", "667", "B3_peninsula(2013)"},
    {L::List2013, 4, "B4_peninsula", "B4_peninsula", "667", "B4_peninsula(2013)"},
    {L::List2013, 5, "C1_peninsula", "C1_peninsula", "667", "C1_peninsula(2013)"},
    {L::List2013, 6, "C2_peninsula", "C2_peninsula", "667", "C2_peninsula(2013)"},
    {L::List2013, 7, "C3_peninsula", "C3_peninsula", "667", "C3_peninsula(2013)"},
    {L::List2013, 8, "C4_peninsula", "C4_peninsula", "667", "C4_peninsula(2013)"},
    {L::List2013, 9, "D1_peninsula", "D1_peninsula", "667", "D1_peninsula(2013)"},
    {L::List2013, 10, "D2_peninsula", "D2_peninsula", "667", "D2_peninsula(2013)"},
    {L::List2013, 11, "D3_peninsula", "D3_peninsula", "667", "D3_peninsula(2013)"},
    {L::List2013, 12, "E1_peninsula", "E1_peninsula", "667", "E1_peninsula(2013)"},
    {L::List2013, 13, "alpha1_canarias", "alpha1_canarias", "21", "alpha1_canarias(2013)"},
    {L::List2013, 14, "alpha2_canarias", "alpha2_canarias", "21", "alpha2_canarias(2013)"},
    {L::List2013, 15, "alpha3_canarias", "alpha3_canarias", "21", "alpha3_canarias(2013)"},
    {L::List2013, 16, "alpha4_canarias", "alpha4_canarias", "21", "alpha4_canarias(2013)"},
    {L::List2013, 17, "A1_canarias", "A1_canarias", "30", "A1_canarias(2013)"},
    {L::List2013, 18, "A2_canarias", "A2_canarias", "30", "A2_canarias(2013)"},
    {L::List2013, 19, "A3_canarias", "A3_canarias", "30", "A3_canarias(2013)"},
    {L::List2013, 20, "A4_canarias", "A4_canarias", "30", "A4_canarias(2013)"},
    {L::List2013, 21, "B1_canarias", "B1_canarias", "30", "B1_canarias(2013)"},
    {L::List2013, 22, "B2_canarias", "B2_canarias", "30", "B2_canarias(2013)"},
    {L::List2013, 23, "B3_canarias", "B3_canarias", "30", "B3_canarias(2013)"},
    {L::List2013, 24, "B4_canarias", "B4_canarias", "30", "B4_canarias(2013)"},
    {L::List2013, 25, "C1_canarias", "C1_canarias", "30", "C1_canarias(2013)"},
    {L::List2013, 26, "C2_canarias", "C2_canarias", "30", "C2_canarias(2013)"},
    {L::List2013, 27, "C3_canarias", "C3_canarias", "30", "C3_canarias(2013)"},
    {L::List2013, 28, "C4_canarias", "C4_canarias", "30", "C4_canarias(2013)"},
    {L::List2013, 29, "D1_canarias", "D1_canarias", "30", "D1_canarias(2013)"},
    {L::List2013, 30, "D2_canarias", "D2_canarias", "30", "D2_canarias(2013)"},
    {L::List2013, 31, "D3_canarias", "D3_canarias", "30", "D3_canarias(2013)"},
    {L::List2013, 32, "E1_canarias", "E1_canarias", "30", "E1_canarias(2013)"},
}};
// clang-format on

}  // namespace

std::span<const TypicalYearLocation> typicalYearLocations() {
    return kLocations;
}

int typicalYearListSize(TypicalYearList list) {
    return list == TypicalYearList::List2006 ? 64 : 32;
}

std::string_view typicalYearNameAt(TypicalYearList list, int position) {
    for (const TypicalYearLocation& row : kLocations) {
        if (row.list == list && row.position == position) return row.name;
    }
    return {};
}

const TypicalYearLocation* findTypicalYearLocation(std::string_view name) {
    for (const TypicalYearLocation& row : kLocations) {
        if (row.name == name) return &row;
    }
    return nullptr;
}

int typicalYearPosition2006(std::string_view name) {
    const TypicalYearLocation* row = findTypicalYearLocation(name);
    return row != nullptr && row->list == TypicalYearList::List2006 ? row->position : 0;
}

}  // namespace climstat
