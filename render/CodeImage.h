#pragma once
// An encoded barcode or 2D code kept at module size: one pixel per module
// (runs of equal rows or columns kept once), with where each ends in the
// image the library draws at the element's scale (the "full" image). Drawing reads the full image through
// these ends, so the output has exactly its pixels without holding it.

#include <QImage>
#include <vector>

namespace kestrix {

class CodeImage {
public:
    CodeImage() = default;
    // Every module `factor` full pixels wide and high.
    static CodeImage Magnified(QImage modules, int factor);
    // A full image as it is: runs of equal columns and of equal rows become
    // one module each.
    static CodeImage FromFull(const QImage& full);

    bool IsNull() const { return modules_.isNull(); }
    QSize FullSize() const;
    // The module pixel at full-image pixel (x, y), both inside FullSize().
    QRgb FullPixel(int x, int y) const;
    // The module column of full column x, the module row of full row y.
    int ModuleColumn(int x) const;
    int ModuleRow(int y) const;
    const QImage& Modules() const { return modules_; }
    // Pixels held, for the cache's budget.
    qint64 PixelCount() const { return qint64(modules_.width()) * modules_.height(); }

private:
    QImage modules_;  // RGB32
    std::vector<int> columnEnds_;
    std::vector<int> rowEnds_;
};

}  // namespace kestrix
