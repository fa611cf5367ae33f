// The print preview: the printer list, the copies field, Print, and the
// serial advance of every repaint.

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include "CupsTestServer.h"
#include "FrameFixture.h"
#include "dialogs/PrintPreviewDialog.h"
#include "document/SerialNumber.h"

namespace kestrix {
namespace {

class PrintPreview : public FrameTest {
protected:
    LabelElement& AddSerial(const char16_t* content) {
        LabelElement& e = Elements().emplace_back(CreateElement(kText, {20, 20}, content));
        e.nSerialMode = kSerialIncrement;
        return e;
    }
};

TEST_F(PrintPreview, EveryRepaintDrawsTheLabelFittedWithTheNumbersThatWillPrint) {
    AddSerial(u"0001");
    PrintPreviewDialog dialog(UiLanguage::English, Label());
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    QImage first = dialog.grab().toImage();
    EXPECT_EQ(dialog.grab().toImage(), first) << "the same number on every repaint";
    EXPECT_EQ(ElementText(Elements()[0]), u"0001");
    EXPECT_EQ(Snapshots(), 0);
    Elements()[0].str[3] = u'7';
    EXPECT_NE(dialog.grab().toImage(), first) << "what it shows is the label's own number";
    // The label stands inside the frame's border, in white.
    const QRect label = dialog.LabelRect();
    const QRect frame = dialog.PreviewFrame()->geometry();
    EXPECT_TRUE(frame.adjusted(0, dialog.PreviewFrame()->fontMetrics().height(), 0, 0).contains(label));
    EXPECT_GT(label.height(), frame.height() / 2);
    EXPECT_GT(first.pixelColor(label.right() - 2, label.bottom() - 2).lightness(), 240);
}

TEST_F(PrintPreview, ListsThePrintersWithTheDefaultAndPrintsTheCopiesTyped) {
    KESTRIX_REQUIRE_CUPSD();
    Elements().emplace_back(CreateElement(kShape, {20, 20}));
    PrintPreviewDialog dialog(UiLanguage::English, Label());
    QStringList printers;
    for (int i = 0; i < dialog.PrinterList()->count(); ++i) printers << dialog.PrinterList()->itemText(i);
    EXPECT_TRUE(printers.contains("kestrix-pdf") && printers.contains("kestrix-refusing"));
    EXPECT_EQ(dialog.PrinterList()->currentText(), "kestrix-pdf");

    EXPECT_EQ(dialog.CopiesEdit()->text(), "1");
    dialog.CopiesEdit()->clear();
    QTest::keyClicks(dialog.CopiesEdit(), "2x-");  // digits only
    EXPECT_EQ(dialog.CopiesEdit()->text(), "2");
    const QList<int> before = CupsTestServer::Jobs();
    dialog.PrintLabel();
    const QList<int> after = CupsTestServer::Jobs();
    ASSERT_EQ(after.size(), before.size() + 1);
    EXPECT_EQ(CupsTestServer::JobCopies(after.last()), 2);
    EXPECT_EQ(prompts_.printDialogs, 0);

    // Properties: the page setup shows the label's paper, not the queue's A4.
    QString shown;
    QTimer::singleShot(0, [&] {
        auto* setup = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!setup) return;
        const auto* width = setup->findChild<QDoubleSpinBox*>("pageWidth");
        const auto* height = setup->findChild<QDoubleSpinBox*>("pageHeight");
        if (width && height) shown = QString("%1 x %2").arg(width->value()).arg(height->value());
        setup->reject();
    });
    dialog.ShowProperties();
    EXPECT_EQ(shown, QString("%1 x %2").arg(Label().LabelWidthMm()).arg(Label().LabelHeightMm()));
}

}  // namespace
}  // namespace kestrix
