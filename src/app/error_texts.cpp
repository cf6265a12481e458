#include "app/error_texts.h"

#include "app/toolkit.h"

namespace climstat::app {

namespace {

QString causeText(const ErrorFields& f) {
    switch (f.cause) {
        case FileCause::Unknown:
            return {};
        case FileCause::Missing:
            return QStringLiteral("no existe");
        case FileCause::PermissionDenied:
            return QStringLiteral("permiso denegado");
        case FileCause::DiskFull:
            return QStringLiteral("el disco está lleno");
        case FileCause::NotAFolder:
            return QStringLiteral("una parte de la ruta no es una carpeta");
        case FileCause::ReadOnly:
            return QStringLiteral("el sistema de ficheros es de solo lectura");
        case FileCause::IsAFolder:
            return QStringLiteral("es una carpeta");
        case FileCause::Other:
            return qs(f.detail);
    }
    return {};
}

QString withCause(const QString& text, const ErrorFields& f) {
    const QString cause = causeText(f);
    return cause.isEmpty() ? text : text + ": " + cause;
}

QString lineText(const ErrorFields& f) {
    return QStringLiteral("línea ") + QString::number(f.line);
}

QString number(long value) {
    return QString::number(value);
}

QString epwLocationField(long field) {
    switch (field) {
        case 7:
            return QStringLiteral("la latitud");
        case 8:
            return QStringLiteral("la longitud");
        case 9:
            return QStringLiteral("el huso horario");
        default:
            return QStringLiteral("la altitud");
    }
}

QString epwDateField(long field) {
    switch (field) {
        case 1:
            return QStringLiteral("el año");
        case 2:
            return QStringLiteral("el mes");
        case 3:
            return QStringLiteral("el día");
        default:
            return QStringLiteral("la hora");
    }
}

}  // namespace

QString spanishReason(const Problem& problem) {
    const ErrorFields& f = problem.fields;
    switch (problem.kind) {
        case ErrorKind::Other:
            return qs(f.detail);
        case ErrorKind::CannotOpen:
            return withCause(QStringLiteral("no se puede abrir"), f);
        case ErrorKind::CannotCreate:
            return withCause(QStringLiteral("no se puede crear"), f);
        case ErrorKind::NotWrittenCompletely:
            return withCause(QStringLiteral("no se ha podido escribir entero"), f);
        case ErrorKind::CannotReplace:
            return withCause(QStringLiteral("no se ha podido sustituir"), f);
        case ErrorKind::NotReadCompletely:
            return withCause(QStringLiteral("no se ha podido leer entero"), f);
        case ErrorKind::IsAFolder:
            return QStringLiteral("es una carpeta");
        case ErrorKind::NotARegularFile:
            return QStringLiteral("no es un fichero normal (es un dispositivo o una tubería)");
        case ErrorKind::NotAFolder:
            return QStringLiteral("no es una carpeta");
        case ErrorKind::TooLarge:
            return QStringLiteral("ocupa más de 64 MB");
        case ErrorKind::NotAFileName:
            return QStringLiteral("no es un nombre de fichero");
        case ErrorKind::LinkCannotBeFollowed:
            return withCause(QStringLiteral("es un enlace que no se puede seguir"), f);
        case ErrorKind::Empty:
            return QStringLiteral("está vacío");
        case ErrorKind::CrOnlyLineEnds:
            return QStringLiteral(
                "tiene líneas terminadas solo en CR; guárdelo con finales de línea LF o CR LF");
        case ErrorKind::ChangedWhileRead:
            return QStringLiteral("ha cambiado mientras se leía; no se ha escrito nada");
        case ErrorKind::SameFileAsInput:
            return QStringLiteral("es el fichero que se está leyendo (") + qs(f.value) +
                   QStringLiteral("); no se ha escrito nada");
        case ErrorKind::NoDataFolder:
            return QStringLiteral("no se encuentra la carpeta de datos (") + qs(f.detail) + ")";
        case ErrorKind::GzipCorrupt:
            return QStringLiteral("no es un fichero gzip íntegro (") + qs(f.value) + ")";
        case ErrorKind::TooLargeUnpacked:
            return QStringLiteral("descomprimido ocuparía más de 64 MB");
        case ErrorKind::MetEndsInHeader:
            return QStringLiteral("termina dentro de la cabecera, antes del registro 1 de 8760");
        case ErrorKind::MetHeaderLacksLine:
            return lineText(f) + QStringLiteral(" ya es un registro (") + number(f.total) +
                   QStringLiteral(
                       " valores): a la cabecera le falta una línea (el nombre del fichero y "
                       "luego latitud, longitud, altitud y huso horario)");
        case ErrorKind::MetRecordTooShort:
            return lineText(f) + QStringLiteral(" tiene ") + number(f.total) +
                   QStringLiteral(" valores y un registro necesita al menos 8 (leídos ") +
                   number(f.count) + QStringLiteral(" de 8760 registros)");
        case ErrorKind::MetEndsEarly:
            return QStringLiteral("termina tras ") + number(f.count) +
                   QStringLiteral(" de 8760 registros");
        case ErrorKind::MetDryBulbOutside:
            return lineText(f) + QStringLiteral(": temperatura seca ") + qs(f.value) +
                   QStringLiteral(" ºC fuera de -90..70 (registro ") + number(f.count) + ")";
        case ErrorKind::MetHumidityOutside:
            return lineText(f) + QStringLiteral(": humedad específica ") + qs(f.value) +
                   QStringLiteral(" kg/kg fuera de 0..0,1 (registro ") + number(f.count) + ")";
        case ErrorKind::RecordTooLong:
            return QStringLiteral("es demasiado larga para ser un registro horario");
        case ErrorKind::RecordFieldCount:
            return QStringLiteral("tiene ") + number(f.count) +
                   QStringLiteral(" campos; se esperan AAAA-MM-DD;HH;T;HR");
        case ErrorKind::RecordNotADate:
            return "'" + qs(f.value) + QStringLiteral("' no es una fecha AAAA-MM-DD");
        case ErrorKind::RecordYearOutside:
            return QStringLiteral("el año ") + qs(f.value) +
                   QStringLiteral(" está fuera de 1997..2008");
        case ErrorKind::RecordNotAnHour:
            return "'" + qs(f.value) + QStringLiteral("' no es una hora de 1 a 24");
        case ErrorKind::RecordTemperatureBad:
            return QStringLiteral("la temperatura '") + qs(f.value) +
                   QStringLiteral("' no es un número de -90 a 70");
        case ErrorKind::RecordHumidityBad:
            return QStringLiteral("la humedad relativa '") + qs(f.value) +
                   QStringLiteral("' no es un número de 0 a 100");
        case ErrorKind::RecordHourRepeated:
            return QStringLiteral("repite la hora ") + number(f.count) + QStringLiteral(" del ") +
                   qs(f.value) + QStringLiteral(", dada en la línea ") + number(f.total);
        case ErrorKind::RecordsUnusableLines:
            return number(f.count) + QStringLiteral(
                                         " línea(s) no se pueden usar; no se ha escrito ningún "
                                         "fichero de la estación");
        case ErrorKind::RecordsNone:
            return QStringLiteral(
                "no contiene registros horarios (líneas AAAA-MM-DD;HH;T;HR); no se ha escrito "
                "ningún fichero de la estación");
        case ErrorKind::RecordsNoTemperature:
            return QStringLiteral(
                "no contiene ninguna temperatura seca (todos los campos T están vacíos), así "
                "que la estación no tendría ninguna hora utilizable; no se ha escrito ningún "
                "fichero de la estación");
        case ErrorKind::RecordsNoStationYear:
            return QStringLiteral(
                "solo contiene temperaturas secas de días que no se cargan de una estación "
                "(el año 2008, el 29 de febrero); no se ha escrito ningún fichero de la "
                "estación");
        case ErrorKind::StationPairJournalBad:
            return QStringLiteral(
                "es la nota de una sustitución sin terminar de los ficheros de la estación, "
                "pero no se entiende; bórrela tras revisar los ficheros de la estación");
        case ErrorKind::LocalityAltitudeOutside:
            return QStringLiteral("la altitud de la localidad, ") + qs(f.value) +
                   QStringLiteral(" m, está fuera de -1000..10000 m");
        case ErrorKind::EpwNotEpw:
            return QStringLiteral(
                "no es un fichero climático EPW (su primera línea no es una línea LOCATION)");
        case ErrorKind::EpwLocationShort:
            return lineText(f) + QStringLiteral(" (LOCATION) tiene menos de 10 campos");
        case ErrorKind::EpwLocationNumberBad:
            return lineText(f) + QStringLiteral(" (LOCATION): ") + epwLocationField(f.count) +
                   " '" + qs(f.value) + QStringLiteral("' no es un número de ") +
                   qs(epwLocationFieldRange(f.count)).replace(" to ", " a ");
        case ErrorKind::EpwLineTooLong:
            return lineText(f) + QStringLiteral(" tiene más de 64 KiB");
        case ErrorKind::EpwNotARecord:
            return lineText(f) + QStringLiteral(" no es un registro horario");
        case ErrorKind::EpwRecordFieldCount:
            return lineText(f) + QStringLiteral(" tiene ") + number(f.count) +
                   QStringLiteral(" campos; un registro horario tiene al menos 10");
        case ErrorKind::EpwRecordDateBad:
            return lineText(f) + ": " + epwDateField(f.count) + " '" + qs(f.value) +
                   QStringLiteral("' no es válido");
        case ErrorKind::EpwSubHourly:
            return lineText(f) + QStringLiteral(" (DATA PERIODS) indica ") + number(f.count) +
                   QStringLiteral(" registros por hora; solo se leen ficheros horarios");
        case ErrorKind::EpwThirteenthYear:
            return lineText(f) +
                   QStringLiteral(" empieza un decimotercer año; se leen 12 años como máximo");
        case ErrorKind::EpwNoRecord:
            return QStringLiteral("no contiene ningún registro horario");
        case ErrorKind::EpwOtherLocation:
            return QStringLiteral("contiene ") + qs(f.value) +
                   QStringLiteral(", otra localidad que ") + qs(f.second);
        case ErrorKind::EpwYearRepeated:
            return lineText(f) + QStringLiteral(": el año ") + qs(f.value) +
                   QStringLiteral(" ya está en ") + qs(f.second) + QStringLiteral(", línea ") +
                   number(f.total);
        case ErrorKind::EpwTypicalAmongYears:
            return QStringLiteral("los registros desde la ") + lineText(f) +
                   QStringLiteral(
                       " son un año tipo (su año cambia de un mes a otro); un año tipo no se "
                       "puede juntar con otros años");
        case ErrorKind::EpwTooManyYears:
            return QStringLiteral("estos ficheros tienen ") + number(f.count) +
                   QStringLiteral(" años; se leen 12 como máximo");
        case ErrorKind::EpwElevationOutside:
            return QStringLiteral("la altitud ") + qs(f.value) +
                   QStringLiteral(" m está fuera de -1000..10000 m");
        case ErrorKind::IsdNotALine:
            return lineText(f) + QStringLiteral(
                                     " no es una línea ISD-Lite (doce números enteros: año, mes, "
                                     "día, hora, ...); se deja fuera");
        case ErrorKind::IsdNoObservation:
            return QStringLiteral(
                "no contiene ninguna línea ISD-Lite utilizable; no se ha escrito ningún fichero "
                "de la estación");
        case ErrorKind::ImportNotHourlyFile:
            return QStringLiteral(
                "no es un fichero ISD-Lite ni de registros horarios (líneas AAAA-MM-DD;HH;T;HR); "
                "no se ha escrito ningún fichero de la estación");
        case ErrorKind::ImportYearOutside:
            return lineText(f) + QStringLiteral(": la hora ") + qs(f.value) +
                   QStringLiteral(" (hora local estándar) está fuera de 1997..2008; se deja fuera");
        case ErrorKind::ImportHourRepeated:
            return lineText(f) + QStringLiteral(": la hora ") + qs(f.value) +
                   QStringLiteral(" ya estaba (") + qs(f.second) + QStringLiteral(", línea ") +
                   number(f.total) + QStringLiteral("); se deja fuera");
        case ErrorKind::EpwNoUsableHour:
            return QStringLiteral(
                "no contienen ninguna hora con temperatura seca y humedad (punto de rocío o "
                "humedad relativa)");
    }
    return qs(f.detail);
}

QString spanishText(const Problem& problem) {
    const QString reason = spanishReason(problem);
    if (problem.fields.path.empty()) return reason;
    return qs(problem.fields.path) + ": " + reason;
}

}  // namespace climstat::app
