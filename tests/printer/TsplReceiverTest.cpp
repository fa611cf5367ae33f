// The simulated printer reads a job as a printer does: whatever the pieces it
// arrives in, the status queries between commands are answered and left out
// of the job, and each label's dots are the raster the stream was cut from.

#include <gtest/gtest.h>

#include <cstring>
#include <string_view>

#include "TsplReceiver.h"
#include "output/PrintStream.h"

namespace kestrix {
namespace {

TEST(TsplReceiver, QueriesBetweenCommandsAndTheRasterOfEachLabelWhateverThePieces) {
    MonoImage mono(320, 240);  // 40 x 30 mm
    for (int x = 20; x < 300; ++x) mono.SetBlack(x, 30 + x / 4);
    std::memcpy(mono.Row(200) + 5, "\x1b!?", 3);  // a query's bytes inside a bitmap are dots
    PrinterSettings settings;
    settings.SavePaper = 1;  // every row where it is on the label
    const PrintStream stream = BuildPrintStream(mono, settings, 40, 30);
    const QByteArray job = stream.header + stream.body;
    const QByteArray sent = "\x1b!?" + job + "\x1b!?" + job;

    for (const qsizetype piece : {1, 7, 4096}) {
        SCOPED_TRACE(piece);
        TsplReceiver printer;
        int queries = 0;
        for (qsizetype at = 0; at < sent.size(); at += piece)
            queries += printer.Take(QByteArrayView(sent).sliced(at).first(std::min(piece, sent.size() - at)));
        EXPECT_EQ(queries, 2);
        EXPECT_EQ(printer.Job(), job + job);
        EXPECT_TRUE(printer.Problems().isEmpty()) << printer.Problems().join(u'\n').toStdString();
        ASSERT_EQ(printer.Labels().size(), 2);
        const PrintedLabel& label = printer.Labels()[1];
        EXPECT_EQ(label.commands.value(0), QStringLiteral("SIZE 40 mm, 30 mm"));
        EXPECT_EQ(label.commands.value(label.commands.size() - 1), QStringLiteral("PRINT 1,1"));
        ASSERT_EQ(label.image.size(), QSize(320, 240));
        int wrong = 0;
        for (int y = 0; y < 240; ++y)
            for (int x = 0; x < 320; ++x) wrong += (qGray(label.image.pixel(x, y)) == 0) != mono.IsBlack(x, y);
        EXPECT_EQ(wrong, 0);
    }
}

// A bitmap cut short waits for the rest and prints nothing; dots beyond the label are told.
TEST(TsplReceiver, ShortAndStrayBitmaps) {
    using namespace std::literals;
    TsplReceiver printer;
    printer.Take("SIZE 10 mm, 10 mm\r\nCLS\r\nBITMAP 0,0,2,2,1,\x00\x00\x00"sv);
    EXPECT_TRUE(printer.InCommand());
    EXPECT_TRUE(printer.Labels().isEmpty());
    printer.Take("\x00\r\nBITMAP 79,0,1,1,1,\x00\r\nPRINT 1,1\r\n"sv);
    EXPECT_EQ(printer.Problems().join(u'\n'), QStringLiteral("BITMAP 79,0,1,1,1: dots outside the label"));
    ASSERT_EQ(printer.Labels().size(), 1);
    EXPECT_EQ(qGray(printer.Labels()[0].image.pixel(15, 1)), 0);
    EXPECT_EQ(qGray(printer.Labels()[0].image.pixel(16, 0)), 255);
}

}  // namespace
}  // namespace kestrix
