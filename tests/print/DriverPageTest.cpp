// A driver page drawn in bands is the page drawn whole: the PDF's image,
// decoded, holds the same pixels in the same colour space, at the label's
// own resolution (black and white) and scaled to another.

#include <gtest/gtest.h>

#include <QBuffer>
#include <QPainter>
#include <QTemporaryDir>
#include <QtEndian>

#include "FrameFixture.h"
#include "document/SerialNumber.h"
#include "document/Units.h"
#include "output/ColorToBW.h"
#include "output/DrawLabel.h"
#include "print/DriverPage.h"
#include "render/CodeImageCache.h"
#include "render/PictureCache.h"

namespace kestrix {
namespace {

// The one image of a one-page PDF, its samples inflated, as an image of that colour space.
QImage PdfImage(const QByteArray& pdf) {
    const auto number = [&pdf](const QByteArray& key, qsizetype from = 0) {
        const qsizetype at = pdf.indexOf(key, from) + key.size();
        return pdf.mid(at, pdf.indexOf(' ', at) - at).trimmed().toInt();
    };
    const qsizetype image = pdf.indexOf("/Subtype /Image");
    const int width = number("/Width ", image);
    const int height = number("/Height ", image);
    const bool grey = pdf.indexOf("/ColorSpace /DeviceGray", image) == pdf.indexOf("/ColorSpace", image);
    const QByteArray lengthObject = "\n" + QByteArray::number(number("/Length ", image)) + " 0 obj\n";
    const int length = pdf.mid(pdf.indexOf(lengthObject) + lengthObject.size(), 20).split('\n')[0].toInt();
    const qsizetype start = pdf.indexOf("stream\n", image) + 7;
    const int channels = grey ? 1 : 3;
    QByteArray sized(4, '\0');
    qToBigEndian(quint32(width * height * channels), sized.data());
    const QByteArray samples = qUncompress(sized + pdf.mid(start, length));
    QImage decoded(width, height, grey ? QImage::Format_Grayscale8 : QImage::Format_RGB888);
    if (samples.size() != qsizetype(width) * height * channels) return {};
    for (int y = 0; y < height; ++y)
        std::memcpy(decoded.scanLine(y), samples.constData() + qsizetype(y) * width * channels, width * channels);
    return decoded;
}

class DriverPage : public ::testing::Test {
protected:
    void SetUp() override {
        TestApp();
        // A colour picture, a strip of each colour.
        QImage picture(60, 40, QImage::Format_RGB32);
        for (int x = 0; x < picture.width(); ++x)
            for (int y = 0; y < picture.height(); ++y)
                picture.setPixel(x, y, x < 20 ? qRgb(220, 30, 30) : x < 40 ? qRgb(30, 160, 40) : qRgb(20, 20, 20));
        ASSERT_TRUE(picture.save(dir_.filePath("colour.png")));
        LabelElement text = CreateElement(kText, {20, 10}, u"0001");
        std::tie(text.nWidth, text.nHeight) = std::tuple{60, 40};
        text.nSerialMode = kSerialIncrement;
        LabelElement turned = CreateElement(kText, {250, 20}, u"Turned");
        turned.nEscapement = 900;
        LabelElement barcode = CreateElement(kBarcode, {20, 70}, u"A0001");
        barcode.nSerialMode = kSerialIncrement;
        LabelElement line = CreateElement(kLine, {10, 180}, {}, {290, 200});
        LabelElement shape = CreateElement(kShape, {200, 150});
        elements_ = {text,
                     turned,
                     barcode,
                     CreateElement(kCode2D, {120, 150}, u"2D 0001"),
                     line,
                     shape,
                     CreatePictureElement({30, 150}, dir_.filePath("colour.png").toStdU16String(), 60, 40)};
        ctx_.codes = &codes_;
        ctx_.pictures = &pictures_;
    }

    // The page drawn whole, as driver printing drew it before bands. The
    // turned text without a size measures itself in its first drawing: the
    // second shows it as every later page does.
    QImage WholePage(const DriverPageSetup& setup, QSize dots) {
        std::vector<LabelElement> copy = elements_;
        RenderContext output = OutputContext(ctx_);
        output.monoPictures = setup.OneDotPerPixel();
        QImage page(dots, QImage::Format_RGB32);
        for (int drawing = 0; drawing < 2; ++drawing) {
            page.fill(Qt::white);
            QPainter painter(&page);
            painter.scale(setup.scaleX, setup.scaleY);
            for (LabelElement& e : copy) DrawOutputElement(painter, e, output);
        }
        if (!setup.OneDotPerPixel()) return page;
        return QImage::fromData(ColorToBW(page).Bytes(), "BMP");
    }

    // The page in bands of `rows` rows, as the PDF shows it.
    QImage BandedPage(const DriverPageSetup& setup, QSize dots, int rows) {
        QBuffer file;
        file.open(QIODevice::WriteOnly);
        LabelPdf pdf(file, QSizeF(40, 30), setup.resolution, setup.resolution);
        AddDriverPage(pdf, elements_, setup, dots, ctx_, nullptr, rows);
        EXPECT_TRUE(pdf.Finish());
        return PdfImage(file.data());
    }

    void ExpectSamePage(int resolution, bool colour) {
        const DriverPageSetup setup = PlanDriverPage({resolution}, resolution, 203, 203);
        const QSize dots(TargetDots(40, resolution), TargetDots(30, resolution));
        const QImage whole = WholePage(setup, dots);
        ASSERT_EQ(whole.allGray(), !colour);
        const QImage expected = whole.convertToFormat(colour ? QImage::Format_RGB888 : QImage::Format_Grayscale8);
        for (const int rows : {7, 64, dots.height()}) {
            const QImage banded = BandedPage(setup, dots, rows);
            EXPECT_EQ(banded.format(), expected.format()) << resolution << " dpi in bands of " << rows;
            EXPECT_TRUE(banded == expected) << resolution << " dpi in bands of " << rows;
        }
        EXPECT_EQ(ElementText(elements_[0]), u"0001") << "a page's bands advance nothing";
    }

    QTemporaryDir dir_;
    std::vector<LabelElement> elements_;
    CodeImageCache codes_;
    PictureCache pictures_;
    RenderContext ctx_;
};

TEST_F(DriverPage, InBandsIsTheWholePageInBlackAndWhiteAtTheLabelsResolution) { ExpectSamePage(203, false); }

TEST_F(DriverPage, InBandsIsTheWholePageScaledInColourOrGrey) {
    ExpectSamePage(600, true);
    elements_.pop_back();  // the picture, the only colour
    ExpectSamePage(600, false);
    ExpectSamePage(300, false);
}

}  // namespace
}  // namespace kestrix
