#pragma once
// How a print job waits on a device that stops taking data (out of paper,
// cover open, a slow printer digesting a large bitmap). A job is never cut
// short by a stall: the writer keeps offering the data, and once the device
// has taken nothing for a while the stall is reported, with the state the
// printer gives when it can be asked, and again whenever that state changes,
// until the device moves again. Only a device that fails (unplugged), Cancel
// or the optional give-up time end a job early. Every transport follows the
// same rule: it supplies a Step that moves what the device takes within a
// short wait, and a way to ask the printer's state beside the job.

#include <QByteArrayView>
#include <QString>
#include <algorithm>
#include <atomic>
#include <climits>
#include <functional>
#include <memory>

#include "output/StatusQuery.h"

namespace kestrix {

class StallWatch {
public:
    static constexpr int kReportAfterMs = 5000;
    // How long one Step may wait, and so how soon a Cancel is noticed.
    static constexpr int kStepWaitMs = 200;
    // While a stall lasts, how often the printer's state is asked again.
    static constexpr int kAskAgainAfterMs = 1000;

    enum class Outcome { Sent, Failed, Cancelled, GaveUp };

    // One try at moving bytes: waits at most `waitMs` for the device and
    // returns how many bytes of `data` it took (0 when none in that time), or
    // -1 with `error` set when the device failed.
    using Step = std::function<qint64(QByteArrayView data, int waitMs, QString* error)>;
    // Asks the printer's state without touching the job's bytes.
    using AskState = std::function<std::unique_ptr<StatusQuery>()>;

    // `giveUpAfterMs` 0 waits as long as the device stays.
    explicit StallWatch(qint64 giveUpAfterMs = 0, int reportAfterMs = kReportAfterMs)
        : giveUpAfterMs_(giveUpAfterMs), reportAfterMs_(reportAfterMs) {}
    virtual ~StallWatch() = default;

    // Sends all of `data` through `step` under the rule above; a stall is
    // reported once `ask`, if given, has had its answer (3 s at most).
    Outcome Send(QByteArrayView data, const Step& step, QString* error, const AskState& ask = {});

    // Waits at most `waitMs` for the device to confirm more of what it was
    // given (a network printer acknowledges what it received); how many bytes
    // more it confirmed, or -1 with `error` set when it failed.
    using Confirm = std::function<qint64(int waitMs, QString* error)>;
    // Waits under the same rule until the device has confirmed `bytes` more.
    Outcome AwaitConfirmation(qint64 bytes, const Confirm& confirm, QString* error, const AskState& ask = {});

    // How long a question to the far end (the CUPS scheduler) is waited for:
    // the give-up time when there is one, else `usual`.
    int AnswerWaitMs(int usual) const {
        return giveUpAfterMs_ > 0 ? static_cast<int>(std::min<qint64>(giveUpAfterMs_, INT_MAX)) : usual;
    }

    // Runs the sending part of a job, the code that calls Send. Here it runs
    // in place; the editor runs it on a worker thread and keeps its window alive.
    virtual void Run(const std::function<void()>& send) { send(); }

    // The user's Cancel, from any thread.
    void Cancel() { cancelled_ = true; }
    bool IsCancelled() const { return cancelled_; }
    // A stop asked for between labels (a signal), from any thread: the data
    // under way is still sent while the device takes it, but a device that
    // takes nothing is no longer waited for (Outcome::Cancelled).
    void StopWhenStalled() { stopWhenStalled_ = true; }

    // While a stall is reported: the state byte the printer gave (PrinterStatus),
    // 0 when it gave none (not answering, cannot be asked). From any thread.
    quint8 StalledState() const { return stalledState_; }

    // Called on the sending thread: the device has taken nothing for the
    // report time (and again whenever StalledState changes while it lasts),
    // and (after that) it takes data again.
    std::function<void()> onStalled;
    std::function<void()> onResumed;

private:
    // `step` moves bytes from `done` on: how many it moved within its wait, or -1.
    using Progress = std::function<qint64(qint64 done, int waitMs, QString* error)>;
    Outcome Move(qint64 total, const Progress& step, QString* error, const AskState& ask);

    qint64 giveUpAfterMs_;
    int reportAfterMs_;
    std::atomic<bool> cancelled_{false};
    std::atomic<bool> stopWhenStalled_{false};
    std::atomic<quint8> stalledState_{0};
};

}  // namespace kestrix
