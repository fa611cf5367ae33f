#include "document/LabelDocument.h"

#include <QStringConverter>

namespace kestrix {

QString PrinterNameText(const QByteArray& stored) {
    auto decoder = QStringDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(stored);
    return decoder.hasError() ? QString::fromLatin1(stored) : text;
}

QByteArray StoredPrinterName(const QString& name) {
    QByteArray bytes = name.toUtf8();
    if (bytes.size() <= 64) return bytes;
    qsizetype cut = 64;
    while (cut > 0 && (static_cast<unsigned char>(bytes[cut]) & 0xC0) == 0x80) --cut;
    return bytes.left(cut);
}

}  // namespace kestrix
