#include "output/SocketPrinter.h"

#include <QDeadlineTimer>

#include <linux/sockios.h>
#include <netdb.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <memory>
#include <mutex>
#include <thread>

#include "output/StatusExchange.h"

namespace kestrix {

namespace {

// At the end of a job, how often acknowledgements are looked for.
constexpr int kAcknowledgePollMs = 2;

// One getaddrinfo call. It has no time limit of its own, so it runs on a
// thread of its own; a caller that stops waiting leaves the answer to be
// freed by that thread when it comes.
struct Lookup {
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
    bool abandoned = false;
    int code = 0;
    addrinfo* list = nullptr;
};

// The addresses of `host`, or nothing and `why` when it is unknown or the
// deadline passed first.
addrinfo* LookUp(const QString& host, quint16 port, QDeadlineTimer deadline, QString* why) {
    auto lookup = std::make_shared<Lookup>();
    std::thread([lookup, name = host.toUtf8(), service = QByteArray::number(port)] {
        addrinfo hints{};
        hints.ai_family = AF_UNSPEC;
        hints.ai_socktype = SOCK_STREAM;
        hints.ai_flags = AI_NUMERICSERV;
        addrinfo* list = nullptr;
        const int code = getaddrinfo(name.constData(), service.constData(), &hints, &list);
        const std::lock_guard lock(lookup->mutex);
        if (lookup->abandoned) {
            if (code == 0) freeaddrinfo(list);
            return;
        }
        lookup->code = code;
        lookup->list = code == 0 ? list : nullptr;
        lookup->finished = true;
        lookup->done.notify_one();
    }).detach();

    std::unique_lock lock(lookup->mutex);
    if (!lookup->done.wait_for(lock, std::chrono::milliseconds(deadline.remainingTime()),
                               [&] { return lookup->finished; })) {
        lookup->abandoned = true;
        *why =
            QStringLiteral("the name could not be looked up within %1 s").arg(SocketPrinter::kConnectTimeoutMs / 1000);
        return nullptr;
    }
    switch (lookup->code) {
    case 0: return lookup->list;
    case EAI_NONAME:
    case EAI_NODATA: *why = QStringLiteral("host unknown"); break;
    case EAI_AGAIN: *why = QStringLiteral("the name cannot be looked up now (no name server?)"); break;
    default: *why = QString::fromLocal8Bit(gai_strerror(lookup->code));
    }
    return nullptr;
}

QString SocketErrorText(int code) {
    switch (code) {
    case ECONNREFUSED: return QStringLiteral("connection refused");
    case ETIMEDOUT: return QStringLiteral("the printer does not answer");
    case ECONNRESET:
    case EPIPE: return QStringLiteral("the printer closed the connection");
    default: return QString::fromLocal8Bit(std::strerror(code));
    }
}

qint64 Broken(QString* error, int code) {
    if (error) *error = SocketErrorText(code);
    return -1;
}

int PollOnce(pollfd& p, int waitMs) {
    int ready;
    while ((ready = ::poll(&p, 1, waitMs)) < 0 && errno == EINTR) {}
    return ready;
}

// Connects a non-blocking socket to one address before the deadline; the
// socket, or -1 with errno set.
int ConnectBefore(const addrinfo& a, QDeadlineTimer deadline) {
    const int fd = ::socket(a.ai_family, a.ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, a.ai_protocol);
    if (fd < 0) return -1;
    int code = ::connect(fd, a.ai_addr, a.ai_addrlen) == 0 ? 0 : errno;
    if (code == EINPROGRESS) {
        pollfd p{fd, POLLOUT, 0};
        const int ready = PollOnce(p, static_cast<int>(deadline.remainingTime()));
        socklen_t size = sizeof code;
        if (ready == 0)
            code = ETIMEDOUT;
        else if (ready < 0 || ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &code, &size) < 0)
            code = errno;
    }
    if (code == 0) return fd;
    ::close(fd);
    errno = code;
    return -1;
}

}  // namespace

bool SocketPrinter::Fail(QString* error, const QString& why) {
    if (error) *error = why;
    Close();
    return false;
}

bool SocketPrinter::Open(QString* error) {
    Close();
    const QDeadlineTimer deadline(kConnectTimeoutMs);
    QString why;
    addrinfo* list = LookUp(host_, port_, deadline, &why);
    if (!list) return Fail(error, why);
    int code = ETIMEDOUT;
    for (const addrinfo* a = list; a && fd_ < 0; a = a->ai_next) {
        fd_ = ConnectBefore(*a, deadline);
        if (fd_ < 0) code = errno;
    }
    freeaddrinfo(list);
    return fd_ >= 0 || Fail(error, SocketErrorText(code));
}

bool SocketPrinter::DropIncoming(QString* error) {
    char chunk[512];
    ssize_t n;
    while ((n = ::recv(fd_, chunk, sizeof chunk, MSG_DONTWAIT)) > 0) {}
    if (n == 0) silent_ = true;
    if (n == 0 || errno == EAGAIN || errno == EINTR) return true;
    Broken(error, errno);
    return false;
}

