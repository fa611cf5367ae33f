#include "SimulatedPrinter.h"

#include <QDir>

#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <tuple>

namespace kestrix {

namespace {

constexpr int kChunk = 64 * 1024;
// A connection that has sent nothing but queries is read this much at a time
// during a stall, so the first bytes of a job stop it being read.
constexpr int kQueryBytes = 3;
constexpr int kQuietMs = 200;

}  // namespace

SimulatedPrinter::SimulatedPrinter(const Options& options) : options_(options) {
    listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (options_.receiveBuffer > 0) {  // accepted connections take both over
        constexpr int kEthernetSegment = 1460;
        ::setsockopt(listener_, SOL_SOCKET, SO_RCVBUF, &options_.receiveBuffer, sizeof options_.receiveBuffer);
        ::setsockopt(listener_, IPPROTO_TCP, TCP_MAXSEG, &kEthernetSegment, sizeof kEthernetSegment);
    }
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (::bind(listener_, reinterpret_cast<sockaddr*>(&address), size) == 0 &&
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size) == 0 &&
        (options_.switchedOff || ::listen(listener_, 8) == 0))
        address_ = QStringLiteral("socket://127.0.0.1:%1").arg(ntohs(address.sin_port));
    else
        problems_ << QStringLiteral("no port on 127.0.0.1");
    wake_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    thread_ = std::thread([this] { Serve(); });
}

SimulatedPrinter::~SimulatedPrinter() {
    {
        const std::lock_guard lock(mutex_);
        stop_ = true;
    }
    Wake();
    thread_.join();
    for (const auto& channel : channels_) Close(*channel);
    for (int fd : {listener_, wake_, ptySlave_})
        if (fd >= 0) ::close(fd);
}

void SimulatedPrinter::Wake() const {
    const uint64_t one = 1;
    [[maybe_unused]] const ssize_t n = ::write(wake_, &one, sizeof one);
}

QString SimulatedPrinter::PtyPath() {
    const std::lock_guard lock(mutex_);
    for (const auto& channel : channels_)
        if (channel->pty) return QString::fromLocal8Bit(ptsname(channel->fd));
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0) {
        if (master >= 0) ::close(master);
        return {};
    }
    const QString path = QString::fromLocal8Bit(ptsname(master));
    ptySlave_ = ::open(ptsname(master), O_RDWR | O_NOCTTY | O_CLOEXEC);
    termios raw{};
    ::tcgetattr(ptySlave_, &raw);
    ::cfmakeraw(&raw);  // bytes pass both ways untouched: no echo, no line editing
    ::tcsetattr(ptySlave_, TCSANOW, &raw);
    auto channel = std::make_unique<Channel>();
    channel->fd = master;
    channel->pty = true;
    channels_.push_back(std::move(channel));
    Wake();
    return path;
}

void SimulatedPrinter::SetState(quint8 state) {
    const std::lock_guard lock(mutex_);
    state_ = state;
}

void SimulatedPrinter::SetAnswer(Answer answer, const QByteArray& bytes) {
    const std::lock_guard lock(mutex_);
    answer_ = answer;
    answerBytes_ = bytes;
}

void SimulatedPrinter::SetStalled(bool stalled) {
    {
        const std::lock_guard lock(mutex_);
        stalled_ = stalled;
    }
    Wake();
}

void SimulatedPrinter::StallAfter(qsizetype jobBytes) {
    {
        const std::lock_guard lock(mutex_);
        stallAfter_ = jobBytes;
    }
    Wake();
}

void SimulatedPrinter::SendUnasked(const QByteArray& bytes) {
    const std::lock_guard lock(mutex_);
    for (const auto& channel : channels_)
        if ((channel->job || channel->pty) && !channel->closed && !Send(*channel, bytes))
            problems_ << QStringLiteral("unasked bytes could not be sent");
}

bool SimulatedPrinter::Send(const Channel& channel, const QByteArray& bytes) {
    // A sender gone away is no reason to end the test program.
    const ssize_t n = channel.pty ? ::write(channel.fd, bytes.constData(), bytes.size())
                                  : ::send(channel.fd, bytes.constData(), bytes.size(), MSG_NOSIGNAL);
    return n == bytes.size();
}

void SimulatedPrinter::Close(Channel& channel) {
    if (!channel.closed) ::close(channel.fd);
    channel.closed = true;
}

void SimulatedPrinter::Serve() {
    std::unique_lock lock(mutex_);
    while (!stop_) {
        std::vector<pollfd> waits{{wake_, POLLIN, 0}, {options_.switchedOff ? -1 : listener_, POLLIN, 0}};
        std::vector<Channel*> polled;
        for (const auto& channel : channels_) {
            if (channel->closed || (stalled_ && (channel->job || channel->pty))) continue;
            waits.push_back({channel->fd, POLLIN, 0});
            polled.push_back(channel.get());
        }
        lock.unlock();
        ::poll(waits.data(), waits.size(), 100);  // waiters look again at least this often
        lock.lock();
        uint64_t count;
        while (::read(wake_, &count, sizeof count) > 0) {}
        if (waits[1].revents & POLLIN) {
            for (int fd; (fd = ::accept4(listener_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC)) >= 0;) {
                auto channel = std::make_unique<Channel>();
                channel->fd = fd;
                channels_.push_back(std::move(channel));
            }
        }
        for (size_t i = 0; i < polled.size(); ++i)
            if (waits[i + 2].revents) ReadFrom(*polled[i]);
        changed_.notify_all();
    }
}

