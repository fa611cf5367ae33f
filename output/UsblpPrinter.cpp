#include "output/UsblpPrinter.h"

#include <fcntl.h>
#include <linux/lp.h>
#include <sys/ioctl.h>

#include <cerrno>

#include "output/StatusExchange.h"

namespace kestrix {

std::unique_ptr<StatusQuery> UsblpPrinter::AskStatus() {
    if (Fd() >= 0) {
        int portStatus = 0;
        if (::ioctl(Fd(), LPGETSTATUS, &portStatus) == 0)
            return StatusQuery::Known(StatusFromPortStatus(static_cast<quint8>(portStatus)));
        return StatusQuery::Known(PrinterStatus::Problem(PrinterStatus::Kind::CannotAsk,
                                                         QStringLiteral("the device gives no state during a job")));
    }
    int fd;
    do {
        fd = ::open(Path().toLocal8Bit().constData(), O_RDWR | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) return StatusQuery::Known(PrinterStatus::Problem(PrinterStatus::Kind::Failed, ErrnoText(errno)));
    return std::make_unique<StatusExchange>(fd, false);
}

}  // namespace kestrix
