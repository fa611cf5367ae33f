// Data merge in the editor: Input File and its data dialog, the row the
// canvas shows, the data file kept for the label file in the editor's
// settings, and Direct Send printing one label per row to the simulated
// printer, stopped between labels, refused whole on bad data.

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <functional>

#include "FrameFixture.h"
#include "SimulatedPrinter.h"
#include "app/CommandIds.h"
#include "app/RowSelector.h"
#include "dialogs/DataDialog.h"
#include "dialogs/MergeProgressDialog.h"
#include "dialogs/TextDialog.h"
#include "document/LabelFile.h"
#include "output/DrawLabel.h"

namespace kestrix {
namespace {

const QByteArray kProducts = "SKU;NAME\nKX-1;Tea\nKX-2;\"Coffee; dark\"\nKX-3;Honey\n";

class MergeFrameTest : public FrameTest {
protected:
    void SetUp() override {
        FrameTest::SetUp();
        WriteFile(QStringLiteral("products.csv"), kProducts);
        Elements().push_back(MakeElement(kText, 10, 10, 200, 40));
        SetElementText(Elements().back(), u"${NAME}");
        Elements().push_back(MakeElement(kBarcode, 10, 80, 300, 60));
        SetElementText(Elements().back(), u"${SKU}");
        Elements().push_back(MakeElement(kText, 10, 160, 120, 30));
        SetElementText(Elements().back(), u"N-001");
        Elements().back().nSerialMode = 1;
        Label().Session().TakeSnapshot();
    }

    void ChooseData(const QString& name, RowRange rows = {}, qint64 shown = 1) {
        prompts_.dataChoice = DataChoice{TempPath(name), rows, shown, 0};
        Frame().OnCommand(kCmdInputFile);
        Settle();
    }

