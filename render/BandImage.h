#pragma once
// A few rows of a tall output target, so a huge label is drawn a band at a
// time: the image has the whole target's size, but only the band's rows have
// memory behind them, and every drawing into it is clipped to those rows.
// Drawing clipped is drawing the whole target, so the band's pixels are
// exactly the target's; drawing that would touch rows outside the clip (or
// the image's whole buffer, as QImage::fill does) must not be done.

#include <QImage>
#include <QPaintDevice>
#include <QRect>
#include <vector>

namespace kestrix {

class BandImage : public QImage {
public:
    // The bytes of 32-bit pixels a band takes at most (one row at least).
    static constexpr qint64 kBandBytes = qint64(16) << 20;

    // A band of `rows` rows of 32-bit pixels (0: as many as kBandBytes holds;
    // never more than the target has) across a target of `target` size,
    // showing its first rows. The image is valid while the band lives, unless
    // the band is the whole target.
    explicit BandImage(QSize target, int rows = 0);
    BandImage(const BandImage&) = delete;
    BandImage& operator=(const BandImage&) = delete;

    int BandRows() const { return rows_; }
    // Makes the band hold the target's rows from `top` on (their pixels are
    // undefined until drawn).
    void SetTop(int top);
    int Top() const { return top_; }
    // The target rows the band holds.
    QRect Rows() const { return QRect(0, top_, width(), rows_) & rect(); }

    // Whether `device` is a band that holds fewer rows than its target.
    static bool IsPartOfTaller(const QPaintDevice* device);

private:
    QSize target_;
    int rows_;
    int top_ = 0;
    std::vector<uint32_t> pixels_;
};

}  // namespace kestrix
