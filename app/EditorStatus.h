#pragma once
// The status bar's panes about the label: where the pointer is on it, the
// zoom, and the size of the selection, in millimetres and percent. Other
// panes go into the status bar beside these.

#include <QObject>
#include <QPointF>
#include <QSizeF>
#include <optional>

#include "document/UiLanguage.h"

class QLabel;
class QStatusBar;

namespace kestrix {

class EditorStatus : public QObject {
    Q_OBJECT
public:
    EditorStatus(UiLanguage language, QStatusBar* bar);

    // The pointer's place on the label in mm; none while it is off the canvas.
    void ShowPointer(std::optional<QPointF> mm);
    void ShowZoom(int percent);
    // The selection's width and height in mm; none without a selection.
    void ShowSelection(std::optional<QSizeF> mm);

private:
    UiLanguage language_;
    QLabel* pointer_;
    QLabel* zoom_;
    QLabel* selection_;
};

}  // namespace kestrix
