// Nothing a user did is lost: every change is one undo step that Undo takes
// back and Redo brings again, and an operation that changes nothing takes
// none; the close question before New, Open and a given or dropped file; each
// window's history its own; the label of an editor that died offered at the
// next start; a window without undo files told once.

#include <QDir>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include "FrameFixture.h"
#include "app/CommandIds.h"
#include "document/LabelFile.h"
#include "document/UndoState.h"
#include "editor/CanvasMode.h"

namespace kestrix {
namespace {

class UndoHistory : public FrameTest {
protected:
    // A text (selected, at the top-left), a shape (selected) and a barcode.
    void BaseLabel() {
        Label().Session().NewLabel(50, 80);
        Elements() = {MakeElement(kText, 10, 10, 100, 40, true), MakeElement(kShape, 60, 100, 40, 30, true),
                      MakeElement(kBarcode, 20, 200, 300, 80)};
        SetElementText(Elements()[0], u"0001");
    }
    QPoint At(int x, int y) { return {int(x * Canvas().ScaleX()), int(y * Canvas().ScaleY())}; }
    void Deselect() {
        for (LabelElement& e : Elements()) e.bSelected = 0;
    }
    QStringList UndoFolders() {
        return QDir(TempPath("undo")).entryList({"kestrix-undo-*"}, QDir::Dirs | QDir::NoDotAndDotDot);
    }
};

TEST_F(UndoHistory, EveryChangeIsOneStepThatUndoTakesBackAndRedoBringsAgain) {
    WriteFile(QStringLiteral("printer"), {});
    Label().SetPrinterTarget({TempPath("printer"), {}});
    struct Case {
        const char* name;
        std::function<void()> setup, act;
        int steps;
    };
    const auto command = [this](int id) { return [this, id] { Frame().OnCommand(id); }; };
    const auto key = [this](Qt::Key k) { return [this, k] { Key(k); }; };
    const auto font = [this] { Label().ApplyFontChoice(36, QStringLiteral("Test Face")); };
    const auto tool = [this](int mode, QPoint from, QPoint to) {
        return [=, this] {
            Frame().OnCommand(kCmdDrawFirst + mode);
            Drag(&Canvas(), At(from.x(), from.y()), At(to.x(), to.y()), Qt::NoModifier, 3);
        };
    };
    const auto serial = [this] { Elements()[0].nSerialMode = 1; };
    const Case cases[] = {
        {"arrow key", {}, key(Qt::Key_Right), 1},
        {"arrow key at the top edge", [this] { Elements()[0].nPosY = -1; }, key(Qt::Key_Up), 0},
        {"Top", {}, command(140), 1},
        {"Top when there", [this] { Elements()[0].nPosY = Elements()[1].nPosY = 0; }, command(140), 0},
        {"Left Align", {}, command(146), 1},
        {"equal spacing", [this] { Elements()[2].bSelected = 1; }, command(154), 1},
        {"Move to front", {}, command(150), 1},
        {"Bring Forward on top",
         [this] { std::tie(Elements()[0].bSelected, Elements()[2].bSelected) = std::pair(0, 1); }, command(152), 0},
        {"Left Hand Rotation", {}, command(135), 1},
        {"Copy", {}, command(kCmdCopy), 0},
        {"Paste", command(kCmdCopy), command(kCmdPaste), 1},
        {"Cut", {}, command(kCmdCut), 1},
        {"Delete", {}, command(kCmdDelete), 1},
        {"Delete of nothing", [this] { Deselect(); }, command(kCmdDelete), 0},
        {"Bold", {}, command(kCmdBold), 1},
        {"Bold on nothing", [this] { Deselect(); }, command(kCmdBold), 0},
        {"font boxes", {}, font, 1},
        {"the same font again", font, font, 0},
        {"text dialog OK", [this] { prompts_.text = QStringLiteral("Changed"); },
         [this] { DoubleClick(&Canvas(), At(20, 20)); }, 1},
        {"text dialog OK unchanged", [this] { prompts_.text = QStringLiteral("0001"); },
         [this] { DoubleClick(&Canvas(), At(20, 20)); }, 0},
        {"shape dialog OK", [this] { prompts_.shapeType = 2; }, [this] { DoubleClick(&Canvas(), At(70, 110)); }, 1},
        {"drag of the selection", {}, [this] { Drag(&Canvas(), At(20, 20), At(60, 50), Qt::NoModifier, 3); }, 1},
        {"click on empty label", {}, [this] { Click(&Canvas(), At(300, 500)); }, 0},
        {"text tool", {}, tool(kTextTool, {200, 400}, {200, 400}), 1},
        {"text tool with a drag", {}, tool(kTextTool, {200, 400}, {250, 450}), 1},
        {"rectangle tool", {}, tool(kRectangleTool, {200, 400}, {260, 460}), 1},
        {"line tool", {}, tool(kLineTool, {200, 400}, {300, 420}), 1},
        {"Add Text", {}, command(kCmdAddText), 1},
        {"direct print of a serial number", serial, command(kCmdDirectPrint), 1},
        {"direct print without one", {}, command(kCmdDirectPrint), 0},
    };
    for (const Case& c : cases) {
        BaseLabel();
        prompts_.text.reset();
        prompts_.shapeType.reset();
        if (c.setup) c.setup();
        Label().Session().TakeSnapshot();  // the label before, as a step
        const int base = Snapshots();
        const std::vector<LabelElement> before = Elements();
        c.act();
        Settle();
        EXPECT_EQ(Snapshots() - base, c.steps) << c.name;
        // Drawing for output rewrites a text's font fields from its box: no change the user sees.
        const bool printed = QString(c.name).startsWith("direct print");
        EXPECT_TRUE(printed || !SameElements(before, Elements()) == (c.steps == 1))
            << c.name << ": a change is a step, none without";
        if (c.steps != 1) continue;
        // As shown: painting sizes a new or turned text's box.
        const std::vector<LabelElement> after = Elements();
        EXPECT_TRUE(Frame().isWindowModified()) << c.name;
        Frame().OnCommand(kCmdUndoStep);
        Settle();
        EXPECT_TRUE(SameElements(Elements(), before)) << c.name << ": Undo takes back exactly the change";
        Frame().OnCommand(kCmdRedoStep);
        Settle();
        EXPECT_TRUE(SameElements(Elements(), after)) << c.name << ": Redo brings it again";
    }
}

TEST_F(UndoHistory, NewOpenAndAGivenOrDroppedFileAskFirstAndCancelKeepsTheLabel) {
    ASSERT_TRUE(WriteLabelFile(TempPath("other.lab"), {40, 30, {}, {}, {MakeElement(kShape, 1, 1, 9, 9)}}, nullptr));
    const auto drop = [this] {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(TempPath("other.lab"))});
        QDragEnterEvent enter(QPoint(300, 300), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&Frame(), &enter);
        ASSERT_TRUE(enter.isAccepted());
        QDropEvent drop(QPointF(300, 300), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&Frame(), &drop);
    };
    const std::pair<const char*, std::function<void()>> replacers[] = {
        {"Ctrl+N", [this] { Key(Qt::Key_N, Qt::ControlModifier); }},
        {"Open", [this] { Frame().OnCommand(kCmdOpenLabel); }},
        {"the tool bar's New", [this] { Frame().OnCommand(kCmdNewButton); }},
        {"a file given", [this] { Frame().OpenGivenFile(TempPath("other.lab")); }},
        {"a file dropped", drop},
    };
    prompts_.newSize = QSize(40, 30);
    prompts_.openName = TempPath("other.lab");
    const QString question = "The Label has not been saved, Do you want to save it?|Label Editor";
    for (const auto& [name, replace] : replacers) {
        Change();
        const QByteArray label = LabelFileBytes(Label().Session().Document());
        const int steps = Snapshots();
        prompts_.questions.clear();
        prompts_.choices = {QMessageBox::Cancel};
        replace();
        Settle();
        EXPECT_EQ(prompts_.questions, QStringList{question}) << name;
        EXPECT_TRUE(LabelFileBytes(Label().Session().Document()) == label && Snapshots() == steps) << name;
        EXPECT_EQ(prompts_.newDialogs + prompts_.filters.size(), 0) << name << ": Cancel leaves everything";

        prompts_.choices = {QMessageBox::No};
        replace();
        Settle();
        EXPECT_NE(LabelFileBytes(Label().Session().Document()), label) << name << ": Discard lets it go";
        EXPECT_EQ(Snapshots(), 0) << name << ": the new label's history starts empty";
        EXPECT_FALSE(Frame().isWindowModified()) << name;
        prompts_.newDialogs = 0;
        prompts_.filters.clear();
    }
    // Save: the Save As dialog, and the new file is the label's own.
    Change();
    prompts_.choices = {QMessageBox::Yes};
    prompts_.saveName = TempPath("kept");
    Key(Qt::Key_N, Qt::ControlModifier);
    EXPECT_TRUE(QFile::exists(TempPath("kept.lab")) && LabelPath().isEmpty() && Elements().empty());
}

