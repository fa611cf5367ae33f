#pragma once
// What both tool bars share: their colours, button highlight and separators,
// icon cells cut from the PNG sheets, and tool tips that appear after 500 ms.

#include <QObject>
#include <QPixmap>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QTimer>

class QPainter;
class QWidget;

namespace kestrix {

constexpr int kToolBarHeight = 42;

// A button's tool tip in both languages.
struct TipTexts {
    const char* chinese;
    const char* english;
};

// Button states.
enum ButtonState { kNormal = 0, kHover = 1, kPressed = 2 };

void PaintToolBarBackground(QPainter& painter, QRect rect);
// The gradient of state 1 or 2 and the outline; nothing for state 0.
void PaintButtonHighlight(QPainter& painter, QRect rect, int state);
// A group separator 8 pixels after the slot that ends at `slotEnd`.
void PaintSeparator(QPainter& painter, int slotEnd, int barHeight);
// Cell `cell` (cells of `cellSize` side by side) of a sheet, drawn at `at`; a
// missing sheet draws nothing.
void PaintIconCell(QPainter& painter, const QPixmap& sheet, int cell, QSize cellSize, QPoint at);

// The tips of one bar: the tip of the button under the pointer shows after
// 500 ms without leaving it; moving to another button or out hides it.
class ToolBarTips : public QObject {
    Q_OBJECT
public:
    explicit ToolBarTips(QWidget* bar);
    // The pointer is over `button` (-1: none) with the given tip text.
    void Hover(int button, const QString& text, QPoint pos, QRect buttonRect);
    void Leave();
    int Button() const { return button_; }

private:
    void Show();

    QWidget* bar_;
    QTimer timer_;
    int button_ = -1;
    QString text_;
    QPoint pos_;
    QRect rect_;
};

}  // namespace kestrix
