#pragma once
// The JSON form of a label that `kestrix-cli info` prints.

#include <QByteArray>

#include "document/LabelDocument.h"

namespace kestrix {

// {"width_mm": .., "height_mm": .., "printer": "..", "elements": [{every field}, ..]}
QByteArray LabelJson(const LabelDocument& doc);

}  // namespace kestrix
