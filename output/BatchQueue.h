#pragma once
// The batch queue: full paths of label files waiting to be printed. Paths join
// at its end and are served from its front, one per run of the batch operation.

#include <QString>
#include <QStringList>
#include <vector>

#include "document/LabelElement.h"

namespace kestrix {

// Takes the front path off the queue and appends every complete element record
// of that label file (hCache 0) to `elements`; the elements already there stay.
// The path leaves the queue whether or not the file could be read. Returns the
// path when the file was read (even one without records), else an empty text.
QString ServeQueuedLabel(QStringList& queue, std::vector<LabelElement>& elements);

}  // namespace kestrix
