#pragma once
// The document driver printing hands to CUPS: a PDF whose every page is
// exactly the label's size (to a millionth of a point; Qt's PDF engine rounds
// page sizes to whole points) and holds one image drawn over it from the top
// left corner, one image pixel per device dot. Pages are compressed as they
// come, so a long run stays small in memory.

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QSizeF>

namespace kestrix {

class LabelPdf {
public:
    // Pages of `sizeMm`, their images at `dpiX` x `dpiY` pixels per inch.
    LabelPdf(QSizeF sizeMm, int dpiX, int dpiY);

    // A page showing `image` (grey when it has no colour, else RGB).
    void AddPage(const QImage& image);
    qsizetype Pages() const { return pages_.size(); }
    // The whole file.
    QByteArray Bytes() const;

private:
    struct Page {
        QByteArray content;  // the drawing of the image over the page
        QByteArray image;    // the image object's dictionary and stream
    };
    QSizeF points_;
    int dpiX_;
    int dpiY_;
    QList<Page> pages_;
};

}  // namespace kestrix
