#include "document/ElementClipboard.h"

#include <algorithm>

#include "document/ElementMove.h"

namespace kestrix {

bool HasSelection(const std::vector<LabelElement>& elements) {
    return std::any_of(elements.begin(), elements.end(), [](const LabelElement& e) { return e.bSelected != 0; });
}

void ElementClipboard::Copy(std::vector<LabelElement>& elements) {
    cut_.clear();
    for (LabelElement& e : elements) {
        if (!e.bSelected) continue;
        copied_.push_back(DuplicateElement(e));
        e.bOmit = 0;
    }
}

void ElementClipboard::Cut(std::vector<LabelElement>& elements) {
    auto firstCut =
        std::stable_partition(elements.begin(), elements.end(), [](const LabelElement& e) { return !e.bSelected; });
    cut_.insert(cut_.end(), firstCut, elements.end());
    elements.erase(firstCut, elements.end());
}

void ElementClipboard::Paste(std::vector<LabelElement>& elements, QPointF lineScale) {
    constexpr int kPasteOffset = 10;
    for (LabelElement& e : copied_) {
        MoveElementBy(e, kPasteOffset, kPasteOffset, lineScale);
        elements.push_back(DuplicateElement(e));
    }
    elements.insert(elements.end(), cut_.begin(), cut_.end());
    for (const LabelElement& e : cut_) copied_.push_back(DuplicateElement(e));
    cut_.clear();
}

}  // namespace kestrix
