#include "output/CopyRenderer.h"

#include <QPainter>

#include "document/SerialNumber.h"
#include "output/DrawLabel.h"
#include "render/PaintedArea.h"

namespace kestrix {

namespace {

bool IsSerialized(const LabelElement& e) {
    return (e.nType == kText || e.nType == kBarcode) &&
           (e.nSerialMode == kSerialIncrement || e.nSerialMode == kSerialDecrement);
}

// Merges areas that overlap, so no pixel is drawn twice.
void MergeOverlaps(QList<QRect>& areas) {
    for (qsizetype i = 0; i < areas.size(); ++i) {
        for (qsizetype j = i + 1; j < areas.size(); ++j) {
            if (!areas[i].intersects(areas[j])) continue;
            areas[i] |= areas[j];
            areas.removeAt(j);
            j = i;  // the grown area may now meet earlier ones
        }
    }
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

QList<QRect> CopyRenderer::DirtyAreas() {
    QList<QRect> areas;
    for (std::size_t k = 0; k < advanced_.size(); ++k) {
        const QRect area = (before_[k] | reach_[advanced_[k]]) & raster_.rect();
        if (!area.isEmpty()) areas << area;
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
    if (!reachKnown_) {
        reach_.resize(elements_.size());
        for (std::size_t i = 0; i < elements_.size(); ++i) reach_[i] = Reach(elements_[i]);
        reachKnown_ = true;
    } else {
        for (std::size_t i : advanced_) reach_[i] = Reach(elements_[i]);
    }
    changed_ = DirtyAreas();
    QPainter painter(&raster_);
    for (const QRect& area : changed_) {
        painter.setClipRect(area);
        painter.fillRect(area, Qt::white);
        for (std::size_t i = 0; i < elements_.size(); ++i)
            if (reach_[i].intersects(area)) DrawOutputElement(painter, elements_[i], output_);
    }
}

void CopyRenderer::AdvanceSerials() {
    advanced_.clear();
    before_.clear();
    for (std::size_t i = 0; i < elements_.size(); ++i) {
        LabelElement& e = elements_[i];
        if (!IsSerialized(e)) continue;
        const QRect was = reachKnown_ ? reach_[i] : Reach(e);
        if (!AdvanceOutputSerial(e, output_.codes)) continue;
        advanced_.push_back(i);
        before_.push_back(was);
    }
}

}  // namespace kestrix
