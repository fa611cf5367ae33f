#pragma once
// The .lab file: 20 bytes of size text, a 64-byte printer-name block (absent in
// the older layout) and the 796-byte element records.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include "document/LabelDocument.h"
#include "document/RegularFile.h"

namespace kestrix {

constexpr qsizetype kSizeTextBytes = 20;
constexpr qsizetype kPrinterNameBytes = 64;
constexpr qsizetype kNamedHeaderBytes = kSizeTextBytes + kPrinterNameBytes;
// No real label comes near this; a larger file is refused rather than loaded.
constexpr qint64 kMaxLabelFileBytes = 64LL * 1024 * 1024;

// The records one after another, as label and undo files hold them; with
// `leaveOutOmitted`, records whose bOmit is set are not written.
QByteArray RecordBytes(const std::vector<LabelElement>& elements, bool leaveOutOmitted);
// Every complete 796-byte record of `data`, with hCache 0; a shorter tail is dropped.
std::vector<LabelElement> RecordsFrom(QByteArrayView data);

// Why a label file was refused. The interface words it in its language.
struct LabelFileProblem {
    enum Code { None, FileNotRead, SizeNotTwoNumbers, SizeOutOfRange };
    Code code = None;
    FileRead file;    // FileNotRead: why (no bytes)
    int widthMm = 0;  // SizeOutOfRange
    int heightMm = 0;

    // Nothing of the file could be read, as against a file read and refused.
    bool NothingRead() const { return code == FileNotRead && file.problem != FileProblem::TooLarge; }
};

// The reason in words (without the file name).
QString LabelFileProblemText(const LabelFileProblem& problem, UiLanguage language);

// Parses the bytes of a label file into `out` (size, printer name, elements with
// hCache 0; labelPath untouched). On failure `out` is unchanged and `problem` says why.
bool ParseLabelFile(QByteArrayView data, LabelDocument& out, LabelFileProblem* problem);
// Reads and parses a label file; only a regular file is read.
bool ReadLabelFile(const QString& path, LabelDocument& out, LabelFileProblem* problem);

// The bytes Save writes: size text, printer name, every record whose bOmit is 0.
QByteArray LabelFileBytes(const LabelDocument& doc);
// Saves as an OutputFile: through a temporary file renamed over `path`, so a
// failed save never destroys the old file. A label without elements writes
// nothing and succeeds.
bool WriteLabelFile(const QString& path, const LabelDocument& doc, QString* error);

// Appends ".lab" to a file name that has no extension at all.
QString WithLabelExtension(const QString& path);

}  // namespace kestrix
