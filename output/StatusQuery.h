#pragma once
// One asking of a printer's state, under way. The question has gone out (or
// is going out); the answer is awaited a little at a time, so a job that is
// waiting on a stalled printer can ask without waiting any longer for it. A
// printer silent for 3 seconds from the question is not answering.

#include <QDeadlineTimer>
#include <memory>
#include <optional>

#include "output/PrinterStatus.h"

namespace kestrix {

class StatusQuery {
public:
    static constexpr int kAnswerWithinMs = 3000;

    StatusQuery() = default;
    StatusQuery(const StatusQuery&) = delete;
    StatusQuery& operator=(const StatusQuery&) = delete;
    virtual ~StatusQuery() = default;

    // An outcome known at once.
    static std::unique_ptr<StatusQuery> Known(const PrinterStatus& status);

    // Waits at most `waitMs` for the outcome; nothing while it is still to come.
    std::optional<PrinterStatus> Poll(int waitMs);
    // Waits for the outcome, 3 seconds at most.
    PrinterStatus Wait();

protected:
    // Goes on with the exchange for at most `waitMs`; the outcome once there is one.
    virtual std::optional<PrinterStatus> Advance(int waitMs) = 0;

private:
    QDeadlineTimer deadline_{kAnswerWithinMs};
};

}  // namespace kestrix
