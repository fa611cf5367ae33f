#include "output/StatusQuery.h"

#include <algorithm>

namespace kestrix {

namespace {

class KnownStatus : public StatusQuery {
public:
    explicit KnownStatus(const PrinterStatus& status) : status_(status) {}

protected:
    std::optional<PrinterStatus> Advance(int) override { return status_; }

private:
    PrinterStatus status_;
};

}  // namespace

std::unique_ptr<StatusQuery> StatusQuery::Known(const PrinterStatus& status) {
    return std::make_unique<KnownStatus>(status);
}

std::optional<PrinterStatus> StatusQuery::Poll(int waitMs) {
    const int wait = static_cast<int>(std::min<qint64>(waitMs, deadline_.remainingTime()));
    if (std::optional<PrinterStatus> outcome = Advance(std::max(wait, 0))) return outcome;
    if (!deadline_.hasExpired()) return std::nullopt;
    return PrinterStatus::Problem(
        PrinterStatus::Kind::NotAnswering,
        QStringLiteral("the printer does not answer (no state within %1 s)").arg(kAnswerWithinMs / 1000));
}

PrinterStatus StatusQuery::Wait() {
    for (;;)
        if (std::optional<PrinterStatus> outcome = Poll(kAnswerWithinMs)) return *outcome;
}

}  // namespace kestrix
