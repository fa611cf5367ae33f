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

class PaintCounter : public QWidget {
public:
    int paints = 0;

protected:
    void paintEvent(QPaintEvent*) override { ++paints; }
};

// A printer that takes nothing for `stallMs` (forever when negative), then everything.
StallWatch::Step Printer(int stallMs) {
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    return [clock, stallMs](QByteArrayView data, int waitMs, QString*) -> qint64 {
        if (stallMs >= 0 && clock->elapsed() >= stallMs) return data.size();
        QThread::msleep(std::min(waitMs, 20));
        return 0;
    };
}

TEST(StallDialog, WindowPaintsMessageShowsInItsLanguageAndCancelEndsTheJob) {
    TestApp();
    PaintCounter window;
    window.show();
    const std::tuple<UiLanguage, int, StallWatch::Outcome, QString> cases[] = {
        {UiLanguage::English, 600, StallWatch::Outcome::Sent,
         "The printer is not taking data (out of paper or cover open?)|Vantic|Cancel"},
        {UiLanguage::Chinese, 600, StallWatch::Outcome::Sent,
         "打印机没有接收数据（是否缺纸或上盖没有合好？）|打印标签|取消"},
        {UiLanguage::English, -1, StallWatch::Outcome::Cancelled,
         "The printer is not taking data (out of paper or cover open?)|Vantic|Cancel"},
    };
    for (const auto& [language, stallMs, outcome, message] : cases) {
        StallDialog wait(language, &window, 100);
        QStringList seen;
        QTimer probe;
        QObject::connect(&probe, &QTimer::timeout, [&] {
            window.update();
            QMessageBox& box = wait.Box();
            if (!box.isVisible() || QApplication::activeModalWidget() != &box) return;
            seen << box.text() + '|' + box.windowTitle() + '|' + box.button(QMessageBox::Cancel)->text();
            if (seen.size() == 3 && stallMs < 0) QTest::mouseClick(box.button(QMessageBox::Cancel), Qt::LeftButton);
        });
        probe.start(50);
        const int paintsBefore = window.paints;
        StallWatch::Outcome sent = StallWatch::Outcome::Failed;
        wait.Run([&] { sent = wait.Send("CLS\r\n", Printer(stallMs), nullptr); });
        EXPECT_EQ(sent, outcome);
        ASSERT_FALSE(seen.isEmpty());
        EXPECT_EQ(seen.first(), message);
        EXPECT_FALSE(wait.Box().isVisible()) << "gone once the job is over";
        EXPECT_GT(window.paints, paintsBefore + 3) << "the window went on painting";
    }
}

}  // namespace
}  // namespace kestrix
