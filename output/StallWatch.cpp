#include "output/StallWatch.h"

#include <QElapsedTimer>

namespace kestrix {

StallWatch::Outcome StallWatch::Send(QByteArrayView data, const Step& step, QString* error) {
    return Move(
        data.size(), [&](qint64 done, int waitMs, QString* why) { return step(data.sliced(done), waitMs, why); },
        error);
}

StallWatch::Outcome StallWatch::AwaitConfirmation(qint64 bytes, const Confirm& confirm, QString* error) {
    return Move(
        bytes, [&](qint64, int waitMs, QString* why) { return confirm(waitMs, why); }, error);
}

StallWatch::Outcome StallWatch::Move(qint64 total, const Progress& step, QString* error) {
    QElapsedTimer idle;
    idle.start();
    bool stalled = false;
    for (qint64 done = 0; done < total;) {
        if (IsCancelled()) {
            if (error) *error = QStringLiteral("cancelled after %1 of %2 bytes").arg(done).arg(total);
            return Outcome::Cancelled;
        }
        const qint64 taken = step(done, kStepWaitMs, error);
        if (taken < 0) return Outcome::Failed;
        if (taken > 0) {
            done += taken;
            idle.restart();
            if (stalled && onResumed) onResumed();
            stalled = false;
        } else if (giveUpAfterMs_ > 0 && idle.elapsed() >= giveUpAfterMs_) {
            if (error)
                *error = QStringLiteral("the printer has taken no data for %1 s; gave up")
                             .arg(QString::number(giveUpAfterMs_ / 1000.0));
            return Outcome::GaveUp;
        } else if (!stalled && idle.elapsed() >= reportAfterMs_) {
            stalled = true;
            if (onStalled) onStalled();
        }
    }
    return Outcome::Sent;
}

}  // namespace kestrix
