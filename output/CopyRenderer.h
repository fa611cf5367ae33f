#pragma once
// Successive copies of one label drawn for output into one raster that is
// kept: the first copy is DrawLabel's whole drawing, each later one redraws
// only where serialized elements changed: a text's changed glyphs, a
// barcode's changed columns and caption glyphs (a turned one's whole box). There everything that reaches the area is
// drawn again in list order, clipped to it, so overlaps come out as in a whole drawing; a picture is drawn whole (its
// area grows to take it in), as its scaling depends on the clip. Serial numbers advance per copy exactly as DrawLabel
// advances them.
//
// A merged label takes each copy's fields from a data row: an element that
// takes fields is drawn from a copy of its record with the row's values filled
// in (the record keeps its ${NAME} and its serial number), and where those
// values change from one copy to the next it is redrawn like a serial number.
// The copies' code images are their own, released when their values change.
//
// A tall target is drawn in horizontal bands of a few rows (BandImage), one
// band reused, each part handed on as it is drawn: memory stays bounded
// whatever the label's size, and the pixels are those of the whole target.
//
// Serves every caller that draws the same label many times or in bands: the
// direct print stream (PrintJobMaker) and the output images of DrawLabel.

#include <QImage>
#include <QList>
#include <QRect>
#include <functional>
#include <optional>
#include <vector>

#include "document/DataRow.h"
#include "document/LabelDocument.h"
#include "render/BandImage.h"
#include "render/BarcodeDrawing.h"
#include "render/GdiFont.h"
#include "render/RenderContext.h"

namespace kestrix {

class CopyRenderer {
public:
    // Draws `doc` (its serial numbers advance in it) at the two resolutions
    // with `ctx` (monoPictures, view scales and caches as for DrawLabel), in
    // bands of `bandRows` rows (0: as BandImage chooses; the target's
    // height: one raster). The document and the caches must outlive the renderer.
    CopyRenderer(LabelDocument& doc, int dpiX, int dpiY, const RenderContext& ctx, int bandRows = 0);
    ~CopyRenderer();
    CopyRenderer(const CopyRenderer&) = delete;
    CopyRenderer& operator=(const CopyRenderer&) = delete;

    // Takes each part of a copy as it is drawn: `part`, in target
    // coordinates, of `band` (an image of the target's size that holds only
    // the rows of `part`).
    using BandSink = std::function<void(const QImage& band, const QRect& part)>;
    // Draws the next copy with the fields filled from `row` (without one,
    // ${NAME} is drawn as it stands): its whole area the first time, then
    // only where it differs from the copy before. False when the target is
    // too large or cannot be allocated.
    bool Next(const DataRow* row, const BandSink& take);
    // The next copy in one raster, valid until the next call (for a renderer
    // of one band); a null image when it cannot be drawn.
    const QImage& Next(const DataRow* row = nullptr);
    // Where the last Next() changed the copy: its whole area after the
    // first copy, the redrawn areas after the others (none when nothing
    // changed).
    const QList<QRect>& Changed() const { return changed_; }
    QSize Size() const { return size_; }

private:
    // Where an element's output form would draw, as it stands now.
    QRect Reach(LabelElement& e);
    void KnowReach();
    // Draws `area` (white first, then every element reaching it, clipped to
    // it) band by band, handing each band's part to `take`.
    void DrawArea(const QRect& area, bool clip, const BandSink& take);
    void DrawWhole(const BandSink& take);
    void DrawChanges(const BandSink& take);
    // What a serialized element's drawing is made of, to tell where two of
    // its copies differ (nothing known: it counts as one whole).
    struct Look {
        std::vector<TextPiece> text;
        std::optional<BarcodeLook> barcode;
    };
    Look LookOf(LabelElement& e);
    // An element that will be drawn differently in the next copy: where it
    // was and what it was drawn of.
    struct Change {
        std::size_t index;
        QRect was;
        Look before;
    };
    Change Before(std::size_t i);
    // The areas to redraw: where each changed element was and now is (where
    // its pieces differ, when known), grown to take in every picture they touch.
    QList<QRect> DirtyAreas(const std::vector<Look>& looksNow);
    void FillFields(const DataRow* row);
    void AdvanceSerials();
    // The record drawn for element i: its copy with the row's values when it takes fields.
    LabelElement& Drawn(std::size_t i) { return merged_[i] ? *merged_[i] : elements_[i]; }

    std::vector<LabelElement>& elements_;
    RenderContext output_;
    QSize size_;
    std::optional<BandImage> band_;
    bool first_ = true;
    // Per element: where it reached when last drawn (empty until needed).
    std::vector<QRect> reach_;
    bool reachKnown_ = false;
    // Per element: what it was last drawn of, when known.
    std::vector<std::optional<Look>> looks_;
    // Per element: its record with the row's values, for those that take fields.
    std::vector<std::optional<LabelElement>> merged_;
    // Elements drawn differently in the next copy than in the last.
    std::vector<Change> changes_;
    QList<QRect> changed_;
};

}  // namespace kestrix
