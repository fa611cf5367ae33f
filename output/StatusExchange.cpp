#include "output/StatusExchange.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace kestrix {

namespace {

constexpr qsizetype kQueryBytes = sizeof kStatusQuery - 1;
// An answer of several bytes comes together; this is how long the rest may take.
constexpr int kRestOfAnswerMs = 30;
// Of an answer of the wrong length, this many bytes are shown.
constexpr qsizetype kBytesShown = 16;
// Left over from earlier answers there are a few bytes at most; a device that
// never runs dry (no printer at all) is not read on for ever.
constexpr int kStaleReadsAtMost = 64;

}  // namespace

StatusExchange::StatusExchange(int fd, bool connecting) : fd_(fd), connecting_(connecting) {
    if (!connecting_) DropStaleBytes();
}

StatusExchange::~StatusExchange() {
    if (fd_ >= 0) ::close(fd_);
}

void StatusExchange::DropStaleBytes() {
    char stale[64];
    for (int i = 0; i<kStaleReadsAtMost&& ::read(fd_, stale, sizeof stale)> 0; ++i) {}
}

std::optional<PrinterStatus> StatusExchange::Failed(int code) const {
    QString why;
    switch (code) {
    case ECONNREFUSED: why = QStringLiteral("connection refused"); break;
    case ECONNRESET: why = QStringLiteral("the printer reset the connection while being asked"); break;
    case 0: why = QStringLiteral("the printer hung up without answering"); break;
    default: why = QString::fromLocal8Bit(std::strerror(code));
    }
    return PrinterStatus::Problem(PrinterStatus::Kind::Failed, why);
}

PrinterStatus StatusExchange::Answer() const {
    if (answer_.size() == 1) return PrinterStatus::Answer(static_cast<quint8>(answer_[0]));
    const QByteArray shown = answer_.first(std::min(answer_.size(), kBytesShown)).toHex(' ');
    return PrinterStatus::Problem(
        PrinterStatus::Kind::Failed,
        QStringLiteral("the printer answered %1 bytes (%2%3) where one was expected")
            .arg(answer_.size())
            .arg(QString::fromLatin1(shown), answer_.size() > kBytesShown ? QStringLiteral(" ...") : QString()));
}

std::optional<PrinterStatus> StatusExchange::Advance(int waitMs) {
    const QDeadlineTimer until(waitMs);
    for (;;) {
        const bool sending = connecting_ || sent_ < kQueryBytes;
        QDeadlineTimer wait = until;
        if (!answer_.isEmpty()) {
            if (rest_.hasExpired()) return Answer();
            wait = std::min(until, rest_);
        }
        pollfd p{fd_, static_cast<short>(sending ? POLLOUT : POLLIN), 0};
        const int ready = ::poll(&p, 1, static_cast<int>(wait.remainingTime()));
        if (ready < 0 && errno != EINTR) return Failed(errno);
        if (ready <= 0) {
            if (!answer_.isEmpty() && rest_.hasExpired()) return Answer();
            if (until.hasExpired()) return std::nullopt;
            continue;
        }
        if (connecting_) {
            int code = 0;
            socklen_t size = sizeof code;
            if (::getsockopt(fd_, SOL_SOCKET, SO_ERROR, &code, &size) < 0) code = errno;
            if (code != 0) return Failed(code);
            connecting_ = false;
            DropStaleBytes();
            continue;
        }
        if (sending) {
            if (p.revents & POLLERR) return Failed(ECONNRESET);
            const ssize_t n = ::write(fd_, kStatusQuery + sent_, static_cast<size_t>(kQueryBytes - sent_));
            if (n < 0 && errno != EAGAIN && errno != EINTR) return Failed(errno);
            sent_ += std::max<ssize_t>(n, 0);
            continue;
        }
        char bytes[64];
        const ssize_t n = ::read(fd_, bytes, sizeof bytes);
        if (n > 0) {
            if (answer_.isEmpty()) rest_.setRemainingTime(kRestOfAnswerMs);
            answer_.append(bytes, n);
        } else if (n == 0) {
            return answer_.isEmpty() ? Failed(0) : Answer();
        } else if (errno != EAGAIN && errno != EINTR) {
            return answer_.isEmpty() ? Failed(errno == EIO ? 0 : errno) : Answer();
        }
    }
}

}  // namespace kestrix
