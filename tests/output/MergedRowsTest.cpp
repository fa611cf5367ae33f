// A merged label is, byte for byte, the label with each row's values written
// in: the stream of every row made the fast way (one renderer redrawing only
// what the values and serial numbers changed) against a whole render of the
// literal label, and the one-off DrawLabel of the preview and driver print.

#include <gtest/gtest.h>

#include <QPainter>
#include <QTemporaryDir>

#include "document/DataSource.h"
#include "document/FieldMerge.h"
#include "document/SerialNumber.h"
#include "output/DrawLabel.h"
#include "output/PrintJobMaker.h"
#include "render/CodeImageCache.h"
#include "render/PictureCache.h"

namespace kestrix {
namespace {

LabelElement Boxed(int type, int x, int y, int w, int h, std::u16string_view content, int escapement = 0) {
    LabelElement e = CreateElement(type, {x, y}, content);
    std::tie(e.nWidth, e.nHeight, e.bSelected, e.nEscapement) = std::tuple{w, h, 0, escapement};
    return e;
}

// Texts (one turned, one over a barcode), a captioned Code 128, a built-in
// EAN-13, a QR code and a serialized barcode whose number counts on beside a
// field, and a text without fields.
LabelDocument FieldLabel() {
    LabelElement serial = Boxed(kBarcode, 20, 200, 260, 60, u"${SKU}-0098");
    serial.nSerialMode = kSerialIncrement;
    LabelElement ean = Boxed(kBarcode, 220, 110, 180, 70, u"${EAN}");
    ean.nBarcodeType = kBuiltinEan13;
    return {60,
            40,
            {},
            {},
            {Boxed(kText, 10, 10, 200, 30, u"Name: ${NAME}"), Boxed(kBarcode, 10, 50, 200, 70, u"${SKU}"),
             Boxed(kText, 60, 95, 120, 24, u"$${NAME} ${PRICE}"), ean,
             Boxed(kCode2D, 380, 10, 80, 80, u"https://example.org/${SKU}"),
             Boxed(kText, 420, 100, 40, 150, u"${NAME}", 900), serial, Boxed(kText, 300, 280, 150, 20, u"FIXED 0001")}};
}

// Rows that repeat values, empty ones, an EAN-13 the encoder refuses and a
// value longer than a text can hold.
const char kRows[] =
    "NAME,SKU,PRICE,EAN\r\n"
    "Ann,A-1,\"1,50\",590123412345\r\n"
    "Ann,A-1,\"1,50\",590123412345\r\n"
    "\"Bo \"\"B\"\"\",B-22,2,400638133393\r\n"
    ",C-333,,12\r\n"
    "\u00C4nne \u540D,A-1,\"multi\nline\",590123412345\r\n";

// The label for `row` as a user would write it: the values in place of the fields.
LabelDocument Literal(const LabelDocument& label, const DataRow& row) {
    LabelDocument literal = label;
    for (LabelElement& e : literal.elements) e = MergedElement(e, row);
    return literal;
}

TEST(MergedRows, AreTheLabelsWithTheValuesWrittenIn) {
    QTemporaryDir dir;
    QFile csv(dir.filePath(QStringLiteral("rows.csv")));
    ASSERT_TRUE(csv.open(QIODevice::WriteOnly) && csv.write(kRows) > 0);
    csv.close();
    QString error;
    std::unique_ptr<DataSource> data = DataSource::Open(csv.fileName(), &error);
    ASSERT_TRUE(data) << error.toStdString();
    LabelDocument merged = FieldLabel();
    DataCheck check;
    ASSERT_TRUE(data->Check(merged.elements, {}, check, &error)) << error.toStdString();
    std::vector<DataRow> rows;
    ASSERT_TRUE(data->FirstRows(10, rows, &error));
    ASSERT_EQ(rows.size(), 5u);
    ASSERT_TRUE(data->Rewind(&error));

    const PrinterSettings settings;
    CodeImageCache codes;
    PictureCache pictures;
    DirectPrintInput in{merged, settings, codes, &pictures};
    in.copies = 2;
    in.rows = data.get();
    PrintJobMaker maker(in);
    ASSERT_EQ(maker.Jobs(), 10);
    // The label as it stands before each job: its serial numbers counted on.
    LabelDocument counting = FieldLabel();
    for (qint64 job = 0; job < maker.Jobs(); ++job) {
        const DataRow& row = rows[job / 2];
        LabelDocument literal = Literal(counting, row);
        CodeImageCache literalCodes;
        const PrintStream expected = RenderPrintStream(DirectPrintInput{literal, settings, literalCodes});
        const PrintStream& made = maker.Next(&error);
        ASSERT_FALSE(made.body.isEmpty()) << error.toStdString();
        ASSERT_TRUE(made.header == expected.header && made.body == expected.body) << "job " << job;

        // The one-off drawing of the preview and driver print, too.
        LabelDocument once = counting;
        literal = Literal(counting, row);
        const QImage want = DrawLabelImage(literal, 203, 203, RenderContext{.codes = &literalCodes});
        QImage got(want.size(), QImage::Format_RGB32);
        got.fill(Qt::white);
        QPainter painter(&got);
        DrawLabel(painter, once.elements, RenderContext{.codes = &codes}, &row);
        painter.end();
        ASSERT_EQ(got, want) << "job " << job;
        for (LabelElement& e : counting.elements) AdvanceSerial(e);
    }
    EXPECT_TRUE(maker.Next(&error).body.isEmpty()) << "no rows left";
    for (std::size_t i = 0; i < merged.elements.size(); ++i)
        EXPECT_EQ(ElementText(merged.elements[i]), ElementText(counting.elements[i])) << "the record keeps its fields";
    EXPECT_EQ(ElementText(merged.elements[6]), u"${SKU}-0108");
}

}  // namespace
}  // namespace kestrix
