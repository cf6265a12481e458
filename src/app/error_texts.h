#pragma once

#include <QString>

#include "core/errors.h"

namespace climstat::app {

// The window's Spanish wording of an engine error: without the path ("no se puede abrir:
// permiso denegado") and with it in front.
QString spanishReason(const Problem& problem);
QString spanishText(const Problem& problem);

}  // namespace climstat::app
