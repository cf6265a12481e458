#pragma once

// Properties of humid air from dry-bulb temperature, humidity ratio and total pressure.
//
// Units: temperatures in degC; humidity ratio W in kg water per kg dry air; pressures (total
// pressure pt, vapour pressure pv, saturation pressure ps) in Pa; enthalpy in kJ per kg dry air;
// specific volume in m3 per kg dry air; relative humidity in percent (not clamped to 100);
// altitude in m. Every function is pure, takes and returns single-precision values and rounds
// its result to single precision; intermediate sums are formed in double precision.

namespace climstat::psychro {

// Psychrometric constants, held in single precision.
inline constexpr float cpa = 1.006f;        // specific heat of dry air, kJ/(kg K)
inline constexpr float cpv = 1.86f;         // specific heat of water vapour, kJ/(kg K)
inline constexpr float hfg = 2501.0f;       // latent heat of vaporisation at 0 degC, kJ/kg
inline constexpr float cw = 4.186f;         // specific heat of liquid water, kJ/(kg K)
inline constexpr float epsilon = 0.62198f;  // molar mass ratio water / dry air
inline constexpr float kelvinOffset = 273.15f;
inline constexpr double rAir = 287.0;  // gas constant of dry air, J/(kg K)
inline constexpr double seaLevelPressure = 101325.0;

// Saturation vapour pressure over water (T >= -0.0606) or ice (below), Pa. Hyland-Wexler
// equations; the ice and water curves meet near -0.057 degC with these coefficients.
float saturationPressure(float T);

// W = epsilon * pv / (pt - pv).
float humidityRatio(float pv, float pt);

// pv = W * pt / (W + epsilon).
float vapourPressure(float W, float pt);

// Humidity ratio of saturated air: humidityRatio(saturationPressure(T), pt).
float saturationHumidityRatio(float T, float pt);

// h = (cpv * T + hfg) * W + cpa * T, kJ/kg dry air.
float enthalpy(float T, float W);

// v = rAir * (T + 273.15) / (pt - pv), m3/kg dry air.
float specificVolume(float T, float W, float pt);

// 100 * pv / ps, %. 0 for T = 0 and W = 0 together (an all-zero record is no data); 50 when the
// saturation pressure underflows to 0.
float relativeHumidity(float T, float W, float pt);

// Dew-point temperature by bisection inside 3 K of the inverted Magnus-Tetens estimate
// (13 halvings). 0 for W = 0; -60 when the vapour pressure is 1 Pa or less.
float dewPoint(float W, float pt);

// Thermodynamic wet-bulb temperature by bisection between the dew point and T, to within
// 0.001 K of the root of the psychrometric relation. 0 for T = 0 and W = 0 together; the mean
// of T and the dew point when T is below the dew point; T itself when an intermediate value is
// not finite (an arithmetic failure anywhere in the computation, the dew point included).
float wetBulb(float T, float W, float pt);

// The wet bulb together with the dew point it starts from, each exactly what wetBulb and
// dewPoint return for the same state; one dew-point solve serves both.
struct WetBulbAndDewPoint {
    float wetBulb = 0;
    float dewPoint = 0;
};
WetBulbAndDewPoint wetBulbAndDewPoint(float T, float W, float pt);

// Altitudes accepted for a location, m. Far outside them the standard atmosphere means nothing
// (above about 44 km its pressure formula is not even a number).
inline constexpr double kLowestAltitude = -1000.0;
inline constexpr double kHighestAltitude = 10000.0;
inline bool isAcceptedAltitude(double z) {
    return z >= kLowestAltitude && z <= kHighestAltitude;
}

// Standard-atmosphere pressure of an altitude: 101325 * (1 - 2.25577e-5 * z)^5.2559, Pa.
float pressureAtAltitude(float z);

// Inverse relations, for tracing lines of constant enthalpy, volume and wet bulb.
float humidityRatioFromEnthalpy(float T, float h);  // (h - cpa T) / (cpv T + hfg)
float temperatureFromEnthalpy(float W, float h);    // (h - hfg W) / (cpv W + cpa)
float humidityRatioFromVolume(float T, float v, float pt);
float temperatureFromVolume(float W, float v, float pt);
float temperatureFromVolumeAndVapourPressure(float v, float pv, float pt);
// W on the wet-bulb line Twb at dry bulb T; Ws is the saturation humidity ratio at Twb.
float humidityRatioFromWetBulb(float T, float Twb, float Ws);
// Wet bulb implied by a trial saturation humidity ratio Ws at (T, W).
float wetBulbFromSaturationRatio(float Ws, float W, float T);
// Dry bulb on the wet-bulb line Twb at humidity ratio W; Ws is the saturation ratio at Twb.
float temperatureFromWetBulb(float Twb, float W, float Ws);

}  // namespace climstat::psychro
