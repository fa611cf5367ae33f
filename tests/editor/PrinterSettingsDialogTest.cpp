// The Printer Settings dialog on a real file: what it shows of a hand-edited
// file, what OK writes (read back as the direct print job reads it), what it
// refuses, a write that fails half way, and the editor using the new values
// at once.

#include <sys/resource.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <csignal>

#include "FrameFixture.h"
#include "app/CommandIds.h"
#include "dialogs/PrinterSettingsDialog.h"
#include "output/IniFile.h"

namespace kestrix {
namespace {

class PrinterSettingsDialogTest : public FrameTest {
protected:
    QString Path() { return TempPath(QStringLiteral("PrinterSettings.ini")); }
    QByteArray FileBytes() { return kestrix::FileBytes(Path()); }
};

TEST_F(PrinterSettingsDialogTest, WhatTheDialogWritesReadsBackAsTheSameSettings) {
    WriteFile(QStringLiteral("PrinterSettings.ini"),
              "[Print Settings]\nSpeed=3\nDensity=9\nLabelType=7\nSavePaper=2\nCutting=9\nOffset=1.5\n"
              "Device=socket://127.0.0.1:9100\n");
    PrinterSettingsDialog dialog(UiLanguage::English, Path());
    // Values the lists have no entry for are kept, saying what they do.
    EXPECT_EQ(dialog.Speed()->value(), 4) << "shown as the printer numbers its speeds";
    EXPECT_EQ(dialog.LabelType()->currentText(), "7: as labels with gaps");
    EXPECT_EQ(dialog.SavePaper()->currentText(), "2: from the printed content, blank rows kept");
    EXPECT_EQ(dialog.Cutting()->currentText(), "9: no cutter commands");
    EXPECT_FALSE(dialog.CutEvery()->isEnabled());

    dialog.Speed()->setValue(6);
    dialog.Density()->setValue(15);
    dialog.LabelType()->setCurrentIndex(1);
    dialog.Gap()->setText(QStringLiteral("3.5"));
    dialog.SavePaper()->setCurrentIndex(1);
    dialog.Cutting()->setCurrentIndex(3);
    EXPECT_TRUE(dialog.CutEvery()->isEnabled());
    dialog.CutEvery()->setValue(5);
    dialog.Offset()->setText(QStringLiteral("-2"));
    dialog.Media()->setValue(2);
    dialog.accept();
    ASSERT_EQ(dialog.result(), QDialog::Accepted) << dialog.Problem()->text().toStdString();

    PrinterSettings read;
    LoadPrinterSettings(read, Path());
    EXPECT_EQ(read, dialog.Settings());
    EXPECT_EQ(std::tie(read.Speed, read.Density, read.LabelType, read.SavePaper, read.Cutting, read.CuttingEveryLabel),
              std::make_tuple(5, 14, 1, 1, 3, 5));
    EXPECT_EQ(read.Device, "socket://127.0.0.1:9100") << "keys the dialog does not show stay";

    // A second round changes nothing.
    PrinterSettingsDialog again(UiLanguage::Chinese, Path());
    const QByteArray before = FileBytes();
    again.accept();
    EXPECT_EQ(FileBytes(), before);
}

TEST_F(PrinterSettingsDialogTest, ValuesOutOfRangeAreRefusedAndTheFileStaysAsItWas) {
    WriteFile(QStringLiteral("PrinterSettings.ini"), "[Print Settings]\nSpeed=40\nCutting=3\nCuttingEveryLabel=-2\n");
    const QByteArray handEdited = FileBytes();
    PrinterSettingsDialog dialog(UiLanguage::Chinese, Path());
    EXPECT_EQ(dialog.Speed()->value(), 41) << "a hand-edited value is shown as it is";
    dialog.Gap()->setText(QStringLiteral("2,0"));
    dialog.accept();
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Problem()->text(),
              "打印速度必须是 1 到 14 之间的数。\n间隙（毫米）必须是 0 到 30 之间的数。\n"
              "每隔几张切一次必须是 1 到 65535 之间的数。");
    EXPECT_EQ(FileBytes(), handEdited);
}

TEST_F(PrinterSettingsDialogTest, AWriteThatFailsLeavesTheOldFileWhole) {
    WriteFile(QStringLiteral("PrinterSettings.ini"), "[Print Settings]\nSpeed=3\n");
    const QByteArray old = FileBytes();
    PrinterSettingsDialog dialog(UiLanguage::English, Path());
    dialog.Speed()->setValue(5);
    // No file may grow past 20 bytes: the new file runs out of room as on a full disk.
    rlimit was{};
    getrlimit(RLIMIT_FSIZE, &was);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit full = was;
    full.rlim_cur = 20;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &full), 0);
    dialog.accept();
    setrlimit(RLIMIT_FSIZE, &was);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(dialog.Problem()->text().startsWith("The settings cannot be saved in " + Path()))
        << dialog.Problem()->text().toStdString();
    EXPECT_EQ(FileBytes(), old);
    EXPECT_EQ(QDir(TempPath({})).entryList({"PrinterSettings.ini*"}, QDir::Files | QDir::Hidden),
              QStringList{"PrinterSettings.ini"})
        << "no temporary file is left";
}

TEST_F(PrinterSettingsDialogTest, TheEditorPrintsWithTheNewSettingsAtOnce) {
    // The frame's settings file is none.ini.
    PrinterSettings gaps;
    gaps.SavePaper = 1;
    gaps.Speed = 4;
    prompts_.printerSettings = gaps;
    Frame().OnCommand(kCmdPrinterSettings);
    EXPECT_EQ(Label().Settings().SavePaper, 1);
    EXPECT_EQ(Label().Settings().Speed, 4);
    PrinterSettings read;
    LoadPrinterSettings(read, TempPath(QStringLiteral("none.ini")));
    EXPECT_EQ(read.Speed, 4);
}

}  // namespace
}  // namespace kestrix
