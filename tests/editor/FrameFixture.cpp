#include "FrameFixture.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTest>

namespace kestrix {

QApplication& TestApp() {
    static int argc = 1;
    static char name[] = "test-editor";
    static char* argv[] = {name, nullptr};
    static QTemporaryDir config;  // recent-file lists and other settings never reach the user's own folder
    static QApplication* app = [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
        return new QApplication(argc, argv);
    }();
    return *app;
}

void FrameTest::MakeFrame(UiLanguage language, Prompts* prompts) {
    TestApp();
    ASSERT_TRUE(dir_.isValid() && QDir(dir_.path()).mkpath(QStringLiteral("undo")));
    frame_.reset();
    frame_ = std::make_unique<CMainFrame>(language, prompts ? *prompts : prompts_,
                                          FrameOptions{TempPath("undo"), TempPath("none.ini")});
    frame_->resize(1000, 700);
    frame_->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame_.get()));
    Settle();
}

void FrameTest::TearDown() {
    QSettings(QStringLiteral("Local AppWizard-Generated Applications"), QStringLiteral("Kestrix"))
        .remove(QStringLiteral("Direct Print"));
}

LabelElement& FrameTest::AddShape(int x, int y, bool selected) {
    return Elements().emplace_back(MakeElement(kShape, x, y, 40, 30, selected));
}

void FrameTest::WriteFile(const QString& name, const QByteArray& bytes) {
    QFile file(TempPath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

void FrameTest::Key(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QWidget* target = QApplication::focusWidget();
    QTest::keyClick(target ? target : frame_.get(), key, modifiers);
}

LabelElement MakeElement(int32_t type, int x, int y, int w, int h, bool selected, int armed) {
    LabelElement e = CreateElement(type, {x, y}, u"12345");
    std::tie(e.nWidth, e.nHeight, e.nOrgWidth, e.nOrgHeight, e.nSize, e.bSelected) =
        std::tuple(w, h, w, h, armed, selected);
    return e;
}

LabelElement MakeLine(int x, int y, int endX, int endY, bool selected) {
    LabelElement e = MakeElement(kLine, x, y, 0, 0, selected);
    std::tie(e.nEndX, e.nEndY) = std::pair(endX, endY);
    return e;
}

std::string Selection(const std::vector<LabelElement>& elements) {
    std::string bits;
    for (const LabelElement& e : elements) bits += e.bSelected ? '1' : '0';
    return bits;
}

QStringList Texts(const std::vector<LabelElement>& elements) {
    QStringList out;
    for (const LabelElement& e : elements) out << QString::fromStdU16String(ElementText(e));
    return out;
}

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void SendMouse(QWidget* widget, QEvent::Type type, QPoint pos, Qt::MouseButton button,
               Qt::KeyboardModifiers modifiers) {
    // A point on the canvas is in label pixels; the canvas window has its margin around the label.
    if (const auto* canvas = qobject_cast<const LabelCanvas*>(widget))
        pos += canvas->LabelRect().topLeft() - canvas->pos();
    const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent event(type, QPointF(pos), QPointF(widget->mapToGlobal(pos)), button, buttons, modifiers);
    QApplication::sendEvent(widget, &event);
}

void Click(QWidget* widget, QPoint pos, Qt::KeyboardModifiers modifiers) {
    SendMouse(widget, QEvent::MouseMove, pos, Qt::NoButton, modifiers);
    SendMouse(widget, QEvent::MouseButtonPress, pos, Qt::LeftButton, modifiers);
    SendMouse(widget, QEvent::MouseButtonRelease, pos, Qt::LeftButton, modifiers);
}

void DoubleClick(QWidget* widget, QPoint pos) {
    for (auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick,
                      QEvent::MouseButtonRelease})
        SendMouse(widget, type, pos, Qt::LeftButton, Qt::ControlModifier);
}

void Drag(QWidget* widget, QPoint from, QPoint to, Qt::KeyboardModifiers modifiers, int steps) {
    SendMouse(widget, QEvent::MouseMove, from, Qt::NoButton, modifiers);
    SendMouse(widget, QEvent::MouseButtonPress, from, Qt::LeftButton, modifiers);
    for (int i = 1; i <= steps; ++i)
        SendMouse(widget, QEvent::MouseMove, from + (to - from) * i / steps, Qt::LeftButton, modifiers);
    SendMouse(widget, QEvent::MouseButtonRelease, to, Qt::LeftButton, modifiers);
}

}  // namespace kestrix
