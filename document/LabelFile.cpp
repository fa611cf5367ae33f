#include "document/LabelFile.h"

#include <QFileInfo>
#include <algorithm>
#include <cstdio>

#include "document/OutputFile.h"

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

bool Refuse(LabelFileProblem* problem, LabelFileProblem::Code code, FileRead file = {}, int widthMm = 0,
            int heightMm = 0) {
    if (problem) *problem = {code, std::move(file), widthMm, heightMm};
    return false;
}

}  // namespace

QString LabelFileProblemText(const LabelFileProblem& p, UiLanguage language) {
    switch (p.code) {
    case LabelFileProblem::None: break;
    case LabelFileProblem::FileNotRead: return FileProblemText(p.file, language);
    case LabelFileProblem::SizeNotTwoNumbers:
        return UiText(language, "not a label file: the size text is not two numbers",
                      "这不是标签文件：开头的尺寸不是两个数字。");
    case LabelFileProblem::SizeOutOfRange:
        return UiText(language, "label size %1 x %2 mm is outside 1 to 2000 mm",
                      "标签尺寸 %1 × %2 毫米超出了 1 到 2000 毫米的范围。")
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
    if (!ParseSizeText(head, width, height)) return Refuse(problem, LabelFileProblem::SizeNotTwoNumbers);
    if (!IsValidLabelSize(width, height)) return Refuse(problem, LabelFileProblem::SizeOutOfRange, {}, width, height);

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
    FileRead read = ReadRegularFile(path, kMaxLabelFileBytes);
    if (read.problem == FileProblem::None) return ParseLabelFile(read.bytes, out, problem);
    return Refuse(problem, LabelFileProblem::FileNotRead, std::move(read));
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
    return doc.elements.empty() || WriteOutputFile(path, LabelFileBytes(doc), error);
}

QString WithLabelExtension(const QString& path) {
    QFileInfo info(path);
    return info.fileName().contains(u'.') ? path : path + QStringLiteral(".lab");
}

}  // namespace kestrix
