#include "data/station_catalogue.h"

#include <cmath>
#include <limits>

#include "core/number_text.h"

namespace climstat {

namespace {

// The agency's stations as the station list offers them. Latitude texts are the catalogue
// latitudes in degrees, minutes and seconds; longitude texts come from the agency's station
// inventory. Count texts and reference design values are known for a few stations only.
// clang-format off
// code, province, station name, altitude, latitude text, longitude text, latitude,
// temperature count, humidity count, reference values known, reference values, wMax, item text
constexpr std::array<StationRecord, kStationCount> kStations = {{
    {"1387", "A Coruña", "A Coruña (Estación completa)", "58", "43º22'02''N", "08º25'17''W", 43.3672f, "", "", false, {}, 1.0f, "A Coruña  (1387  Estación completa)"},
    {"1387E", "A Coruña", "A Coruña (Aeroporto)", "97", "43º18'15''N", "08º22'42''W", 43.3042f, "87600 (1998-2007)", "29200 (1998-2007)", true, {-4.7f, 0.0f, 1.4f, 12.8f, 93.0f, 28.0f, 37.7f, 28.0f, 21.4f, 26.0f, 20.6f, 24.5f, 20.0f, 14.5f, 21.6f, 28.1f, 20.7f, 26.7f, 19.8f, 25.6f}, 1.0f, "A Coruña  (1387E  Aeroporto)"},
    {"1428", "A Coruña", "Santiago de Compostela (Labacolla)", "364", "42º53'58''N", "08º25'37''W", 42.8994f, "87600 (1998-2007)", "29200 (1998-2007)", true, {-5.8f, -0.1f, 1.2f, 11.1f, 90.0f, 31.0f, 39.0f, 30.9f, 21.8f, 28.4f, 21.2f, 26.3f, 20.6f, 17.5f, 22.4f, 30.1f, 21.2f, 29.0f, 20.2f, 28.0f}, 0.019f, "A Coruña  (1428  Santiago de Compostela - Labacolla)"},
    {"1393", "A Coruña", "Cabo Vilan", "50", "43º09'43''N", "09º12'39''W", 43.1619f, "", "", false, {}, 1.0f, "A Coruña  (1393  Cabo Vilan)"},
    {"9091O", "Alava", "Vitoria (Aeropuerto de Foronda)", "508", "42º53'02''N", "02º44'06''W", 42.8839f, "", "", false, {}, 0.019f, "Alava  (9091O  Vitoria - Aeropuerto de Foronda)"},
    {"7096B", "Albacete", "Hellín - Bomberos", "520", "38º30'31''N", "01º42'11''W", 38.5086f, "", "", false, {}, 1.0f, "Albacete  (7096B  Hellín - Bomberos)"},
    {"8175", "Albacete", "Albacete - Los Llanos - base aérea", "704", "38º57'08''N", "01º51'23''W", 38.9522f, "", "", false, {}, 0.022f, "Albacete  (8175  Los Llanos base aérea)"},
    {"8025", "Alicante", "Alicante (Ciudad Jardín)", "82", "38º22'00''N", "00º29'39''W", 38.3667f, "", "", false, {}, 1.0f, "Alicante  (8025  Ciudad Jardín)"},
    {"8019", "Alicante", "Alicante - El Altet", "31", "38º17'09''N", "00º34'15''W", 38.2858f, "", "", false, {}, 0.022f, "Alicante  (8019  El Altet)"},
    {"6325O", "Almería", "Almería (Aeropuerto)", "20", "36º50'35''N", "02º21'25''W", 36.8431f, "", "", false, {}, 1.0f, "Almería  (6325O  Aeropuerto)"},
    {"1249I", "Asturias", "Oviedo (El Cristo)", "336", "43º21'13''N", "05º52'27''W", 43.3536f, "", "", false, {}, 1.0f, "Asturias  (1249I  Oviedo - El Cristo)"},
    {"1212E", "Asturias", "Ranón (Aeropuerto de Asturias)", "127", "43º33'53''N", "06º02'39''W", 43.5647f, "", "", false, {}, 1.0f, "Asturias  (1212E  Ranon - Aeropuerto de Asturias)"},
    {"2444", "Avila", "Avila - observatorio", "1130", "40º39'00''N", "04º40'47''W", 40.65f, "", "", false, {}, 1.0f, "Avila  (2444  Observatorio)"},
    {"4452", "Badajoz", "Badajoz (Talavera-Base Aérea)", "185", "38º53'00''N", "06º48'50''W", 38.8833f, "", "", false, {}, 0.0175f, "Badajoz  (4452  Talavera - Base aérea)"},
    {"B013X", "Baleares", "Escorza - Monasterio Lluc - automática", "490", "39º49'27''N", "02º53'09''E", 39.8242f, "", "", false, {}, 1.0f, "Baleares  (B013X  Escorza - Monasterio Lluc - Automática)"},
    {"B278", "Baleares", "Palma - aeropuerto Son San Juan", "4", "39º34'00''N", "02º44'12''E", 39.5667f, "", "", false, {}, 1.0f, "Baleares  (B278   Palma - Aeropuerto Son San Juan)"},
    {"B434X", "Baleares", "Felanitx - Faro Portocolom - automática", "17", "39º24'53''N", "03º16'18''E", 39.4147f, "", "", false, {}, 1.0f, "Baleares  (B434X  Felanitx - Faro Portocolom - Automática)"},
    {"B569X", "Baleares", "Capdepera - Faro - automática", "70", "39º43'01''N", "03º28'41''E", 39.7169f, "", "", false, {}, 1.0f, "Baleares  (B569X  Capdepera - Faro - Automática)"},
    {"B780X", "Baleares", "Pollensa - aerodromo - automática", "2", "39º54'10''N", "03º06'01''E", 39.9028f, "", "", false, {}, 1.0f, "Baleares  (B780X  Pollensa - Aeródromo - Automática)"},
    {"B893", "Baleares", "Mahón - aeropuerto Menorca", "85", "39º52'04''N", "04º12'56''E", 39.8678f, "", "", false, {}, 0.0215f, "Baleares  (B893  Mahón - Aeropuerto de Menorca)"},
    {"B228", "Baleares", "Palma (Centro Meteorológico)", "3", "39º33'20''N", "02º37'31''E", 39.5556f, "", "", false, {}, 1.0f, "Baleares  (B228  Palma - Centro Meteorológico)"},
    {"B954", "Baleares", "San José (Aeropuerto  de Ibiza)", "16", "38º52'41''N", "01º23'04''E", 38.8781f, "", "", false, {}, 0.023f, "Baleares  (B954  San José - Aeropuerto de Ibiza)"},
    {"0076", "Barcelona", "Aeroport de Barcelona - El Prat", "6", "41º17'49''N", "02º04'12''E", 41.2969f, "", "", false, {}, 1.0f, "Barcelona  (0076   Aeroport de Barcelona - El Prat)"},
    {"0200E", "Barcelona", "Barcelona - Fabra", "412", "41º25'10''N", "02º07'27''E", 41.4194f, "", "", false, {}, 1.0f, "Barcelona  (0200E  Barcelona - Fabra)"},
    {"0208", "Barcelona", "Granollers", "154", "41º36'27''N", "", 41.6075f, "", "", false, {}, 0.021f, "Barcelona  (0208  Granollers)"},
    {"2331", "Burgos", "Burgos - Villafría", "890", "42º21'22''N", "03º37'13''W", 42.3561f, "", "", false, {}, 1.0f, "Burgos  (2331  Burgos - Villafria)"},
    {"3469A", "Cáceres", "Cáceres (Carretera Trujillo)", "405", "39º28'20''N", "06º20'20''W", 39.4722f, "", "", false, {}, 1.0f, "Cáceres  (3469A  Cáceres - Carretera Trujillo)"},
    {"5910", "Cádiz", "Rota (Base Naval)", "21", "36º38'20''N", "06º19'57''W", 36.6389f, "", "", false, {}, 1.0f, "Cádiz  (5910  Rota - Base Naval)"},
    {"5960", "Cádiz", "Jerez de la Frontera (Aeropuerto)", "27", "36º44'45''N", "06º03'21''W", 36.7458f, "", "", false, {}, 0.0195f, "Cádiz  (5960  Jerez de la Frontera - Aeropuerto)"},
    {"5973", "Cádiz", "Cádiz (Cortadura)", "8", "36º29'55''N", "06º15'28''W", 36.4986f, "", "", false, {}, 0.02f, "Cádiz  (5973  Cádiz - Cortadura)"},
    {"1109", "Cantabria", "Parayas (Aeropuerto)", "6", "43º25'42''N", "03º49'32''W", 43.4283f, "", "", false, {}, 0.017f, "Cantabria  (1109  Parayas - Aeropuerto)"},
    {"1111", "Cantabria", "Santander (CMT)", "52", "43º29'30''N", "03º48'02''W", 43.4917f, "", "", false, {}, 0.019f, "Cantabria  (1111  Santander - CMT)"},
    {"8500A", "Castellón", "Castellón (Almazora)", "35", "39º57'00''N", "00º04'19''W", 39.95f, "", "", false, {}, 1.0f, "Castellón  (8500A  Castellón Almazora)"},
    {"4121", "Ciudad Real", "Ciudad Real (Escuela de Magisterio)", "627", "38º59'22''N", "03º55'13''W", 38.9894f, "", "", false, {}, 1.0f, "Ciudad Real  (4121  Ciudad Real - Escuela de Magisterio)"},
    {"5402", "Córdoba", "Córdoba (Aeropuerto)", "91", "37º50'40''N", "04º50'48''W", 37.8444f, "", "", false, {}, 0.0205f, "Córdoba  (5402  Córdoba - Aeropuerto)"},
    {"8096", "Cuenca", "Cuenca", "956", "40º04'00''N", "02º07'55''W", 40.0667f, "", "", false, {}, 1.0f, "Cuenca  (8096  Cuenca)"},
    {"0367", "Girona", "Aeroport de Girona (Costa Brava)", "127", "41º54'05''N", "02º45'48''E", 41.9014f, "", "", false, {}, 0.0185f, "Girona  (367  Aeroport de Girona - Costa Brava)"},
    {"1014", "Guipúzcua", "San Sebastián (Aeropuerto Fuentarrabía)", "8", "43º21'24''N", "01º47'32''W", 43.3567f, "", "", false, {}, 0.019f, "Guipúzcua  (1014  San Sebastián - Aeropuerto Fuenterrabía)"},
    {"1024E", "Guipúzcua", "San Sebastián (Igueldo)", "252", "43º18'27''N", "02º02'28''W", 43.3075f, "", "", false, {}, 1.0f, "Guipúzcua  (1024E  San Sebastián - Igueldo)"},
    {"5514", "Granada", "Granada (Base Aérea)", "687", "37º08'13''N", "03º37'53''W", 37.1369f, "", "", false, {}, 1.0f, "Granada  (5514  Granada - Base aérea)"},
    {"5530E", "Granada", "Granada (Aeropuerto)", "570", "37º11'24''N", "03º47'23''W", 37.19f, "", "", false, {}, 1.0f, "Granada  (5530E  Granada - Aeropuerto)"},
    {"3013", "Guadalajara", "Molina de Aragón", "1063", "40º50'40''N", "01º52'44''W", 40.8444f, "", "", false, {}, 0.019f, "Guadalajara  (3013  Molina de Aragón)"},
    {"4642E", "Huelva", "Huelva - Ronda Este", "19", "37º16'48''N", "06º54'42''W", 37.28f, "", "", false, {}, 1.0f, "Huelva  (4642E  Huelva - Ronda Este)"},
    {"9898", "Huesca", "Huesca - Monflorite", "541", "42º05'00''N", "00º19'32''W", 42.0833f, "", "", false, {}, 0.019f, "Huesca  (9898  Huesca Monflorite)"},
    {"5270B", "Jaén", "Jaén - Cerro de los Lirios", "580", "37º46'40''N", "03º48'33''W", 37.7778f, "", "", false, {}, 1.0f, "Jaén  (5270B  Jaén - Cerro de los Lírios)"},
    {"9170", "La Rioja", "Logroño (Agoncillo)", "352", "42º27'06''N", "02º19'52''W", 42.4517f, "", "", false, {}, 1.0f, "La Rioja  (9170  Logroño - Agoncillo)"},
    {"C689E", "Las Palmas", "San Bartolomé Tirajana (Hotel Faro Maspalomas)", "25", "27º43'59''N", "15º35'45''W", 27.7331f, "", "", false, {}, 1.0f, "Las Palmas  (C689E  San Bartolomé Tirajana - Hotel Faro Maspalo)"},
    {"C029O", "Las Palmas", "San Bartolomé - aeropuerto Lanzarote", "9", "28º57'08''N", "13º36'01''W", 28.9522f, "", "", false, {}, 1.0f, "Las Palmas  (C029O  San Bartolomé - Aeropuerto Lanzarote)"},
    {"C249I", "Las Palmas", "Puerto Rosario - aeropuerto Fuerteventura", "29", "28º27'10''N", "13º51'47''W", 28.4528f, "", "", false, {}, 1.0f, "Las Palmas  (C249I  Puerto del Rosario - Aeropuerto El Matorral)"},
    {"C649I", "Las Palmas", "Telde - aeropuerto Gran Canaria - Gando", "24", "27º55'45''N", "15º23'43''W", 27.9292f, "", "", false, {}, 1.0f, "Las Palmas  (C649I  Telde - Aeropuerto de Gran Canaria - Gando)"},
    {"2661", "León", "León - Virgen del camino", "916", "42º35'20''N", "05º39'04''W", 42.5889f, "", "", false, {}, 0.0165f, "León  (2661  León - Virgen del Camino)"},
    {"1549", "León", "Ponferrada", "534", "42º33'50''N", "06º36'00''W", 42.5639f, "", "", false, {}, 0.018f, "León  (1549  Ponferrada)"},
    {"1505", "Lugo", "Rozas - aeródromo", "444", "43º06'55''N", "07º27'27''W", 43.1153f, "", "", false, {}, 0.0175f, "Lugo  (1505  Rozas - Aeródromo)"},
    {"9771C", "Lleida", "Lleida - observatori 2", "192", "41º37'33''N", "00º35'53''E", 41.6258f, "", "", false, {}, 1.0f, "Lleida  (9771C  Observatori 2)"},
    {"2462", "Madrid", "Navacerrada (Puerto)", "1890", "40º46'50''N", "04º00'37''W", 40.7806f, "87600 (1998-2007)", "29200 (1998-2007)", true, {-17.5f, -9.8f, -8.2f, 6.0f, 93.0f, 35.9f, 31.3f, 26.1f, 15.1f, 24.8f, 14.6f, 23.2f, 14.1f, 11.6f, 15.6f, 25.0f, 15.0f, 24.4f, 14.2f, 23.4f}, 0.014f, "Madrid  (2462  Navacerrada - Puerto)"},
    {"3129", "Madrid", "Madrid (Barajas)", "582", "40º27'15''N", "03º33'20''W", 40.4542f, "", "", false, {}, 0.015f, "Madrid  (3129  Madrid - Barajas)"},
    {"3175", "Madrid", "Torrejón de Ardoz (Base Aérea)", "611", "40º29'00''N", "03º26'37''W", 40.4833f, "", "", false, {}, 0.02f, "Madrid  (3175  Torrejón de Ardoz - Base aérea)"},
    {"3191E", "Madrid", "Colmenar Viejo (FAMET)", "1004", "40º41'55''N", "03º45'54''W", 40.6986f, "", "", false, {}, 1.0f, "Madrid  (3191E  Colmenar Viejo - Famet)"},
    {"3195", "Madrid", "Madrid (Retiro)", "667", "40º24'40''N", "03º40'41''W", 40.4111f, "87600 (1998-2007)", "14600 (1998-2007)", true, {-6.1f, -0.8f, 0.3f, 8.9f, 69.0f, 35.6f, 38.6f, 34.8f, 21.4f, 33.6f, 21.1f, 32.2f, 20.7f, 13.9f, 22.2f, 33.3f, 21.4f, 33.0f, 20.8f, 32.4f}, 1.0f, "Madrid  (3195  Madrid - Retiro)"},
    {"3196", "Madrid", "Cuatro Vientos (Aeródromo)", "687", "40º22'40''N", "03º47'10''W", 40.3778f, "", "", false, {}, 0.0165f, "Madrid  (3196  Madrid - Cuatro Vientos - Aeródromo)"},
    {"3200", "Madrid", "Getafe (Base Aérea)", "617", "40º18'00''N", "03º43'20''W", 40.3f, "", "", false, {}, 1.0f, "Madrid  (3200  Getafe - Base aérea)"},
    {"3100B", "Madrid", "Aranjuez - comunidad", "520", "40º04'06''N", "03º32'46''W", 40.0683f, "", "", false, {}, 0.017f, "Madrid  (3100B  Aranjuez - Comunidad)"},
    {"3110C", "Madrid", "Buitrago - automática", "974", "41º00'25''N", "03º36'50''W", 41.0069f, "", "", false, {}, 0.0135f, "Madrid  (3110C  Buitrago - Automática)"},
    {"3338", "Madrid", "Robledo de Chavela", "790", "40º25'46''N", "04º15'00''W", 40.4294f, "", "", false, {}, 0.016f, "Madrid  (3338  Robledo de Chavela)"},
    {"6155A", "Málaga", "Málaga (Aeropuerto)", "7", "36º40'00''N", "04º28'56''W", 36.6667f, "", "", false, {}, 0.0195f, "Málaga  (6155A  Málaga - Aeropuerto)"},
    {"6000A", "Melilla", "Melilla", "55", "35º15'40''N", "02º57'23''W", 35.2611f, "", "", false, {}, 1.0f, "Melilla  (6000A  Melilla)"},
    {"7002X", "Murcia", "Aguilas (Parque de Bomberos-Automático)", "26", "37º25'00''N", "", 37.4167f, "", "", false, {}, 1.0f, "Murcia  (7002X  Aguilas - P. Bomberos - Automática)"},
    {"7012C", "Murcia", "Cartagena (Ciudad)", "17", "37º36'08''N", "00º59'16''W", 37.6022f, "", "", false, {}, 1.0f, "Murcia  (7012C  Cartagena - Ciudad)"},
    {"7031", "Murcia", "Murcia (San Javier)", "2", "37º47'12''N", "00º48'12''W", 37.7867f, "", "", false, {}, 1.0f, "Murcia  (7031  Murcia - San Javier)"},
    {"7145D", "Murcia", "Cieza (Paruqe de Bomberos)", "265", "38º14'08''N", "01º22'50''W", 38.2356f, "", "", false, {}, 1.0f, "Murcia  (7145D  Cieza - P. Bomberos)"},
    {"7178I", "Murcia", "Murcia", "62", "38º00'10''N", "01º10'15''W", 38.0028f, "", "", false, {}, 0.0205f, "Murcia  (7178I  Murcia)"},
    {"7209", "Murcia", "Lorca (CCA)", "320", "37º39'12''N", "01º41'14''W", 37.6533f, "", "", false, {}, 1.0f, "Murcia  (7209  Lorca - C.C.A.)"},
    {"7228", "Murcia", "Murcia (Alcantarilla)", "85", "37º57'28''N", "01º13'43''W", 37.9578f, "", "", false, {}, 0.0195f, "Murcia  (7228  Murcia - Alcantarilla)"},
    {"7275B", "Murcia", "Yecla (Coop. Frutas)", "590", "38º36'30''N", "", 38.6083f, "", "", false, {}, 1.0f, "Murcia  (7275B  Yecla - Coop. Frutas)"},
    {"9263D", "Navarra", "Pamplona (Noain)", "452", "42º46'06''N", "01º39'00''W", 42.7683f, "", "", false, {}, 1.0f, "Navarra  (9263D  Pamplona - Noain)"},
    {"9174X", "Navarra", "Sartaguda (Automática)", "310", "42º21'58''N", "", 42.3661f, "", "", false, {}, 1.0f, "Navarra  (9174X  Sartaguda - Automática)"},
    {"2400E", "Palencia", "Autilla del Pino (Observatorio Meteorológico)", "860", "41º59'04''N", "04º36'10''W", 41.9844f, "", "", false, {}, 1.0f, "Palencia  (2400E  Autilla del Pino - Observ. meteorológico)"},
    {"1690A", "Ourense", "Ourense (Granxa Deputación)", "143", "42º19'40''N", "07º51'35''W", 42.3278f, "", "", false, {}, 1.0f, "Ourense  (1690A  Ourense - Granxa Deputación)"},
    {"1484C", "Pontevedra", "Pontevedra (Mourente)", "107", "42º26'24''N", "08º36'57''W", 42.44f, "", "", false, {}, 1.0f, "Pontevedra  (1484C  Pontevedra - Mourente)"},
    {"1495", "Pontevedra", "Vigo (Peinador)", "255", "42º13'25''N", "08º37'26''W", 42.2236f, "", "", false, {}, 0.0175f, "Pontevedra  (1495  Vigo - Peinador)"},
    {"2867", "Salamanca", "Salamanca - Matacán", "790", "40º56'44''N", "05º29'54''W", 40.9456f, "", "", false, {}, 1.0f, "Salamanca  (2867  Salamanca - Matacán)"},
    {"C139E", "S.C.Tenerife", "Mazo - aeropuerto - Isla de la Palma", "40", "28º36'48''N", "17º45'18''W", 28.6133f, "", "", false, {}, 1.0f, "S.C.Tenerife  (C139E  Mazo - aeropuerto)"},
    {"C429I", "S.C.Tenerife", "Reina Sofía - aeropuerto - Tenerife Sur", "64", "28º02'34''N", "16º33'40''W", 28.0428f, "", "", false, {}, 1.0f, "S.C.Tenerife  (C429I  Reina Sofía - aeropuerto Tenerife Sur)"},
    {"C447A", "S.C.Tenerife", "Rodeos - aeropuerto - Tenerife Norte", "617", "28º28'10''N", "16º19'46''W", 28.4694f, "", "", false, {}, 0.024f, "S.C.Tenerife  (C447A  Rodeos - aeropuerto Tenerife Norte)"},
    {"C449C", "S.C.Tenerife", "Santa Cruz de Tenerife", "36", "28º27'18''N", "16º14'56''W", 28.455f, "82617 (1998-2007)", "14605 (1998-2007)", true, {10.1f, 14.0f, 14.6f, 6.7f, 70.0f, 17.5f, 39.7f, 31.5f, 22.3f, 30.0f, 22.1f, 28.8f, 21.8f, 9.5f, 23.6f, 23.6f, 23.0f, 23.0f, 22.6f, 22.6f}, 1.0f, "S.C.Tenerife  (C449C  Santa Cruz de Tenerife)"},
    {"C929I", "S.C.Tenerife", "Cangrejos - aeropuerto Hierro", "30", "27º48'50''N", "17º53'20''W", 27.8139f, "", "", false, {}, 0.02f, "S.C.Tenerife  (C929I  Cangrejos - aeropuerto)"},
    {"2465", "Segovia", "Segovia - observatorio", "1005", "40º56'52''N", "04º07'35''W", 40.9478f, "", "", false, {}, 0.014f, "Segovia  (2465  Segovia - observatorio)"},
    {"5796", "Sevilla", "Morón de la Frontera (Base Aérea)", "87", "37º09'30''N", "05º36'41''W", 37.1583f, "", "", false, {}, 0.0245f, "Sevilla  (5796  Morón de la Frontera - base aérea)"},
    {"5783", "Sevilla", "Sevilla - aeropuerto", "26", "37º25'26''N", "05º52'45''W", 37.4239f, "", "", false, {}, 0.0195f, "Sevilla  (5783  Sevilla - aeropuerto)"},
    {"2005X", "Soria", "Vinuesa (Automática)", "1197", "41º58'05''N", "", 41.9681f, "", "", false, {}, 0.017f, "Soria  (2005X  Vinuesa - automática)"},
    {"2030", "Soria", "Soria - observatorio", "1082", "41º46'00''N", "02º28'59''W", 41.7667f, "", "", false, {}, 0.0155f, "Soria  (2030  Soria - observatorio)"},
    {"9981A", "Tarragona", "Tortosa - observatorio del Ebro", "48", "40º49'14''N", "00º29'36''E", 40.8206f, "", "", false, {}, 1.0f, "Tarragona  (9981A  Tortosa - observatorio del Ebro)"},
    {"0016A", "Tarragona", "Reus - aeroport", "68", "41º08'59''N", "01º09'49''E", 41.1497f, "", "", false, {}, 0.021f, "Tarragona  (0016A  Reus - aeroport)"},
    {"8368U", "Teruel", "Teruel", "900", "40º21'06''N", "01º07'27''W", 40.3517f, "", "", false, {}, 1.0f, "Teruel  (8368U  Teruel)"},
    {"3260B", "Toledo", "Toledo (Buenavista)", "516", "39º53'05''N", "04º02'43''W", 39.8847f, "", "", false, {}, 1.0f, "Toledo  (3260B  Toledo - Buenavista)"},
    {"4067", "Toledo", "Madrilejos", "690", "39º28'00''N", "03º31'42''W", 39.4667f, "", "", false, {}, 1.0f, "Toledo  (4067  Madrilejos)"},
    {"8414A", "Valencia", "Valencia (Manises)", "57", "39º29'22''N", "00º28'29''W", 39.4894f, "", "", false, {}, 1.0f, "Valencia  (8414A  Valencia - Manises)"},
    {"8416", "Valencia", "Valencia", "11", "39º28'50''N", "00º21'59''W", 39.4806f, "", "", false, {}, 0.0245f, "Valencia  (8416  Valencia)"},
    {"2422", "Valladolid", "Valladolid (Observatorio)", "735", "41º39'00''N", "04º45'15''W", 41.65f, "", "", false, {}, 1.0f, "Valladolid  (2422  Valladolid - observatorio)"},
    {"2539", "Valladolid", "Valladolid - Villanubla", "846", "41º42'00''N", "04º51'20''W", 41.7f, "", "", false, {}, 1.0f, "Valladolid  (2539  Valladolid - Villanubla)"},
    {"1082", "Vizcaya", "Bilbao (Aeropuerto Sondica)", "39", "43º17'53''N", "02º54'23''W", 43.2981f, "", "", false, {}, 1.0f, "Vizcaya  (1082  Bilbao - aeropuerto Sondica)"},
    {"2614", "Zamora", "Zamora - observatorio", "656", "41º31'00''N", "05º44'07''W", 41.5167f, "", "", false, {}, 1.0f, "Zamora  (2614  Zamora - observatorio)"},
    {"9390", "Zaragoza", "Daroca (Observatorio)", "779", "41º06'53''N", "01º24'36''W", 41.1147f, "", "", false, {}, 0.0175f, "Zaragoza  (9390 Daroca - observatorio)"},
    {"9434", "Zaragoza", "Zaragoza (Aeropuerto)", "247", "41º39'43''N", "01º00'29''W", 41.6619f, "87600 (1998-2007)", "18980 (1998-2007)", true, {-9.5f, -3.0f, -1.1f, 9.3f, 89.0f, 39.2f, 42.3f, 36.2f, 21.8f, 34.5f, 21.7f, 32.8f, 21.5f, 17.1f, 23.3f, 33.7f, 22.5f, 33.4f, 21.8f, 32.7f}, 1.0f, "Zaragoza  (9434 Zaragoza  - aeropuerto)"},
}};
// clang-format on

constexpr std::array<std::string_view, kReferenceValues + 1> kReferenceLabels = {
    "",       "LTSMIN", "LTS_996", "LTS_99", "LOMDC",  "LHUM",  "LOMA",
    "LTSMAX", "LTS_04", "LTHC_04", "LTS_1",  "LTHC_1", "LTS_2", "LTHC_2",
    "LOMDR",  "LTH_04", "LTSC_04", "LTH_1",  "LTSC_1", "LTH_2", "LTSC_2"};

constexpr int kHumidityReference = 5;  // HUMcoin, whole percent

std::string referenceText(float value, int index, char separator) {
    if (std::isnan(value)) return "";
    return numberText(value, 15, index == kHumidityReference ? 0 : 1, separator);
}

}  // namespace

std::span<const StationRecord> stationCatalogue() {
    return kStations;
}

std::string_view stationItemText(int itemIndex) {
    if (itemIndex == 0) return "Ninguna selección";
    if (itemIndex < 1 || itemIndex > kStationCount) return "";
    return kStations[static_cast<std::size_t>(itemIndex - 1)].itemText;
}

std::string stationCodeForIndex(int itemIndex) {
    if (itemIndex < 1 || itemIndex > kStationCount) return "";
    return std::string(kStations[static_cast<std::size_t>(itemIndex - 1)].code);
}

const StationRecord* findStation(std::string_view code) {
    for (const StationRecord& record : kStations) {
        if (record.code == code) return &record;
    }
    return nullptr;
}

int stationIndexForCode(std::string_view code) {
    const StationRecord* record = findStation(code);
    return record == nullptr ? 0 : static_cast<int>(record - kStations.data()) + 1;
}

StationPageLabels lookUpStation(AnalysisState& state, std::string_view code) {
    if (code.empty()) return {};
    const StationRecord* record = findStation(code);
    if (record == nullptr) return {};
    state.stationInfo[1] = record->province;
    state.stationInfo[2] = record->stationName;
    state.stationInfo[3] = record->latitudeText;
    state.stationInfo[4] = record->longitudeText;
    state.stationInfo[5] = record->countTText;
    state.stationInfo[6] = record->countHText;
    state.stationInfo[7] = record->code;
    state.stationInfo[8] = record->altitudeText;
    state.stationCode = record->code;
    state.locationLatitude = record->latitude;
    for (int i = 1; i <= kReferenceValues; ++i) {
        state.stationDesign[static_cast<std::size_t>(i)] =
            record->hasReference ? record->reference[static_cast<std::size_t>(i - 1)]
                                 : std::numeric_limits<float>::quiet_NaN();
    }
    state.wMax = record->wMax;
    return stationPageLabels(state);
}

StationPageLabels stationPageLabels(const AnalysisState& state) {
    const auto& info = state.stationInfo;
    StationPageLabels labels;
    labels.province = "Provincia: " + info[1];
    labels.station = "Estación: " + info[2];
    labels.latitude = "Latitud: " + info[3];
    labels.longitude = "Longitud: " + info[4];
    labels.altitude = "a.s.n.m.: " + info[8];
    labels.countT = "Datos temperatura seca: " + info[5];
    labels.countH = "Datos humedad relativa: " + info[6];
    labels.code = "Indicativo: " + info[7];
    return labels;
}

DesignPageStationTexts designPageStationTexts(const AnalysisState& state, char decimalSeparator) {
    DesignPageStationTexts texts;
    texts.altitude = state.locationAltitudeText;
    texts.province = state.locationProvince;
    texts.station = state.locationName;
    texts.code = state.locationCode;
    texts.latitude = state.locationLatitudeText;
    texts.longitude = state.locationLongitudeText;
    texts.countT = state.locationCountTText;
    texts.countH = state.locationCountHText;
    for (int i = 1; i <= kReferenceValues; ++i) {
        const auto k = static_cast<std::size_t>(i);
        texts.reference[k] = referenceText(state.stationDesign[k], i, decimalSeparator);
    }
    return texts;
}

std::string_view referenceLabelName(int index) {
    if (index < 1 || index > kReferenceValues) return "";
    return kReferenceLabels[static_cast<std::size_t>(index)];
}

}  // namespace climstat
