// Many copies made the fast way (one renderer redrawing only what changed),
// and made a few rows at a time as a huge label is, must be, byte for byte,
// the copies a whole render of each one gives: for random labels with
// serialized, turned and overlapping elements.

#include <gtest/gtest.h>

#include <QRandomGenerator>
#include <QTemporaryDir>

#include "RandomLabel.h"
#include "output/PrintJobMaker.h"
#include "render/CodeImageCache.h"
#include "render/PictureCache.h"

namespace kestrix {
namespace {

constexpr int kCopies = 120;  // past the wrap of every number below

TEST(ManyCopies, AreTheWholeRendersOfEachCopy) {
    QTemporaryDir dir;
    const std::u16string picture = WritePicture(dir).toStdU16String();
    QRandomGenerator random(13);
    const PrinterSettings settings;
    for (int label = 0; label < 4; ++label) {
        LabelDocument fast = RandomLabel(random, picture);
        // A tall picture across many bands, its source rows stepped unevenly.
        LabelElement tall = CreatePictureElement({int(random.bounded(40)), -7}, picture, 60, 40);
        std::tie(tall.nWidth, tall.nHeight, tall.bSelected) = std::tuple{97, 233, 0};
        fast.elements.push_back(tall);
        LabelDocument whole = fast;
        CodeImageCache fastCodes, wholeCodes;
        PictureCache pictures;
        PrintJobMaker maker(DirectPrintInput{fast, settings, fastCodes, &pictures});
        LabelDocument banded = fast;
        CodeImageCache bandedCodes;
        PrintJobMaker bands(DirectPrintInput{banded, settings, bandedCodes, &pictures}, 1 + label * 11);
        for (int copy = 0; copy < kCopies; ++copy) {
            const PrintStream& made = maker.Next();
            const PrintStream expected = RenderPrintStream(DirectPrintInput{whole, settings, wholeCodes});
            ASSERT_FALSE(expected.body.isEmpty());
            ASSERT_TRUE(made.header == expected.header && made.body == expected.body)
                << "label " << label << " copy " << copy;
            if (copy >= 100) continue;  // a hundred are enough to tell
            ASSERT_EQ(bands.Next().body, expected.body) << "in bands: label " << label << " copy " << copy;
        }
        for (std::size_t i = 0; i < fast.elements.size(); ++i)
            EXPECT_EQ(ElementText(fast.elements[i]), ElementText(whole.elements[i])) << "serial numbers advance alike";
    }
}

// Copies are written as they are made (their bytes in order are checked by
// the acceptance checks); a failed write ends the making and the writing.
TEST(ManyCopies, StopAtAFailedWrite) {
    LabelElement serial = CreateElement(kText, {10, 10}, u"07");
    std::tie(serial.nWidth, serial.nHeight, serial.nSerialMode) = std::tuple{60, 30, 1};
    LabelDocument doc{30, 20, {}, {}, {serial}};
    const PrinterSettings settings;
    CodeImageCache codes;
    PrintJobMaker maker(DirectPrintInput{doc, settings, codes});
    int pieces = 0;
    const SentJobs sent = SendPrintJobs(maker, 100, [&](QByteArrayView, QString* error) {
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
