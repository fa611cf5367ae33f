#include "print/LabelPdf.h"

#include <zlib.h>

namespace kestrix {

namespace {

constexpr double kPointsPerMm = 72 / 25.4;
constexpr qsizetype kCatalogue = 1;
constexpr qsizetype kPageTree = 2;

QByteArray Number(double value) { return QByteArray::number(value, 'f', 6); }
QByteArray Ref(qsizetype object) { return QByteArray::number(object) + " 0 R"; }

}  // namespace

// One Flate stream (zlib's format, as /FlateDecode reads it) compressed as
// its data comes and written out a chunk at a time.
class LabelPdf::Deflater {
public:
    explicit Deflater(LabelPdf& pdf) : pdf_(pdf) { ok_ = deflateInit(&stream_, Z_DEFAULT_COMPRESSION) == Z_OK; }
    ~Deflater() { deflateEnd(&stream_); }
    Deflater(const Deflater&) = delete;
    Deflater& operator=(const Deflater&) = delete;

    bool Add(const uchar* data, qsizetype size) {
        // zlib counts in 32 bits: a long run is handed over in parts.
        while (ok_ && size > 0) {
            const auto part = static_cast<uInt>(std::min<qsizetype>(size, qsizetype(1) << 30));
            stream_.next_in = const_cast<uchar*>(data);
            stream_.avail_in = part;
            Run(Z_NO_FLUSH);
            data += part;
            size -= part;
        }
        return ok_;
    }
    bool Finish() {
        stream_.next_in = nullptr;
        stream_.avail_in = 0;
        Run(Z_FINISH);
        return ok_;
    }

private:
    void Run(int flush) {
        uchar chunk[1 << 16];
        int result = Z_OK;
        do {
            stream_.next_out = chunk;
            stream_.avail_out = sizeof chunk;
            result = deflate(&stream_, flush);
            if (result == Z_STREAM_ERROR) ok_ = false;
            pdf_.Write(QByteArray::fromRawData(reinterpret_cast<const char*>(chunk), sizeof chunk - stream_.avail_out));
        } while (ok_ && (stream_.avail_out == 0 || (flush == Z_FINISH && result != Z_STREAM_END)));
    }

    LabelPdf& pdf_;
    z_stream stream_{};
    bool ok_ = false;
};

LabelPdf::LabelPdf(QIODevice& out, QSizeF sizeMm, int dpiX, int dpiY)
    : out_(out), points_(sizeMm * kPointsPerMm), dpiX_(dpiX), dpiY_(dpiY), offsets_(2) {
    Write("%PDF-1.4\n");
    BeginObject(kCatalogue);
    Write("<< /Type /Catalog /Pages " + Ref(kPageTree) + " >>\nendobj\n");
}

LabelPdf::~LabelPdf() = default;

void LabelPdf::Write(const QByteArray& bytes) {
    if (!ok_ || bytes.isEmpty()) return;
    ok_ = out_.write(bytes) == bytes.size();
    written_ += bytes.size();
}

qsizetype LabelPdf::NewObject() {
    offsets_ << 0;
    return offsets_.size();
}

void LabelPdf::BeginObject(qsizetype number) {
    offsets_[number - 1] = written_;
    Write(QByteArray::number(number) + " 0 obj\n");
}

void LabelPdf::BeginPage(QSize pixels, bool grey) {
    // Objects of a page: the page, its content, its image and the image's length.
    const qsizetype page = NewObject();
    const qsizetype content = NewObject();
    const qsizetype image = NewObject();
    lengthObject_ = NewObject();
    pages_ << page;
    grey_ = grey;
    pixels_ = pixels;
    rows_ = 0;

    BeginObject(page);
    Write("<< /Type /Page /Parent " + Ref(kPageTree) + " /MediaBox [0 0 " + Number(points_.width()) + ' ' +
          Number(points_.height()) + "] /Resources << /XObject << /Label " + Ref(image) + " >> >> /Contents " +
          Ref(content) + " >>\nendobj\n");
    const double width = pixels.width() * 72.0 / dpiX_;
    const double height = pixels.height() * 72.0 / dpiY_;
    const QByteArray drawing =
        "q " + Number(width) + " 0 0 " + Number(height) + " 0 " + Number(points_.height() - height) + " cm /Label Do Q";
    BeginObject(content);
    Write("<< /Length " + QByteArray::number(drawing.size()) + " >>\nstream\n" + drawing + "\nendstream\nendobj\n");
    BeginObject(image);
    Write("<< /Type /XObject /Subtype /Image /Width " + QByteArray::number(pixels.width()) + " /Height " +
          QByteArray::number(pixels.height()) + " /ColorSpace " + (grey ? "/DeviceGray" : "/DeviceRGB") +
          " /BitsPerComponent 8 /Filter /FlateDecode /Length " + Ref(lengthObject_) + " >>\nstream\n");
    streamStart_ = written_;
    deflater_ = std::make_unique<Deflater>(*this);
}

void LabelPdf::AddRows(const QImage& image, int top, int count) {
    if (!deflater_ || count <= 0) return;
    rows_ += count;
    if (grey_ && image.format() == QImage::Format_RGB32) {
        // A pixel without colour is its red, which is what QImage's far
        // slower conversion to grey makes of it too.
        QByteArray row(image.width(), Qt::Uninitialized);
        auto* out = reinterpret_cast<uchar*>(row.data());
        for (int y = top; y < top + count && ok_; ++y) {
            const auto* in = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x) out[x] = static_cast<uchar>(qRed(in[x]));
            ok_ = deflater_->Add(out, row.size());
        }
        return;
    }
    // The rows alone, without copying them, converted as QImage converts.
    const QImage rows(image.constScanLine(top), image.width(), count, image.bytesPerLine(), image.format());
    const QImage pixels = rows.convertToFormat(grey_ ? QImage::Format_Grayscale8 : QImage::Format_RGB888);
    // Rows packed without the padding QImage keeps at their ends.
    const qsizetype rowBytes = qsizetype(pixels.width()) * (grey_ ? 1 : 3);
    for (int y = 0; y < pixels.height() && ok_; ++y) ok_ = deflater_->Add(pixels.constScanLine(y), rowBytes);
}

void LabelPdf::EndPage() {
    if (!deflater_) return;
    ok_ = deflater_->Finish() && ok_ && rows_ == pixels_.height();
    deflater_.reset();
    const qint64 length = written_ - streamStart_;
    Write("\nendstream\nendobj\n");
    BeginObject(lengthObject_);
    Write(QByteArray::number(length) + "\nendobj\n");
}

bool LabelPdf::Finish() {
    QByteArray kids;
    for (const qsizetype page : pages_) kids += Ref(page) + ' ';
    BeginObject(kPageTree);
    Write("<< /Type /Pages /Kids [" + kids.trimmed() + "] /Count " + QByteArray::number(pages_.size()) +
          " >>\nendobj\n");
    const qint64 start = written_;
    QByteArray xref = "xref\n0 " + QByteArray::number(offsets_.size() + 1) + "\n0000000000 65535 f \n";
    for (const qint64 offset : offsets_) xref += QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n";
    Write(xref + "trailer\n<< /Size " + QByteArray::number(offsets_.size() + 1) + " /Root " + Ref(kCatalogue) +
          " >>\nstartxref\n" + QByteArray::number(start) + "\n%%EOF\n");
    return ok_;
}

}  // namespace kestrix
