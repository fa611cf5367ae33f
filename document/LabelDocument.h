#pragma once
// The label being edited: its size, the printer it was last printed on, the
// file it came from and its elements in drawing order (index 0 at the bottom).

#include <QByteArray>
#include <QString>
#include <vector>

#include "document/LabelElement.h"

namespace kestrix {

constexpr int kMinLabelMm = 1;
constexpr int kMaxLabelMm = 2000;

struct LabelDocument {
    int widthMm = 50;
    int heightMm = 80;
    // The printer name as the label file stores it (system code page, UTF-8 on
    // Linux); kept as bytes so a file always saves back exactly as it was read.
    QByteArray printerName;
    QString labelPath;
    std::vector<LabelElement> elements;
};

inline bool IsValidLabelSize(int widthMm, int heightMm) {
    return widthMm >= kMinLabelMm && widthMm <= kMaxLabelMm && heightMm >= kMinLabelMm && heightMm <= kMaxLabelMm;
}

// The printer name for display: UTF-8 when it is valid UTF-8, else byte per character.
QString PrinterNameText(const QByteArray& stored);

}  // namespace kestrix

namespace kestrix {
// The stored form of a printer name: UTF-8, cut to 64 bytes at a character boundary.
QByteArray StoredPrinterName(const QString& name);
}  // namespace kestrix