    // The label as it prints with the values written in, serial numbers as they stand.
    QImage Written(const QString& name, const QString& sku) {
        LabelDocument doc = Label().Session().Document();
        SetElementText(doc.elements[0], name.toStdU16String());
        SetElementText(doc.elements[1], sku.toStdU16String());
        return DrawLabelImage(doc, Label().m_nDpiX, Label().m_nDpiY, Label().Context());
    }
};

TEST_F(MergeFrameTest, InputFileShowsTheChosenRowWhileTheLabelKeepsItsFields) {
    ASSERT_NE(Frame().MenuAction(kCmdInputFile), nullptr);
    EXPECT_EQ(Frame().MenuAction(kCmdInputFile)->text(), "&Input File...");
    prompts_.dataChoice.reset();
    Frame().OnCommand(kCmdInputFile);
    EXPECT_EQ(prompts_.dataFields, QStringList({"NAME", "SKU"}));
    EXPECT_FALSE(Label().Data().Attached()) << "cancelled";

    ChooseData("products.csv", {}, 2);
    EXPECT_EQ(Label().OutputImage(), Written("Coffee; dark", "KX-2")) << "the preview draws row 2";
    EXPECT_EQ(Texts(Elements()), QStringList({"${NAME}", "${SKU}", "N-001"}));
    EXPECT_EQ(Frame().Rows()->Text(), "products.csv: row 2 of 3");

    // The status bar's selector walks the rows and stops at the last.
    const auto press = [this](const char* button) {
        Frame().Rows()->findChild<QToolButton*>(button)->click();
        Settle();
    };
    press("nextRow");
    press("nextRow");
    EXPECT_EQ(Frame().Rows()->Text(), "products.csv: row 3 of 3");
    EXPECT_FALSE(Frame().Rows()->findChild<QToolButton*>("nextRow")->isEnabled());
    EXPECT_EQ(Label().OutputImage(), Written("Honey", "KX-3"));
    press("previousRow");
    press("previousRow");
    EXPECT_EQ(Label().Data().ShownNumber(), 1);
    EXPECT_FALSE(Frame().Rows()->findChild<QToolButton*>("previousRow")->isEnabled());
    // The canvas draws what the preview draws, without encoding again on each repaint.
    Canvas().repaint();
    EXPECT_TRUE(prompts_.messages.isEmpty()) << prompts_.messages.join('\n').toStdString();

    // A file with no rows is refused and the label keeps its data file.
    WriteFile(QStringLiteral("header.csv"), "SKU,NAME\n");
    ChooseData("header.csv");
    ASSERT_EQ(prompts_.messages.size(), 1);
    EXPECT_TRUE(prompts_.messages[0].startsWith("This data file cannot be used; the label keeps the one it had.\n" +
                                                TempPath("header.csv")))
        << prompts_.messages[0].toStdString();
    EXPECT_EQ(Label().Data().Path(), TempPath("products.csv"));

    prompts_.dataChoice = DataChoice{};
    Frame().OnCommand(kCmdInputFile);
    EXPECT_FALSE(Label().Data().Attached());
    EXPECT_TRUE(Frame().Rows()->Text().isEmpty());
}

TEST_F(MergeFrameTest, TheDataFileGoesWithTheLabelFileAndAMissingOneIsSaidOnce) {
    ASSERT_TRUE(Frame().SaveLabel(TempPath("a.lab")));
    ChooseData("products.csv", {}, 3);
    ASSERT_TRUE(Frame().SaveLabel(TempPath("b.lab"))) << "saved under a new name, the file keeps the data file";

    for (const char* name : {"a.lab", "b.lab"}) {
        MakeFrame(UiLanguage::English);
        Frame().OpenLabelFile(TempPath(name), true);
        EXPECT_EQ(Label().Data().Path(), TempPath("products.csv")) << name;
        EXPECT_EQ(Label().Data().ShownNumber(), 1) << "a label opens on the first row";
    }
    EXPECT_TRUE(prompts_.messages.isEmpty());
    prompts_.newSize = QSize(40, 30);
    prompts_.choices = {QMessageBox::No};
    Frame().OnCommand(kCmdNewLabel);
    EXPECT_FALSE(Label().Data().Attached()) << "a new label has no data file";

    ASSERT_TRUE(QFile::remove(TempPath("products.csv")));
    prompts_.messages.clear();
    MakeFrame(UiLanguage::Chinese);
    Frame().OpenLabelFile(TempPath("b.lab"), true);
    Canvas().repaint();
    Settle();
    ASSERT_EQ(prompts_.messages.size(), 1) << prompts_.messages.join('\n').toStdString();
    EXPECT_TRUE(prompts_.messages[0].startsWith("无法读取") && prompts_.messages[0].contains(TempPath("products.csv")));
    EXPECT_FALSE(Label().Data().Attached());
    EXPECT_EQ(Texts(Elements())[0], "${NAME}") << "the fields show as they stand";
}

TEST_F(MergeFrameTest, ElementDialogsOfferTheColumnsAsFieldsToInsert) {
    ChooseData("products.csv");
    Elements()[1].bSelected = 1;
    Label().Commands().DoubleClick(
        QPoint(static_cast<int>(20 * Label().ScaleX()), static_cast<int>(90 * Label().ScaleY())));
    EXPECT_EQ(prompts_.dialogs, QStringList{"barcode@10"});
    EXPECT_EQ(prompts_.columnsOffered, QStringList({"SKU", "NAME"}));

    LabelElement text = CreateElement(kText, {0, 0}, u"Price: ");
    for (const QStringList& columns : {QStringList{"SKU", "NAME"}, QStringList{}}) {
        TextDialog dialog(UiLanguage::Chinese, text, columns);
        dialog.show();
        auto* insert = dialog.findChild<QComboBox*>("insertField");
        ASSERT_NE(insert, nullptr);
        EXPECT_EQ(insert->isVisible(), !columns.isEmpty());
        if (columns.isEmpty()) continue;
        EXPECT_EQ(insert->itemText(0), "插入数据文件的字段...");
        auto* edit = dialog.findChild<QLineEdit*>("1000");
        edit->setCursorPosition(edit->text().size());
        emit insert->activated(2);
        EXPECT_EQ(dialog.Text(), "Price: ${NAME}");
        EXPECT_EQ(insert->currentIndex(), 0) << "ready for the next field";
    }
}

class MergePrintTest : public MergeFrameTest {
protected:
    void SetUp() override {
        MergeFrameTest::SetUp();
        Label().SetPrinterTarget({printer_.Address(), {}});
    }
    // `count` rows with a note of `bytes` bytes each (a column the label does not use).
    void WriteRows(const QString& name, int count, int bytes = 10) {
        QByteArray rows = "SKU,NAME,NOTE\n";
        for (int i = 1; i <= count; ++i) rows += QByteArray::number(i) + ",Item," + QByteArray(bytes, 'x') + '\n';
        WriteFile(name, rows);
    }
    // Runs `command`, doing `atThird` once the progress window counts three
    // labels sent, as a user would; gives the labels the printer received.
    qsizetype RunAtThirdLabel(int command, const std::function<void(MergeProgressDialog&)>& atThird) {
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            for (auto* progress : Frame().findChildren<MergeProgressDialog*>())
                if (progress->isVisible() && progress->value() >= 3) {
                    poll.stop();
                    atThird(*progress);
                }
        });
        poll.start(1);
        Frame().OnCommand(command);
        Settle();
        return printer_.Received().count("PRINT 1,1");
    }
    // The serial number after `printed` labels.
    static QString Serial(qsizetype printed) { return QString("N-%1").arg(printed + 1, 3, 10, QChar('0')); }

