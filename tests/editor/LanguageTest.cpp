// The interface language: chosen from the locale, and every caption, menu
// entry, shortcut, tip and message of the frame in that language.

#include <QFile>
#include <QLineEdit>
#include <QMenuBar>

#include "FrameFixture.h"
#include "app/CommandIds.h"
#include "dialogs/NewLabelDialog.h"

namespace kestrix {
namespace {

TEST(Language, OnlyChineseChinaIsChinese) {
    EXPECT_EQ(LanguageForLocale(QLocale(QStringLiteral("zh_CN"))), UiLanguage::Chinese);
    EXPECT_EQ(LanguageForLocale(QLocale(QStringLiteral("zh_TW"))), UiLanguage::English);
    EXPECT_EQ(LanguageForLocale(QLocale(QStringLiteral("zh_HK"))), UiLanguage::English);
    EXPECT_EQ(LanguageForLocale(QLocale(QStringLiteral("en_US"))), UiLanguage::English);
    EXPECT_EQ(LanguageForLocale(QLocale(QStringLiteral("de_DE"))), UiLanguage::English);
}

QStringList MenuTitles(CMainFrame& frame) {
    QStringList titles;
    for (QAction* a : frame.menuBar()->actions()) titles << a->text();
    return titles;
}

TEST_F(FrameTest, EnglishCaptionMenusAndShortcuts) {
    EXPECT_EQ(Frame().windowTitle(), QStringLiteral("Kestrix Editor"));
    EXPECT_EQ(MenuTitles(Frame()),
              (QStringList{"File(&F)", "Edit", "batch print(&V)", "Help(&H)"}));
    EXPECT_EQ(Frame().MenuAction(kCmdNewLabel)->text(), QStringLiteral("New Label(&N)"));
    EXPECT_EQ(Frame().MenuAction(kCmdNewLabel)->shortcut(), QKeySequence(QStringLiteral("Ctrl+N")));
    EXPECT_EQ(Frame().MenuAction(kCmdOpenLabel)->text(), QStringLiteral("Open Label(&O)..."));
    EXPECT_EQ(Frame().MenuAction(kCmdSaveAs)->text(), QStringLiteral("Save As(&A)..."));
    EXPECT_TRUE(Frame().MenuAction(kCmdSaveAs)->shortcut().isEmpty());
    EXPECT_EQ(Frame().MenuAction(kCmdDirectPrint)->text(), QStringLiteral("Direct Send Data to Printer"));
    EXPECT_EQ(Frame().MenuAction(kCmdBatchPrint)->text(), QStringLiteral("Select Label Files"));
    EXPECT_EQ(Frame().MenuAction(kCmdAbout)->text(), QStringLiteral("About Kestrix(&A)..."));
    EXPECT_EQ(Frame().MenuAction(kCmdPaste)->shortcut(), QKeySequence(QStringLiteral("Ctrl+V")));
    EXPECT_EQ(Frame().Accelerators().size(), 15);
}

class ChineseFrameTest : public FrameTest {
protected:
    void SetUp() override { MakeFrame(UiLanguage::Chinese); }
};

TEST_F(ChineseFrameTest, ChineseCaptionMenusAndShortcuts) {
    EXPECT_EQ(Frame().windowTitle(), QStringLiteral("Kestrix Editor"));
    EXPECT_EQ(MenuTitles(Frame()),
              (QStringList{"文件(&F)", "编辑(&E)", "批量打印(&V)", "帮助(&H)"}));
    EXPECT_EQ(Frame().MenuAction(kCmdSaveAs)->text(), QStringLiteral("另存为"));
    EXPECT_EQ(Frame().MenuAction(kCmdSaveAs)->shortcut(), QKeySequence(QStringLiteral("Ctrl+A")));
    EXPECT_EQ(Frame().MenuAction(kCmdUndo)->text(), QStringLiteral("撤消(&U)"));
    EXPECT_EQ(Frame().MenuAction(kCmdDirectPrint)->text(), QStringLiteral("直接发数据给打印机"));
    EXPECT_EQ(Frame().MenuAction(kCmdBatchPrint)->text(), QStringLiteral("选择标签文件(&T)"));
    EXPECT_EQ(Frame().MenuAction(kCmdAbout)->text(), QStringLiteral("关于 Kestrix(&A)..."));
}

TEST_F(ChineseFrameTest, ChineseMessages) {
    AddShape(10, 10, false);
    Canvas().Session().TakeSnapshot();
    QFile taken(TempPath("taken.lab"));
    ASSERT_TRUE(taken.open(QIODevice::WriteOnly));
    taken.close();
    prompts_.saveName = TempPath("taken.lab");
    prompts_.answers = {true, false};
    Frame().close();
    ASSERT_EQ(prompts_.questions.size(), 2u);
    EXPECT_EQ(prompts_.questions[0].text, QStringLiteral("所修改的标签还没有保存，是否要保存？"));
    EXPECT_EQ(prompts_.questions[0].caption, QStringLiteral("标签编辑"));
    EXPECT_EQ(prompts_.questions[1].text, QStringLiteral("标签文件已经存在，是否覆盖？"));
    EXPECT_EQ(prompts_.questions[1].caption, QStringLiteral("Dravel标签编辑器"));
    EXPECT_EQ(prompts_.filters.first(), QStringLiteral("标签文件(*.lab)"));
    // The overwrite was refused, so the window stays open.
    EXPECT_TRUE(Frame().isVisible());
}

TEST(NewLabelDialog, TextsAndRefusedSizes) {
    TestApp();
    NewLabelDialog dialog(UiLanguage::Chinese);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("新建标签"));
    EXPECT_EQ(dialog.WidthEdit()->text(), QStringLiteral("50"));
    EXPECT_EQ(dialog.HeightEdit()->text(), QStringLiteral("70"));
    QStringList complaints;
    dialog.SetComplaint([&](const QString& text) { complaints << text; });
    dialog.show();
    for (const char* width : {"0", "2001", "abc", "-5"}) {
        dialog.WidthEdit()->setText(QString::fromLatin1(width));
        dialog.accept();
        EXPECT_TRUE(dialog.isVisible()) << width;
    }
    EXPECT_EQ(complaints.size(), 4);
    dialog.WidthEdit()->setText(QStringLiteral("2000"));
    dialog.HeightEdit()->setText(QStringLiteral("1"));
    dialog.accept();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.LabelSize(), QSize(2000, 1));
    EXPECT_EQ(complaints.size(), 4);

    NewLabelDialog english(UiLanguage::English);
    EXPECT_EQ(english.windowTitle(), QStringLiteral("New Label"));
}

}  // namespace
}  // namespace kestrix
