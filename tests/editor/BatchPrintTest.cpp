// Batch printing from the editor: the file list and the run that command 32774
// starts, printed into a file standing for the printer; and the wait for a
// stalled printer.

#include <QAbstractButton>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QThread>
#include <QTimer>

#include "FrameFixture.h"
#include "app/CommandIds.h"
#include "dialogs/FileListDialog.h"
#include "dialogs/StallDialog.h"
#include "document/LabelFile.h"
#include "editor/PrintQueuedLabels.h"

namespace kestrix {
namespace {

class BatchPrintTest : public FrameTest {
protected:
    void SetUp() override {
        FrameTest::SetUp();
        WriteFile(QStringLiteral("printer"), {});
        Label().SetPrinterTarget({TempPath("printer"), {}});
        WriteFile(QStringLiteral("printer.ini"), "[Print Settings]\nSpeed=3\nCutting=2\n");
        LoadPrinterSettings(Label().Settings(), TempPath("printer.ini"));
    }

    // A label of the given size with a numbered text, a barcode and a frame,
    // saved with a printer name so a tail after its records reads as designed.
    QString SavedLabel(const QString& name, int widthMm, int heightMm, const char16_t* number) {
        LabelDocument doc{widthMm, heightMm, "TSC", {}, {CreateElement(kText, {20, 16}, number)}};
        doc.elements[0].nWidth = 150;
        doc.elements[0].nHeight = 40;
        doc.elements[0].nSerialMode = 1;
        doc.elements.push_back(CreateElement(kBarcode, {20, 70}, u"0123456789"));
        doc.elements.push_back(CreateElement(kShape, {4, 4}));
        doc.elements.back().nWidth = 200;
        doc.elements.back().nHeight = 160;
        EXPECT_TRUE(WriteLabelFile(TempPath(name), doc, nullptr));
        return TempPath(name);
    }

    // What `kestrix-cli tspl` writes for a label file with the same settings.
    QByteArray Tspl(const QString& path) {
        QProcess cli;
        cli.start(QCoreApplication::applicationDirPath() + QStringLiteral("/kestrix-cli"),
                  {"tspl", path, "--settings", TempPath("printer.ini"), "-o", TempPath("expected")});
        EXPECT_TRUE(cli.waitForFinished() && cli.exitCode() == 0);
        return FileBytes(TempPath("expected"));
    }

    QByteArray Printed() { return FileBytes(TempPath("printer")); }

