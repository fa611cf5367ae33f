// Direct Send from the editor to the simulated printer: the printer chosen and
// kept for the next start, or the settings file's device told when it refuses;
// the copies asked for in one job with serial numbers per label, the status bar
// saying what went where, the printer's state asked first with "print anyway?",
// and the stall box naming the state the printer reports while it lasts.

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QStatusBar>
#include <QThread>
#include <QTimer>

#include "FrameFixture.h"
#include "SimulatedPrinter.h"
#include "app/CommandIds.h"
#include "dialogs/StallDialog.h"
#include "document/LabelFile.h"
#include "document/SerialNumber.h"
#include "output/PrinterStatus.h"
#include "render/CodeImageCache.h"

namespace kestrix {
namespace {

class DirectSend : public FrameTest {
protected:
    void SetUp() override {
        FrameTest::SetUp();
        LabelElement serial = CreateElement(kText, {20, 20}, u"0001");
        serial.nSerialMode = kSerialIncrement;
        Elements().push_back(serial);
    }
    // The streams of `copies` labels from the label as it stands, serial numbers advancing.
    QByteArray Expected(int copies) {
        LabelDocument copy = Label().Session().Document();
        CodeImageCache codes;
        QByteArray stream;
        for (int i = 0; i < copies; ++i) {
            const PrintStream one = RenderPrintStream({copy, Label().Settings(), codes});
            stream += one.header + one.body;
        }
        return stream;
    }
    QString StatusText() { return Frame().statusBar()->currentMessage(); }
};

TEST_F(DirectSend, TheChosenPrinterGetsTheCopiesAskedForAsOneJobAndIsKeptForTheNextStart) {
    SimulatedPrinter printer;
    prompts_.printerAddress = printer.Address();
    Frame().OnCommand(kCmdChoosePrinter);
    EXPECT_EQ(prompts_.printerAddressShown, QString()) << "the USB search until one is chosen";
    const QByteArray three = Expected(3);
    prompts_.copies = 3;
    Frame().OnCommand(kCmdDirectPrint);
    EXPECT_EQ(prompts_.copiesShown, 1) << "one copy until another number is asked for";
    EXPECT_EQ(printer.Received(), three);
    EXPECT_EQ(printer.Labels().size(), 3u);
    EXPECT_EQ(ElementText(Elements()[0]), u"0004");
    EXPECT_EQ(StatusText(), "3 labels sent to " + printer.Address());
    EXPECT_TRUE(prompts_.messages.isEmpty()) << prompts_.messages.join(u'\n').toStdString();

    // The number is remembered; Cancel sends nothing.
    prompts_.copies.reset();
    Frame().OnCommand(kCmdDirectPrint);
    EXPECT_EQ(prompts_.copiesShown, 3);
    EXPECT_EQ(printer.JobSize(), three.size());
    EXPECT_EQ(ElementText(Elements()[0]), u"0004");

    prompts_.printerAddress.reset();  // Cancel keeps the printer
    Frame().OnCommand(kCmdChoosePrinter);
    EXPECT_EQ(prompts_.printerAddressShown, printer.Address());
    MakeFrame(UiLanguage::English);
    EXPECT_EQ(Label().DirectPrinter(), printer.Address());
}

TEST_F(DirectSend, DeviceOfTheSettingsFileThatRefusesIsTold) {
    SimulatedPrinter off(SimulatedPrinter::SwitchedOff());
    WriteFile(QStringLiteral("none.ini"), "[Print Settings]\nDevice=" + off.Address().toUtf8() + "\n");
    MakeFrame(UiLanguage::Chinese);
    Frame().OnCommand(kCmdDirectPrint);
    EXPECT_EQ(prompts_.messages,
              QStringList("无法使用打印机：\n" + off.Address() + ": connection refused|Dravel标签编辑器"));
}

TEST_F(DirectSend, APrinterThatCannotPrintIsAskedAboutFirst) {
    SimulatedPrinter printer;
    Label().ChooseDirectPrinter(printer.Address());
    printer.SetState(kOutOfPaper | kCoverOpen);
    prompts_.answers = {false};
    Frame().OnCommand(kCmdDirectPrint);
    EXPECT_EQ(prompts_.questions,
              QStringList("The printer reports out of paper, cover open: load paper and close the cover first.\n\n"
                          "Print anyway?|Kestrix"));
    EXPECT_EQ(printer.JobSize(), 0);
    EXPECT_EQ(ElementText(Elements()[0]), u"0001") << "no number used";

    // Print anyway; a printer that is only busy printing is not asked about.
    const QByteArray one = Expected(1);
    prompts_.answers = {true};
    Frame().OnCommand(kCmdDirectPrint);
    EXPECT_EQ(printer.Received(), one);
    printer.SetState(kPrinting);
    prompts_.questions.clear();
    MakeFrame(UiLanguage::Chinese);
    Label().ChooseDirectPrinter(printer.Address());
    Frame().OnCommand(kCmdDirectPrint);
    EXPECT_TRUE(prompts_.questions.isEmpty());
    EXPECT_EQ(StatusText(), "已将 1 张标签发送到 " + printer.Address());
}

TEST_F(DirectSend, ABatchRunAsksOnceAboutAPrinterThatCannotPrintAndKeepsItsFilesWhenDeclined) {
    SimulatedPrinter printer;
    Label().ChooseDirectPrinter(printer.Address());
    LabelDocument doc;
    doc.elements = {CreateElement(kShape, {10, 10})};
    const QString a = TempPath("a.lab"), b = TempPath("b.lab");
    ASSERT_TRUE(WriteLabelFile(a, doc, nullptr) && WriteLabelFile(b, doc, nullptr));
    printer.SetState(kHeadOpen);
    prompts_.printFiles = {a, b};
    prompts_.answers = {false};
    Frame().OnCommand(kCmdBatchPrint);
    Settle();
    EXPECT_EQ(prompts_.questions.size(), 1);
    EXPECT_EQ(Label().BatchQueue(), QStringList({a, b}));
    EXPECT_EQ(printer.JobSize(), 0);

    prompts_.printFiles.clear();
    prompts_.answers = {true};
    Frame().OnCommand(kCmdBatchPrint);
    Settle();
    EXPECT_EQ(prompts_.questions.size(), 2) << "asked once for the whole run";
    EXPECT_TRUE(Label().BatchQueue().isEmpty());
    // The printer reads what it acknowledged a moment later, each file's job on a connection of its own.
    QElapsedTimer clock;
    for (clock.start(); printer.Labels().size() < 2 && clock.elapsed() < 10000;) QThread::msleep(20);
    EXPECT_EQ(printer.Labels().size(), 2u);
}

TEST_F(DirectSend, TheStallBoxNamesTheStateAndFollowsItUntilThePrinterTakesDataAgain) {
    SimulatedPrinter printer(SimulatedPrinter::SmallBuffer());
    printer.SetStalled(true);
    printer.SetState(kOutOfPaper);
    LabelDocument doc;
    doc.widthMm = 100;
    doc.heightMm = 150;
    LabelElement block = CreateElement(kShape, {0, 0});
    block.nWidth = 790;
    block.nHeight = 1190;
    block.nLineWidth = 400;  // ink in every band: much more than the buffers hold
    doc.elements = {block};
    const LabelDocument original = doc;
    PrinterSettings settings;
    CodeImageCache codes;

    StallDialog wait(UiLanguage::English, &Frame(), 100);
    QStringList seen;
    QTimer probe;
    QObject::connect(&probe, &QTimer::timeout, [&] {
        if (!wait.Box().isVisible() || seen.contains(wait.Box().text())) return;
        seen << wait.Box().text();
        if (seen.size() == 1) printer.SetState(kCoverOpen);
        if (seen.size() == 2) printer.SetStalled(false);
    });
    probe.start(20);
    QStringList queue;
    const DirectPrintResult result =
        DirectPrintLabel({doc, settings, codes}, queue, UiLanguage::English, {}, {printer.Address(), {}}, &wait);
    EXPECT_EQ(result.status, DirectPrintStatus::Printed) << result.detail.toStdString();
    EXPECT_EQ(seen, QStringList({"Out of paper — waiting, load paper or Cancel",
                                 "Cover open — waiting, close the cover or Cancel"}));
    EXPECT_FALSE(wait.Box().isVisible()) << "gone by itself once the printer reads again";
    LabelDocument copy = original;
    const PrintStream expected = RenderPrintStream({copy, settings, codes});
    EXPECT_EQ(printer.Received(), expected.header + expected.body);
}

}  // namespace
}  // namespace kestrix
