// The printer of the direct print job chosen in the editor: "Printer..." keeps
// the choice for the next start, the job sends the label there, and a network
// printer that cannot be reached is told in the interface language.

#include <QSettings>

#include "FrameFixture.h"
#include "LoopbackPrinter.h"
#include "app/CommandIds.h"

namespace kestrix {
namespace {

class DirectPrinter : public FrameTest {
protected:
    void TearDown() override {
        QSettings(QStringLiteral("Local AppWizard-Generated Applications"), QStringLiteral("Kestrix"))
            .remove(QStringLiteral("Direct Print"));
    }
};

TEST_F(DirectPrinter, TheChosenPrinterGetsTheLabelAndIsKeptForTheNextStart) {
    AddShape(10, 10, false);
    const LabelDocument before = Canvas().Session().Document();
    LoopbackPrinter printer;
    prompts_.printerAddress = printer.Address();
    Frame().OnCommand(kCmdChoosePrinter);
    EXPECT_EQ(prompts_.printerAddressShown, QString()) << "the USB search until one is chosen";
    Frame().OnCommand(kCmdDirectPrint);

    LabelDocument copy = before;
    CodeImageCache codes;
    const PrintStream expected = RenderPrintStream({copy, Canvas().Settings(), codes});
    EXPECT_EQ(printer.Received(), expected.header + expected.body);
    EXPECT_TRUE(prompts_.messages.isEmpty()) << prompts_.messages.join(u'\n').toStdString();

    prompts_.printerAddress.reset();  // Cancel keeps the printer
    Frame().OnCommand(kCmdChoosePrinter);
    EXPECT_EQ(prompts_.printerAddressShown, printer.Address());
    MakeFrame(UiLanguage::English);
    EXPECT_EQ(Canvas().DirectPrinter(), printer.Address());
}

TEST_F(DirectPrinter, DeviceOfTheSettingsFileThatRefusesIsToldInEitherLanguage) {
    const LoopbackPrinter off(LoopbackPrinter::kSwitchedOff);
    WriteFile(QStringLiteral("none.ini"), "[Print Settings]\nDevice=" + off.Address().toUtf8() + "\n");
    const QString why = off.Address() + QStringLiteral(": connection refused");
    for (const auto language : {UiLanguage::English, UiLanguage::Chinese}) {
        MakeFrame(language);
        prompts_.messages.clear();
        Frame().OnCommand(kCmdDirectPrint);
        EXPECT_EQ(prompts_.messages, QStringList(language == UiLanguage::English
                                                     ? "The printer cannot be used:\n" + why + "|Vantic"
                                                     : "无法使用打印机：\n" + why + "|打印标签"));
    }
}

}  // namespace
}  // namespace kestrix
