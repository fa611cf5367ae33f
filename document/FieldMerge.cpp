#include "document/FieldMerge.h"

#include <algorithm>

namespace kestrix {

namespace {

// Walks `content` the way merging reads it: `literal` gets the text that is
// written as it stands, `field` each ${NAME} with its position.
template <typename Literal, typename Field>
void ScanFields(QStringView content, Literal literal, Field field) {
    qsizetype i = 0;
    qsizetype plain = 0;  // start of the literal text not yet handed on
    while (i < content.size()) {
        if (content.mid(i).startsWith(u"$${")) {
            literal(content.mid(plain, i - plain));
            literal(QStringView(u"${"));
            i += 3;
            plain = i;
            continue;
        }
        const qsizetype close = content.mid(i).startsWith(u"${") ? content.indexOf(u'}', i + 2) : -1;
        if (close < 0) {
            ++i;
            continue;
        }
        literal(content.mid(plain, i - plain));
        field(content.mid(i + 2, close - i - 2), content.mid(i, close + 1 - i));
        i = close + 1;
        plain = i;
    }
    literal(content.mid(plain));
}

bool CanTakeFields(const LabelElement& e) { return e.nType == kText || e.nType == kBarcode || e.nType == kCode2D; }

}  // namespace

QStringList FieldNames(QStringView content) {
    QStringList names;
    ScanFields(
        content, [](QStringView) {},
        [&names](QStringView name, QStringView) {
            if (!names.contains(name)) names << name.toString();
        });
    return names;
}

bool TakesFields(const LabelElement& e) {
    if (!CanTakeFields(e)) return false;
    const QStringView content(e.str, std::find(e.str, e.str + kStrUnits, u'\0') - e.str);
    return !FieldNames(content).isEmpty();
}

QStringList LabelFieldNames(const std::vector<LabelElement>& elements) {
    QStringList names;
    for (const LabelElement& e : elements) {
        if (!CanTakeFields(e)) continue;
        for (const QString& name : FieldNames(QString::fromStdU16String(ElementText(e))))
            if (!names.contains(name)) names << name;
    }
    return names;
}

QString MergeFields(QStringView content, const DataRow& row) {
    QString merged;
    merged.reserve(content.size());
    ScanFields(
        content, [&merged](QStringView text) { merged += text; },
        [&merged, &row](QStringView name, QStringView written) {
            const std::optional<QString> value = row.Value(name);
            merged += value ? QStringView(*value) : written;
        });
    return merged;
}

LabelElement MergedElement(const LabelElement& e, const DataRow& row, FieldCut* cut) {
    LabelElement copy = DuplicateElement(e);
    if (!CanTakeFields(e)) return copy;
    const QString merged = MergeFields(QString::fromStdU16String(ElementText(e)), row);
    SetElementText(copy, merged.toStdU16String());
    if (!cut) return copy;
    *cut = {};
    if (merged.size() >= kStrUnits) {
        *cut = {merged.size(), kStrUnits - 1, false};
    } else if (e.nType != kText) {
        const qsizetype bytes = merged.toUtf8().size();
        if (bytes > kMaxCodeBytes) *cut = {bytes, kMaxCodeBytes, true};
    }
    return copy;
}

}  // namespace kestrix
