#include "app/WindowPlacement.h"

#include <algorithm>

namespace kestrix {

QRect KeepOnScreen(QRect frame, QRect available) {
    if (available.isEmpty()) return frame;
    frame.setSize(frame.size().boundedTo(available.size()));
    frame.moveLeft(std::clamp(frame.left(), available.left(), available.right() + 1 - frame.width()));
    frame.moveTop(std::clamp(frame.top(), available.top(), available.bottom() + 1 - frame.height()));
    return frame;
}

}  // namespace kestrix
