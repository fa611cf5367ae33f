#pragma once
// A main frame under test: offscreen, with scripted answers to every question
// and dialog, and its undo files and settings in a temporary folder.

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <deque>
#include <memory>

#include "app/CMainFrame.h"
#include "dialogs/Prompts.h"
#include "editor/LabelCanvas.h"

namespace kestrix {

QApplication& TestApp();

struct ShownMessage {
    QString text;
    QString caption;
};

class FakePrompts : public Prompts {
public:
    bool AskYesNo(QWidget*, const QString& text, const QString& caption, QMessageBox::Icon) override {
        questions.push_back({text, caption});
        if (answers.empty()) return false;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void ShowMessage(QWidget*, const QString& text, const QString& caption, QMessageBox::Icon) override {
        messages.push_back({text, caption});
    }
    QString OpenFileName(QWidget*, const QString& filter) override {
        filters.push_back(filter);
        ++openDialogs;
        return openName;
    }
    QString SaveFileName(QWidget*, const QString& filter) override {
        filters.push_back(filter);
        ++saveDialogs;
        return saveName;
    }
    std::optional<QSize> NewLabelSize(QWidget*) override {
        ++newDialogs;
        return newSize;
    }
    void ShowAbout(QWidget*) override { ++aboutBoxes; }

    std::deque<bool> answers;
    std::vector<ShownMessage> questions;
    std::vector<ShownMessage> messages;
    QStringList filters;
    QString openName;
    QString saveName;
    std::optional<QSize> newSize;
    int openDialogs = 0;
    int saveDialogs = 0;
    int newDialogs = 0;
    int aboutBoxes = 0;
};

class FrameTest : public ::testing::Test {
protected:
    void SetUp() override { MakeFrame(UiLanguage::English); }
    void MakeFrame(UiLanguage language);

    CMainFrame& Frame() { return *frame_; }
    LabelCanvas& Canvas() { return *frame_->Canvas(); }
    std::vector<LabelElement>& Elements() { return Canvas().Elements(); }
    QString TempPath(const QString& name) const { return dir_.filePath(name); }
    // Adds an element at (x, y) dots; selected when `selected`.
    LabelElement& AddShape(int x, int y, bool selected);
    // A key press where the keyboard focus is, as the user would type it.
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // Lets posted commands run.
    static void Settle();

    QTemporaryDir dir_;
    FakePrompts prompts_;
    std::unique_ptr<CMainFrame> frame_;
};

// Pointer events sent straight to a widget.
void SendMouse(QWidget* widget, QEvent::Type type, QPoint pos, Qt::MouseButton button = Qt::NoButton,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier);
void Click(QWidget* widget, QPoint pos, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

}  // namespace kestrix