TEST_F(UndoHistory, EachWindowUndoesOnlyItsOwnLabelAndItsFolderGoesWithIt) {
    FakePrompts otherPrompts;
    auto other = std::make_unique<CMainFrame>(UiLanguage::English, otherPrompts,
                                              FrameOptions{TempPath("undo"), TempPath("none.ini")});
    LabelController& b = *other->Label();
    ASSERT_EQ(UndoFolders().size(), 2);
    for (int i = 0; i < 2; ++i) {
        AddShape(10 + i, 10, false);
        Label().Session().TakeSnapshot();
        b.Elements().push_back(MakeElement(kText, 50 + i, 50, 10, 10));
        b.Session().TakeSnapshot();
    }
    Frame().OnCommand(kCmdUndoStep);
    other->OnCommand(kCmdUndoStep);
    ASSERT_TRUE(Elements().size() == 1u && b.Elements().size() == 1u);
    EXPECT_TRUE(Elements()[0].nType == kShape && b.Elements()[0].nType == kText);
    other.reset();
    EXPECT_EQ(UndoFolders().size(), 1) << "closed, its folder went";
    frame_.reset();
    EXPECT_TRUE(UndoFolders().isEmpty());
}

// The folder an editor that died leaves, as it leaves it.
TEST_F(UndoHistory, TheLabelOfAnEditorThatDiedIsOfferedInEitherLanguage) {
    const auto leave = [this](const QString& name, const QString& path) {
        const QString folder = TempPath("undo/kestrix-undo-") + name;
        EXPECT_TRUE(QDir().mkpath(folder));
        UndoState state;
        state.widthMm = 40;
        state.heightMm = 30;
        state.labelPath = path;
        state.pos = state.top = state.count = 1;
        state.unsaved = true;
        QFile file(folder + "/label.json");
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(UndoStateBytes(state)) > 0);
        file.close();
        std::vector<LabelElement> lost{MakeElement(kShape, 5, 5, 20, 20), MakeElement(kText, 30, 5, 50, 20)};
        QFile snapshot(folder + "/1.undo");
        EXPECT_TRUE(snapshot.open(QIODevice::WriteOnly) &&
                    snapshot.write(RecordBytes(lost, false)) == qint64(lost.size() * kRecordSize));
        return folder;
    };
    // Not answered: it waits for the next start.
    const QString shelf = leave("a", TempPath("shelf.lab"));
    Frame().OfferRecovery();
    ASSERT_EQ(prompts_.questions.size(), 1);
    EXPECT_TRUE(prompts_.questions[0].startsWith("Kestrix Editor stopped before the label “shelf.lab” was saved"));
    EXPECT_TRUE(prompts_.questions[0].endsWith("Recover the label as it was then, or discard it?|Kestrix"));
    EXPECT_TRUE(QFileInfo::exists(shelf) && Elements().empty());

    // Discard removes it.
    MakeFrame(UiLanguage::Chinese);
    prompts_.questions.clear();
    prompts_.recoverAnswers = {false};
    Frame().OfferRecovery();
    ASSERT_EQ(prompts_.questions.size(), 1);
    EXPECT_TRUE(prompts_.questions[0].startsWith("标签编辑器在标签“shelf.lab”保存之前意外退出"));
    EXPECT_TRUE(prompts_.questions[0].endsWith("|Dravel标签编辑器"));
    EXPECT_FALSE(QFileInfo::exists(shelf));

    // Recover: the lost label, unsaved, in a window whose history it brings.
    leave("b", QString());
    MakeFrame(UiLanguage::English);
    prompts_.recoverAnswers = {true};
    Frame().OfferRecovery();
    ASSERT_EQ(Elements().size(), 2u);
    EXPECT_EQ(Label().LabelWidthMm(), 40);
    EXPECT_TRUE(Frame().windowTitle() == "Kestrix Editor - Untitled[*]" && Frame().isWindowModified());
    EXPECT_EQ(UndoFolders(), QStringList{"kestrix-undo-b"}) << "the window took it over";
    Frame().OnCommand(kCmdUndoStep);
    EXPECT_TRUE(Elements().empty());
}

