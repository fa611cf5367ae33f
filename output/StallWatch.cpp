#include "output/StallWatch.h"

#include <QElapsedTimer>

namespace kestrix {

namespace {

// What a stall of the printer is, as far as the user is told.
class Stall {
public:
    Stall(const StallWatch::AskState& ask, std::atomic<quint8>& state) : ask_(ask), state_(state) {}

    // Called while nothing moves once the report time has passed: true when
    // the stall is to be reported now (first, or with a changed state).
    bool Report() {
        if (!query_ && !reported_ && !ask_) return Reported(0);
        if (!query_ && ask_ && askable_ && (!reported_ || sinceAnswer_.hasExpired(StallWatch::kAskAgainAfterMs)))
            query_ = ask_();
        if (!query_) return false;
        const std::optional<PrinterStatus> status = query_->Poll(0);
        if (!status) return false;
        query_.reset();
        sinceAnswer_.start();
        askable_ = status->kind != PrinterStatus::Kind::CannotAsk;
        const quint8 state = status->kind == PrinterStatus::Kind::Answered ? status->state : 0;
        return (!reported_ || state != state_) && Reported(state);
    }
    bool IsReported() const { return reported_; }

private:
    bool Reported(quint8 state) {
        state_ = state;
        reported_ = true;
        return true;
    }

    const StallWatch::AskState& ask_;
    std::atomic<quint8>& state_;
    std::unique_ptr<StatusQuery> query_;
    QElapsedTimer sinceAnswer_;
    bool askable_ = true;
    bool reported_ = false;
};

}  // namespace

StallWatch::Outcome StallWatch::Send(QByteArrayView data, const Step& step, QString* error, const AskState& ask) {
    return Move(
        data.size(), [&](qint64 done, int waitMs, QString* why) { return step(data.sliced(done), waitMs, why); }, error,
        ask);
}

StallWatch::Outcome StallWatch::AwaitConfirmation(qint64 bytes, const Confirm& confirm, QString* error,
                                                  const AskState& ask) {
    return Move(
        bytes, [&](qint64, int waitMs, QString* why) { return confirm(waitMs, why); }, error, ask);
}

StallWatch::Outcome StallWatch::Move(qint64 total, const Progress& step, QString* error, const AskState& ask) {
    QElapsedTimer idle;
    idle.start();
    std::optional<Stall> stall;
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
            if (stall && stall->IsReported() && onResumed) onResumed();
            stall.reset();
            stalledState_ = 0;
        } else if (stopWhenStalled_) {
            if (error) *error = QStringLiteral("stopped after %1 of %2 bytes").arg(done).arg(total);
            return Outcome::Cancelled;
        } else if (giveUpAfterMs_ > 0 && idle.elapsed() >= giveUpAfterMs_) {
            if (error)
                *error = QStringLiteral("the printer has taken no data for %1 s; gave up")
                             .arg(QString::number(giveUpAfterMs_ / 1000.0));
            return Outcome::GaveUp;
        } else if (idle.elapsed() >= reportAfterMs_) {
            if (!stall) stall.emplace(ask, stalledState_);
            if (stall->Report() && onStalled) onStalled();
        }
    }
    return Outcome::Sent;
}

}  // namespace kestrix
