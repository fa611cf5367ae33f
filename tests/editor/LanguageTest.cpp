// The interface language: chosen from the locale, and the frame's captions,
// menus, shortcuts and messages in that language.

#include <QLineEdit>
#include <QMenuBar>

#include "FrameFixture.h"
#include "app/CommandIds.h"
#include "dialogs/NewLabelDialog.h"

namespace kestrix {
namespace {

// The window title, the menu titles and the texts of some entries, the keys they show after a tab.
QStringList Captions(CMainFrame& frame) {
    QStringList texts{frame.windowTitle()};
    for (QAction* a : frame.menuBar()->actions()) texts << a->text();
    for (int id : {kCmdNewLabel, kCmdOpenLabel, kCmdSaveAs, kCmdUndo, kCmdDirectPrint, kCmdBatchPrint, kCmdAbout})
        texts << frame.MenuAction(id)->text();
    return texts;
}

TEST_F(FrameTest, CaptionsShortcutsAndQuestionsInBothLanguages) {
    EXPECT_EQ(Captions(Frame()),
              (QStringList{"Kestrix Editor - Untitled[*]", "File(&F)", "Edit", "batch print(&V)", "Help(&H)",
                           "New Label(&N)\tCtrl+N", "Open Label(&O)...\tCtrl+O", "Save As(&A)...", "Undo(&U)\tCtrl+Z",
                           "Direct Send Data to Printer", "Select Label Files", "About Kestrix(&A)..."}));
    EXPECT_EQ(Frame().Accelerators().size(), 15);
    // Only Chinese (China) is shown in Chinese.
    for (const char* name : {"zh_TW", "zh_HK", "en_US", "de_DE"})
        EXPECT_EQ(LanguageForLocale(QLocale(QString::fromLatin1(name))), UiLanguage::English) << name;
    EXPECT_EQ(LanguageForLocale(QLocale(QStringLiteral("zh_CN"))), UiLanguage::Chinese);

    MakeFrame(UiLanguage::Chinese);
    EXPECT_EQ(Captions(Frame()),
              (QStringList{"Kestrix Editor - 无标题[*]", "文件(&F)", "编辑(&E)", "批量打印(&V)", "帮助(&H)",
                           "新建标签(&N)\tCtrl+N", "打开标签(&O)...\tCtrl+O", "另存为\tCtrl+A", "撤消(&U)\tCtrl+Z",
                           "直接发数据给打印机", "选择标签文件(&T)", "关于 Kestrix(&A)..."}));
    Change();
    WriteFile(QStringLiteral("taken.lab"), {});
    prompts_.saveName = TempPath("taken.lab");
    prompts_.choices = {QMessageBox::Yes};
    prompts_.answers = {false};
    Frame().close();
    EXPECT_EQ(prompts_.questions, (QStringList{"所修改的标签还没有保存，是否要保存？|标签编辑",
                                               "标签文件已经存在，是否覆盖？|Dravel标签编辑器"}));
    EXPECT_EQ(prompts_.filters.first(), QStringLiteral("标签文件(*.lab)"));
    // The overwrite was refused, so the window stays open.
    EXPECT_TRUE(Frame().isVisible());
    // Why a label was refused is told in the interface's language too.
    WriteFile(QStringLiteral("bad.lab"), "no label");
    Frame().OpenLabelFile(TempPath("bad.lab"), true);
    EXPECT_EQ(prompts_.messages, QStringList{"无法打开标签文件 " + TempPath("bad.lab") +
                                             "：\n这不是标签文件：开头的尺寸不是两个数字。|Dravel标签编辑器"});
}

TEST(NewLabelDialog, TextsAndRefusedSizes) {
    TestApp();
    NewLabelDialog dialog(UiLanguage::Chinese);
    EXPECT_EQ(NewLabelDialog(UiLanguage::English).windowTitle() + "|" + dialog.windowTitle(), "New Label|新建标签");
    EXPECT_EQ(dialog.WidthEdit()->text() + "x" + dialog.HeightEdit()->text(), QStringLiteral("50x70"));
    QStringList complaints;
    dialog.SetComplaint([&](const QString& text) { complaints << text; });
    dialog.show();
    dialog.HeightEdit()->setText(QStringLiteral("1"));
    for (const char* width : {"0", "2001", "abc", "-5", "2000"}) {
        dialog.WidthEdit()->setText(QString::fromLatin1(width));
        dialog.accept();
        EXPECT_EQ(dialog.isVisible(), QByteArray(width) != "2000") << width;
    }
    EXPECT_EQ(complaints.size(), 4);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.LabelSize(), QSize(2000, 1));
}

}  // namespace
}  // namespace kestrix