void SimulatedPrinter::ReadFrom(Channel& channel) {
    static thread_local char chunk[kChunk];
    const bool onlyAsked = !channel.job && !channel.pty;
    qsizetype most = stalled_ && onlyAsked ? kQueryBytes : kChunk;
    if (!stalled_ && stallAfter_ >= 0) most = std::min(most, stallAfter_ - JobBytesRead());
    if (most <= 0) {
        std::tie(stalled_, stallAfter_) = std::tuple{true, -1};
        return;
    }
    const ssize_t n = ::read(channel.fd, chunk, most);
    if (n < 0 && errno == ECONNRESET) ++resets_;
    if (n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR)) return Close(channel);
    if (n < 0) return;
    channel.sinceRead.start();
    for (int queries = channel.receiver.Take({chunk, n}); queries > 0; --queries) Reply(channel);
    channel.job = channel.job || !channel.receiver.Job().isEmpty();
    if (stallAfter_ >= 0 && JobBytesRead() >= stallAfter_) std::tie(stalled_, stallAfter_) = std::tuple{true, -1};
    const QList<PrintedLabel>& labels = channel.receiver.Labels();
    for (; channel.labelsWritten < labels.size(); ++channel.labelsWritten) {
        ++pngs_;
        if (options_.pngFolder.isEmpty()) continue;
        const QString name =
            QDir(options_.pngFolder).filePath(QStringLiteral("label-%1.png").arg(pngs_, 4, 10, QChar(u'0')));
        if (!labels[channel.labelsWritten].image.save(name, "PNG")) problems_ << QStringLiteral("cannot write ") + name;
    }
}

void SimulatedPrinter::Reply(Channel& channel) {
    ++queries_;
    if (channel.closed || answer_ == Answer::Nothing) return;
    if (answer_ == Answer::Reset) {
        if (channel.pty) return;
        const linger reset{1, 0};
        ::setsockopt(channel.fd, SOL_SOCKET, SO_LINGER, &reset, sizeof reset);
        return Close(channel);
    }
    const QByteArray bytes = answer_ == Answer::State ? QByteArray(1, char(state_)) : answerBytes_;
    if (!Send(channel, bytes)) problems_ << QStringLiteral("the answer could not be sent");
}

bool SimulatedPrinter::WaitUntil(const std::function<bool()>& done, int timeoutMs) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, std::chrono::milliseconds(timeoutMs), done);
}

QByteArray SimulatedPrinter::JobBytes() const {
    QByteArray bytes;
    for (const auto& channel : channels_) bytes += channel->receiver.Job();
    return bytes;
}

QByteArray SimulatedPrinter::Received(int timeoutMs) {
    WaitUntil(
        [this] {
            // A pseudo-terminal passes what its user wrote on a little later: it is
            // drained when it has nothing waiting and has been quiet for a while.
            const auto read = [](const auto& channel) {
                int waiting = 0;
                if (channel->pty)
                    return ::ioctl(channel->fd, FIONREAD, &waiting) == 0 && waiting == 0 &&
                           (!channel->sinceRead.isValid() || channel->sinceRead.hasExpired(kQuietMs));
                return channel->closed || !channel->job;
            };
            return std::any_of(channels_.begin(), channels_.end(), [](const auto& c) { return c->job; }) &&
                   std::all_of(channels_.begin(), channels_.end(), read);
        },
        timeoutMs);
    const std::lock_guard lock(mutex_);
    return JobBytes();
}

qsizetype SimulatedPrinter::JobSize() {
    const std::lock_guard lock(mutex_);
    return JobBytesRead();
}

qsizetype SimulatedPrinter::JobBytesRead() const {
    qsizetype size = 0;
    for (const auto& channel : channels_) size += channel->receiver.Job().size();
    return size;
}

bool SimulatedPrinter::WaitForJobBytes(qsizetype bytes, int timeoutMs) {
    return WaitUntil([&] { return JobBytesRead() >= bytes; }, timeoutMs);
}

QList<PrintedLabel> SimulatedPrinter::Labels() {
    const std::lock_guard lock(mutex_);
    QList<PrintedLabel> labels;
    for (const auto& channel : channels_) labels += channel->receiver.Labels();
    return labels;
}

QStringList SimulatedPrinter::Problems() {
    const std::lock_guard lock(mutex_);
    QStringList problems = problems_;
    for (const auto& channel : channels_) problems += channel->receiver.Problems();
    return problems;
}

int SimulatedPrinter::Resets() {
    const std::lock_guard lock(mutex_);
    return resets_;
}

int SimulatedPrinter::Queries() {
    const std::lock_guard lock(mutex_);
    return queries_;
}

}  // namespace kestrix
