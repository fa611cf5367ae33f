#include "print/LabelPdf.h"

namespace kestrix {

namespace {

constexpr double kPointsPerMm = 72 / 25.4;

QByteArray Number(double value) { return QByteArray::number(value, 'f', 6); }

// A Flate stream: zlib's data without the length Qt puts in front of it.
QByteArray Deflated(const QByteArray& data) { return qCompress(data).mid(4); }

QByteArray Stream(const QByteArray& dictionary, const QByteArray& data) {
    return "<< " + dictionary + " /Length " + QByteArray::number(data.size()) + " >>\nstream\n" + data + "\nendstream";
}

}  // namespace

LabelPdf::LabelPdf(QSizeF sizeMm, int dpiX, int dpiY) : points_(sizeMm * kPointsPerMm), dpiX_(dpiX), dpiY_(dpiY) {}

void LabelPdf::AddPage(const QImage& image) {
    const bool grey = image.allGray();
    const QImage pixels = image.convertToFormat(grey ? QImage::Format_Grayscale8 : QImage::Format_RGB888);
    // Rows packed without the padding QImage keeps at their ends.
    const qsizetype rowBytes = qsizetype(pixels.width()) * (grey ? 1 : 3);
    QByteArray samples;
    samples.reserve(rowBytes * pixels.height());
    for (int y = 0; y < pixels.height(); ++y)
        samples.append(reinterpret_cast<const char*>(pixels.constScanLine(y)), rowBytes);
    const double width = pixels.width() * 72.0 / dpiX_;
    const double height = pixels.height() * 72.0 / dpiY_;
    Page page;
    page.content =
        "q " + Number(width) + " 0 0 " + Number(height) + " 0 " + Number(points_.height() - height) + " cm /Label Do Q";
    page.image = Stream("/Type /XObject /Subtype /Image /Width " + QByteArray::number(pixels.width()) + " /Height " +
                            QByteArray::number(pixels.height()) + " /ColorSpace " +
                            (grey ? "/DeviceGray" : "/DeviceRGB") + " /BitsPerComponent 8 /Filter /FlateDecode",
                        Deflated(samples));
    pages_ << page;
}

QByteArray LabelPdf::Bytes() const {
    // Objects: 1 the catalogue, 2 the page tree, then each page, its content and its image.
    QList<QByteArray> objects{"<< /Type /Catalog /Pages 2 0 R >>", {}};
    QByteArray kids;
    for (const Page& page : pages_) {
        const qsizetype first = objects.size() + 1;
        kids += QByteArray::number(first) + " 0 R ";
        objects << "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 " + Number(points_.width()) + ' ' +
                       Number(points_.height()) + "] /Resources << /XObject << /Label " +
                       QByteArray::number(first + 2) + " 0 R >> >> /Contents " + QByteArray::number(first + 1) +
                       " 0 R >>";
        objects << Stream({}, page.content) << page.image;
    }
    objects[1] = "<< /Type /Pages /Kids [" + kids.trimmed() + "] /Count " + QByteArray::number(pages_.size()) + " >>";

    QByteArray pdf = "%PDF-1.4\n";
    QByteArray xref = "xref\n0 " + QByteArray::number(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (qsizetype i = 0; i < objects.size(); ++i) {
        xref += QByteArray::number(pdf.size()).rightJustified(10, '0') + " 00000 n \n";
        pdf += QByteArray::number(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    const qsizetype start = pdf.size();
    pdf += xref + "trailer\n<< /Size " + QByteArray::number(objects.size() + 1) + " /Root 1 0 R >>\nstartxref\n" +
           QByteArray::number(start) + "\n%%EOF\n";
    return pdf;
}

}  // namespace kestrix
