#include "output/FilePrinter.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace kestrix {

QString FilePrinter::ErrnoText(int code) {
    switch (code) {
    case EBUSY: return QStringLiteral("printer busy");
    case ENOENT: return QStringLiteral("no such device (printer disconnected?)");
    case ENODEV:
    case ENXIO: return QStringLiteral("printer disconnected");
    case EACCES:
    case EPERM: return QStringLiteral("permission denied (install the udev rule and join group lp)");
    default: return QString::fromLocal8Bit(std::strerror(code));
    }
}

bool FilePrinter::Open(QString* error) {
    Close();
    do {
        fd_ = ::open(path_.toLocal8Bit().constData(), O_WRONLY | O_APPEND | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    } while (fd_ < 0 && errno == EINTR);
    if (fd_ >= 0) return true;
    if (error) *error = ErrnoText(errno);
    return false;
}

qint64 FilePrinter::Write(QByteArrayView data, int waitMs, QString* error) {
    if (fd_ < 0) {
        if (error) *error = QStringLiteral("the printer is not open");
        return -1;
    }
    pollfd p{fd_, POLLOUT, 0};
    const int ready = ::poll(&p, 1, waitMs);
    if (ready == 0 || (ready < 0 && errno == EINTR)) return 0;
    if (ready < 0 || (p.revents & (POLLERR | POLLHUP | POLLNVAL))) {
        if (error) *error = QStringLiteral("printer disconnected");
        return -1;
    }
    const ssize_t n = ::write(fd_, data.data(), static_cast<size_t>(data.size()));
    if (n >= 0) return n;
    if (errno == EAGAIN || errno == EINTR) return 0;
    if (error) *error = ErrnoText(errno);
    return -1;
}

std::unique_ptr<StatusQuery> FilePrinter::AskStatus() {
    return StatusQuery::Known(PrinterStatus::Problem(
        PrinterStatus::Kind::CannotAsk, QStringLiteral("not a printer device: it cannot be asked for its state")));
}

void FilePrinter::Close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

}  // namespace kestrix
