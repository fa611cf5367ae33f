#include "output/CopyRenderer.h"

#include <QPainter>
#include <algorithm>

#include "document/SerialNumber.h"
#include "output/DrawLabel.h"
#include "render/PaintedArea.h"
#include "render/TextDrawing.h"

namespace kestrix {

namespace {

bool IsSerialized(const LabelElement& e) {
    return (e.nType == kText || e.nType == kBarcode) &&
           (e.nSerialMode == kSerialIncrement || e.nSerialMode == kSerialDecrement);
}

// Merges areas that overlap, so no pixel is drawn twice, and those close to
// each other: each area costs a pass over the elements that reach it.
void MergeOverlaps(QList<QRect>& areas) {
    constexpr int kNear = 48;
    for (qsizetype i = 0; i < areas.size(); ++i) {
        for (qsizetype j = i + 1; j < areas.size(); ++j) {
            if (!areas[i].adjusted(-kNear, -kNear, kNear, kNear).intersects(areas[j])) continue;
            areas[i] |= areas[j];
            areas.removeAt(j);
            j = i;  // the grown area may now meet earlier ones
        }
    }
}

QRect Union(const std::vector<TextPiece>& pieces) {
    QRect all;
    for (const TextPiece& piece : pieces) all |= piece.area;
    return all;
}

}  // namespace

CopyRenderer::CopyRenderer(LabelDocument& doc, int dpiX, int dpiY, const RenderContext& ctx)
    : elements_(doc.elements), output_(OutputContext(ctx)) {
    const QSize size = OutputTargetSize(doc, dpiX, dpiY);
    if (!IsTargetTooLarge(size)) raster_ = QImage(size, QImage::Format_RGB32);
}

const QImage& CopyRenderer::Next() {
    changed_.clear();
    if (raster_.isNull()) return raster_;
    if (first_)
        DrawWhole();
    else
        DrawChanges();
    first_ = false;
    AdvanceSerials();
    return raster_;
}

QRect CopyRenderer::Reach(LabelElement& e) {
    if (e.nType == kText) return Union(OutputTextPieces(e));
    PaintedArea area(raster_.size());
    QPainter painter(&area);
    DrawOutputElement(painter, e, output_);
    painter.end();
    return area.Bounds();
}

void CopyRenderer::DrawWhole() {
    raster_.fill(Qt::white);
    QPainter painter(&raster_);
    for (LabelElement& e : elements_) DrawOutputElement(painter, e, output_);
    changed_ = {raster_.rect()};
}

CopyRenderer::Look CopyRenderer::LookOf(LabelElement& e) {
    Look look;
    if (e.nType == kText)
        look.text = OutputTextPieces(e);
    else
        look.barcode = OutputBarcodeLook(e, output_);
    return look;
}

QList<QRect> CopyRenderer::DirtyAreas(const std::vector<Look>& looksNow) {
    QList<QRect> areas;
    for (std::size_t k = 0; k < advanced_.size(); ++k) {
        const Look& before = looksBefore_[k];
        const Look& now = looksNow[k];
        const QList<QRect> changed = elements_[advanced_[k]].nType == kText ? PieceDifferences(before.text, now.text)
                                     : before.barcode && now.barcode
                                         ? LookDifferences(*before.barcode, *now.barcode, raster_.rect())
                                         : QList<QRect>{before_[k] | reach_[advanced_[k]]};
        for (const QRect& area : changed)
            if (!(area & raster_.rect()).isEmpty()) areas << (area & raster_.rect());
    }
    for (bool grown = true; grown;) {
        MergeOverlaps(areas);
        grown = false;
        for (QRect& area : areas) {
            for (std::size_t i = 0; i < elements_.size(); ++i) {
                const QRect picture = reach_[i] & raster_.rect();
                if (elements_[i].nType != kPicture || !picture.intersects(area) || area.contains(picture)) continue;
                area |= picture;
                grown = true;
            }
        }
    }
    return areas;
}

void CopyRenderer::DrawChanges() {
    std::vector<Look> looksNow(advanced_.size());
    for (std::size_t k = 0; k < advanced_.size(); ++k) looksNow[k] = LookOf(elements_[advanced_[k]]);
    if (!reachKnown_) {
        reach_.resize(elements_.size());
        for (std::size_t i = 0; i < elements_.size(); ++i) reach_[i] = Reach(elements_[i]);
        reachKnown_ = true;
    } else {
        for (std::size_t k = 0; k < advanced_.size(); ++k) {
            LabelElement& e = elements_[advanced_[k]];
            reach_[advanced_[k]] = e.nType == kText ? Union(looksNow[k].text) : Reach(e);
        }
    }
    changed_ = DirtyAreas(looksNow);
    looksBefore_ = std::move(looksNow);
    QPainter painter(&raster_);
    for (const QRect& area : changed_) {
        painter.setClipRect(area);
        painter.fillRect(area, Qt::white);
        for (std::size_t i = 0; i < elements_.size(); ++i)
            if (reach_[i].intersects(area)) DrawOutputElement(painter, elements_[i], output_);
    }
}

void CopyRenderer::AdvanceSerials() {
    // What the elements were drawn of: kept from the last redraw, else worked out.
    std::vector<Look> drawn = std::move(looksBefore_);
    std::vector<std::size_t> drawnOf = std::move(advanced_);
    advanced_.clear();
    before_.clear();
    looksBefore_.clear();
    for (std::size_t i = 0; i < elements_.size(); ++i) {
        LabelElement& e = elements_[i];
        if (!IsSerialized(e)) continue;
        const QRect was = reachKnown_ ? reach_[i] : Reach(e);
        const auto known = std::find(drawnOf.begin(), drawnOf.end(), i);
        Look look = known != drawnOf.end() && !drawn.empty() ? std::move(drawn[known - drawnOf.begin()]) : LookOf(e);
        if (!AdvanceOutputSerial(e, output_.codes)) continue;
        advanced_.push_back(i);
        before_.push_back(was);
        looksBefore_.push_back(std::move(look));
    }
}

}  // namespace kestrix
