#pragma once
// Label printers for the tests. A network printer on 127.0.0.1 only listens
// on a free port, takes one connection and keeps what arrives until the
// sender closes; one that starts reading late (out of paper) is given a small
// receive window, so the sender soon has to wait for it; one that is switched
// off holds its port without listening, so connections are refused. A FIFO
// stands for a USB printer: its reading end is open at once (holding at most
// 4 kB), so writers need not wait for one, and read from after the delay.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QThread>

#include <thread>

namespace kestrix {

class LoopbackPrinter {
public:
    static constexpr int kSwitchedOff = -1;

    explicit LoopbackPrinter(int readAfterMs = 0) {
        listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        const int window = 1024;  // the system makes it its smallest
        if (readAfterMs > 0) ::setsockopt(listener_, SOL_SOCKET, SO_RCVBUF, &window, sizeof window);
        sockaddr_in address{.sin_family = AF_INET, .sin_port = 0, .sin_addr = {htonl(INADDR_LOOPBACK)}, .sin_zero = {}};
        socklen_t size = sizeof address;
        EXPECT_TRUE(::bind(listener_, reinterpret_cast<sockaddr*>(&address), size) == 0 &&
                    ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size) == 0)
            << "no loopback port";
        address_ = QStringLiteral("socket://127.0.0.1:%1").arg(ntohs(address.sin_port));
        if (readAfterMs == kSwitchedOff) return;
        EXPECT_EQ(::listen(listener_, 1), 0);
        thread_ = std::thread([this, readAfterMs] {
            pollfd waiting{listener_, POLLIN, 0};
            const int peer = ::poll(&waiting, 1, 30000) > 0 ? ::accept(listener_, nullptr, nullptr) : -1;
            if (peer >= 0) received_ = ReadAfter(peer, readAfterMs);
        });
    }
    LoopbackPrinter(const QString& fifo, int readAfterMs) : address_(fifo) {
        const QByteArray path = QFile::encodeName(fifo);
        if (!QFileInfo::exists(fifo)) mkfifo(path.constData(), 0600);
        const int reader = ::open(path.constData(), O_RDONLY | O_NONBLOCK);
        ::fcntl(reader, F_SETPIPE_SZ, 4096);
        thread_ = std::thread([this, reader, readAfterMs] { received_ = ReadAfter(reader, readAfterMs); });
    }
    ~LoopbackPrinter() {
        ::shutdown(listener_, SHUT_RDWR);  // ends a wait for a connection that never came
        Received();
        if (listener_ >= 0) ::close(listener_);
    }

    // The printer's address for --device.
    QString Address() const { return address_; }
    // All it received, once the sender has closed.
    QByteArray Received() {
        if (thread_.joinable()) thread_.join();
        return received_;
    }

private:
    // What a reader of `fd` gets, starting after `delayMs`, until the writer closes.
    static QByteArray ReadAfter(int fd, int delayMs) {
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

    int listener_ = -1;
    QString address_;
    std::thread thread_;
    QByteArray received_;
};

}  // namespace kestrix
