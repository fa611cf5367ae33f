#pragma once
// Helpers shared by the document tests: raw label file bytes, a record with
// unusual contents, and file access.

#include <QByteArray>
#include <QFile>
#include <tuple>
#include <vector>

#include "document/LabelElement.h"
#include "document/RegularFile.h"

namespace kestrix::test {

// The 20-byte size text and the 64-byte name block as Save writes them.
inline QByteArray SizeText(const QByteArray& text) { return text.leftJustified(20, '\0', true); }
inline QByteArray NameBlock(const QByteArray& name) { return name.leftJustified(64, '\0', true); }

// The records' bytes; with `asRead`, hCache zeroed as every reader returns them.
inline QByteArray Records(std::vector<LabelElement> elements, bool asRead = false) {
    QByteArray out;
    for (LabelElement& e : elements) {
        if (asRead) e.hCache = 0;
        out.append(reinterpret_cast<const char*>(&e), kRecordSize);
    }
    return out;
}

// A record whose every part carries something: padding bytes, a cached handle,
// handle points, serial fields, negative numbers.
inline LabelElement OddRecord(int seed) {
    LabelElement e = CreateElement(kText, {16 + seed, 24 - seed}, u"Hello label");
    std::tie(e.nHeight, e.bSelected, e.hCache) = std::tuple{-40, 0, 0xDEADBEEF};
    std::tie(e.nSerialLimit, e.nSerialReset, e.nSerialStep) = std::tuple{99999, 7 + seed, -3};
    e.padding[0] = 1;
    e.padding[2] = static_cast<uint8_t>(seed);
    for (int i = 0; i < 8; ++i) e.ptHandles[i] = {i, -3 * i + seed};
    return e;
}

inline bool WriteFileBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

inline QByteArray FileBytes(const QString& path) { return ReadRegularFile(path, 1 << 24).bytes; }

}  // namespace kestrix::test
