#include "output/SentLabels.h"

#include <algorithm>

#include "document/SerialNumber.h"
#include "output/DrawLabel.h"
#include "render/CodeImageCache.h"

namespace kestrix {

namespace {

bool Counts(const LabelElement& e) { return (e.nType == kText || e.nType == kBarcode) && e.nSerialMode != kNoSerial; }

}  // namespace

void SentLabels::Begin(LabelDocument& doc, CodeImageCache* codes, qint64 jobs) {
    const auto same = std::find_if(labels_.begin(), labels_.end(), [&doc](const Label& l) { return l.doc == &doc; });
    if (same != labels_.end()) {
        // Moved to the end, so Sent counts its labels on.
        const auto at = same - labels_.begin();
        Label label = *same;
        label.jobs += jobs;
        Start start = std::move(starts_[at]);
        labels_.erase(same);
        starts_.erase(starts_.begin() + at);
        labels_.push_back(label);
        starts_.push_back(std::move(start));
        return;
    }
    labels_.push_back({&doc, jobs, 0});
    starts_.push_back({codes, doc.elements, {}});
}

void SentLabels::Sent(qint64 end) {
    if (!starts_.empty()) starts_.back().ends.push_back(end);
}

void SentLabels::Settle(qint64 bytes) {
    for (std::size_t i = 0; i < labels_.size(); ++i) {
        Label& label = labels_[i];
        const Start& start = starts_[i];
        const std::vector<qint64>& ends = start.ends;
        label.printed = std::upper_bound(ends.begin(), ends.end(), bytes) - ends.begin();
        std::vector<LabelElement>& elements = label.doc->elements;
        if (elements.size() != start.elements.size()) continue;
        for (std::size_t e = 0; e < elements.size(); ++e) {
            if (elements[e].nType != kText && elements[e].nType != kBarcode) continue;
            LabelElement settled = start.elements[e];
            for (qint64 n = 0; n < label.printed && AdvanceSerial(settled);) ++n;
            if (std::equal(settled.str, settled.str + kStrUnits, elements[e].str)) continue;
            std::copy(settled.str, settled.str + kStrUnits, elements[e].str);
            // The code image shows a number that is not the label's now.
            if (elements[e].nType != kBarcode) continue;
            if (start.codes) start.codes->Release(elements[e].hCache);
            elements[e].hCache = 0;
        }
    }
}

qint64 SentLabels::Printed() const {
    qint64 printed = 0;
    for (const Label& label : labels_) printed += label.printed;
    return printed;
}

QString NextSerialNumber(const std::vector<LabelElement>& elements) {
    const auto first = std::find_if(elements.begin(), elements.end(), Counts);
    return first == elements.end() ? QString() : QString::fromStdU16String(ElementText(*first));
}

QString PrintedNote(const SentLabels::Label& label) {
    QString note = QStringLiteral("%1 of %2 labels printed").arg(label.printed).arg(label.jobs);
    const QString next = NextSerialNumber(label.doc->elements);
    if (!next.isEmpty()) note += QStringLiteral(", next number %1").arg(next);
    return note;
}

}  // namespace kestrix
