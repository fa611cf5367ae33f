#include "document/LabelFile.h"

#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "document/RegularFile.h"

namespace kestrix {

namespace {

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

bool Refuse(LabelFileProblem* problem, const LabelFileProblem& why) {
    if (problem) *problem = why;
    return false;
}

LabelFileProblem::Code CodeOf(FileProblem problem) {
    switch (problem) {
    case FileProblem::None: return LabelFileProblem::None;
    case FileProblem::Missing: return LabelFileProblem::Missing;
    case FileProblem::Folder: return LabelFileProblem::Folder;
    case FileProblem::NotRegular: return LabelFileProblem::NotRegular;
    case FileProblem::TooLarge: return LabelFileProblem::TooLarge;
    case FileProblem::Unreadable: break;
    }
    return LabelFileProblem::Unreadable;
}

}  // namespace

QString LabelFileProblemText(const LabelFileProblem& p, int chinese) {
    const auto text = [chinese](const char* english, const char* chineseText) {
        return QString::fromUtf8(chinese ? chineseText : english);
    };
    switch (p.code) {
    case LabelFileProblem::None: break;
    case LabelFileProblem::Missing: return text("no such file", "文件不存在。");
    case LabelFileProblem::Folder: return text("is a folder, not a label file", "这是文件夹，不是标签文件。");
    case LabelFileProblem::NotRegular:
        return text("is not a regular file", "这不是普通文件（可能是管道或设备），不能作为标签文件读取。");
    case LabelFileProblem::TooLarge:
        return text("%1 bytes is too large for a label file", "文件有 %1 字节，标签文件不会这么大。").arg(p.fileBytes);
    case LabelFileProblem::Unreadable:
        if (p.systemError == EACCES || p.systemError == EPERM)
            return text("cannot be read: permission denied", "没有读取这个文件的权限。");
        return chinese ? QStringLiteral("无法读取这个文件。")
                       : QStringLiteral("cannot be read: ") + QString::fromLocal8Bit(std::strerror(p.systemError));
    case LabelFileProblem::SizeNotTwoNumbers:
        return text("not a label file: the size text is not two numbers", "这不是标签文件：开头的尺寸不是两个数字。");
    case LabelFileProblem::SizeOutOfRange:
        return text("label size %1 x %2 mm is outside 1 to 2000 mm", "标签尺寸 %1 × %2 毫米超出了 1 到 2000 毫米的范围。")
            .arg(p.widthMm)
            .arg(p.heightMm);
    }
    return {};
}

bool ParseLabelFile(QByteArrayView data, LabelDocument& out, LabelFileProblem* problem) {
    // A file shorter than the size text is read as far as it goes, as a short read would.
    const QByteArrayView head = data.first(std::min(data.size(), kSizeTextBytes));
    int width = 0;
    int height = 0;
    if (!ParseSizeText(head, width, height)) return Refuse(problem, {LabelFileProblem::SizeNotTwoNumbers});
    if (!IsValidLabelSize(width, height)) {
        LabelFileProblem why{LabelFileProblem::SizeOutOfRange};
        why.widthMm = width;
        why.heightMm = height;
        return Refuse(problem, why);
    }

    LabelDocument doc;
    doc.widthMm = width;
    doc.heightMm = height;
    qsizetype pos = head.size();
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

bool ReadLabelFile(const QString& path, LabelDocument& out, LabelFileProblem* problem) {
    const FileRead read = ReadRegularFile(path, kMaxLabelFileBytes);
    if (read.problem != FileProblem::None) {
        LabelFileProblem why{CodeOf(read.problem)};
        why.fileBytes = read.size;
        why.systemError = read.systemError;
        return Refuse(problem, why);
    }
    return ParseLabelFile(read.bytes, out, problem);
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
        if (error) *error = QStringLiteral("%1: cannot be written: %2").arg(path, why);
        return false;  // the temporary file is dropped, the old label stays
    };
    // Unbuffered: a short write (disk full, size limit) must show here; a
    // buffered flush inside commit() can lose it and rename a cut file over the old one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return fail(file.errorString());
    const qint64 written = file.write(bytes);
    if (written != bytes.size())
        return fail(written < 0 ? file.errorString()
                                : QStringLiteral("only %1 of %2 bytes could be written").arg(written).arg(bytes.size()));
    if (!file.commit()) return fail(file.errorString());
    return true;
}

QString WithLabelExtension(const QString& path) {
    QFileInfo info(path);
    return info.fileName().contains(u'.') ? path : path + QStringLiteral(".lab");
}

}  // namespace kestrix