TEST_F(UndoHistory, WithoutAnUndoFolderTheEditorSaysSoOnceAndEditingWorks) {
    WriteFile(QStringLiteral("not-a-folder"), "x");
    for (const auto language : {UiLanguage::English, UiLanguage::Chinese}) {
        frame_.reset();
        prompts_.messages.clear();
        frame_ = std::make_unique<CMainFrame>(language, prompts_,
                                              FrameOptions{TempPath("not-a-folder"), TempPath("none.ini")});
        Settle();
        ASSERT_EQ(prompts_.messages.size(), 1);
        const QString where = TempPath("not-a-folder") + " (Not a directory)";
        EXPECT_EQ(
            prompts_.messages[0],
            language == UiLanguage::English
                ? "Undo is not available: no undo steps can be kept in " + where +
                      ".\nEditing works as usual; save the label to keep your work.|Kestrix"
                : "撤消不可用：无法在 " + TempPath("not-a-folder") +
                      " 中保存撤消步骤（Not a directory）。\n仍可照常编辑，请保存标签以免丢失。|Dravel标签编辑器");
        for (int i = 0; i < 3; ++i) Frame().OnCommand(kCmdAddText);
        Settle();
        EXPECT_EQ(Elements().size(), 3u);
        EXPECT_TRUE(Frame().isWindowModified()) << "the close question still protects the work";
        EXPECT_FALSE(Frame().MenuAction(kCmdUndo)->isEnabled()) << "nothing to go back to";
        EXPECT_EQ(prompts_.messages.size(), 1) << "said once";
    }
}

}  // namespace
}  // namespace kestrix
