#include "editor/ElementCommands.h"

#include <QMenu>
#include <algorithm>

#include "dialogs/Prompts.h"
#include "document/ElementMove.h"
#include "document/Units.h"
#include "editor/CanvasMode.h"
#include "editor/HitTest.h"
#include "editor/LabelController.h"
#include "editor/TextBoxRule.h"
#include "render/RenderGeometry.h"

namespace kestrix {

namespace {

// Sizes typed into a dialog beyond this are taken as this (no label is that large).
constexpr int kMaxElementMm = 10000;

std::u16string DefaultText(UiLanguage language) {
    return UiText(language, "Double click to change text", "【双击输入文本】").toStdU16String();
}

int DotsFromMm(int mm, int dpi) { return MmToDots(std::clamp(mm, -kMaxElementMm, kMaxElementMm), dpi); }

}  // namespace

void ElementCommands::AppendNew(const LabelElement& e) {
    auto& elements = label_.Elements();
    if (e.nType == kText) {
        if (!elements.empty() && contextIndex_ < elements.size()) elements[contextIndex_].bSelected = 0;
    } else if (e.nType != kPicture) {
        for (LabelElement& other : elements) other.bSelected = 0;
    }
    elements.push_back(e);
    label_.EditDone();
}

bool ElementCommands::CreatePicture(ElementPoint at) {
    Prompts* prompts = label_.Dialogs();
    if (!prompts) return false;
    const UiLanguage language = label_.Language();
    const QString path = prompts->OpenFileName(
        label_.DialogOwner(),
        UiText(language, "All Files (*);;BMP Files (*.bmp)", "所有图像文件(*.*);;图像文件(*.bmp)"));
    if (path.isEmpty()) return false;
    const QString caption = UiText(language, kProductCaption);
    if (path.size() >= kStrUnits) {
        prompts->ShowMessage(
            label_.DialogOwner(),
            UiText(language, "The path of the picture is too long:\n%1", "图片文件的路径太长：\n%1").arg(path), caption,
            QMessageBox::Warning);
        return false;
    }
    const QImage image = PictureCache::ReadPicture(path);
    if (image.isNull() || image.width() <= 0) {
        prompts->ShowMessage(label_.DialogOwner(),
                             UiText(language, "The picture file %1 cannot be read.", "无法读取图片文件 %1。").arg(path),
                             caption, QMessageBox::Warning);
        return false;
    }
    AppendNew(CreatePictureElement(at, path.toStdU16String(), image.width(), image.height()));
    return true;
}

bool ElementCommands::CreateAt(int tool, QPoint p) {
    const double sx = label_.ScaleX();
    const double sy = label_.ScaleY();
    const ElementPoint at{TruncToInt(p.x() / sx), TruncToInt(p.y() / sy)};
    switch (tool) {
    case kTextTool: AppendNew(CreateElement(kText, at, DefaultText(label_.Language()))); break;
    case kCode2DTool: AppendNew(CreateElement(kCode2D, at, u"0123456789")); break;
    case kBarcodeTool: AppendNew(CreateElement(kBarcode, at, u"0123456789")); break;
    case kPictureTool: return CreatePicture(at);
    case kLineTool: {
        // The start is the dot nearest the press, so it is drawn where the press
        // was; the end starts on it, in pixels, and the drag that follows pulls it.
        const ElementPoint start{qRound(p.x() / sx), qRound(p.y() / sy)};
        AppendNew(CreateElement(kLine, start, {}, {LinePixel(start.x, sx), LinePixel(start.y, sy)}));
        break;
    }
    case kRectangleTool: AppendNew(CreateElement(kShape, at)); break;
    default: return false;
    }
    return true;
}

void ElementCommands::AddText() { AddAndRecord(CreateElement(kText, {0, 0}, DefaultText(label_.Language()))); }

void ElementCommands::AddBarcode() { AddAndRecord(CreateElement(kBarcode, {0, 0}, u"0123456789")); }

void ElementCommands::AddCode2D() { AddAndRecord(CreateElement(kCode2D, {0, 0}, u"012345678")); }

void ElementCommands::AddPicture() {
    if (CreatePicture({0, 0})) Recorded();
}

void ElementCommands::AddAndRecord(const LabelElement& e) {
    AppendNew(e);
    Recorded();
}

void ElementCommands::Recorded() {
    label_.Session().TakeSnapshot();
    label_.EditDone();
}

void ElementCommands::RecordIfChanged(const std::vector<LabelElement>& before) {
    if (label_.Session().TakeSnapshotIfChanged(before)) label_.EditDone();
}

void ElementCommands::DeleteSelected() {
    auto& elements = label_.Elements();
    const auto before = elements.size();
    std::erase_if(elements, [](const LabelElement& e) { return e.bSelected != 0; });
    if (elements.size() != before) label_.Session().TakeSnapshot();
    label_.ElementsReplaced();
}

void ElementCommands::PostDelete() {
    QMetaObject::invokeMethod(
        &label_, [this] { DeleteSelected(); }, Qt::QueuedConnection);
}

void ElementCommands::KeyEdit(int key) {
    auto& elements = label_.Elements();
    auto target =
        std::find_if(elements.begin(), elements.end(), [](const LabelElement& e) { return e.bSelected != 0; });
    if (target == elements.end()) return;
    LabelElement& e = *target;
    contextIndex_ = static_cast<std::size_t>(target - elements.begin());
    const QPointF scale(label_.ScaleX(), label_.ScaleY());
    switch (key) {
    case Qt::Key_Left: MoveElementBy(e, -1, 0, scale); break;
    case Qt::Key_Right: MoveElementBy(e, 1, 0, scale); break;
    case Qt::Key_Down: MoveElementBy(e, 0, 1, scale); break;
    case Qt::Key_Up:
        // An element may reach -1 at the top edge, not further; lines have no limit.
        if (e.nType != kLine && e.nPosY < 0) return;
        MoveElementBy(e, 0, -1, scale);
        break;
    case Qt::Key_Backspace:
    case Qt::Key_Delete: PostDelete(); return;
    default: return;
    }
    // Every press is a step of its own.
    Recorded();
}

void ElementCommands::EditElement(std::size_t index) {
    Prompts* prompts = label_.Dialogs();
    auto& elements = label_.Elements();
    if (!prompts || index >= elements.size()) return;
    // Serialize writes into the element at once, and a Cancel after it keeps
    // that: OK or Cancel, a dialog that changed the element is one step.
    const std::vector<LabelElement> before = elements;
    const auto cancelled = [&] { RecordIfChanged(before); };
    LabelElement& e = elements[index];
    const int dpiX = label_.m_nDpiX;
    const int dpiY = label_.m_nDpiY;
    const QStringList& columns = label_.Data().Columns();
    switch (e.nType) {
    case kText: {
        const std::optional<QString> text = prompts->TextDialog(label_.DialogOwner(), e, columns);
        if (!text) return cancelled();
        const std::u16string content = text->toStdU16String();
        // The letters keep their shape: the box's width follows the new text.
        if (e.nWidth != 0 || e.nHeight != 0)
            e.nWidth = TextWidthForContent(e.nWidth, e.nHeight, TextUnits(e, ElementText(e)), TextUnits(e, content));
        SetElementText(e, content);
        break;
    }
    case kPicture:
        if (!prompts->ImageSizeDialog(label_.DialogOwner(), e, dpiX, dpiY)) return;
        break;
    case kBarcode: {
        const BarcodeFields initial{e.nBarcodeType, QString::fromStdU16String(ElementText(e)), DotsToMm(e.nWidth, dpiX),
                                    DotsToMm(e.nHeight, dpiY), e.bShowText != 0};
        const std::optional<BarcodeFields> fields = prompts->BarcodeDialog(label_.DialogOwner(), e, initial, columns);
        if (!fields) return cancelled();
        label_.Codes().Release(e.hCache);
        e.nWidth = DotsFromMm(fields->widthMm, dpiX);
        e.nHeight = DotsFromMm(fields->heightMm, dpiY);
        SetElementText(e, fields->content.toStdU16String());
        e.nBarcodeType = fields->type;
        e.bShowText = fields->showText ? 1 : 0;
        break;
    }
    case kCode2D: {
        const Code2DFields initial{e.nBarcodeType, QString::fromStdU16String(ElementText(e)), DotsToMm(e.nWidth, dpiX)};
        const std::optional<Code2DFields> fields = prompts->Code2DDialog(label_.DialogOwner(), initial, columns);
        if (!fields) return;
        label_.Codes().Release(e.hCache);
        e.nWidth = DotsFromMm(fields->sizeMm, dpiX);
        SetElementText(e, fields->content.toStdU16String());
        e.nBarcodeType = fields->type;
        break;
    }
    case kShape:
        // The shape dialog writes the element itself.
        if (!prompts->ShapeDialog(label_.DialogOwner(), e)) return;
        break;
    default: return;
    }
    RecordIfChanged(before);
}

void ElementCommands::DoubleClick(QPoint p) {
    const std::optional<std::size_t> hit = TopmostAt(label_.Elements(), p, label_.ScaleX(), label_.ScaleY());
    if (hit && label_.Elements()[*hit].bSelected) EditElement(*hit);
}

void ElementCommands::RightButton(QPoint p, QPoint globalPos) {
    auto& elements = label_.Elements();
    const std::optional<std::size_t> hit = TopmostAt(elements, p, label_.ScaleX(), label_.ScaleY());
    for (std::size_t i = 0; i < elements.size(); ++i) elements[i].bSelected = i == hit ? 1 : 0;
    label_.EditDone();
    if (!hit) return;
    contextIndex_ = *hit;
    ContextMenu(globalPos);
}

void ElementCommands::ContextMenu(QPoint globalPos) {
    const LabelElement* e = ContextElement();
    if (!e || (e->nType != kText && e->nType != kPicture)) return;
    const UiLanguage language = label_.Language();
    const bool text = e->nType == kText;
    QMenu menu(label_.DialogOwner());
    menu.setTitle(text ? UiText(language, "Text Attributes", "文字属性")
                       : UiText(language, "Picture Settings", "图片设置"));
    QAction* remove = menu.addAction(text ? UiText(language, "Delete Text", "删除文字")
                                          : UiText(language, "Delete Picture", "删除图片"));
    QAction* edit = menu.addAction(text ? UiText(language, "Text Attributes", "文字属性")
                                        : UiText(language, "Change Picture Size", "修改图片大小"));
    const QAction* chosen = menu.exec(globalPos);
    // Delete runs once the menu is done with the elements.
    if (chosen == remove) PostDelete();
    if (chosen == edit && text) TextAttributes();
    if (chosen == edit && !text) ChangePictureSize();
}

LabelElement* ElementCommands::ContextElement() {
    auto& elements = label_.Elements();
    return contextIndex_ < elements.size() ? &elements[contextIndex_] : nullptr;
}

void ElementCommands::TextAttributes() {
    const std::vector<LabelElement> before = label_.Elements();
    LabelElement* e = ContextElement();
    if (!e || !label_.Dialogs() || !label_.Dialogs()->FontDialog(label_.DialogOwner(), e->logFont)) return;
    RecordIfChanged(before);
}

void ElementCommands::ChangePictureSize() {
    const std::vector<LabelElement> before = label_.Elements();
    LabelElement* e = ContextElement();
    if (!e || !label_.Dialogs() ||
        !label_.Dialogs()->ImageSizeDialog(label_.DialogOwner(), *e, label_.m_nDpiX, label_.m_nDpiY))
        return;
    RecordIfChanged(before);
}

}  // namespace kestrix
