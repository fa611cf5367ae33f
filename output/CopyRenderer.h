#pragma once
// Successive copies of one label drawn for output into one raster that is
// kept: the first copy is DrawLabel's whole drawing, each later one redraws
// only where serialized elements changed: a text's changed glyphs, a
// barcode's changed columns and caption glyphs (a turned one's whole box). There everything that reaches the area is
// drawn again in list order, clipped to it, so overlaps come out as in a whole drawing; a picture is drawn whole (its
// area grows to take it in), as its scaling depends on the clip. Serial numbers advance per copy exactly as DrawLabel
// advances them.
//
// Serves every caller that draws the same label many times: the direct print
// stream (PrintJobMaker) and driver printing (a page per copy).

#include <QImage>
#include <QList>
#include <QRect>
#include <optional>
#include <vector>

#include "document/LabelDocument.h"
#include "render/BarcodeDrawing.h"
#include "render/GdiFont.h"
#include "render/RenderContext.h"

namespace kestrix {

class CopyRenderer {
public:
    // Draws `doc` (its serial numbers advance in it) at the two resolutions
    // with `ctx` (monoPictures, view scales and caches as for DrawLabel). The
    // document and the caches must outlive the renderer.
    CopyRenderer(LabelDocument& doc, int dpiX, int dpiY, const RenderContext& ctx);

    // The next copy, valid until the next call; a null image when the target
    // is too large or cannot be allocated.
    const QImage& Next();
    // Where the last Next() changed the raster: its whole area after the
    // first copy, the redrawn areas after the others (none when nothing
    // changed).
    const QList<QRect>& Changed() const { return changed_; }

private:
    // Where an element's output form would draw, as it stands now.
    QRect Reach(LabelElement& e);
    void DrawWhole();
    void DrawChanges();
    // What a serialized element's drawing is made of, to tell where two of
    // its copies differ (nothing known: it counts as one whole).
    struct Look {
        std::vector<TextPiece> text;
        std::optional<BarcodeLook> barcode;
    };
    Look LookOf(LabelElement& e);
    // The areas to redraw: where each changed element was and now is (where
    // its pieces differ, when known), grown to take in every picture they touch.
    QList<QRect> DirtyAreas(const std::vector<Look>& looksNow);
    void AdvanceSerials();

    std::vector<LabelElement>& elements_;
    RenderContext output_;
    QImage raster_;
    bool first_ = true;
    // Per element: where it reached when last drawn (empty until needed).
    std::vector<QRect> reach_;
    bool reachKnown_ = false;
    // Elements whose content advanced after the last copy, with where they
    // were and, for texts, what they were drawn of.
    std::vector<std::size_t> advanced_;
    std::vector<QRect> before_;
    std::vector<Look> looksBefore_;
    QList<QRect> changed_;
};

}  // namespace kestrix
