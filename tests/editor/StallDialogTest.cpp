// Waiting for a stalled printer in the editor: the window goes on painting,
// the stall message appears in the interface language and goes away by
// itself when the printer takes data again, and its Cancel ends the job.

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QTest>
#include <QThread>
#include <QTimer>

#include "FrameFixture.h"
#include "dialogs/StallDialog.h"

namespace kestrix {
namespace {

struct PaintCounter : QWidget {
    void paintEvent(QPaintEvent*) override { ++paints; }
    int paints = 0;
};

TEST(StallDialog, WindowPaintsMessageShowsInItsLanguageAndCancelEndsTheJob) {
    TestApp();
    PaintCounter window;
    window.show();
    const std::tuple<UiLanguage, int, StallWatch::Outcome, QString> cases[] = {
        {UiLanguage::Chinese, 600, StallWatch::Outcome::Sent, "打印机没有接收数据（是否缺纸或上盖没有合好？）|打印标签|取消"},
        {UiLanguage::English, -1, StallWatch::Outcome::Cancelled,  // a printer that never takes data again
         "The printer is not taking data (out of paper or cover open?)|Vantic|Cancel"},
    };
    for (const auto& [language, stallMs, outcome, message] : cases) {
        StallDialog wait(language, &window, 100);
        QStringList seen;
        QTimer probe;
        QObject::connect(&probe, &QTimer::timeout, [&] {
            window.update();
            QMessageBox& box = wait.Box();
            if (QApplication::activeModalWidget() != &box) return;
            seen << box.text() + '|' + box.windowTitle() + '|' + box.button(QMessageBox::Cancel)->text();
            if (seen.size() == 3 && stallMs < 0) QTest::mouseClick(box.button(QMessageBox::Cancel), Qt::LeftButton);
        });
        probe.start(50);
        QElapsedTimer clock;
        clock.start();
        const auto printer = [&](QByteArrayView data, int, QString*) -> qint64 {
            if (stallMs >= 0 && clock.elapsed() >= stallMs) return data.size();
            QThread::msleep(20);
            return 0;
        };
        const int paintsBefore = window.paints;
        StallWatch::Outcome sent = StallWatch::Outcome::Failed;
        wait.Run([&] { sent = wait.Send("CLS\r\n", printer, nullptr); });
        EXPECT_EQ(sent, outcome);
        EXPECT_EQ(seen.value(0), message);
        EXPECT_FALSE(wait.Box().isVisible()) << "gone once the job is over";
        EXPECT_GT(window.paints, paintsBefore + 3) << "the window went on painting";
    }
}

}  // namespace
}  // namespace kestrix
