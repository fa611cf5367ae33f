// Nothing a user did is lost: every change is one undo step that Undo takes
// back and Redo brings again, and an operation that changes nothing takes
// none; the close question before New, Open and a given or dropped file. (The
// label of an editor that died, and a window without undo files: the
// real-window recovery scenario.)

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include "FrameFixture.h"
#include "app/CommandIds.h"
#include "document/LabelFile.h"
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
        {"shape dialog OK", [this] { prompts_.shapeType = 2; }, [this] { DoubleClick(&Canvas(), At(65, 129)); }, 1},
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
    const QString question = "The Label has not been saved, Do you want to save it?|Kestrix";
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

}  // namespace
}  // namespace kestrix
