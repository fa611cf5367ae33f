#pragma once
// Helpers shared by the document tests: raw label file bytes, a record with
// unusual contents, and file access.

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QByteArray>
#include <QFile>
#include <QStringList>
#include <csignal>
#include <functional>
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

// Runs `write` with files limited to `bytes`, so that a write beyond fails half
// way as on a full disk, also for root.
inline void WithFileSizeLimit(rlim_t bytes, const std::function<void()>& write) {
    rlimit before{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &before), 0);
    const rlimit tight{bytes, before.rlim_max};
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tight), 0);
    const auto handler = std::signal(SIGXFSZ, SIG_IGN);
    write();
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, handler);
}

// A text element at (x, 0).
inline LabelElement Text(std::u16string_view text, int x = 10) { return CreateElement(kText, {x, 0}, text); }

// The texts of the elements in drawing order.
inline QStringList Texts(const std::vector<LabelElement>& elements) {
    QStringList out;
    for (const LabelElement& e : elements) out << QString::fromStdU16String(ElementText(e));
    return out;
}

}  // namespace kestrix::test
