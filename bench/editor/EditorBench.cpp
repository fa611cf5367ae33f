// The editor's costs a user feels: repainting a busy label, one pointer step
// of a drag or a resize (the step and its repaint), the undo file written when
// a drag ends or any change is made, looking for the label of an editor that
// died, and the time from starting the program to its first painted window,
// with and without such a label waiting; and opening the data dialog on a
// data file of a million rows.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMouseEvent>
#include <QPainter>
#include <QProcess>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QWidget>

#include "dialogs/DataDialog.h"
#include "document/LabelFile.h"
#include "document/RecoverableLabel.h"
#include "document/Units.h"
#include "editor/HitTest.h"
#include "editor/LabelCanvas.h"
#include "editor/LabelController.h"
#include "editor/MergedView.h"

namespace kestrix {
namespace {

QApplication& App() {
    static int argc = 1;
    static char name[] = "bench-editor";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    return *app;
}

// 200 elements of every kind but pictures spread over a 100 x 150 mm label.
// With `only` from 0 to 4, every element is of kind `only` of that mix
// instead; with 5 the label stays empty (the fill alone).
void FillLabel(std::vector<LabelElement>& elements, double scale, int only) {
    for (int i = 0; i < 200 && only != 5; ++i) {
        const ElementPoint at{(i * 37) % 700, (i * 53) % 1100};
        LabelElement e;
        switch (only >= 0 ? only : i % 5) {
        case 0: e = CreateElement(kText, at, u"Serial 000123 标签"); break;
        case 1: e = CreateElement(kBarcode, at, u"0123456789"); break;
        case 2: e = CreateElement(kCode2D, at, u"0123456789"); break;
        case 3:
            e = CreateElement(kLine, at, {},
                              {static_cast<int>((at.x + 90) * scale), static_cast<int>((at.y + 40) * scale)});
            break;
        default:
            e = CreateElement(kShape, at);
            e.nWidth = 80;
            e.nHeight = 50;
            e.nShapeType = i % 3;
            break;
        }
        e.bSelected = i % 10 == 0;
        e.nSize = -1;
        elements.push_back(e);
    }
}

void BM_CanvasPaint200Elements(benchmark::State& state) {
    App();
    QWidget view;
    view.resize(1800, 2600);
    LabelController label(UiLanguage::English, UndoFolder(QDir::tempPath()));
    LabelCanvas canvas(label, &view);
    label.Session().Document().widthMm = 100;
    label.Session().Document().heightMm = 150;
    // Double size: two pixels per dot.
    canvas.PlaceCanvas({0, 0, static_cast<int>(2 * LabelDots(100, 203)), static_cast<int>(2 * LabelDots(150, 203))});
    FillLabel(label.Elements(), canvas.ScaleX(), static_cast<int>(state.range(0)));
    QImage target(canvas.LabelRect().size(), QImage::Format_ARGB32_Premultiplied);
    canvas.RenderLabel(target);  // encodes the codes once, as the first paint does
    for (auto _ : state) {
        canvas.RenderLabel(target);
        benchmark::DoNotOptimize(target.constBits());
    }
    state.counters["codes"] = static_cast<double>(label.Codes().Size());
}
// Argument -1: the mixed label; 0..4: 200 texts, barcodes, 2D codes, lines or
// shapes; 5: an empty label.
BENCHMARK(BM_CanvasPaint200Elements)->Arg(-1)->DenseRange(0, 5)->Unit(benchmark::kMillisecond);

// A 100 x 150 mm label at two pixels per dot in a view of a maximised window
// on a 1280 x 1024 screen: what is off the view is not painted.
struct ShownCanvas {
    ShownCanvas() {
        view.resize(1256, 870);
        label.Session().Document().widthMm = 100;
        label.Session().Document().heightMm = 150;
        canvas.PlaceCanvas(
            {0, 0, static_cast<int>(2 * LabelDots(100, 203)), static_cast<int>(2 * LabelDots(150, 203))});
        canvas.show();
        view.show();
        for (int i = 0; i < 5; ++i) QApplication::processEvents();
    }
    // Control keeps the other elements selected when a press lands on one; `p` is in label pixels.
    void Send(QEvent::Type type, QPoint p, Qt::MouseButtons buttons) {
        p += canvas.LabelRect().topLeft() - canvas.pos();
        QMouseEvent event(type, QPointF(p), QPointF(p), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                          buttons, Qt::ControlModifier);
        QApplication::sendEvent(&canvas, &event);
    }
    QApplication& app = App();
    QTemporaryDir undoFolder;
    QWidget view;
    LabelController label{UiLanguage::English, UndoFolder(undoFolder.path())};
    LabelCanvas canvas{label, &view};
};

// `count` texts, barcodes, 2D codes and shapes in turn, the first `selected` of them selected.
void FillBoxes(std::vector<LabelElement>& elements, int count, int selected) {
    for (int i = 0; i < count; ++i) {
        const int kinds[] = {kText, kBarcode, kCode2D, kShape};
        LabelElement e = CreateElement(kinds[i % 4], {(i * 37) % 700, (i * 53) % 1100}, u"0123456789");
        if (e.nType == kShape || e.nType == kText) std::tie(e.nWidth, e.nHeight) = std::pair(80, 50);
        e.bSelected = i < selected;
        e.nSize = -1;
        elements.push_back(e);
    }
}

// One pointer step dragging a label of 20 or 200 elements, all selected: the step and its repaint.
void BM_DragStep(benchmark::State& state) {
    ShownCanvas shown;
    FillBoxes(shown.label.Elements(), static_cast<int>(state.range(0)), static_cast<int>(state.range(0)));
    shown.canvas.repaint();
    shown.Send(QEvent::MouseButtonPress, {10, 10}, Qt::LeftButton);
    int step = 0;
    for (auto _ : state) {
        ++step;
        shown.Send(QEvent::MouseMove, {10 + step % 40, 10 + step % 30}, Qt::LeftButton);
        shown.canvas.repaint();
    }
}
BENCHMARK(BM_DragStep)->Arg(20)->Arg(200)->Arg(5000)->Unit(benchmark::kMillisecond);

// One pointer step resizing a selected barcode by its bottom-right handle among 200 elements.
void BM_ResizeStep(benchmark::State& state) {
    ShownCanvas shown;
    FillBoxes(shown.label.Elements(), 200, 0);
    LabelElement& barcode = shown.label.Elements()[1];
    barcode.bSelected = 1;
    shown.canvas.repaint();
    const HandlePoint corner = barcode.ptHandles[7];
    shown.Send(QEvent::MouseMove, {corner.x + 1, corner.y + 1}, Qt::NoButton);
    shown.Send(QEvent::MouseButtonPress, {corner.x + 1, corner.y + 1}, Qt::LeftButton);
    int step = 0;
    for (auto _ : state) {
        ++step;
        shown.Send(QEvent::MouseMove, {corner.x + 1 + step % 40, corner.y + 1 + step % 30}, Qt::LeftButton);
        shown.canvas.repaint();
    }
}
BENCHMARK(BM_ResizeStep)->Unit(benchmark::kMillisecond);

// The release of a drag of 200 elements: the new places become the start of
// the next drag and one undo file of 200 records is written.
void BM_ReleaseSnapshot200(benchmark::State& state) {
    ShownCanvas shown;
    FillBoxes(shown.label.Elements(), 200, 200);
    int step = 0;
    const LabelElement& first = shown.label.Elements()[0];
    for (auto _ : state) {
        ++step;
        // On the first element wherever the last drag left it, else the press would start a frame.
        const QPoint from(2 * first.nPosX + 10, 2 * first.nPosY + 10);
        shown.Send(QEvent::MouseButtonPress, from, Qt::LeftButton);
        const QPoint to = from + QPoint(step % 2 ? 20 : -20, 0);
        shown.Send(QEvent::MouseMove, to, Qt::LeftButton);
        state.PauseTiming();
        shown.canvas.repaint();  // not part of the release
        state.ResumeTiming();
        shown.Send(QEvent::MouseButtonRelease, to, Qt::NoButton);
    }
    state.counters["snapshots"] = shown.label.Session().Undo().nSnapshotCount();
}
BENCHMARK(BM_ReleaseSnapshot200)->Unit(benchmark::kMillisecond);

// The pointer over a label of 5,000 elements, half of them selected: arming
// handles with the button up, and a press, without repaints.
void BM_PointerOver5000(benchmark::State& state) {
    ShownCanvas shown;
    FillBoxes(shown.label.Elements(), 5000, 0);
    for (std::size_t i = 0; i < shown.label.Elements().size(); i += 2) shown.label.Elements()[i].bSelected = 1;
    int step = 0;
    for (auto _ : state) {
        ++step;
        shown.Send(QEvent::MouseMove, {step % 800, step % 1200}, Qt::NoButton);
        shown.Send(QEvent::MouseButtonPress, {step % 800, step % 1200}, Qt::LeftButton);
        shown.Send(QEvent::MouseButtonRelease, {step % 800, step % 1200}, Qt::NoButton);
    }
}
BENCHMARK(BM_PointerOver5000)->Unit(benchmark::kMillisecond);

// One selection press over 5,000 elements of every kind (frames, lines,
// texts, codes) at a zoom of 0.5, 2 or 8 pixels per dot (argument: tenths).
void BM_HitTest5000(benchmark::State& state) {
    const double scale = state.range(0) / 10.0;
    std::vector<LabelElement> elements;
    FillBoxes(elements, 4000, 0);
    for (int i = 0; i < 1000; ++i) {
        const ElementPoint at{(i * 41) % 700, (i * 29) % 1100};
        LabelElement line =
            CreateElement(kLine, at, {}, {static_cast<int>((at.x + 90) * scale), static_cast<int>((at.y + 7) * scale)});
        line.nSize = -1;
        elements.push_back(line);
    }
    int step = 0;
    for (auto _ : state) {
        ++step;
        const QPoint p(static_cast<int>((step * 13 % 800) * scale), static_cast<int>((step * 7 % 1200) * scale));
        benchmark::DoNotOptimize(SelectionPress(elements, p, false, scale, scale));
    }
}
BENCHMARK(BM_HitTest5000)->Arg(5)->Arg(20)->Arg(80)->Unit(benchmark::kMicrosecond);

// One undo step of a 200-element label: its undo file and the state beside
// it, each written whole and renamed into place. Argument 0: in the temporary
// folder; 1: in /dev/shm, a memory file system like $XDG_RUNTIME_DIR.
void BM_Snapshot200(benchmark::State& state) {
    const QString parent = state.range(0) ? QStringLiteral("/dev/shm") : QDir::tempPath();
    LabelSession session(UndoFolder::Create({parent}));
    if (!session.Undo().Folder().IsValid()) {
        state.SkipWithError("no undo folder can be made there");
        return;
    }
    FillBoxes(session.Elements(), 200, 0);
    for (auto _ : state) {
        // A session's numbers grow without end; a new label starts them again.
        if (session.Undo().nSnapshotCount() >= 1000) {
            state.PauseTiming();
            std::vector<LabelElement> elements = session.Elements();
            session.NewLabel(100, 150);
            session.Elements() = std::move(elements);
            state.ResumeTiming();
        }
        session.TakeSnapshot();
    }
}
BENCHMARK(BM_Snapshot200)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The folder an editor that died leaves with a 200-element label unsaved.
void LeaveDeadEditor(const QString& parent) {
    QDir(parent).mkpath(QStringLiteral("kestrix-undo-dead"));
    const QString folder = parent + QStringLiteral("/kestrix-undo-dead/");
    std::vector<LabelElement> elements;
    FillBoxes(elements, 200, 0);
    QFile snapshot(folder + QStringLiteral("1.undo"));
    if (snapshot.open(QIODevice::WriteOnly)) snapshot.write(RecordBytes(elements, false));
    UndoState left;
    left.count = left.pos = left.top = 1;
    left.unsaved = true;
    left.scales.insert(1, QPointF(1, 1));
    QFile state(folder + QLatin1String(kUndoStateFile));
    if (state.open(QIODevice::WriteOnly)) state.write(UndoStateBytes(left));
}

// What a start does before it asks: finds the folder, reads and checks its state and label.
void BM_FindRecoverableLabel200(benchmark::State& state) {
    QTemporaryDir parent;
    LeaveDeadEditor(parent.path());
    for (auto _ : state) {
        QStringList notes;
        std::vector<RecoverableLabel> found = FindRecoverableLabels({parent.path()}, &notes);
        if (found.size() != 1) state.SkipWithError("the dead editor's label was not found");
    }
}
BENCHMARK(BM_FindRecoverableLabel200)->Unit(benchmark::kMicrosecond);

// The whole program under the offscreen platform, from process start until
// its canvas has painted once. Argument 1: the folder of an editor that died
// waits with a 200-element label, which the start finds, checks and offers
// (the offer, unanswered, leaves it for the next run); 0: nothing waits.
void BM_StartupToFirstPaint(benchmark::State& state) {
    App();
    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/kestrix");
    if (!QFile::exists(program)) {
        state.SkipWithError("bin/kestrix not built");
        return;
    }
    QTemporaryDir runtime;
    if (state.range(0)) LeaveDeadEditor(runtime.path());
    for (auto _ : state) {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        env.insert(QStringLiteral("TMPDIR"), runtime.path());
        process.setProcessEnvironment(env);
        QElapsedTimer timer;
        timer.start();
        process.start(program, {QStringLiteral("--quit-after-paint")});
        if (!process.waitForFinished(10000) || process.exitCode() != 0) {
            state.SkipWithError("kestrix did not paint and quit");
            return;
        }
        state.SetIterationTime(timer.nsecsElapsed() / 1e9);
    }
    if (state.range(0) && !QFileInfo::exists(runtime.filePath(QStringLiteral("kestrix-undo-dead/1.undo"))))
        state.SkipWithError("the waiting label was not left for the next run");
}
BENCHMARK(BM_StartupToFirstPaint)->Arg(0)->Arg(1)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

// The canvas repaint of the mixed label whose texts and codes all take a
// field: 0 drawn as it stands, 1 with the same data row each time (the
// merged codes kept), 2 with another row each time (every code encoded again).
void BM_CanvasPaintMergedRow(benchmark::State& state) {
    App();
    LabelController label(UiLanguage::English, UndoFolder(QDir::tempPath()));
    label.Session().Document().widthMm = 100;
    label.Session().Document().heightMm = 150;
    label.SetDisplayRect(
        QRect(0, 0, static_cast<int>(2 * LabelDots(100, 203)), static_cast<int>(2 * LabelDots(150, 203))));
    FillLabel(label.Elements(), label.ScaleX(), -1);
    for (LabelElement& e : label.Elements())
        if (e.nType == kText || e.nType == kBarcode || e.nType == kCode2D) SetElementText(e, u"KX-${SKU}");
    const auto columns = std::make_shared<const QStringList>(QStringList{QStringLiteral("SKU")});
    const DataRow rows[2] = {{columns, {QStringLiteral("0001")}, 1, 2}, {columns, {QStringLiteral("0002")}, 2, 3}};
    RenderContext ctx = label.Context();
    ctx.viewScaleX = ctx.scaleX = label.ScaleX();
    ctx.viewScaleY = ctx.scaleY = label.ScaleY();
    MergedView view;
    QImage target(label.DisplayRect().size(), QImage::Format_ARGB32_Premultiplied);
    int k = 0;
    for (auto _ : state) {
        target.fill(Qt::white);
        QPainter painter(&target);
        const DataRow* row = state.range(0) == 0 ? nullptr : &rows[state.range(0) == 2 ? ++k % 2 : 0];
        view.Paint(painter, label.Elements(), ctx, row);
        benchmark::DoNotOptimize(target.constBits());
    }
}
BENCHMARK(BM_CanvasPaintMergedRow)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

// Input File on a data file of a million rows of about 100 bytes (100 MB):
// from choosing the file to the dialog painted with its columns and first rows.
void BM_DataDialogOpensMillionRows(benchmark::State& state) {
    App();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("million.csv"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return state.SkipWithError("cannot write the data file");
    QByteArray block = "SKU,NAME,PRICE,URL\n";
    for (int i = 1; i <= 1000000; ++i) {
        const QByteArray n = QByteArray::number(i).rightJustified(7, '0');
        block += n + ",\"Product " + n + ", a name long enough for a shelf\"," + QByteArray::number(i % 100) +
                 ".50,https://example.org/items/" + n + "/detail\n";
        if (block.size() > (1 << 20) || i == 1000000) {
            file.write(block);
            block.clear();
        }
    }
    file.close();
    for (auto _ : state) {
        DataDialog dialog(UiLanguage::English, {path, {}, 1, 0}, {QStringLiteral("SKU"), QStringLiteral("NAME")});
        dialog.show();
        dialog.repaint();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(dialog.Table()->rowCount());
    }
    state.counters["MB"] = static_cast<double>(QFileInfo(path).size()) / 1e6;
}
BENCHMARK(BM_DataDialogOpensMillionRows)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace
}  // namespace kestrix
