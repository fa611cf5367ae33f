#pragma once
// A network label printer for the tests, on 127.0.0.1 only: it listens on a
// free port, takes one connection and keeps what arrives until the sender
// closes. One that starts reading late (out of paper) is given a small
// receive window, so the sender soon has to wait for it; one that is switched
// off holds its port without listening, so connections are refused.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>
#include <QThread>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <thread>

namespace kestrix {

// What a reader of `fd` (a FIFO or a connection) gets, starting after
// `delayMs`, until the writer closes.
inline QByteArray ReadAfter(int fd, int delayMs) {
    QThread::msleep(delayMs);
    QByteArray got;
    char chunk[4096];
    for (pollfd p{fd, POLLIN, 0}; ::poll(&p, 1, 5000) > 0;) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n <= 0) break;
        got.append(chunk, n);
    }
    ::close(fd);
    return got;
}

class LoopbackPrinter {
public:
    static constexpr int kSwitchedOff = -1;

    explicit LoopbackPrinter(int readAfterMs = 0) {
        listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (readAfterMs > 0) {
            const int window = 1024;  // the system makes it its smallest
            ::setsockopt(listener_, SOL_SOCKET, SO_RCVBUF, &window, sizeof window);
        }
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        const bool bound = ::bind(listener_, reinterpret_cast<sockaddr*>(&address), size) == 0 &&
                           ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size) == 0;
        EXPECT_TRUE(bound) << "no loopback port";
        port_ = ntohs(address.sin_port);
        if (readAfterMs == kSwitchedOff) return;
        EXPECT_EQ(::listen(listener_, 1), 0);
        thread_ = std::thread([this, readAfterMs] { Serve(readAfterMs); });
    }
    ~LoopbackPrinter() {
        ::shutdown(listener_, SHUT_RDWR);  // ends a wait for a connection that never came
        if (thread_.joinable()) thread_.join();
        ::close(listener_);
    }

    QString Address() const { return QStringLiteral("socket://127.0.0.1:%1").arg(port_); }
    // All it received, once the sender has closed.
    QByteArray Received() {
        if (thread_.joinable()) thread_.join();
        return received_;
    }

private:
    void Serve(int readAfterMs) {
        pollfd waiting{listener_, POLLIN, 0};
        if (::poll(&waiting, 1, 30000) <= 0) return;  // nobody came
        const int peer = ::accept(listener_, nullptr, nullptr);
        if (peer >= 0) received_ = ReadAfter(peer, readAfterMs);
    }

    int listener_ = -1;
    quint16 port_ = 0;
    std::thread thread_;
    QByteArray received_;
};

}  // namespace kestrix
