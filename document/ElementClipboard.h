#pragma once
// Cut, Copy and Paste of elements through two private buffers: copies of
// copied elements, and the cut elements themselves. Paste can be repeated.

#include <QPointF>
#include <vector>

#include "document/LabelElement.h"

namespace kestrix {

class ElementClipboard {
public:
    // Frees the cut buffer and appends duplicates of the selected elements.
    void Copy(std::vector<LabelElement>& elements);
    // Moves the selected elements, in order, into the cut buffer. The caller
    // takes the undo snapshot before.
    void Cut(std::vector<LabelElement>& elements);
    // Appends the copies, each time 10 dots further right and down than the
    // last paste, then the cut elements where they were cut. Everything stays
    // in the copy buffer, so the next paste adds it again further on. Lines
    // move whole; their end points are in pixels at `lineScale`.
    void Paste(std::vector<LabelElement>& elements, QPointF lineScale);

    bool CanPaste() const { return !copied_.empty() || !cut_.empty(); }
    const std::vector<LabelElement>& CopyBuffer() const { return copied_; }
    const std::vector<LabelElement>& CutBuffer() const { return cut_; }
    std::vector<LabelElement>& CopyBuffer() { return copied_; }
    std::vector<LabelElement>& CutBuffer() { return cut_; }

private:
    std::vector<LabelElement> copied_;
    std::vector<LabelElement> cut_;
};

bool HasSelection(const std::vector<LabelElement>& elements);

}  // namespace kestrix
