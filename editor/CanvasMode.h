#pragma once
// The canvas's tool modes (m_nToolMode): what the next left-button press does.
// The tool bar sets them; every release returns to selection.

namespace kestrix {

enum CanvasMode : int {
    kSelectMode = 0,
    kTextTool = 1,
    kCode2DTool = 2,
    kBarcodeTool = 3,
    kPictureTool = 4,
    kLineTool = 5,
    kRectangleTool = 6,
    // A selected line's end point is under the pointer: the press grabs it.
    kLineEndDrag = 20,
};

}  // namespace kestrix
