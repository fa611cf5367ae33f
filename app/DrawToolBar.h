#pragma once
// The second row tool bar: the drawing tools, undo, redo, delete (100 to 109),
// the font face and size lists, and text style and alignment (111 to 116).

#include <QPixmap>

#include "app/ToolBarWindow.h"

class QComboBox;

namespace kestrix {

class DrawToolBar : public ToolBarWindow {
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
    QComboBox* FaceList() const { return faces_; }
    QComboBox* SizeList() const { return sizes_; }
    // Shows the selection's face and size without choosing them again; one
    // the lists lack is added to them.
    void ShowFont(const QString& face, int size);
    // Text alignment has no place in the label record: its buttons stay disabled.
    static bool IsEnabled(int index) { return index < 14; }

signals:
    // Both lists have a selection and one of them changed.
    void FontChosen(int size, const QString& face);

protected:
    void paintEvent(QPaintEvent* event) override;
    QRect ButtonHoverRect(int index) const override { return HoverRect(index); }
    std::optional<QRect> ButtonPressRect(int index) const override { return PressRect(index); }
    int ButtonCommand(int index) const override { return CommandOf(index); }
    QString ButtonTip(int index) const override { return TipText(language_, index); }
    bool ButtonEnabled(int index) const override { return IsEnabled(index); }
    int ContentWidth() const override { return ButtonX(kButtons - 1) + 32; }
    QPixmap ButtonIcon(int index) const override;

private:
    void FontListChanged();
    void AddFace(const QString& face);

    QPixmap drawSheet_;
    QPixmap styleSheet_;
    QComboBox* faces_;
    QComboBox* sizes_;
};

}  // namespace kestrix
