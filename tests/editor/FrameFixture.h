#pragma once
// A main frame under test, here and in the print tests: offscreen, with scripted
// answers to every question and dialog, and its undo files and settings in a
// temporary folder.

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QPrinter>
#include <QTemporaryDir>
#include <deque>
#include <memory>

#include "app/CMainFrame.h"
#include "dialogs/Prompts.h"
#include "editor/LabelCanvas.h"
#include "editor/LabelController.h"

namespace kestrix {

QApplication& TestApp();

// Questions and messages are kept as "text|caption"; Yes/No answers come from `answers`, No when none
// is left, Yes/No/Cancel ones from `choices`, Cancel when none is left. Element dialogs are kept as
// "kind@nPosX" and give the scripted results.
class FakePrompts : public Prompts {
public:
    bool AskYesNo(QWidget*, const QString& text, const QString& caption, QMessageBox::Icon) override {
        questions << text + '|' + caption;
        const bool answer = !answers.empty() && answers.front();
        if (!answers.empty()) answers.pop_front();
        return answer;
    }
    QMessageBox::StandardButton AskYesNoCancel(QWidget*, const QString& text, const QString& caption) override {
        questions << text + '|' + caption;
        const auto choice = choices.empty() ? QMessageBox::Cancel : choices.front();
        if (!choices.empty()) choices.pop_front();
        return choice;
    }
    // A recovery question is left unanswered (the recovery scenario answers it).
    std::optional<bool> AskRecover(QWidget*, const QString& text, const QString& caption) override {
        questions << text + '|' + caption;
        return std::nullopt;
    }
    std::optional<QString> TextDialog(QWidget*, LabelElement& e, const QStringList& columns) override {
        columnsOffered = columns;
        return Opened("text", e, text);
    }
    std::optional<BarcodeFields> BarcodeDialog(QWidget*, LabelElement& e, const BarcodeFields& initial,
                                               const QStringList& columns) override {
        barcodeShown = initial;
        columnsOffered = columns;
        return Opened("barcode", e, barcode);
    }
    std::optional<Code2DFields> Code2DDialog(QWidget*, const Code2DFields&, const QStringList& columns) override {
        columnsOffered = columns;
        return std::nullopt;
    }
    bool ImageSizeDialog(QWidget*, LabelElement& e, int, int) override {
        if (Opened("picture", e, imageSize))
            std::tie(e.nWidth, e.nHeight) = std::pair(imageSize->width(), imageSize->height());
        return imageSize.has_value();
    }
    bool ShapeDialog(QWidget*, LabelElement& e) override {
        if (Opened("shape", e, shapeType)) e.nShapeType = *shapeType;
        return shapeType.has_value();
    }
    bool FontDialog(QWidget*, LogFont& font) override {
        dialogs << "font";
        if (fontHeight) font.lfHeight = *fontHeight;
        return fontHeight.has_value();
    }
    void ShowMessage(QWidget*, const QString& text, const QString& caption, QMessageBox::Icon) override {
        messages << text + '|' + caption;
    }
    QString OpenFileName(QWidget*, const QString& filter) override { return Chosen(filter, openName); }
    QString SaveFileName(QWidget*, const QString& filter) override {
        ++saveDialogs;
        return Chosen(filter, saveName);
    }
    std::optional<QSize> NewLabelSize(QWidget*) override {
        ++newDialogs;
        return newSize;
    }
    // Each open dialog takes the next of `openNameLists`, none when it is used up.
    QStringList OpenFileNames(QWidget*, const QString& filter) override {
        if (openNameLists.empty()) return Chosen(filter, QStringList());
        const QStringList chosen = openNameLists.front();
        openNameLists.pop_front();
        return Chosen(filter, chosen);
    }
    QStringList ChoosePrintFiles(QWidget*) override { return printFiles; }
    void ShowAbout(QWidget*) override {}
    // Chooses `printerName`; cancelled when the name is empty.
    bool ChoosePrinter(QWidget*, QPrinter& printer) override {
        ++printDialogs;
        printerShown = printer.printerName();
        paperShown = printer.pageLayout().pageSize().size(QPageSize::Millimeter);
        if (printerName.isEmpty()) return false;
        printer.setPrinterName(printerName);
        return true;
    }
    void ShowPrintPreview(QWidget*, PrintableLabel&) override {}
    std::optional<DataChoice> DataDialog(QWidget*, const DataChoice&, const QStringList& fields) override {
        dataFields = fields;
        return dataChoice;
    }
    std::optional<QString> ChoosePrinterAddress(QWidget*, const QString& current, const QString&) override {
        printerAddressShown = current;
        return printerAddress;
    }
    // Writes `printerSettings` to the file as the dialog's OK does; cancelled when there are none.
    bool EditPrinterSettings(QWidget*, const QString& path) override {
        return printerSettings && SavePrinterSettings(*printerSettings, path, nullptr);
    }
    std::optional<int> AskCopies(QWidget*, int initial) override {
        copiesShown = initial;
        return copies;
    }

