#pragma once
// The second row tool bar: the drawing tools, undo, redo, delete (100 to 109),
// the font face and size lists, and text style and alignment (111 to 116).

#include <QPixmap>
#include <QWidget>
#include <array>

#include "app/ToolBarLook.h"
#include "dialogs/UiLanguage.h"

class QComboBox;

namespace kestrix {

class DrawToolBar : public QWidget {
    Q_OBJECT
public:
    // Indexes 0..16; 10 is the empty place under the font lists.
    static constexpr int kButtons = 17;
    static constexpr int kEmptyPlace = 10;

    DrawToolBar(UiLanguage language, QWidget* parent = nullptr);

    static int ButtonX(int index);
    // Where a button reacts to the pointer (hover) and to a press.
    static QRect HoverRect(int index);
    static QRect PressRect(int index);
    static int CommandOf(int index) { return 100 + index; }
    static QString TipText(UiLanguage language, int index);
    static const QList<int>& FontSizes();
    int State(int index) const { return states_[index]; }
    QComboBox* FaceList() const { return faces_; }
    QComboBox* SizeList() const { return sizes_; }

signals:
    // Posted (queued) to the frame.
    void Command(int id);
    // Both lists have a selection and one of them changed.
    void FontChosen(int size, const QString& face);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void FontListChanged();

    UiLanguage language_;
    std::array<int, kButtons> states_{};
    QPixmap drawSheet_;
    QPixmap styleSheet_;
    QComboBox* faces_;
    QComboBox* sizes_;
    ToolBarTips tips_;
};

}  // namespace kestrix
