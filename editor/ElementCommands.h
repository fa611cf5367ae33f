#pragma once
// The commands that add, delete, nudge and edit the label's elements: the
// creators behind the drawing tools and the Add commands, Delete, the arrow
// keys, the double click that opens an element's dialog, and the right-button
// menus of texts and pictures with Text Attributes and Change Picture Size.

#include <QPoint>
#include <cstddef>
#include <vector>

#include "document/LabelElement.h"

namespace kestrix {

class LabelController;

class ElementCommands {
public:
    explicit ElementCommands(LabelController& label) : label_(label) {}

    // A press of creating tool `tool` at `p` (canvas pixels); false when
    // nothing was made (a cancelled picture). The caller takes the undo step
    // once the element has its size.
    bool CreateAt(int tool, QPoint p);
    // The Add commands: an element at the label's top-left corner, one undo
    // step; the picture asks for its file.
    void AddText();
    void AddBarcode();
    void AddCode2D();
    void AddPicture();

    // Deletes every selected element; a snapshot follows when any went.
    void DeleteSelected();
    // The same after the current event, as a posted command.
    void PostDelete();
    // Arrow keys nudge the first selected element; Backspace and Delete delete.
    void KeyEdit(int key);
    // The dialog of the element on top under `p`, when it is selected.
    void DoubleClick(QPoint p);
    // Selects the element on top under `p` alone, then its menu if it is a text or picture.
    void RightButton(QPoint p, QPoint globalPos);
    // The font chooser and the image size dialog on the context element.
    void TextAttributes();
    void ChangePictureSize();

    std::size_t ContextIndex() const { return contextIndex_; }

private:
    // Appends a new element, selected, deselecting others as its kind does.
    void AppendNew(const LabelElement& e);
    void AddAndRecord(const LabelElement& e);
    // One undo step for the change just made.
    void Recorded();
    // One undo step when the label differs from `before`.
    void RecordIfChanged(const std::vector<LabelElement>& before);
    // A picture element for a file the user chooses; an unreadable file is explained.
    bool CreatePicture(ElementPoint at);
    // The dialog of one element, by its kind.
    void EditElement(std::size_t index);
    // Shows the text or picture menu for the context element.
    void ContextMenu(QPoint globalPos);
    LabelElement* ContextElement();

    LabelController& label_;
    // The element a context menu or the Delete key last referred to.
    std::size_t contextIndex_ = 0;
};

}  // namespace kestrix
