// The printer chooser: the address in use is listed and selected whatever
// became of its printer, OK keeps it exactly, and every printer that can be
// asked shows the state it reports.

#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include "FrameFixture.h"
#include "SimulatedPrinter.h"
#include "dialogs/PrinterDialog.h"
#include "output/PrinterStatus.h"

namespace kestrix {
namespace {

QString Selected(const PrinterDialog& dialog) {
    const QListWidgetItem* item = dialog.Choices()->currentItem();
    return item ? item->text() : QString();
}

TEST(PrinterDialog, TheAddressInUseIsSelectedAndKeptExactlyAlsoWhenItsPrinterIsGone) {
    TestApp();
    QTemporaryDir dir;
    const QString file = dir.filePath("labels.prn");
    QFile(file).open(QIODevice::WriteOnly);
    const std::pair<QString, QString> cases[] = {
        {"usb", "USB label printer (the first one found)"}, {"cups:kestrix-pdf", "CUPS queue kestrix-pdf"},
        {"cups:gone", "CUPS queue gone — not found"},       {file, "Device or file " + file},
        {"/dev/usb/lp9", "/dev/usb/lp9 — not found"},
    };
    for (const auto& [address, shown] : cases) {
        PrinterDialog dialog(UiLanguage::English, {}, {"kestrix-pdf"}, address);
        dialog.show();
        // Focus on the list must not pick another entry.
        dialog.Choices()->setFocus();
        QApplication::processEvents();
        EXPECT_EQ(Selected(dialog), shown) << address.toStdString();
        dialog.accept();
        EXPECT_EQ(dialog.Address(), address);
    }
}

TEST(PrinterDialog, EachPrinterThatCanBeAskedShowsItsState) {
    TestApp();
    SimulatedPrinter network;
    network.SetState(kOutOfPaper);
    SimulatedPrinter usb;
    const QString pty = usb.PtyPath();
    if (pty.isEmpty()) GTEST_SKIP() << "no pseudo-terminals here";
    PrinterDialog dialog(UiLanguage::Chinese, {pty}, {}, network.Address());
    dialog.show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialog.StatesKnown(); }, 5000));
    QApplication::processEvents();
    EXPECT_EQ(dialog.Choices()->item(1)->text(), "USB 标签打印机 " + pty + " — 就绪");
    EXPECT_EQ(Selected(dialog), "网络打印机 " + network.Address() + " — 缺纸") << "the address in use, selected";
    EXPECT_EQ(dialog.AddressEdit()->text(), network.Address());
}

}  // namespace
}  // namespace kestrix
