#pragma once
// The document driver printing hands to CUPS: a PDF whose every page is
// exactly the label's size (to a millionth of a point; Qt's PDF engine rounds
// page sizes to whole points) and holds one image drawn over it from the top
// left corner, one image pixel per device dot. The file is written as it is
// made: a page's image arrives a band of rows at a time and is compressed as
// it comes (zlib), so neither a page nor the document is ever held whole.

#include <QByteArray>
#include <QIODevice>
#include <QImage>
#include <QList>
#include <QSizeF>
#include <memory>

namespace kestrix {

class LabelPdf {
public:
    // Pages of `sizeMm`, their images at `dpiX` x `dpiY` pixels per inch,
    // written to `out` (open for writing).
    LabelPdf(QIODevice& out, QSizeF sizeMm, int dpiX, int dpiY);
    ~LabelPdf();
    LabelPdf(const LabelPdf&) = delete;
    LabelPdf& operator=(const LabelPdf&) = delete;

    // Starts a page whose image has `pixels` size, in grey or in RGB.
    void BeginPage(QSize pixels, bool grey);
    // The page image's next `count` rows: those of `image` from row `top` on,
    // in any format, converted as QImage converts it (a grey page takes rows
    // without colour). The rows come in order, top first.
    void AddRows(const QImage& image, int top, int count);
    // Ends the page; its image must have had all its rows.
    void EndPage();
    qsizetype Pages() const { return pages_.size(); }

    // Writes the page tree and the cross-reference table. False when any
    // write failed: the device's error string says why.
    bool Finish();

private:
    class Deflater;
    // Starts object `number` at the current place in the file.
    void BeginObject(qsizetype number);
    void Write(const QByteArray& bytes);
    qsizetype NewObject();

    QIODevice& out_;
    QSizeF points_;
    int dpiX_;
    int dpiY_;
    qint64 written_ = 0;
    bool ok_ = true;
    QList<qint64> offsets_;   // per object number - 1: where it starts
    QList<qsizetype> pages_;  // the page objects' numbers
    // The page being made.
    bool grey_ = true;
    QSize pixels_;
    int rows_ = 0;  // image rows written so far
    qsizetype lengthObject_ = 0;
    qint64 streamStart_ = 0;
    std::unique_ptr<Deflater> deflater_;
};

}  // namespace kestrix
