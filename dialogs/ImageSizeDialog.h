#pragma once
// The image size dialog: a picture's width and height in millimetres or in
// dots ("Pixel"), optionally kept in the picture's own proportions. OK writes
// nWidth and nHeight of the element.

#include <QDialog>

#include "document/LabelElement.h"
#include "document/UiLanguage.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace kestrix {

class ImageSizeDialog : public QDialog {
    Q_OBJECT
public:
    enum Unit { kMillimetres = 0, kPixels = 1 };

    // `dpiX` and `dpiY` are the label resolution.
    ImageSizeDialog(UiLanguage language, LabelElement& e, int dpiX, int dpiY, QWidget* parent = nullptr);

    // The height that keeps a picture of srcWidth x srcHeight pixels in
    // proportion at `width`, in whole units (srcWidth > 0).
    static int ProportionalHeight(int width, int srcWidth, int srcHeight);

    void accept() override;

private:
    void ShowSize(int unit);
    void WidthChanged();

    LabelElement& e_;
    int dpiX_;
    int dpiY_;
    QLineEdit* width_;
    QLineEdit* height_;
    QComboBox* widthUnit_;
    QComboBox* heightUnit_;
    QCheckBox* proportion_;
};

}  // namespace kestrix
