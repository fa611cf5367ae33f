#include "editor/Arrangement.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <iterator>
#include <limits>

#include "document/ElementClipboard.h"
#include "document/ElementMove.h"
#include "render/CodeImageCache.h"

namespace kestrix {

namespace {

int64_t Near(const DotBox& b, bool horizontal) { return horizontal ? b.left : b.top; }
int64_t Far(const DotBox& b, bool horizontal) { return horizontal ? b.Right() : b.Bottom(); }

// Moves an element along one axis so that its near edge lands on `to`.
void MoveNearEdgeTo(LabelElement& e, bool horizontal, int64_t to, QPointF scale) {
    const int64_t by = to - Near(ElementDotBox(e, scale), horizontal);
    MoveElementBy(e, horizontal ? by : 0, horizontal ? 0 : by, scale);
}

// A turned element's stored box is not where it shows, so edges leave it alone.
bool TakesEdges(const LabelElement& e) { return e.bSelected && e.nEscapement == 0; }

// Lines up the near (left or top) or far (right or bottom) edges on the
// outermost one among the selected unturned elements.
void AlignEdges(std::vector<LabelElement>& elements, bool horizontal, bool farEdge, QPointF scale) {
    bool any = false;
    int64_t edge = 0;
    for (LabelElement& e : elements) {
        if (!TakesEdges(e)) continue;
        const DotBox b = ElementDotBox(e, scale);
        const int64_t own = farEdge ? Far(b, horizontal) : Near(b, horizontal);
        edge = !any ? own : farEdge ? std::max(edge, own) : std::min(edge, own);
        any = true;
    }
    for (LabelElement& e : elements) {
        if (!TakesEdges(e)) continue;
        const DotBox b = ElementDotBox(e, scale);
        MoveNearEdgeTo(e, horizontal, farEdge ? edge - (Far(b, horizontal) - Near(b, horizontal)) : edge, scale);
    }
}

// Every selected element trades places with an unselected neighbour towards
// `last`, working back from there, so a run of selected elements moves one
// place as a whole and keeps its order. False when none could move.
template <typename It>
bool StepTowards(It first, It last) {
    bool moved = false;
    if (first == last) return false;
    for (It upper = std::prev(last); upper != first; --upper) {
        const It lower = std::prev(upper);
        if (lower->bSelected && !upper->bSelected) {
            std::iter_swap(lower, upper);
            moved = true;
        }
    }
    return moved;
}

// Spaces the left (or top) edges of the selected elements evenly between the
// two outermost ones; sizes and turns play no part.
void SpaceEvenly(std::vector<LabelElement>& elements, bool horizontal, QPointF scale) {
    const auto at = [horizontal, scale](LabelElement* e) { return Near(ElementDotBox(*e, scale), horizontal); };
    std::vector<LabelElement*> order;
    for (LabelElement& e : elements) {
        if (!e.bSelected) continue;
        // Before the first one at its place or further on: of two at one place the later comes first.
        order.insert(std::ranges::lower_bound(order, at(&e), {}, at), &e);
    }
    if (order.size() < 2) return;
    const auto step = (at(order.back()) - at(order.front())) / static_cast<int64_t>(order.size() - 1);
    for (std::size_t k = 1; k < order.size(); ++k)
        MoveNearEdgeTo(*order[k], horizontal, at(order[k - 1]) + step, scale);
}

enum class Action { kPosition, kAlign, kRotate };

struct Command {
    int id;
    Action action;
    int argument;
};

// 156 does nothing; Input File (139) is the frame's.
constexpr Command kCommands[] = {
    {135, Action::kRotate, 900},
    {136, Action::kRotate, -900},
    {140, Action::kPosition, kPositionTop},
    {141, Action::kPosition, kPositionLeft},
    {142, Action::kPosition, kPositionBottom},
    {143, Action::kPosition, kPositionRight},
    {144, Action::kPosition, kPositionVerticalCentre},
    {145, Action::kPosition, kPositionHorizontalCentre},
    {146, Action::kAlign, kAlignLeft},
    {147, Action::kAlign, kAlignTop},
    {148, Action::kAlign, kAlignRight},
    {149, Action::kAlign, kAlignBottom},
    {150, Action::kAlign, kMoveToFront},
    {151, Action::kAlign, kMoveToBack},
    {152, Action::kAlign, kBringForward},
    {153, Action::kAlign, kSendBackward},
    {154, Action::kAlign, kSpaceHorizontally},
    {155, Action::kAlign, kSpaceVertically},
};

}  // namespace

void PositionElement(std::vector<LabelElement>& elements, int mode, LabelDotSize label, QPointF scale) {
    for (LabelElement& e : elements) {
        if (!TakesEdges(e)) continue;
        const DotBox b = ElementDotBox(e, scale);
        switch (mode) {
        case kPositionTop: MoveNearEdgeTo(e, false, 0, scale); break;
        case kPositionBottom: MoveNearEdgeTo(e, false, label.height - b.height, scale); break;
        case kPositionLeft: MoveNearEdgeTo(e, true, 0, scale); break;
        case kPositionRight: MoveNearEdgeTo(e, true, label.width - b.width, scale); break;
        case kPositionVerticalCentre: MoveNearEdgeTo(e, false, (label.height - b.height) / 2, scale); break;
        case kPositionHorizontalCentre: MoveNearEdgeTo(e, true, (label.width - b.width) / 2, scale); break;
        default: break;
        }
    }
}

bool AlignElement(std::vector<LabelElement>& elements, int mode, QPointF scale) {
    const auto selected = [](const LabelElement& e) { return e.bSelected != 0; };
    switch (mode) {
    case kAlignLeft: AlignEdges(elements, true, false, scale); return true;
    case kAlignRight: AlignEdges(elements, true, true, scale); return true;
    case kAlignTop: AlignEdges(elements, false, false, scale); return true;
    case kAlignBottom: AlignEdges(elements, false, true, scale); return true;
    case kMoveToFront: std::ranges::stable_partition(elements, std::not_fn(selected)); return true;
    case kMoveToBack: std::ranges::stable_partition(elements, selected); return true;
    case kBringForward: return StepTowards(elements.begin(), elements.end()) || !HasSelection(elements);
    case kSendBackward: return StepTowards(elements.rbegin(), elements.rend()) || !HasSelection(elements);
    case kSpaceHorizontally: SpaceEvenly(elements, true, scale); return true;
    case kSpaceVertically: SpaceEvenly(elements, false, scale); return true;
    default: return false;
    }
}

int RotateElements(std::vector<LabelElement>& elements, int delta, CodeImageCache& codes) {
    int turned = 0;
    for (LabelElement& e : elements) {
        if (!e.bSelected) continue;
        // The remainder keeps the sign of the sum: angles run from -2700 to 2700.
        e.nEscapement = static_cast<int32_t>((int64_t{e.nEscapement} + delta) % 3600);
        e.logFont.lfEscapement = e.nEscapement;
        codes.Release(e.hCache);
        ++turned;
    }
    return turned;
}

ArrangeOutcome ArrangeElements(int command, std::vector<LabelElement>& elements, LabelDotSize label, QPointF scale,
                               CodeImageCache& codes) {
    const auto* found = std::ranges::find(kCommands, command, &Command::id);
    if (found == std::end(kCommands)) return ArrangeOutcome::kNothing;
    switch (found->action) {
    case Action::kPosition: PositionElement(elements, found->argument, label, scale); return ArrangeOutcome::kRepaint;
    case Action::kAlign:
        return AlignElement(elements, found->argument, scale) ? ArrangeOutcome::kRepaint : ArrangeOutcome::kNothing;
    case Action::kRotate:
        return RotateElements(elements, found->argument, codes) > 0 ? ArrangeOutcome::kRepaintAndSnapshot
                                                                    : ArrangeOutcome::kRepaint;
    }
    return ArrangeOutcome::kNothing;
}

}  // namespace kestrix