    // Everything of the open label that must come back after a run.
    QByteArray OpenLabelState() {
        const UndoSnapshots& u = Label().Session().Undo();
        return LabelFileBytes(Label().Session().Document()).toHex() + LabelPath().toUtf8() +
               QString("|%1,%2,%3|%4")
                   .arg(u.nSnapshotCount())
                   .arg(u.nSnapshotPos())
                   .arg(u.nSnapshotTop())
                   .arg(Canvas().LabelRect().width())
                   .toUtf8();
    }
};

TEST_F(BatchPrintTest, FileListKeepsPathsSortedWithDuplicates) {
    prompts_.openNameLists = {{"/l/b.lab"}, {}, {"/l/a.lab", "/l/C.lab"}, {"/l/b.lab"}};
    FileListDialog dialog(UiLanguage::Chinese, prompts_, &Frame());
    for (int i = 0; i < 4; ++i) dialog.AddButton()->click();
    EXPECT_EQ(dialog.windowTitle() + prompts_.filters.last(), "选择打印文件标签文件(*.lab)");
    EXPECT_EQ(prompts_.filters.size(), 4);
    dialog.PrintButton()->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Paths(), QStringList({"/l/a.lab", "/l/b.lab", "/l/b.lab", "/l/C.lab"}));
}

TEST_F(BatchPrintTest, QueuedLabelsPrintOnTheirOwnAsTheCliWritesThemKeepingTheirNextNumbers) {
    const QString a = SavedLabel("a.lab", 50, 80, u"A-007"), b = SavedLabel("b.lab", 40, 30, u"B-1"),
                  c = SavedLabel("c.lab", 60, 40, u"C-99");
    const QByteArray expected = Tspl(a) + Tspl(b) + Tspl(c);
    // The open label has a serial number too; it is neither printed nor advanced.
    Elements().push_back(MakeElement(kText, 30, 30, 150, 40));
    SetElementText(Elements().back(), u"OPEN-1");
    Elements().back().nSerialMode = 1;
    LabelPath() = TempPath("open.lab");
    Label().Session().TakeSnapshot();
    const QByteArray before = OpenLabelState();

    prompts_.printFiles = {a, b, TempPath("gone.lab"), c};
    Frame().OnCommand(kCmdBatchPrint);
    EXPECT_TRUE(Printed().isEmpty()) << "32774 is posted, not run inside the batch operation";
    Settle();
    EXPECT_EQ(Printed(), expected);
    EXPECT_TRUE(Frame().statusBar()->currentMessage().startsWith("3 labels sent to "))
        << Frame().statusBar()->currentMessage().toStdString();
    EXPECT_TRUE(Label().BatchQueue().isEmpty());
    EXPECT_EQ(OpenLabelState(), before);
    ASSERT_EQ(prompts_.messages.size(), 1);
    EXPECT_TRUE(prompts_.messages[0].contains(u"gone.lab"));
    // Each file now holds the number its next label prints.
    QStringList next;
    for (const QString& path : {a, b, c}) {
        LabelDocument doc;
        ASSERT_TRUE(ReadLabelFile(path, doc, nullptr));
        next << QString::fromStdU16String(ElementText(doc.elements[0]));
    }
    EXPECT_EQ(next, QStringList({"A-008", "B-2", "C-00"}));

    // A file whose next numbers cannot be saved is printed, and the user told:
    // a name so long that the temporary file beside it cannot be made.
    const QString longName = SavedLabel(QString(250, u'n') + ".lab", 50, 80, u"L-1");
    prompts_.messages.clear();
    prompts_.printFiles = {longName};
    Frame().OnCommand(kCmdBatchPrint);
    Settle();
    ASSERT_EQ(prompts_.messages.size(), 1);
    EXPECT_TRUE(prompts_.messages[0].startsWith("These labels were printed, but their next serial numbers could not"));
    EXPECT_TRUE(prompts_.messages[0].contains(longName));
    EXPECT_EQ(Printed().count("PRINT 1,1\r\n"), 4);
}

TEST_F(BatchPrintTest, CancelBetweenLabelsLeavesTheRestQueuedWhichNoPrinterEmpties) {
    const QStringList paths = {SavedLabel("a.lab", 50, 80, u"A1"), SavedLabel("b.lab", 40, 30, u"B1"),
                               SavedLabel("c.lab", 60, 40, u"C1"), SavedLabel("d.lab", 30, 20, u"D1")};
    AddShape(300, 300, true);
    LabelElement& line = Elements().emplace_back(CreateElement(kLine, {40, 40}, {}, {90, 70}));
    line.bSelected = 0;
    line.nSize = -1;
    LabelPath() = TempPath("open.lab");
    Label().Session().TakeSnapshot();
    Canvas().ZoomCanvas(1.25);
    Settle();  // painting stores the selected shape's handle points
    const QByteArray before = OpenLabelState();

    prompts_.printFiles = paths;
    {
        const QSignalBlocker unannounced(Label());  // the run is started by hand below
        Label().BatchPrint();
    }
    QStringList steps;
    const auto step = [&steps](int number, int count, const QString& path) {
        steps << QString("%1/%2 %3").arg(number).arg(count).arg(QFileInfo(path).fileName());
        return number < 3;
    };
    const BatchPrintOutcome outcome = PrintQueuedLabels(Label(), step, {});
    EXPECT_EQ(steps, QStringList({"1/4 a.lab", "2/4 b.lab", "3/4 c.lab"}));
    EXPECT_TRUE(outcome.cancelled && outcome.printed == 2 && Printed().count("PRINT 1,1\r\n") == 2);
    EXPECT_EQ(Label().BatchQueue(), paths.mid(2));
    EXPECT_EQ(OpenLabelState(), before);

    // A cancelled list starts the files left; with no printer the queue is
    // emptied and the message shown once.
    Label().SetPrinterTarget({QString(), {TempPath("sys"), TempPath("dev")}});
    prompts_.printFiles.clear();
    Frame().OnCommand(kCmdBatchPrint);
    Settle();
    EXPECT_TRUE(Label().BatchQueue().isEmpty());
    EXPECT_EQ(prompts_.messages, QStringList{"Printer not connected!|Kestrix"});
    EXPECT_EQ(OpenLabelState(), before);
}

struct PaintCounter : QWidget {
    void paintEvent(QPaintEvent*) override { ++paints; }
    int paints = 0;
};

// A printer that never takes data again: the box says so in the interface's language
// while the window goes on painting, and its Cancel ends the job. (The box going by
// itself once the printer reads again: DirectSend.)
TEST(StallDialog, WindowPaintsMessageShowsInItsLanguageAndCancelEndsTheJob) {
    TestApp();
    PaintCounter window;
    window.show();
    const std::pair<UiLanguage, QString> cases[] = {
        {UiLanguage::Chinese, "打印机没有接收数据（是否缺纸或上盖没有合好？）|Dravel标签编辑器|取消"},
        {UiLanguage::English, "The printer is not taking data (out of paper or cover open?)|Kestrix|Cancel"},
    };
    for (const auto& [language, message] : cases) {
        StallDialog wait(language, &window, 100);
        QStringList seen;
        QTimer probe;
        QObject::connect(&probe, &QTimer::timeout, [&] {
            window.update();
            QMessageBox& box = wait.Box();
            if (QApplication::activeModalWidget() != &box) return;
            seen << box.text() + '|' + box.windowTitle() + '|' + box.button(QMessageBox::Cancel)->text();
            if (seen.size() == 3) QTest::mouseClick(box.button(QMessageBox::Cancel), Qt::LeftButton);
        });
        probe.start(50);
        const auto printer = [](QByteArrayView, int, QString*) -> qint64 {
            QThread::msleep(20);
            return 0;
        };
        const int paintsBefore = window.paints;
        StallWatch::Outcome sent = StallWatch::Outcome::Failed;
        wait.Run([&] { sent = wait.Send("CLS\r\n", printer, nullptr); });
        EXPECT_EQ(sent, StallWatch::Outcome::Cancelled);
        EXPECT_EQ(seen.value(0), message);
        EXPECT_FALSE(wait.Box().isVisible()) << "gone once the job is over";
        EXPECT_GT(window.paints, paintsBefore + 3) << "the window went on painting";
    }
}

}  // namespace
}  // namespace kestrix
