#pragma once
// The label as the canvas shows it with a data row: each element that takes
// fields is painted from a copy with the row's values filled in, the record
// keeping its ${NAME}. The copies' code images are kept in a cache of their
// own while their values stay, so a repaint does not encode them again and the
// label's own images are left alone.

#include <QPainter>
#include <optional>
#include <vector>

#include "document/DataRow.h"
#include "document/LabelElement.h"
#include "render/CodeImageCache.h"
#include "render/RenderContext.h"

namespace kestrix {

class MergedView {
public:
    // Paints the elements in list order with `ctx` as the canvas does, with
    // the values of `row` when given. What painting leaves in a record for the
    // editor (the handle points, a new text's measured size) reaches the record.
    void Paint(QPainter& painter, std::vector<LabelElement>& elements, const RenderContext& ctx, const DataRow* row);
    // Forgets the copies and their images.
    void Clear();

private:
    void PaintMerged(QPainter& painter, std::size_t index, LabelElement& e, RenderContext ctx, const DataRow& row);

    CodeImageCache codes_;
    std::vector<std::optional<LabelElement>> copies_;
};

}  // namespace kestrix