    SimulatedPrinter printer_;
};

TEST_F(MergePrintTest, DirectSendPrintsOneLabelPerChosenRowAndCountsOnePerLabel) {
    ChooseData("products.csv", {2, 0});
    Frame().OnCommand(kCmdDirectPrint);
    printer_.Received();
    EXPECT_EQ(printer_.Labels().size(), 2);
    EXPECT_EQ(Texts(Elements()), QStringList({"${NAME}", "${SKU}", "N-003"}));
    EXPECT_TRUE(prompts_.messages.isEmpty()) << prompts_.messages.join('\n').toStdString();
}

TEST_F(MergePrintTest, BadDataIsToldWithItsLineAndNothingIsSentNorChanged) {
    const std::pair<QByteArray, QString> cases[] = {
        {"SKU,NAME\nKX-1,Tea\nKX-2,\"Coffee\n", "line 3"},
        {"SKU,TITLE\nKX-1,Tea\n", "${NAME}"},
        {"SKU,NAME\nKX-1,Tea,extra\n", "row 1"},
    };
    for (const auto& [bytes, named] : cases) {
        WriteFile(QStringLiteral("bad.csv"), bytes);
        ChooseData("bad.csv");
        const LabelDocument before = Label().Session().Document();
        const int snapshots = Snapshots();
        prompts_.messages.clear();
        Frame().OnCommand(kCmdDirectPrint);
        ASSERT_EQ(prompts_.messages.size(), 1) << named.toStdString();
        EXPECT_TRUE(prompts_.messages[0].contains(TempPath("bad.csv")) && prompts_.messages[0].contains(named))
            << prompts_.messages[0].toStdString();
        EXPECT_TRUE(SameElements(before.elements, Elements()));
        EXPECT_EQ(Snapshots(), snapshots);
    }
    // A value longer than its text holds is cut only when the user says so.
    WriteFile(QStringLiteral("long.csv"), "SKU,NAME\nKX-1," + QByteArray(300, 'x') + '\n');
    ChooseData("long.csv");
    prompts_.answers = {false};
    Frame().OnCommand(kCmdDirectPrint);
    ASSERT_EQ(prompts_.questions.size(), 1);
    EXPECT_TRUE(prompts_.questions[0].contains(TempPath("long.csv") + ", line 2 (row 1)"))
        << prompts_.questions[0].toStdString();
    EXPECT_EQ(printer_.JobSize(), 0);
}

TEST_F(MergePrintTest, CancelOrAFileWrittenMeanwhileStopsBetweenLabelsAndTheNumbersFollowWhatWasPrinted) {
    WriteRows(QStringLiteral("many.csv"), 40);
    ChooseData("many.csv");
    const qsizetype cancelled = RunAtThirdLabel(kCmdDirectPrint, [](MergeProgressDialog& p) { p.cancel(); });
    EXPECT_GE(cancelled, 3);
    EXPECT_LT(cancelled, 40);
    EXPECT_EQ(prompts_.messages,
              QStringList(QString("Printing stopped after %1 of 40 labels.|Kestrix").arg(cancelled)));
    EXPECT_EQ(Texts(Elements())[2], Serial(cancelled));

    // Rows of a kilobyte each, so the file is still being read while the labels go.
    WriteRows(QStringLiteral("long.csv"), 200, 1000);
    ChooseData("long.csv");
    prompts_.messages.clear();
    const qsizetype printed =
        RunAtThirdLabel(kCmdDirectPrint,
                        [this](MergeProgressDialog&) {
                            QFile file(TempPath("long.csv"));
                            ASSERT_TRUE(file.open(QIODevice::Append) && file.write("201,Late\n") > 0);
                        }) -
        cancelled;
    EXPECT_LT(printed, 200);
    EXPECT_EQ(printer_.Resets(), 0) << "the labels sent before the change arrive whole";
    ASSERT_EQ(prompts_.messages.size(), 1);
    EXPECT_TRUE(prompts_.messages[0].startsWith(QString("Printing stopped after %1 of 200 labels: ").arg(printed)) &&
                prompts_.messages[0].contains(TempPath("long.csv")))
        << prompts_.messages[0].toStdString();
    EXPECT_EQ(Texts(Elements())[2], Serial(cancelled + printed));
}

