#include "TsplReceiver.h"

#include <QRegularExpression>
#include <cmath>

namespace kestrix {

namespace {

constexpr QByteArrayView kStatusQuery = "\x1b!?";
constexpr QByteArrayView kBitmap = "BITMAP ";
constexpr QByteArrayView kLineEnd = "\r\n";
// A command line, or the parameters of a BITMAP, is never longer than this.
constexpr qsizetype kLongestLine = 4096;

int Dots(double mm) { return static_cast<int>(mm * TsplReceiver::kDotsPerInch / 25.4 + 0.5); }

}  // namespace

int TsplReceiver::Take(QByteArrayView bytes) {
    pending_.append(bytes.data(), bytes.size());
    int queries = 0;
    while (at_ < pending_.size() && TakeOne(queries)) {}
    pending_.remove(0, at_);
    at_ = 0;
    return queries;
}

void TsplReceiver::Consume(qsizetype n, bool partOfJob) {
    if (partOfJob) job_.append(Front().first(n));
    at_ += n;
}

bool TsplReceiver::TakeOne(int& queries) {
    const QByteArrayView front = Front();
    if (kStatusQuery.startsWith(front.first(std::min(front.size(), kStatusQuery.size())))) {
        if (front.size() < kStatusQuery.size()) return false;
        Consume(kStatusQuery.size(), false);
        ++queries;
        return true;
    }
    if (front.startsWith(kBitmap) || kBitmap.startsWith(front)) return front.size() > kBitmap.size() && TakeBitmap();
    const qsizetype end = front.indexOf(kLineEnd);
    if (end < 0) {
        if (front.size() <= kLongestLine) return false;
        problems_ << QStringLiteral("a line of more than %1 bytes").arg(kLongestLine);
        Consume(front.size());
        return true;
    }
    const QString line = QString::fromLatin1(front.first(end));
    Consume(end + kLineEnd.size());
    Interpret(line);
    return true;
}

// "BITMAP x,y,width in bytes,height,mode," then width × height bytes, then a line end.
bool TsplReceiver::TakeBitmap() {
    const QByteArrayView front = Front();
    qsizetype comma = kBitmap.size() - 1;
    for (int i = 0; i < 5 && comma >= 0; ++i) comma = front.indexOf(',', comma + 1);
    if (comma < 0) {
        if (front.size() <= kLongestLine) return false;
        problems_ << QStringLiteral("a BITMAP without its five numbers");
        Consume(front.size());
        return true;
    }
    const QString head = QString::fromLatin1(front.first(comma));
    static const QRegularExpression form(QStringLiteral("^BITMAP (\\d+),(\\d+),(\\d+),(\\d+),(\\d+)$"));
    const QRegularExpressionMatch m = form.match(head);
    if (!m.hasMatch()) {
        problems_ << QStringLiteral("not a BITMAP command: \"%1\"").arg(head);
        Consume(comma + 1);
        return true;
    }
    const int x = m.captured(1).toInt(), y = m.captured(2).toInt();
    const int width = m.captured(3).toInt(), height = m.captured(4).toInt();
    const qsizetype data = comma + 1, size = qsizetype(width) * height;
    if (front.size() < data + size + kLineEnd.size()) return false;
    const auto* bits = reinterpret_cast<const uchar*>(front.data() + data);
    const int labelWidth = label_.image.width();
    bool outside = false;
    for (int row = 0; row < height; ++row) {
        const uchar* from = bits + qsizetype(row) * width;
        uchar* to = y + row < label_.image.height() ? label_.image.scanLine(y + row) : nullptr;
        for (int b = 0; b < width; ++b) {
            if (from[b] == 0xFF) continue;  // 1 is white, in the stream as in the image
            const int first = x + b * 8;
            if (to && first % 8 == 0 && first + 8 <= labelWidth) {
                to[first >> 3] &= from[b];
                continue;
            }
            const uchar dots = static_cast<uchar>(~from[b]);
            for (int bit = 0; bit < 8; ++bit) {
                if (!(dots & (0x80 >> bit))) continue;
                const int dot = first + bit;
                if (!to || dot >= labelWidth)
                    outside = true;
                else
                    to[dot >> 3] &= static_cast<uchar>(~(0x80 >> (dot & 7)));
            }
        }
    }
    if (outside) problems_ << QStringLiteral("%1: dots outside the label").arg(head);
    if (front.sliced(data + size, kLineEnd.size()) != kLineEnd)
        problems_ << QStringLiteral("%1: no line end after the bitmap").arg(head);
    label_.commands << head;
    Consume(data + size + kLineEnd.size());
    return true;
}

void TsplReceiver::Interpret(const QString& line) {
    label_.commands << line;
    static const QRegularExpression size(QStringLiteral("^SIZE ([0-9.]+) mm, ?([0-9.]+) mm$"));
    if (const QRegularExpressionMatch m = size.match(line); m.hasMatch()) {
        size_ = QSize(Dots(m.captured(1).toDouble()), Dots(m.captured(2).toDouble()));
    } else if (line == u"CLS") {
        // One bit a dot as in the stream: 0 black, 1 white.
        label_.image = QImage(size_, QImage::Format_Mono);
        label_.image.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
        label_.image.fill(1);
    } else if (line.startsWith(u"PRINT ")) {
        labels_ << label_;
        label_ = {};
    }
}

}  // namespace kestrix
