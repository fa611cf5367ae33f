// The PDF driver printing sends: pages of exactly the label's size, the image
// on each read back pixel for pixel, grey or in colour as drawn.

#include <gtest/gtest.h>

#include <QFile>
#include <QPainter>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "CupsTestServer.h"
#include "print/LabelPdf.h"

namespace kestrix {
namespace {

TEST(LabelPdf, PagesOfTheLabelsSizeShowTheirImagesPixelForPixel) {
    QTemporaryDir dir;
    // 50 x 70 mm at 203 dpi: 400 x 559 dots, a little wider and shorter than the page.
    QImage grey(400, 559, QImage::Format_RGB32);
    grey.fill(Qt::white);
    QPainter(&grey).fillRect(QRect(0, 0, 3, 559), Qt::black);  // the first and last dots count
    QPainter(&grey).fillRect(QRect(397, 100, 3, 3), Qt::black);
    QImage colour = grey.copy();
    colour.setPixelColor(200, 300, Qt::red);
    LabelPdf pdf(QSizeF(50, 70), 203, 203);
    pdf.AddPage(grey);
    pdf.AddPage(colour);
    const QString path = dir.filePath("label.pdf");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(pdf.Bytes()) > 0);
    file.close();

    const QList<QSizeF> pages = PdfPageSizesMm(path);
    ASSERT_EQ(pages.size(), 2);
    for (const QSizeF& page : pages) {
        EXPECT_NEAR(page.width(), 50, 0.001);
        EXPECT_NEAR(page.height(), 70, 0.001);
    }
    const QString images = RunTool("pdfimages", {"-list", path});
    EXPECT_TRUE(images.contains(QRegularExpression(R"(1\s+0\s+image\s+400\s+559\s+gray)"))) << images.toStdString();
    EXPECT_TRUE(images.contains(QRegularExpression(R"(2\s+1\s+image\s+400\s+559\s+rgb)"))) << images.toStdString();
    const QImage read = RasterizePage(path, 1, 203, "pdftocairo").convertToFormat(QImage::Format_Grayscale8);
    const QImage drawn = grey.convertToFormat(QImage::Format_Grayscale8);
    int differ = 0;
    for (int y = 0; y < drawn.height(); ++y)
        for (int x = 0; x < std::min(drawn.width(), read.width()); ++x)
            differ += (read.pixelColor(x, y).value() < 128) != (drawn.pixelColor(x, y).value() < 128);
    EXPECT_EQ(differ, 0);
}

}  // namespace
}  // namespace kestrix
