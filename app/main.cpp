// The Kestrix label editor.

#include <QApplication>
#include <QElapsedTimer>
#include <QScreen>
#include <QTimer>
#include <cstdio>
#include <utility>

#include "app/CMainFrame.h"
#include "dialogs/DialogPrompts.h"
#include "dialogs/QtTranslation.h"
#include "editor/LabelCanvas.h"
#include "render/GdiFont.h"

namespace {

// Qt would abort with a terse platform error; say what is missing and what
// works without a window instead.
bool HasDisplay() {
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

}  // namespace

int main(int argc, char* argv[]) {
    QElapsedTimer started;
    started.start();
    if (!HasDisplay()) {
        std::fputs(
            "kestrix: no display (DISPLAY is not set). The editor needs a graphical session;\n"
            "without one, kestrix-cli works on label files: info, convert, render, tspl, print.\n",
            stderr);
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kestrix"));
    QApplication::setApplicationVersion(QStringLiteral(KESTRIX_VERSION));
    kestrix::InstallFontSubstitutes();

    QStringList args = QApplication::arguments().mid(1);
    // For measuring start-up: print the time to the first painted canvas and quit.
    const bool quitAfterPaint = args.removeAll(QStringLiteral("--quit-after-paint")) > 0;

    const kestrix::UiLanguage language = kestrix::LanguageForLocale(QLocale::system());
    if (!kestrix::InstallQtTranslation(app, language))
        std::fputs(
            "kestrix: Qt's Chinese translation (qtbase_zh_CN.qm) is not installed; "
            "Qt's own dialogs stay in English.\n",
            stderr);
    kestrix::DialogPrompts prompts(language);
    kestrix::CMainFrame frame(language, prompts);
    // Maximised; the geometry also fills the screen where no window manager
    // maximises. The title bar stands at the screen's top, and a restored
    // window is kept on the screen by the frame.
    if (QScreen* screen = frame.screen()) {
        frame.move(screen->availableGeometry().topLeft());
        frame.resize(screen->availableGeometry().size());
    }
    frame.showMaximized();

    bool painted = false;
    if (quitAfterPaint) {
        QObject::connect(frame.Canvas(), &kestrix::LabelCanvas::Painted, &app, [&] {
            if (std::exchange(painted, true)) return;
            std::fprintf(stderr, "first paint after %lld ms\n", static_cast<long long>(started.elapsed()));
            // Ends a recovery question's loop as well as the program's.
            QTimer::singleShot(0, &app, [] { QCoreApplication::exit(0); });
        });
    }
    // The label of an editor that died comes first; a file given here then
    // asks before it replaces a recovered label.
    frame.OfferRecovery();
    if (quitAfterPaint && painted) return 0;
    if (!args.isEmpty()) frame.OpenGivenFile(args.first());
    return app.exec();
}