    std::deque<bool> answers;
    std::deque<QMessageBox::StandardButton> choices;
    QStringList questions, messages, filters, dialogs;
    std::optional<QString> text;
    std::optional<BarcodeFields> barcode, barcodeShown;
    std::optional<QSize> imageSize, newSize;
    std::optional<int> shapeType, fontHeight;
    QString openName, saveName, printerName;
    std::optional<QString> printerAddress;  // chosen in the Printer dialog; cancelled when none
    QString printerAddressShown;
    QString printerShown;  // the printer and paper the print dialog opened with
    QSizeF paperShown;
    std::optional<PrinterSettings> printerSettings;
    std::optional<int> copies = 1;  // asked by Direct Send; cancelled when none
    int copiesShown = 0;
    std::deque<QStringList> openNameLists;
    QStringList printFiles;
    std::optional<DataChoice> dataChoice;  // chosen in the data dialog; cancelled when none
    QStringList dataFields;
    QStringList columnsOffered;  // by the last text, barcode or 2D code dialog
    int saveDialogs = 0, newDialogs = 0, printDialogs = 0;

private:
    template <typename T>
    const T& Opened(const char* kind, const LabelElement& e, const T& result) {
        dialogs << QString("%1@%2").arg(kind).arg(e.nPosX);
        return result;
    }
    template <typename T>
    T Chosen(const QString& filter, const T& choice) {
        filters << filter;
        return choice;
    }
};

class FrameTest : public ::testing::Test {
protected:
    void SetUp() override { MakeFrame(UiLanguage::English); }
    // The printer Direct Send chose is kept for the next start: not for the next test.
    void TearDown() override;
    // A frame answering through `prompts` (the scripted ones when none).
    void MakeFrame(UiLanguage language, Prompts* prompts = nullptr);

    CMainFrame& Frame() { return *frame_; }
    LabelCanvas& Canvas() { return *frame_->Canvas(); }
    LabelController& Label() { return *frame_->Label(); }
    std::vector<LabelElement>& Elements() { return Label().Elements(); }
    QString& LabelPath() { return Label().Session().Document().labelPath; }
    int Snapshots() { return Label().Session().Undo().nSnapshotCount(); }
    QString TempPath(const QString& name) const { return dir_.filePath(name); }
    void WriteFile(const QString& name, const QByteArray& bytes);
    // Adds a 40 x 30 dot shape at (x, y) dots.
    LabelElement& AddShape(int x, int y, bool selected);
    // An edit the close question counts: a shape and its snapshot.
    void Change() {
        AddShape(10, 10, false);
        Label().Session().TakeSnapshot();
    }
    // A key press where the keyboard focus is, as the user would type it.
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // Lets posted commands run.
    static void Settle() {
        for (int i = 0; i < 3; ++i) QApplication::processEvents();
    }

    QTemporaryDir dir_;
    FakePrompts prompts_;
    std::unique_ptr<CMainFrame> frame_;
};

// A frame whose 50 x 80 mm label is shown at one pixel per dot (room for it, less the truncation).
class OneDotPerPixelTest : public FrameTest {
protected:
    void SetUp() override {
        FrameTest::SetUp();
        Frame().resize(1000, 900);
        Settle();
        Canvas().FitCanvasToFrame(50, 80);
        ASSERT_EQ(Canvas().LabelRect().width(), 400);
    }
};

// An element of `type` at (x, y), w x h dots, with `armed` as its handle; a line from (x, y) dots to
// (endX, endY) pixels.
LabelElement MakeElement(int32_t type, int x, int y, int w, int h, bool selected = false, int armed = -1);
LabelElement MakeLine(int x, int y, int endX, int endY, bool selected = false);
// "1" for each selected element, "0" for the others, in array order.
std::string Selection(const std::vector<LabelElement>& elements);
// The elements' texts, in array order.
QStringList Texts(const std::vector<LabelElement>& elements);
// A file's bytes, none when it cannot be read.
QByteArray FileBytes(const QString& path);

// Pointer events sent straight to a widget.
void SendMouse(QWidget* widget, QEvent::Type type, QPoint pos, Qt::MouseButton button = Qt::NoButton,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier);
void Click(QWidget* widget, QPoint pos, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// With Control, so that the first press keeps the selection.
void DoubleClick(QWidget* widget, QPoint pos);
// The pointer comes to `from`, presses, moves to `to` in `steps` motions and releases there.
void Drag(QWidget* widget, QPoint from, QPoint to, Qt::KeyboardModifiers modifiers = Qt::NoModifier, int steps = 1);

}  // namespace kestrix
