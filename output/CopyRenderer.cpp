#include "output/CopyRenderer.h"

#include <QPainter>
#include <algorithm>

#include "document/FieldMerge.h"
#include "document/SerialNumber.h"
#include "output/DrawLabel.h"
#include "render/CodeImageCache.h"
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

CopyRenderer::CopyRenderer(LabelDocument& doc, int dpiX, int dpiY, const RenderContext& ctx, int bandRows)
    : elements_(doc.elements),
      output_(OutputContext(ctx)),
      size_(OutputTargetSize(doc, dpiX, dpiY)),
      looks_(doc.elements.size()),
      merged_(doc.elements.size()) {
    if (IsTargetTooLarge(size_) || size_.isEmpty()) return;
    band_.emplace(size_, bandRows);
}

CopyRenderer::~CopyRenderer() {
    for (std::optional<LabelElement>& copy : merged_)
        if (copy && output_.codes) output_.codes->Release(copy->hCache);
}

bool CopyRenderer::Next(const DataRow* row, const BandSink& take) {
    changed_.clear();
    if (!band_ || band_->isNull()) return false;
    FillFields(row);
    if (first_)
        DrawWhole(take);
    else
        DrawChanges(take);
    first_ = false;
    AdvanceSerials();
    return true;
}

const QImage& CopyRenderer::Next(const DataRow* row) {
    static const QImage none;
    if (!band_ || band_->BandRows() < size_.height() || !Next(row, {})) return none;
    return *band_;
}

QRect CopyRenderer::Reach(LabelElement& e) {
    if (e.nType == kText) return Union(OutputTextPieces(e));
    PaintedArea area(size_);
    QPainter painter(&area);
    DrawOutputElement(painter, e, output_);
    painter.end();
    return area.Bounds();
}

void CopyRenderer::KnowReach() {
    if (reachKnown_) return;
    reach_.resize(elements_.size());
    for (std::size_t i = 0; i < elements_.size(); ++i) reach_[i] = Reach(Drawn(i));
    reachKnown_ = true;
}

void CopyRenderer::DrawArea(const QRect& area, bool clip, const BandSink& take) {
    BandImage& band = *band_;
    // A band is drawn clipped to its rows: the elements that reach them.
    const bool banded = band.BandRows() < size_.height();
    const int rows = band.BandRows();
    for (int top = area.top() / rows * rows; top <= area.bottom(); top += rows) {
        band.SetTop(top);
        const QRect part = area & band.Rows();
        QPainter painter(&band);
        if (clip || banded) painter.setClipRect(part);
        painter.fillRect(part, Qt::white);
        for (std::size_t i = 0; i < elements_.size(); ++i)
            if ((!clip && !banded) || reach_[i].intersects(part)) DrawOutputElement(painter, Drawn(i), output_);
        painter.end();
        if (take) take(band, part);
    }
}

void CopyRenderer::DrawWhole(const BandSink& take) {
    if (band_->BandRows() < size_.height()) KnowReach();
    const QRect whole(QPoint(), size_);
    DrawArea(whole, false, take);
    changed_ = {whole};
}

CopyRenderer::Look CopyRenderer::LookOf(LabelElement& e) {
    Look look;
    if (e.nType == kText)
        look.text = OutputTextPieces(e);
    else
        look.barcode = OutputBarcodeLook(e, output_);
    return look;
}

CopyRenderer::Change CopyRenderer::Before(std::size_t i) {
    LabelElement& e = Drawn(i);
    Change change{i, reachKnown_ ? reach_[i] : Reach(e), {}};
    change.before = looks_[i] ? std::move(*looks_[i]) : LookOf(e);
    looks_[i].reset();
    return change;
}

QList<QRect> CopyRenderer::DirtyAreas(const std::vector<Look>& looksNow) {
    const QRect target(QPoint(), size_);
    QList<QRect> areas;
    for (std::size_t k = 0; k < changes_.size(); ++k) {
        const Change& change = changes_[k];
        const Look& now = looksNow[k];
        const QList<QRect> changed = Drawn(change.index).nType == kText ? PieceDifferences(change.before.text, now.text)
                                     : change.before.barcode && now.barcode
                                         ? LookDifferences(*change.before.barcode, *now.barcode, target)
                                         : QList<QRect>{change.was | reach_[change.index]};
        for (const QRect& area : changed)
            if (!(area & target).isEmpty()) areas << (area & target);
    }
    for (bool grown = true; grown;) {
        MergeOverlaps(areas);
        grown = false;
        for (QRect& area : areas) {
            for (std::size_t i = 0; i < elements_.size(); ++i) {
                const QRect picture = reach_[i] & target;
                if (elements_[i].nType != kPicture || !picture.intersects(area) || area.contains(picture)) continue;
                area |= picture;
                grown = true;
            }
        }
    }
    return areas;
}

void CopyRenderer::DrawChanges(const BandSink& take) {
    std::vector<Look> looksNow(changes_.size());
    for (std::size_t k = 0; k < changes_.size(); ++k) looksNow[k] = LookOf(Drawn(changes_[k].index));
    if (!reachKnown_) {
        KnowReach();
    } else {
        for (std::size_t k = 0; k < changes_.size(); ++k) {
            LabelElement& e = Drawn(changes_[k].index);
            reach_[changes_[k].index] = e.nType == kText ? Union(looksNow[k].text) : Reach(e);
        }
    }
    // Whole bytes of the 1-bit rows they become: a band holds nothing else.
    changed_ = DirtyAreas(looksNow);
    for (QRect& area : changed_) {
        area.setLeft(area.left() & ~7);
        area.setRight(std::min((area.right() + 8) & ~7, size_.width()) - 1);
    }
    for (std::size_t k = 0; k < changes_.size(); ++k) looks_[changes_[k].index] = std::move(looksNow[k]);
    changes_.clear();
    for (const QRect& area : changed_) DrawArea(area, true, take);
}

void CopyRenderer::FillFields(const DataRow* row) {
    for (std::size_t i = 0; i < elements_.size(); ++i) {
        std::optional<LabelElement>& copy = merged_[i];
        const bool takes = row && TakesFields(elements_[i]);
        if (!takes && !copy) continue;
        std::optional<LabelElement> next;
        if (takes) next = MergedElement(elements_[i], *row);
        // The same values: the copy drawn last time, with its code image, stands.
        if (next && copy && std::equal(next->str, next->str + kStrUnits, copy->str)) continue;
        const bool noted = std::any_of(changes_.begin(), changes_.end(), [i](const Change& c) { return c.index == i; });
        if (!first_ && !noted) changes_.push_back(Before(i));
        looks_[i].reset();
        if (copy && output_.codes) output_.codes->Release(copy->hCache);
        copy = std::move(next);
    }
}

void CopyRenderer::AdvanceSerials() {
    for (std::size_t i = 0; i < elements_.size(); ++i) {
        LabelElement& e = elements_[i];
        if (!IsSerialized(e)) continue;
        // A copy with a row's values shows the new number when the next row is filled in.
        if (merged_[i]) {
            AdvanceOutputSerial(e, output_.codes);
            continue;
        }
        Change change = Before(i);
        if (AdvanceOutputSerial(e, output_.codes))
            changes_.push_back(std::move(change));
        else
            looks_[i] = std::move(change.before);
    }
}

}  // namespace kestrix
