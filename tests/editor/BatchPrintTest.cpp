// Batch printing in the editor: the file list, the canvas's batch operation and
// the run command 32774 starts, printed into a file standing for the printer.

#include <QLabel>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>

#include "FrameFixture.h"
#include "app/CommandIds.h"
#include "dialogs/FileListDialog.h"
#include "document/LabelFile.h"
#include "editor/PrintQueuedLabels.h"
#include "output/BatchQueue.h"

namespace kestrix {
namespace {

QStringList Texts(const std::vector<LabelElement>& elements) {
    QStringList out;
    for (const LabelElement& e : elements) out << QString::fromStdU16String(ElementText(e));
    return out;
}

QStringList ListTexts(const QListWidget* list) {
    QStringList out;
    for (int row = 0; row < list->count(); ++row) out << list->item(row)->text();
    return out;
}

class BatchPrintTest : public FrameTest {
protected:
    void SetUp() override {
        FrameTest::SetUp();
        WriteFile(QStringLiteral("printer"), {});
        Canvas().SetPrinterTarget({TempPath("printer"), {}});
        WriteFile(QStringLiteral("printer.ini"), "[Print Settings]\nSpeed=3\nCutting=2\n");
        LoadPrinterSettings(Canvas().Settings(), TempPath("printer.ini"));
    }

    // A label of the given size with a numbered text, a barcode and a frame.
    QString Label(const QString& name, int widthMm, int heightMm, const char16_t* number) {
        LabelDocument doc;
        doc.widthMm = widthMm;
        doc.heightMm = heightMm;
        LabelElement text = CreateElement(kText, {20, 16}, number);
        text.nWidth = 150;
        text.nHeight = 40;
        text.nSerialMode = 1;
        LabelElement frame = CreateElement(kShape, {4, 4});
        frame.nWidth = 200;
        frame.nHeight = 160;
        doc.elements = {text, CreateElement(kBarcode, {20, 70}, u"0123456789"), frame};
        const QString path = TempPath(name);
        EXPECT_TRUE(WriteLabelFile(path, doc, nullptr));
        return path;
    }

    // What `kestrix-cli tspl` writes for a label file with the same settings.
    QByteArray Tspl(const QString& path) {
        QProcess cli;
        cli.start(QCoreApplication::applicationDirPath() + QStringLiteral("/kestrix-cli"),
                  {QStringLiteral("tspl"), path, QStringLiteral("--settings"), TempPath("printer.ini"),
                   QStringLiteral("-o"), TempPath("expected.tspl")});
        EXPECT_TRUE(cli.waitForFinished() && cli.exitCode() == 0) << cli.readAllStandardError().toStdString();
        return FileBytes(TempPath("expected.tspl"));
    }

