// Many copies made the fast way (one renderer redrawing only what changed)
// must be, byte for byte, the copies a whole render of each one gives: for
// random labels with serialized, turned and overlapping elements.

#include <gtest/gtest.h>

#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include "output/PrintJobMaker.h"
#include "render/CodeImageCache.h"
#include "render/PictureCache.h"

namespace kestrix {
namespace {

constexpr int kCopies = 1000;

// A picture with colour, grey and transparency, so its reduction and
// scaling both matter where it overlaps a serialized element.
QString WritePicture(const QTemporaryDir& dir) {
    QImage image(60, 40, QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) image.setPixel(x, y, qRgba(x * 4, y * 6, 128, x < 50 ? 255 : 0));
    const QString path = dir.filePath(QStringLiteral("picture.png"));
    image.save(path);
    return path;
}

LabelDocument RandomLabel(QRandomGenerator& random, const QString& picture) {
    LabelDocument doc;
    doc.widthMm = 50;
    doc.heightMm = 30;
    const auto any = [&random](int low, int high) { return low + static_cast<int>(random.bounded(high - low + 1)); };
    const int rotations[] = {0, 0, 900, 1800, 2700};
    const char16_t* serials[] = {u"A-0995", u"X10", u"0009", u"LOT-99", u"12"};
    for (int i = any(5, 10); i > 0; --i) {
        const ElementPoint at{any(-30, 330), any(-30, 200)};
        LabelElement e;
        switch (any(0, 5)) {
        case 0:
            e = CreateElement(kText, at, serials[any(0, 4)]);
            e.nWidth = any(30, 200);
            e.nHeight = any(12, 60);
            break;
        case 1:
            e = CreateElement(kBarcode, at, serials[any(0, 4)]);
            e.nBarcodeType = any(0, 3) == 0 ? 8 : 20;
            e.nWidth = any(60, 300);
            e.nHeight = any(30, 120);
            e.bShowText = any(0, 1);
            break;
        case 2:
            e = CreateElement(kBarcode, at, any(0, 1) ? u"590123412345" : u"400638133393");
            e.nBarcodeType = kBuiltinEan13;
            e.nWidth = any(110, 250);
            e.nHeight = any(40, 100);
            break;
        case 3:
            e = CreateElement(kCode2D, at, u"K-0001");
            e.nWidth = any(40, 120);
            break;
        case 4:
            e = CreateElement(kShape, at);
            e.nWidth = any(10, 250);
            e.nHeight = any(10, 150);
            e.nShapeType = any(0, 4);
            e.nLineWidth = any(1, 6);
            break;
        default:
            e = CreatePictureElement(at, picture.toStdU16String(), 60, 40);
            e.nWidth = any(20, 150);
            e.nHeight = any(20, 100);
            break;
        }
        e.nEscapement = rotations[any(0, 4)];
        e.nSerialMode = any(0, 2);
        e.bSelected = 0;
        doc.elements.push_back(e);
    }
    // A scaled picture across part of an element, above or below it.
    const LabelElement& near = doc.elements[any(0, static_cast<int>(doc.elements.size()) - 1)];
    LabelElement over = CreatePictureElement({near.nPosX + any(-40, 40), near.nPosY + any(-30, 30)},
                                             picture.toStdU16String(), 60, 40);
    over.nWidth = any(37, 157);
    over.nHeight = any(23, 97);
    over.bSelected = 0;
    doc.elements.insert(doc.elements.begin() + any(0, static_cast<int>(doc.elements.size())), over);
    LabelElement line = CreateElement(kLine, {any(0, 300), any(0, 200)}, {}, {any(0, 400), any(0, 240)});
    line.nLineWidth = any(1, 5);
    line.bSelected = 0;
    doc.elements.insert(doc.elements.begin() + any(0, static_cast<int>(doc.elements.size())), line);
    return doc;
}

TEST(ManyCopies, AreTheWholeRendersOfEachCopy) {
    QTemporaryDir dir;
    const QString picture = WritePicture(dir);
    QRandomGenerator random(13);
    const PrinterSettings settings;
    for (int label = 0; label < 4; ++label) {
        LabelDocument fast = RandomLabel(random, picture);
        LabelDocument whole = fast;
        CodeImageCache fastCodes, wholeCodes;
        PictureCache pictures;
        DirectPrintInput in{fast, settings, fastCodes, &pictures};
        PrintJobMaker maker(in);
        int differing = 0;
        for (int copy = 0; copy < kCopies && differing == 0; ++copy) {
            const PrintStream& made = maker.Next();
            const PrintStream expected = RenderPrintStream(DirectPrintInput{whole, settings, wholeCodes});
            ASSERT_FALSE(expected.body.isEmpty());
            if (made.header != expected.header || made.body != expected.body) ++differing;
            EXPECT_EQ(differing, 0) << "label " << label << " copy " << copy;
        }
        for (std::size_t i = 0; i < fast.elements.size(); ++i)
            EXPECT_EQ(ElementText(fast.elements[i]), ElementText(whole.elements[i])) << "serial numbers advance alike";
    }
}

TEST(ManyCopies, AreSentInOrderAndStopAtAFailedWrite) {
    LabelDocument doc;
    doc.widthMm = 30;
    doc.heightMm = 20;
    LabelElement serial = CreateElement(kText, {10, 10}, u"07");
    serial.nWidth = 60;
    serial.nHeight = 30;
    serial.nSerialMode = 1;
    doc.elements = {serial};
    const PrinterSettings settings;
    CodeImageCache codes;
    LabelDocument copy = doc;
    CodeImageCache otherCodes;
    QByteArray expected;
    for (int i = 0; i < 5; ++i) {
        const PrintStream job = RenderPrintStream(DirectPrintInput{copy, settings, otherCodes});
        expected += job.header + job.body;
    }

    PrintJobMaker maker(DirectPrintInput{doc, settings, codes});
    QByteArray written;
    SentJobs sent = SendPrintJobs(maker, 5, [&](QByteArrayView bytes, QString*) {
        written += bytes;
        return true;
    });
    EXPECT_EQ(written, expected);
    EXPECT_EQ(sent.rendered, 5);
    EXPECT_TRUE(sent.error.isEmpty());

    int pieces = 0;
    sent = SendPrintJobs(maker, 100, [&](QByteArrayView, QString* error) {
        if (++pieces < 3) return true;
        *error = QStringLiteral("disk full");
        return false;
    });
    EXPECT_TRUE(sent.writeFailed);
    EXPECT_EQ(sent.error, QStringLiteral("disk full"));
    EXPECT_EQ(pieces, 3) << "nothing is written after the failure";
    EXPECT_LE(sent.rendered, 3) << "making stops too";
}

}  // namespace
}  // namespace kestrix