TEST_F(MergePrintTest, BatchPrintingPrintsEachLabelFileWithItsOwnDataFile) {
    const QStringList files = {TempPath("a.lab"), TempPath("b.lab"), TempPath("c.lab"), TempPath("d.lab"),
                               TempPath("e.lab")};
    for (const QString& path : files) ASSERT_TRUE(Frame().SaveLabel(path));
    WriteFile(QStringLiteral("bad.csv"), "SKU,NAME\nKX-1,Tea\nKX-2,\"Coffee\n");
    WriteRows(QStringLiteral("many.csv"), 40);
    LabelData::Remember(files[1], TempPath("products.csv"));
    LabelData::Remember(files[2], TempPath("bad.csv"));
    LabelData::Remember(files[3], TempPath("many.csv"));
    prompts_.printFiles = files;
    // a.lab has no data file: one label; b.lab one per row; c.lab's damaged file prints nothing;
    // Cancel in d.lab's rows ends the run and e.lab stays queued.
    const qsizetype printed = RunAtThirdLabel(kCmdBatchPrint, [](MergeProgressDialog& p) { p.cancel(); });
    EXPECT_EQ(Label().BatchQueue(), QStringList{files[4]});
    const QStringList serials = {"N-002", "N-004", "N-001", Serial(printed - 4)};
    for (int k = 0; k < 4; ++k) {
        LabelDocument doc;
        ASSERT_TRUE(ReadLabelFile(files[k], doc, nullptr));
        EXPECT_EQ(Texts(doc.elements)[2], serials[k]) << "saved with the next number: " << k;
    }
    ASSERT_EQ(prompts_.messages.size(), 2);
    EXPECT_TRUE(prompts_.messages[1].contains(files[2] + ": its data file: " + TempPath("bad.csv")))
        << prompts_.messages[1].toStdString();
}

TEST(DataDialog, ShowsTheFirstRowsTheFieldsWithoutAColumnAndTheRowsChosen) {
    TestApp();
    QTemporaryDir dir;
    const QString csv = dir.filePath("many.csv");
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("SKU\tNAME\n");
    for (int i = 1; i <= 250; ++i) file.write("KX-" + QByteArray::number(i) + "\tItem\n");
    file.close();

    DataDialog dialog(UiLanguage::English, {csv, {5, 2}, 7, 0}, {"SKU", "PRICE"});
    EXPECT_EQ(dialog.Table()->rowCount(), DataDialog::kPreviewRows);
    EXPECT_EQ(dialog.Table()->horizontalHeaderItem(1)->text(), "NAME");
    EXPECT_EQ(dialog.Table()->item(6, 0)->text(), "KX-7");
    EXPECT_EQ(dialog.Table()->currentRow(), 6) << "the row shown is selected";
    EXPECT_EQ(dialog.FileNote(), "The first 100 data rows are shown; 2 columns.");
    EXPECT_TRUE(dialog.FieldNote().contains("No column for: ${PRICE}")) << dialog.FieldNote().toStdString();
    const DataChoice chosen = dialog.Choice();
    EXPECT_EQ(std::tuple(chosen.rows.first, chosen.rows.last, chosen.shownRow, chosen.knownRows),
              std::tuple(2, 5, 7, 0))
        << "a range given backwards is taken as meant";
    dialog.findChild<QRadioButton*>("allRows")->setChecked(true);
    EXPECT_EQ(std::pair(dialog.Choice().rows.first, dialog.Choice().rows.last), std::pair(qint64(1), qint64(0)));

    // A file that cannot be a data file cannot be chosen.
    DataDialog bad(UiLanguage::Chinese, {dir.path(), {}, 1, 0}, {"SKU"});
    EXPECT_FALSE(bad.findChild<QPushButton*>("1")->isEnabled());
    EXPECT_TRUE(bad.FileNote().contains(dir.path())) << bad.FileNote().toStdString();
    EXPECT_EQ(bad.windowTitle(), "导入文件");
}

}  // namespace
}  // namespace kestrix
