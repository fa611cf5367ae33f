#include "document/LabelFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cctype>
#include <cstdio>

namespace kestrix {

namespace {

QString Tr(const char* text) { return QCoreApplication::translate("LabelFile", text); }

// sscanf("%d %d") over the size text up to its first NUL.
bool ParseSizeText(QByteArrayView head, int& width, int& height) {
    QByteArray text = head.toByteArray();
    text.truncate(qstrnlen(text.constData(), text.size()));
    char tail = 0;
    int n = std::sscanf(text.constData(), "%d %d%c", &width, &height, &tail);
    return n >= 2;
}

bool HasNameBlock(QByteArrayView data) {
    if (data.size() < kNamedHeaderBytes) return false;
    const auto first = static_cast<unsigned char>(data[kSizeTextBytes]);
    if (first >= 0x20 && first <= 0x7E) return true;
    // Every file Save writes is exactly 84 + N x 796 bytes long, also when its
    // name block is empty or starts outside 7-bit ASCII.
    return (data.size() - kNamedHeaderBytes) % static_cast<qsizetype>(kRecordSize) == 0;
}

}  // namespace

bool ParseLabelFile(QByteArrayView data, LabelDocument& out, QString* error) {
    auto fail = [error](const QString& why) {
        if (error) *error = why;
        return false;
    };
    if (data.size() < kSizeTextBytes)
        return fail(Tr("not a label file: %1 bytes, shorter than the 20-byte size text").arg(data.size()));
    int width = 0;
    int height = 0;
    if (!ParseSizeText(data.first(kSizeTextBytes), width, height))
        return fail(Tr("not a label file: the size text is not two numbers"));
    if (!IsValidLabelSize(width, height))
        return fail(Tr("label size %1 x %2 mm is outside 1 to 2000 mm").arg(width).arg(height));

    LabelDocument doc;
    doc.widthMm = width;
    doc.heightMm = height;
    qsizetype pos = kSizeTextBytes;
    if (HasNameBlock(data)) {
        QByteArrayView block = data.sliced(kSizeTextBytes, kPrinterNameBytes);
        doc.printerName = block.first(qstrnlen(block.data(), block.size())).toByteArray();
        pos = kNamedHeaderBytes;
    }
    doc.elements = RecordsFrom(data.sliced(pos));
    doc.labelPath = out.labelPath;
    out = std::move(doc);
    return true;
}

bool ReadLabelFile(const QString& path, LabelDocument& out, QString* error) {
    QFileInfo info(path);
    auto fail = [error](const QString& why) {
        if (error) *error = why;
        return false;
    };
    if (!info.exists()) return fail(Tr("%1: no such file").arg(path));
    if (info.isDir()) return fail(Tr("%1: is a folder, not a label file").arg(path));
    // A pipe or device would block or never end; a label is always a plain file.
    if (!info.isFile()) return fail(Tr("%1: is not a regular file").arg(path));
    if (info.size() > kMaxLabelFileBytes)
        return fail(Tr("%1: %2 bytes is too large for a label file").arg(path).arg(info.size()));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(Tr("%1: cannot be read: %2").arg(path, file.errorString()));
    const QByteArray data = file.read(kMaxLabelFileBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return fail(Tr("%1: cannot be read: %2").arg(path, file.errorString()));
    QString why;
    if (!ParseLabelFile(data, out, &why)) return fail(QStringLiteral("%1: %2").arg(path, why));
    return true;
}

QByteArray RecordBytes(const std::vector<LabelElement>& elements, bool leaveOutOmitted) {
    QByteArray bytes;
    bytes.reserve(qsizetype(elements.size() * kRecordSize));
    for (const LabelElement& e : elements) {
        if (leaveOutOmitted && e.bOmit != 0) continue;
        const auto record = WriteRecord(e);
        bytes.append(reinterpret_cast<const char*>(record.data()), kRecordSize);
    }
    return bytes;
}

std::vector<LabelElement> RecordsFrom(QByteArrayView data) {
    std::vector<LabelElement> elements;
    const qsizetype count = data.size() / qsizetype(kRecordSize);
    elements.reserve(count);
    for (qsizetype i = 0; i < count; ++i) {
        auto bytes = reinterpret_cast<const uint8_t*>(data.data() + i * kRecordSize);
        LabelElement e = ReadRecord(std::span<const uint8_t, kRecordSize>(bytes, kRecordSize));
        e.hCache = 0;
        elements.push_back(e);
    }
    return elements;
}

QByteArray LabelFileBytes(const LabelDocument& doc) {
    QByteArray bytes;
    QByteArray size = QByteArray::number(doc.widthMm) + ' ' + QByteArray::number(doc.heightMm);
    size.truncate(kSizeTextBytes);
    bytes.append(size.leftJustified(kSizeTextBytes, '\0'));
    bytes.append(doc.printerName.left(kPrinterNameBytes).leftJustified(kPrinterNameBytes, '\0'));
    bytes.append(RecordBytes(doc.elements, true));
    return bytes;
}

bool WriteLabelFile(const QString& path, const LabelDocument& doc, QString* error) {
    if (doc.elements.empty()) return true;
    const QByteArray bytes = LabelFileBytes(doc);
    QSaveFile file(path);
    auto fail = [&](const QString& why) {
        if (error) *error = Tr("%1: cannot be written: %2").arg(path, why);
        return false;  // the temporary file is dropped, the old label stays
    };
    // Unbuffered: a short write (disk full, size limit) must show here; a
    // buffered flush inside commit() can lose it and rename a cut file over the old one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return fail(file.errorString());
    const qint64 written = file.write(bytes);
    if (written != bytes.size())
        return fail(written < 0 ? file.errorString()
                                : Tr("only %1 of %2 bytes could be written").arg(written).arg(bytes.size()));
    if (!file.commit()) return fail(file.errorString());
    return true;
}

QString WithLabelExtension(const QString& path) {
    QFileInfo info(path);
    return info.fileName().contains(u'.') ? path : path + QStringLiteral(".lab");
}

}  // namespace kestrix
