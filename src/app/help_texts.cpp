#include "app/help_texts.h"

namespace climstat::app {

// clang-format off
const std::vector<std::string>& generalHelpText() {
    static const std::vector<std::string> kLines = {
        " ",
        "\t- Este programa elabora estadísticas a partir de tres posibles bases de datos:",
        "\t        - Datos de 104 estaciones metereológicas",
        "\t        - Año tipo utilizado en certificación (ficheros *.met)",
        "\t        - Año tipo utilizado en certificación (ficheros *.bin)",
        " ",
        "\t- Se pueden establecer dos tipos de filtros para obtener las estadísticas:",
        "\t        - Filtro temporal",
        "\t        - Filtro por rango de valores mínimos y máximos",
        " ",
        "\t- El tipo de estadísticas posibles depende del tipo de ficheros utilizados:",
        "\t        - Datos de 104 estaciones metereológicas",
        "\t                - Condiciones de proyecto",
        "\t                - Representación en un diagrama sicrométrico de las condiciones medidas",
        "\t                - Frecuencias con las que se da un variable en un intervalo",
        "\t                        - Se puede elegir el tipo de variable (Ts, Th, Tr, FI,...)",
        "\t                        - Se puede elegir el tipo de variable a representar",
        "\t                                - Horas, porcentajes, valores medios de otrra variable",
        "\t                - Valores promedios de cualquier variable (Ts, Th, Tr, FI,...)",
        "\t                - Grados día de calefacción y refrigeración",
        " ",
        "\t        - Año tipo utilizado en certificación (ficheros *.met) ó (ficheros *.bin) ",
        "\t                - Representación en un diagrama sicrométrico de las condiciones medidas",
        "\t                - Frecuencias con las que se da un variable en un intervalo",
        "\t                        - Se puede elegir el tipo de variable (Ts, Th, Tr, FI,...)",
        "\t                        - Se puede elegir el tipo de variable a representar",
        "\t                                - Horas, porcentajes, valores medios de otrra variable",
        "\t                - Valores promedios de cualquier variable (Ts, Th, Tr, FI,...)",
        "\t                - Grados día de calefacción y refrigeración",
        "\t                - Valores horarios de cualquier variable (Ts, Th, Tr, FI,...) del año tipo",
        " ",
        "\t- Es la versión 1.2",
        " ",
    };
    return kLines;
}

const std::vector<std::string>& extrapolationHelpText() {
    static const std::vector<std::string> kLines = {
        " ",
        "\t- Opciones de extrapolación a partir de datos obtenidos de estaciones metereológicas: temperatura seca y la humedad relativa",
        " ",
        "\t        1) Estación metereológica",
        "\t                Son los datos propios de la estación, no existe ninguna extrapolación",
        "\t        2) Diferente cota",
        "\t                Se calcula la presión total de la localidad en función de la altura sobre el nivel del mar (a.s.n.m.)",
        "\t                Se disminuye 1ºC por cada 100 metros sobre la estación metereológica, si la cota es inferior no se corrige (ver guía nº 11 del KORVAL",
        "\t        3) Isla térmica",
        "\t                Corrección por estar la estación metereológica fuera de la ciudad, y contabilizar la variación de temperatura por la actividad humana, de acuerdo",
        "\t                con la guía nº 11 del KORVAL se corrige +3ºC en invierno y +0ºC en verano, habiéndose asignado una variación de +1.5ºC en Primavera y Otoño",
        "\t        4) Isla térmica y Diferente cota",
        "\t                Se tienen a la vez las anteriores correcciones",
        "  ",
        "\t        La forma de proceder a la corrección es:",
        "\t                - Con la temperatura, humedad relativa y presión total de la estación se estima su humedad específica",
        "\t                - Se calcula la nueva presión total de la localidad",
        "\t                - Se calcula la nueva temperatura seca (con las anteriores correcciones)",
        "\t                - Con la nueva presión total, temperatura seca y humedad específica de la estación metereológica se calculan las demás propiedades",
        "\t                - Si en la nueva situación se da una humedad relativa superior al 100% se corrige la humedad específica fijando una humedad relativa del 100%",
        " ",
        " ",
        "\t- Opciones de extrapolación a partir de datos obtenidos de ficheros *.met ó *.bin : temperatura seca y la humedad específica",
        " ",
        "\t        1) Capital",
        "\t                Son los datos propios de dichos ficheros, no existe ninguna extrapolación",
        "\t        2) Otra localidad",
        "\t                En función de la provincia, y la altura de la localidad se estima la zona climática que le corresponde, de acuerdo a la tabla establecida en el CTE-HE1",
        "\t                (Si se ha elegido una zona climática se puede especificar el cálculo a cualquier altura sobre el nivel del mar)",
        "  ",
        "\t        La forma de proceder a la corrección es:",
        "\t                - Se calcula la nueva presión total de la localidad",
        "\t                - Con la temperatura, humedad específica y presión total de la estación se estiman las demás propiedades",
        "\t                - Si en la nueva situación se da una humedad relativa superior al 100% se corrige la humedad específica fijando una humedad relativa del 100%",
        " ",
    };
    return kLines;
}

const std::vector<std::string>& glossaryHelpText() {
    static const std::vector<std::string> kLines = {
        " ",
        "NOMENCLATURA",
        "   - TSMIN: Temperatura seca mínima registrada (ºC)",
        "   - TS_99,6: Temperatura seca (ºC) de la estación con un nivel percentil del 99.6%",
        "   - TS_99: Temperatura seca (ºC) de la estación con un nivel percentil del 99%",
        "   - HUMcoin: Humedad relativa coincidente con TS_99",
        "   - OMA: Oscilación Máxima Anual: TS_04 - TS_99,6",
        "   - OMDC: Oscilación Media diaria en calefacción, con TS_99",
        "   - OminDC: Oscilación Mínima diaria en calefacción, con TS_99",
        "   - TSMAX: Temperatura seca máxima registrada (ºC)",
        "   - TS_0,4: Temperatura seca (ºC) de la estación con un nivel percentil del 0.4%",
        "   - THC_0,4: Temperatura húmeda coincidente (ºC) con TS_0,4",
        "   - TS_1: Temperatura seca (ºC) de la estación con un nivel percentil del 1%",
        "   - THC_1: Temperatura húmeda coincidente (ºC) con TS_1",
        "   - TS_2: Temperatura seca (ºC) de la estación con un nivel percentil del 2%",
        "   - THC_2: Temperatura húmeda coincidente (ºC) con TS_2",
        "   - OMDR: Oscilación Media diaria en refrigeración, con TS_1",
        "   - TH_0,4: Temperatura húmeda (ºC) de la estación con un nivel percentil del 0.4%",
        "   - TSC_0,4: Temperatura seca coincidente (ºC) con TH_0,4",
        "   - TH_1: Temperatura húmeda (ºC) de la estación con un nivel percentil del 1%",
        "   - TSC_1: Temperatura seca coincidente (ºC) con TH_1",
        "   - TH_2: Temperatura húmeda (ºC) de la estación con un nivel percentil del 2%",
        "   - TSC_2: Temperatura seca coincidente (ºC) con TH_2",
        " ",
    };
    return kLines;
}

// clang-format on

}  // namespace climstat::app
