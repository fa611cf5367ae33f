#include "render/ElementPainter.h"

#include "render/BarcodeDrawing.h"
#include "render/Ean13Drawing.h"
#include "render/PictureCache.h"
#include "render/PictureDrawing.h"
#include "render/ShapeDrawing.h"
#include "render/TextDrawing.h"

namespace kestrix {

void DrawElement(QPainter& painter, LabelElement& e, const RenderContext& ctx) {
    switch (e.nType) {
    case kText: DrawRotatedTextElement(painter, e, ctx); break;
    case kPicture: DrawRotatedPictureElement(painter, e, ctx); break;
    case kBarcode: DrawRotatedBarcodeElement(painter, e, ctx); break;
    case kShape: DrawRotatedShapeElement(painter, e, ctx); break;
    default: break;
    }
}

void PaintElement(QPainter& painter, LabelElement& e, const RenderContext& ctx) {
    const bool turned = e.nEscapement != 0;
    switch (e.nType) {
    case kText:
        if (turned)
            DrawElement(painter, e, ctx);
        else if (e.str[0] != 0)
            DrawTextElement(painter, e, ctx);
        break;
    case kPicture:
        if (!PictureFileExists(QString::fromStdU16String(ElementText(e)))) break;
        if (turned)
            DrawElement(painter, e, ctx);
        else
            DrawPictureElement(painter, e, ctx);
        break;
    case kBarcode:
        if (turned)
            DrawElement(painter, e, ctx);
        else if (e.nBarcodeType == kBuiltinEan13)
            DrawEan13Element(painter, e, ctx);
        else
            DrawBarcodeElement(painter, e, ctx);
        break;
    case kCode2D: DrawCode2DElement(painter, e, ctx); break;
    case kLine: DrawLineElement(painter, e, ctx); break;
    case kShape:
        if (e.nWidth == 0 && e.nHeight == 0) break;
        if (turned)
            DrawElement(painter, e, ctx);
        else
            DrawShapeElement(painter, e, ctx);
        break;
    default: break;
    }
}

}  // namespace kestrix
