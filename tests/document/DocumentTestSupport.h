#pragma once
// Small helpers shared by the document tests: raw label file bytes, records
// with unusual contents, and files in a temporary folder.

#include <sys/resource.h>

#include <QByteArray>
#include <QFile>
#include <QString>
#include <csignal>
#include <cstring>
#include <vector>

#include "document/LabelElement.h"

namespace kestrix::test {

inline QByteArray RecordBytes(const LabelElement& e) {
    return QByteArray(reinterpret_cast<const char*>(&e), kRecordSize);
}

inline bool SameBytes(const LabelElement& a, const LabelElement& b) {
    return std::memcmp(&a, &b, kRecordSize) == 0;
}

// The 20-byte size text as Save writes it.
inline QByteArray SizeText(const QByteArray& text) { return text.leftJustified(20, '\0', true); }

inline QByteArray NameBlock(const QByteArray& name) { return name.leftJustified(64, '\0', true); }

inline QByteArray Records(const std::vector<LabelElement>& elements) {
    QByteArray out;
    for (const LabelElement& e : elements) out += RecordBytes(e);
    return out;
}

// A record whose every part carries something: padding bytes, a cached handle,
// handle points, negative numbers, a text without the usual defaults.
inline LabelElement OddRecord(int seed) {
    LabelElement e = CreateElement(kText, {16 + seed, 24 - seed}, u"Hello label");
    e.nWidth = 180;
    e.nHeight = -40;
    e.bSelected = 0;
    e.padding[0] = 1;
    e.padding[1] = 2;
    e.padding[2] = static_cast<uint8_t>(seed);
    e.hCache = 0xDEADBEEF;
    e.logFont.lfCharSet = 134;
    e.logFont.lfPitchAndFamily = 0x31;
    for (int i = 0; i < 8; ++i) e.ptHandles[i] = {i, -3 * i + seed};
    e.nSerialMode = 1;
    e.nSerialStep = 5;
    e.nSerialLimit = 99999;
    e.nCornerSize = -9;
    return e;
}

inline bool WriteFileBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

inline QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// While alive, no file may grow beyond `bytes`: writes past it fail as on a
// full disk, whatever the user's permissions (root included).
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) : handler_(std::signal(SIGXFSZ, SIG_IGN)) {
        getrlimit(RLIMIT_FSIZE, &before_);
        rlimit tight = before_;
        tight.rlim_cur = bytes;
        active_ = setrlimit(RLIMIT_FSIZE, &tight) == 0;
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &before_);
        std::signal(SIGXFSZ, handler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    bool Active() const { return active_; }

private:
    rlimit before_{};
    void (*handler_)(int);
    bool active_ = false;
};

// The records of an undo file, read as raw 796-byte pieces.
inline std::vector<LabelElement> ReadUndoFile(const QString& path) {
    const QByteArray bytes = FileBytes(path);
    std::vector<LabelElement> out(bytes.size() / kRecordSize);
    std::memcpy(out.data(), bytes.constData(), out.size() * kRecordSize);
    return out;
}

}  // namespace kestrix::test