qint64 SocketPrinter::Write(QByteArrayView data, int waitMs, QString* error) {
    if (fd_ < 0) return Broken(error, ENOTCONN);
    pollfd p{fd_, static_cast<short>(silent_ ? POLLOUT : POLLOUT | POLLIN), 0};
    if (PollOnce(p, waitMs) < 0) return Broken(error, errno);
    if (p.revents & POLLIN && !DropIncoming(error)) return -1;
    if (p.revents & (POLLERR | POLLHUP)) {
        int code = 0;
        socklen_t size = sizeof code;
        ::getsockopt(fd_, SOL_SOCKET, SO_ERROR, &code, &size);
        return Broken(error, code ? code : ECONNRESET);
    }
    if (!(p.revents & POLLOUT)) return 0;
    const ssize_t n = ::send(fd_, data.data(), static_cast<size_t>(data.size()), MSG_NOSIGNAL | MSG_DONTWAIT);
    if (n >= 0) return n;
    if (errno == EAGAIN || errno == EINTR) return 0;
    return Broken(error, errno);
}

qint64 SocketPrinter::Unconfirmed() {
    int waiting = 0;
    unconfirmed_ = fd_ >= 0 && ::ioctl(fd_, SIOCOUTQ, &waiting) == 0 ? waiting : 0;
    return unconfirmed_;
}

qint64 SocketPrinter::Confirm(int waitMs, QString* error) {
    if (fd_ < 0) return Broken(error, ENOTCONN);
    // The system tells of no acknowledgement, so the send queue is looked at every little while.
    QDeadlineTimer deadline(waitMs);
    for (;;) {
        pollfd p{fd_, static_cast<short>(silent_ ? 0 : POLLIN), 0};
        if (PollOnce(p, static_cast<int>(std::min<qint64>(deadline.remainingTime(), kAcknowledgePollMs))) < 0)
            return Broken(error, errno);
        if (p.revents & POLLIN && !DropIncoming(error)) return -1;
        int waiting = 0;
        if (::ioctl(fd_, SIOCOUTQ, &waiting) < 0) return Broken(error, errno);
        int code = 0;
        socklen_t size = sizeof code;
        if (::getsockopt(fd_, SOL_SOCKET, SO_ERROR, &code, &size) == 0 && code != 0) return Broken(error, code);
        const qint64 confirmed = unconfirmed_ - waiting;
        unconfirmed_ = waiting;
        if (confirmed > 0 || deadline.hasExpired()) return std::max<qint64>(confirmed, 0);
    }
}

std::unique_ptr<StatusQuery> SocketPrinter::AskStatus() {
    const auto failed = [](const QString& why) {
        return StatusQuery::Known(PrinterStatus::Problem(PrinterStatus::Kind::Failed, why));
    };
    // During a job the printer is the job connection's peer; otherwise its name is looked up.
    sockaddr_storage peer{};
    socklen_t peerSize = sizeof peer;
    const bool jobOpen = fd_ >= 0 && ::getpeername(fd_, reinterpret_cast<sockaddr*>(&peer), &peerSize) == 0;
    addrinfo jobPeer{};
    jobPeer.ai_family = peer.ss_family;
    jobPeer.ai_socktype = SOCK_STREAM;
    jobPeer.ai_addr = reinterpret_cast<sockaddr*>(&peer);
    jobPeer.ai_addrlen = peerSize;
    QString why;
    addrinfo* list = jobOpen ? &jobPeer : LookUp(host_, port_, QDeadlineTimer(StatusQuery::kAnswerWithinMs), &why);
    if (!list) return failed(why);
    int code = ECONNREFUSED;
    int fd = -1;
    bool connecting = false;
    for (const addrinfo* a = list; a && fd < 0; a = a->ai_next) {
        fd = ::socket(a->ai_family, a->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, a->ai_protocol);
        if (fd < 0) {
            code = errno;
            continue;
        }
        if (::connect(fd, a->ai_addr, a->ai_addrlen) == 0 || (connecting = errno == EINPROGRESS)) break;
        code = errno;
        ::close(fd);
        fd = -1;
    }
    if (!jobOpen) freeaddrinfo(list);
    if (fd < 0) return failed(SocketErrorText(code));
    return std::make_unique<StatusExchange>(fd, connecting);
}

void SocketPrinter::Close() {
    if (fd_ >= 0) {
        DropIncoming(nullptr);  // unread bytes would make the system reset the connection
        if (Unconfirmed() > 0) {
            // A job cut short: what the printer has not taken is dropped, not sent after the job has ended.
            const linger reset{1, 0};
            ::setsockopt(fd_, SOL_SOCKET, SO_LINGER, &reset, sizeof reset);
        }
        ::close(fd_);
    }
    fd_ = -1;
    unconfirmed_ = 0;
    silent_ = false;
}

}  // namespace kestrix
