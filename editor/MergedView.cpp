#include "editor/MergedView.h"

#include <algorithm>

#include "document/FieldMerge.h"
#include "render/ElementPainter.h"

namespace kestrix {

void MergedView::Paint(QPainter& painter, std::vector<LabelElement>& elements, const RenderContext& ctx,
                       const DataRow* row) {
    if (copies_.size() < elements.size()) copies_.resize(elements.size());
    for (std::size_t i = 0; i < elements.size(); ++i) {
        if (row && TakesFields(elements[i]))
            PaintMerged(painter, i, elements[i], ctx, *row);
        else
            PaintElement(painter, elements[i], ctx);
    }
}

void MergedView::PaintMerged(QPainter& painter, std::size_t index, LabelElement& e, RenderContext ctx,
                             const DataRow& row) {
    LabelElement merged = MergedElement(e, row);
    std::optional<LabelElement>& copy = copies_[index];
    // The copy painted last time keeps its code image while it would look the same.
    if (copy && SameElements({*copy}, {merged}))
        merged.hCache = copy->hCache;
    else if (copy)
        codes_.Release(copy->hCache);
    ctx.codes = &codes_;
    const bool unmeasured = e.nWidth == 0 && e.nHeight == 0;
    PaintElement(painter, merged, ctx);
    std::copy(std::begin(merged.ptHandles), std::end(merged.ptHandles), std::begin(e.ptHandles));
    e.logFont.lfEscapement = merged.logFont.lfEscapement;
    if (unmeasured) {
        e.nWidth = merged.nWidth;
        e.nHeight = merged.nHeight;
        e.nOrgWidth = merged.nOrgWidth;
        e.nOrgHeight = merged.nOrgHeight;
    }
    copy = merged;
}

void MergedView::Clear() {
    copies_.clear();
    codes_.Clear();
}

}  // namespace kestrix
