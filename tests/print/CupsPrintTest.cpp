// Driver printing end to end through the test cupsd and its cups-pdf queue:
// true size and place, decodable codes, copies, serials, the stored printer
// name, the three ways in, and the problems that must be told.

#include <cups/cups.h>

#include <QProcess>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTimer>

#include "CupsTestServer.h"
#include "FrameFixture.h"
#include "SimulatedPrinter.h"
#include "app/CommandIds.h"
#include "dialogs/MergeProgressDialog.h"
#include "document/LabelFile.h"
#include "document/SerialNumber.h"
#include "output/DirectPrintJob.h"
#include "print/DriverPrint.h"

namespace kestrix {
namespace {

const QString kQueue = QStringLiteral("kestrix-pdf");

LabelDocument TestLabel(bool serialized) {
    LabelDocument doc;
    doc.widthMm = 50;
    doc.heightMm = 70;
    LabelElement code = CreateElement(kBarcode, {40, 60}, u"12345678");
    code.nBarcodeType = 20;  // Code 128
    code.nWidth = 300;
    code.nHeight = 120;
    LabelElement text = CreateElement(kText, {40, 300}, u"0001");
    LabelElement corner = CreateElement(kShape, {300, 460});
    corner.nWidth = corner.nHeight = 60;
    code.nSerialMode = text.nSerialMode = serialized ? kSerialIncrement : kNoSerial;
    doc.elements = {code, text, corner};
    return doc;
}

class CupsPrint : public FrameTest {
protected:
    void SetUp() override {
        KESTRIX_REQUIRE_CUPSD();
        FrameTest::SetUp();
    }

    QString WriteLabel(const LabelDocument& doc) {
        const QString path = TempPath(QStringLiteral("label.lab"));
        EXPECT_TRUE(WriteLabelFile(path, doc, nullptr));
        return path;
    }

    static void Cli(const QStringList& args, int expectExit = 0) {
        QProcess cli;
        cli.start(QStringLiteral(KESTRIX_CLI), args);
        ASSERT_TRUE(cli.waitForFinished(60000));
        EXPECT_EQ(cli.exitCode(), expectExit) << cli.readAllStandardError().toStdString();
    }

