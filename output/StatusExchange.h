#pragma once
// The status query over a file descriptor: a network printer's connection of
// its own (maybe still connecting) or a USB printer's device node, which is
// written and read back. Bytes left from an earlier answer are dropped before
// asking; the answer is one byte, and anything else is told as such.

#include <QByteArray>

#include "output/StatusQuery.h"

namespace kestrix {

class StatusExchange : public StatusQuery {
public:
    // Takes `fd` over and closes it at the end; `connecting` while a connect is under way on it.
    StatusExchange(int fd, bool connecting);
    ~StatusExchange() override;

protected:
    std::optional<PrinterStatus> Advance(int waitMs) override;

private:
    // What arrived, once the printer has had a moment to send all of it.
    PrinterStatus Answer() const;
    std::optional<PrinterStatus> Failed(int code) const;
    void DropStaleBytes();

    int fd_;
    bool connecting_;
    qsizetype sent_ = 0;
    QByteArray answer_;
    QDeadlineTimer rest_;  // after the first byte, how long more bytes are waited for
};

}  // namespace kestrix
