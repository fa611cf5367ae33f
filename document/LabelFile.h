#pragma once
// The .lab file: 20 bytes of size text, a 64-byte printer-name block (absent in
// the older layout) and the 796-byte element records.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include "document/LabelDocument.h"

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

// Parses the bytes of a label file into `out` (size, printer name, elements with
// hCache 0; labelPath untouched). On failure `out` is unchanged and `error` says why.
bool ParseLabelFile(QByteArrayView data, LabelDocument& out, QString* error);
// Reads and parses a label file.
bool ReadLabelFile(const QString& path, LabelDocument& out, QString* error);

// The bytes Save writes: size text, printer name, every record whose bOmit is 0.
QByteArray LabelFileBytes(const LabelDocument& doc);
// Saves through a temporary file renamed over `path`, so a failed save never
// destroys the old file. A label without elements writes nothing and succeeds.
bool WriteLabelFile(const QString& path, const LabelDocument& doc, QString* error);

// Appends ".lab" to a file name that has no extension at all.
QString WithLabelExtension(const QString& path);

}  // namespace kestrix