    // Runs `print` and returns the one job it gave the scheduler (0 when not one).
    template <typename F>
    static int OneJob(F print) {
        const QList<int> before = CupsTestServer::Jobs();
        print();
        const QList<int> after = CupsTestServer::Jobs();
        EXPECT_EQ(after.size(), before.size() + 1);
        return after.size() == before.size() + 1 ? after.last() : 0;
    }
};

// The queues of the test cupsd by the resolution they print at.
const QString kQueue203 = QStringLiteral("kestrix-pdf-203");
const QString kQueue600 = QStringLiteral("kestrix-pdf-600");

TEST_F(CupsPrint, ThePageIsTheLabelsSizeAtEveryResolution) {
    // 4 x 6 in in whole millimetres is 102 x 152.
    for (const auto& [queue, size] :
         {std::pair{kQueue203, QSize(50, 70)}, {kQueue, QSize(100, 150)}, {kQueue600, QSize(102, 152)}}) {
        LabelDocument doc = TestLabel(false);
        doc.widthMm = size.width();
        doc.heightMm = size.height();
        const QString label = WriteLabel(doc);
        const int job = OneJob([&] { Cli({"print", label, "--printer", queue}); });
        const QList<QSizeF> pages = PdfPageSizesMm(CupsTestServer::WaitForPdf(queue, job));
        ASSERT_EQ(pages.size(), 1);
        EXPECT_NEAR(pages[0].width(), size.width(), 0.05) << queue.toStdString();
        EXPECT_NEAR(pages[0].height(), size.height(), 0.05) << queue.toStdString();
    }
}

TEST_F(CupsPrint, EveryKindOfCodeDecodesFromThePageAtThePrintersResolution) {
    struct Code {
        int32_t element, type;
        std::u16string_view content;
        QString decoded;
        int size;
    };
    const Code codes[] = {{kBarcode, 20, u"KX-123456", "KX-123456", 300},
                          {kBarcode, kBuiltinEan13, u"590123412345", "5901234123457", 306},
                          {kCode2D, 58, u"Kestrix QR 0042", "Kestrix QR 0042", 200},
                          {kCode2D, 71, u"DM-4567", "DM-4567", 160}};
    // Each kind at one of the two resolutions.
    for (const Code& code : codes) {
        const auto [queue, dpi] = code.type % 2 ? std::pair{kQueue203, 203} : std::pair{kQueue, 300};
        // ZXing finds a 2D code of large modules on a small label only.
        LabelDocument doc;
        doc.widthMm = code.element == kBarcode ? 50 : 30;
        doc.heightMm = code.element == kBarcode ? 70 : 30;
        LabelElement e = CreateElement(code.element, {40, 40}, code.content);
        e.nBarcodeType = code.type;
        e.nWidth = code.size;
        e.nHeight = code.element == kBarcode ? 150 : code.size;
        doc.elements = {e};
        const QString label = WriteLabel(doc);
        const int job = OneJob([&] { Cli({"print", label, "--printer", queue}); });
        const QString pdf = CupsTestServer::WaitForPdf(queue, job);
        EXPECT_EQ(DecodeBarcode(RasterizePage(pdf, 1, dpi)), code.decoded) << queue.toStdString();
    }
}

TEST_F(CupsPrint, AtTheLabelsResolutionThePageIsTheDirectPrintRaster) {
    const QString label = WriteLabel(TestLabel(false));
    const int job = OneJob([&] { Cli({"print", label, "--printer", kQueue203}); });
    const QString pdf = CupsTestServer::WaitForPdf(kQueue203, job);
    const QImage page =
        RasterizePage(pdf, 1, 203, QStringLiteral("pdftocairo")).convertToFormat(QImage::Format_Grayscale8);
    Cli({"render", label, "--mono", "-o", TempPath("label.bmp")});
    const QImage mono = QImage(TempPath("label.bmp")).convertToFormat(QImage::Format_Grayscale8);
    ASSERT_FALSE(mono.isNull());
    // The page may have a row or column more than the label's whole dots.
    ASSERT_LE(std::abs(page.width() - mono.width()), 1);
    ASSERT_LE(std::abs(page.height() - mono.height()), 1);
    int differ = 0;
    for (int y = 0; y < std::min(page.height(), mono.height()); ++y)
        for (int x = 0; x < std::min(page.width(), mono.width()); ++x)
            differ += (page.pixelColor(x, y).value() < 128) != (mono.pixelColor(x, y).value() < 128);
    EXPECT_EQ(differ, 0);
    EXPECT_EQ(DecodeBarcode(RasterizePage(pdf, 1, 203)), QStringLiteral("12345678"));
}

TEST_F(CupsPrint, ThePrinterMakesTheCopiesUnlessTheLabelCounts) {
    const QString plain = WriteLabel(TestLabel(false));
    int job = OneJob([&] { Cli({"print", plain, "--printer", kQueue, "--copies", "3"}); });
    EXPECT_EQ(CupsTestServer::JobCopies(job), 3);
    EXPECT_EQ(PdfPageSizesMm(CupsTestServer::SpooledDocument(job)).size(), 1);

    const QString counting = WriteLabel(TestLabel(true));
    job = OneJob([&] { Cli({"print", counting, "--printer", kQueue, "--copies", "3", "--update"}); });
    EXPECT_EQ(CupsTestServer::JobCopies(job), 1);
    EXPECT_EQ(PdfPageSizesMm(CupsTestServer::SpooledDocument(job)).size(), 3);
    const QString pdf = CupsTestServer::WaitForPdf(kQueue, job);
    ASSERT_EQ(PdfPageSizesMm(pdf).size(), 3);
    for (int page = 1; page <= 3; ++page)
        EXPECT_EQ(DecodeBarcode(RasterizePage(pdf, page, 203)), QString::number(12345677 + page));
    // The next run goes on from where this one stopped.
    LabelDocument saved;
    ASSERT_TRUE(ReadLabelFile(counting, saved, nullptr));
    EXPECT_EQ(ElementText(saved.elements[1]), u"0004");
}

TEST_F(CupsPrint, PrintAlwaysAsksWithTheLabelsPaperAndThePrinterUsedLastAndSaysWhereItWent) {
    Elements() = TestLabel(false).elements;
    prompts_.printerName = kQueue;
    OneJob([&] { Frame().OnCommand(kCmdPrint); });
    EXPECT_EQ(prompts_.printDialogs, 1);
    EXPECT_EQ(prompts_.paperShown, QSizeF(Label().LabelWidthMm(), Label().LabelHeightMm()));
    EXPECT_EQ(Label().Session().Document().printerName, kQueue.toUtf8());
    EXPECT_EQ(Frame().statusBar()->currentMessage(), "Printed on " + kQueue);
    OneJob([&] { Frame().OnCommand(kCmdPrint); });
    EXPECT_EQ(prompts_.printDialogs, 2);
    EXPECT_EQ(prompts_.printerShown, kQueue);

    prompts_.printerName.clear();  // the dialog is cancelled: nothing printed
    const QList<int> before = CupsTestServer::Jobs();
    Frame().OnCommand(kCmdPrintButton);
    EXPECT_EQ(prompts_.printDialogs, 3);
    EXPECT_EQ(CupsTestServer::Jobs(), before);
    // The label file keeps the printer.
    prompts_.saveName = TempPath("printed.lab");
    ASSERT_TRUE(Frame().SaveLabel({}));
    LabelDocument saved;
    ASSERT_TRUE(ReadLabelFile(TempPath("printed.lab"), saved, nullptr));
    EXPECT_EQ(saved.printerName, kQueue.toUtf8());
    EXPECT_TRUE(prompts_.messages.isEmpty()) << prompts_.messages.join(u'\n').toStdString();
}

TEST_F(CupsPrint, AQueueThatRefusesJobsOrNoPrinterAtAllIsTold) {
    Elements() = TestLabel(false).elements;
    prompts_.printerName = QStringLiteral("kestrix-refusing");
    const QList<int> before = CupsTestServer::Jobs();
    Frame().OnCommand(kCmdPrint);
    ASSERT_EQ(prompts_.messages.size(), 1);
    EXPECT_EQ(prompts_.messages[0], "Cannot print on kestrix-refusing: the queue is not accepting jobs|Kestrix");
    EXPECT_EQ(prompts_.printDialogs, 1);

    const QByteArray server = cupsServer();
    cupsSetServer(TempPath("no-cupsd.sock").toLocal8Bit().constData());
    Frame().OnCommand(kCmdPrintButton);
    cupsSetServer(server.constData());
    ASSERT_EQ(prompts_.messages.size(), 2);
    EXPECT_EQ(prompts_.messages[1], NoPrinterInstalledMessage(UiLanguage::English).text + "|Kestrix");
    EXPECT_EQ(prompts_.printDialogs, 1);
    EXPECT_EQ(CupsTestServer::Jobs(), before);
    // The command-line tool names what is there instead.
    Cli({"print", WriteLabel(TestLabel(false)), "--printer", "no-such-queue"}, 1);
}

// The direct stream as one raw job on a queue: the queue's device, a network
// printer on 127.0.0.1, gets it byte for byte. A queue that is not there is told at once.
TEST_F(CupsPrint, ARawQueuePassesTheDirectStreamOnByteForByte) {
    SimulatedPrinter printer;
    ASSERT_EQ(QProcess::execute(QStringLiteral(KESTRIX_TEST_CUPSD_SCRIPT),
                                {"queue", KESTRIX_TEST_CUPSD, "kestrix-raw", printer.Address(), "-m", "raw"}),
              0);
    const QString label = WriteLabel(TestLabel(true));
    Cli({"tspl", label, "-o", TempPath("label.tspl")});
    Cli({"print", label, "--device", "cups:kestrix-raw"});
    QFile stream(TempPath("label.tspl"));
    ASSERT_TRUE(stream.open(QIODevice::ReadOnly));
    EXPECT_EQ(printer.Received(), stream.readAll());

    QProcess missing;
    missing.start(QStringLiteral(KESTRIX_CLI), {"print", label, "--device", "cups:kestrix-missing"});
    ASSERT_TRUE(missing.waitForFinished(5000));
    EXPECT_EQ(missing.exitCode(), 1);
    EXPECT_EQ(missing.readAllStandardError(),
              "kestrix-cli print: cups:kestrix-missing: The printer or class does not exist.\n");
}

TEST_F(CupsPrint, TheEditorPrintsAPagePerRowAndACancelKeepsThePagesDrawn) {
    QByteArray rows = "SKU\n";
    for (int i = 1; i <= 8; ++i) rows += "R-" + QByteArray::number(i) + '\n';
    WriteFile(QStringLiteral("rows.csv"), rows);
    Elements() = TestLabel(true).elements;
    SetElementText(Elements()[0], u"${SKU}");
    prompts_.dataChoice = DataChoice{TempPath("rows.csv"), {}, 1, 0};
    Frame().OnCommand(kCmdInputFile);
    prompts_.printerName = kQueue;
    // The user cancels once three pages are drawn.
    QTimer cancel;
    QObject::connect(&cancel, &QTimer::timeout, [this] {
        for (auto* progress : Frame().findChildren<MergeProgressDialog*>())
            if (progress->isVisible() && progress->value() >= 3) progress->cancel();
    });
    cancel.start(1);
    const int job = OneJob([&] { Frame().OnCommand(kCmdPrint); });
    cancel.stop();
    const QString pdf = CupsTestServer::WaitForPdf(kQueue, job);
    const qsizetype pages = PdfPageSizesMm(pdf).size();
    ASSERT_GE(pages, 3);
    ASSERT_LT(pages, 8);
    QStringList codes, expected;
    for (int page = 1; page <= pages; ++page) {
        codes << DecodeBarcode(RasterizePage(pdf, page, 203));
        expected << QStringLiteral("R-%1").arg(page);
    }
    EXPECT_EQ(codes, expected);
    EXPECT_EQ(prompts_.messages,
              QStringList(QStringLiteral("Printing stopped after %1 of 8 labels.|Kestrix").arg(pages)));
    EXPECT_EQ(ElementText(Elements()[1]), QStringLiteral("%1").arg(pages + 1, 4, 10, QChar('0')).toStdU16String())
        << "the serial number counts the pages printed";
}

// Several labels in one run go through the driver as a job each, in the order
// given; one that cannot be read is skipped.
TEST_F(CupsPrint, SeveralLabelsAreAJobEachInTheOrderGiven) {
    LabelDocument narrow = TestLabel(false);
    narrow.widthMm = 40;
    ASSERT_TRUE(WriteLabelFile(TempPath("narrow.lab"), narrow, nullptr));
    const qsizetype before = CupsTestServer::Jobs().size();
    Cli({"print", WriteLabel(TestLabel(false)), TempPath("missing.lab"), TempPath("narrow.lab"), "--printer", kQueue},
        1);
    const QList<int> jobs = CupsTestServer::Jobs().mid(before);
    ASSERT_EQ(jobs.size(), 2);
    for (int k : {0, 1}) {
        const QList<QSizeF> pages = PdfPageSizesMm(CupsTestServer::SpooledDocument(jobs[k]));
        ASSERT_EQ(pages.size(), 1);
        EXPECT_NEAR(pages[0].width(), k == 0 ? 50 : 40, 0.5);
    }
}

}  // namespace
}  // namespace kestrix