    static QByteArray FileBytes(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QByteArray Printed() { return FileBytes(TempPath("printer")); }

    // Everything of the open label that must come back after a run.
    QString OpenLabelState() {
        const UndoSnapshots& undo = Canvas().Session().Undo();
        return QStringLiteral("%1|%2|%3,%4,%5|%6x%7")
            .arg(QString::fromLatin1(LabelFileBytes(Canvas().Session().Document()).toHex()), LabelPath())
            .arg(undo.nSnapshotCount())
            .arg(undo.nSnapshotPos())
            .arg(undo.nSnapshotTop())
            .arg(Canvas().width())
            .arg(Canvas().height());
    }
};

TEST_F(BatchPrintTest, FileListKeepsPathsSortedWithDuplicatesAndPrintHandsThemOver) {
    struct Case {
        UiLanguage language;
        QStringList texts;  // title, caption, buttons
        const char* filter;
    };
    const Case cases[] = {
        {UiLanguage::English, {"Select File To Print", "File List:", "Add File", "Print"}, "Lable Files(*.lab)"},
        {UiLanguage::Chinese, {"选择打印文件", "打印文件列表", "添加文件", "打印"}, "标签文件(*.lab)"},
    };
    for (const Case& c : cases) {
        prompts_.filters.clear();
        prompts_.openNameLists = {{"/l/b.lab"}, {}, {"/l/a.lab", "/l/C.lab"}, {"/l/b.lab"}};
        FileListDialog dialog(c.language, prompts_, &Frame());
        for (int i = 0; i < 4; ++i) dialog.AddButton()->click();
        const QLabel* caption = dialog.findChild<QLabel*>(QStringLiteral("1033"));
        EXPECT_EQ((QStringList{dialog.windowTitle(), caption->text(), dialog.AddButton()->text(),
                               dialog.PrintButton()->text()}),
                  c.texts);
        EXPECT_EQ(prompts_.filters, QStringList(4, QString::fromUtf8(c.filter)));
        const QStringList sorted = {"/l/a.lab", "/l/b.lab", "/l/b.lab", "/l/C.lab"};
        EXPECT_EQ(ListTexts(dialog.List()), sorted);
        dialog.PrintButton()->click();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(dialog.Paths(), sorted);
    }
}

TEST_F(BatchPrintTest, BatchOperationServesOnePathPerRunEvenWhenTheListIsCancelled) {
    const QStringList paths = {Label("a.lab", 50, 80, u"A1"), Label("b.lab", 40, 30, u"B1"),
                               Label("c.lab", 40, 30, u"C1")};
    LabelCanvas canvas(UiLanguage::English, nullptr, TempPath("undo"));
    canvas.SetPrompts(&prompts_);
    canvas.Elements().push_back(CreateElement(kText, {0, 0}, u"own"));
    QSignalSpy loaded(&canvas, &LabelCanvas::QueuedLabelLoaded);

    prompts_.printFiles = paths;
    canvas.BatchPrint();
    EXPECT_EQ(Texts(canvas.Elements()), QStringList({"own", "A1", "0123456789", ""}));
    EXPECT_EQ(canvas.BatchQueue(), paths.mid(1));
    ASSERT_EQ(loaded.size(), 1);
    EXPECT_EQ(loaded[0], QVariantList({paths[0], 1}));

    prompts_.printFiles.clear();  // cancelled
    canvas.BatchPrint();
    EXPECT_EQ(Texts(canvas.Elements()).mid(4, 1), QStringList{"B1"});
    EXPECT_EQ(canvas.BatchQueue(), paths.mid(2));
    EXPECT_EQ(loaded.size(), 2);

    canvas.BatchQueue() = {TempPath("gone.lab")};
    canvas.BatchPrint();
    canvas.BatchPrint();
    EXPECT_TRUE(canvas.BatchQueue().isEmpty());
    EXPECT_EQ(loaded.size(), 2) << "nothing joined, nothing announced";
    EXPECT_EQ(prompts_.printDialogs, 4);
}

TEST_F(BatchPrintTest, QueuedLabelsPrintBackToBackAsTheCliWritesThemAndTheOpenLabelComesBack) {
    // The first file joins the label on the canvas, which is empty here and of
    // the same size, so every job is that file's own stream.
    const QString a = Label("a.lab", 50, 80, u"A-007");
    const QString b = Label("b.lab", 40, 30, u"B-1");
    const QString c = Label("c.lab", 60, 40, u"C-99");
    const QByteArray expected = Tspl(a) + Tspl(b) + Tspl(c);
    LabelPath() = TempPath("open.lab");
    Canvas().Session().TakeSnapshot();
    const QString before = OpenLabelState();

    prompts_.printFiles = {a, b, TempPath("gone.lab"), c};
    Frame().OnCommand(kCmdBatchPrint);
    EXPECT_EQ(Elements().size(), 3u);
    EXPECT_TRUE(Printed().isEmpty()) << "32774 is posted, not run inside the batch operation";
    Settle();
    EXPECT_EQ(Printed(), expected);
    EXPECT_TRUE(Canvas().BatchQueue().isEmpty());
    EXPECT_EQ(OpenLabelState(), before);
    ASSERT_EQ(prompts_.messages.size(), 1);
    EXPECT_TRUE(prompts_.messages[0].startsWith(u"These label files could not be opened") &&
                prompts_.messages[0].contains(u"gone.lab"));
}

TEST_F(BatchPrintTest, CancelAfterTheFirstLabelLeavesTheRestQueuedForTheNextRun) {
    const QString a = Label("a.lab", 50, 80, u"A1");
    const QString b = Label("b.lab", 40, 30, u"B1");
    const QString c = Label("c.lab", 60, 40, u"C1");
    AddShape(300, 300, true);
    LabelPath() = TempPath("open.lab");
    Canvas().Session().TakeSnapshot();
    Canvas().ZoomCanvas(60);
    Settle();  // painting stores the selected shape's handle points
    const QString before = OpenLabelState();

    Canvas().BatchQueue() = {a, b, c};
    ServeQueuedLabel(Canvas().BatchQueue(), Elements());
    QStringList steps;
    const BatchPrintOutcome outcome = PrintQueuedLabels(
        Canvas(), a, 1,
        [&steps](int number, int count, const QString& path) {
            steps << QStringLiteral("%1/%2 %3").arg(number).arg(count).arg(QFileInfo(path).fileName());
            return number < 2;
        },
        {});
    EXPECT_EQ(steps, QStringList({"1/3 a.lab", "2/3 b.lab"}));
    EXPECT_TRUE(outcome.cancelled && outcome.printed == 1);
    const QByteArray first = Printed();
    EXPECT_EQ(first.count("PRINT 1,1\r\n"), 1);
    EXPECT_EQ(Canvas().BatchQueue(), QStringList({b, c}));
    EXPECT_EQ(OpenLabelState(), before);

    // Select Label Files, even cancelled, takes the queue up again.
    prompts_.printFiles.clear();
    Frame().OnCommand(kCmdBatchPrint);
    Settle();
    EXPECT_TRUE(Canvas().BatchQueue().isEmpty());
    EXPECT_TRUE(Printed().startsWith(first));
    // The joined b, then c opened at its own size.
    EXPECT_EQ(Printed().mid(first.size()).count("SIZE 60 mm"), 1);
    EXPECT_EQ(Printed().count("PRINT 1,1\r\n"), 3);
    EXPECT_EQ(OpenLabelState(), before);
}

TEST_F(BatchPrintTest, NoPrinterEmptiesTheQueueAndSaysSoOnce) {
    Canvas().SetPrinterTarget({QString(), {TempPath("sys"), TempPath("dev")}});
    AddShape(10, 10, false);
    const QString before = OpenLabelState();
    prompts_.printFiles = {Label("a.lab", 50, 80, u"A1"), Label("b.lab", 40, 30, u"B1"),
                           Label("c.lab", 40, 30, u"C1")};
    Frame().OnCommand(kCmdBatchPrint);
    Settle();
    EXPECT_TRUE(Canvas().BatchQueue().isEmpty());
    EXPECT_EQ(prompts_.messages, QStringList{"Printer not connected!|Vantic"});
    EXPECT_EQ(OpenLabelState(), before);
}

}  // namespace
}  // namespace kestrix
