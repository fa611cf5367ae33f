#include "output/BatchQueue.h"

#include "document/LabelFile.h"

namespace kestrix {

QString ServeQueuedLabel(QStringList& queue, std::vector<LabelElement>& elements) {
    if (queue.isEmpty()) return {};
    const QString path = queue.takeFirst();
    // The reader Open uses: a file it refuses (not a label, a pipe, far too
    // large) would only put nonsense on the label, so it counts as unreadable.
    LabelDocument label;
    if (!ReadLabelFile(path, label, nullptr)) return {};
    elements.insert(elements.end(), label.elements.begin(), label.elements.end());
    return path;
}

}  // namespace kestrix
