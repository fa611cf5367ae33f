#include "SchedulerProxy.h"

#include <QFile>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

namespace kestrix {

namespace {

bool SendAll(int fd, const char* data, ssize_t size) {
    for (ssize_t done = 0; done < size;) {
        const ssize_t n = ::send(fd, data + done, size - done, MSG_NOSIGNAL);
        if (n <= 0) return false;
        done += n;
    }
    return true;
}

}  // namespace

SchedulerProxy::SchedulerProxy(const QString& socketPath, Fault fault, qint64 afterBytes)
    : socketPath_(socketPath), fault_(fault), afterBytes_(afterBytes) {
    listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    ::bind(listener_, reinterpret_cast<sockaddr*>(&address), size);
    ::listen(listener_, 16);
    ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size);
    server_ = QStringLiteral("127.0.0.1:%1").arg(ntohs(address.sin_port));
    thread_ = std::thread([this] { Serve(); });
}

SchedulerProxy::~SchedulerProxy() {
    stop_ = true;
    thread_.join();
    for (const Link& link : links_) {
        ::close(link.client);
        ::close(link.scheduler);
    }
    ::close(listener_);
}

bool SchedulerProxy::Pass(Link& link, bool fromClient) {
    char chunk[64 * 1024];
    const int from = fromClient ? link.client : link.scheduler;
    const ssize_t n = ::recv(from, chunk, sizeof chunk, 0);
    if (n <= 0) return false;
    if (fromClient && (link.up += n) > afterBytes_) {
        if (fault_ == Fault::Stall) {
            link.silent = true;
            return true;
        }
        const linger reset{1, 0};
        ::setsockopt(link.client, SOL_SOCKET, SO_LINGER, &reset, sizeof reset);
        return false;
    }
    return SendAll(fromClient ? link.scheduler : link.client, chunk, n);
}

void SchedulerProxy::Serve() {
    while (!stop_) {
        std::vector<pollfd> waits{{listener_, POLLIN, 0}};
        for (const Link& link : links_) {
            waits.push_back({link.silent ? -1 : link.client, POLLIN, 0});
            waits.push_back({link.silent ? -1 : link.scheduler, POLLIN, 0});
        }
        if (::poll(waits.data(), waits.size(), 50) <= 0) continue;
        for (std::size_t i = 0; i < links_.size();) {
            Link& link = links_[i];
            const bool client = waits[1 + 2 * i].revents, scheduler = waits[2 + 2 * i].revents;
            if ((client && !Pass(link, true)) || (scheduler && !link.silent && !Pass(link, false))) {
                ::close(link.client);
                ::close(link.scheduler);
                links_.erase(links_.begin() + i);
                waits.erase(waits.begin() + 1 + 2 * i, waits.begin() + 3 + 2 * i);
                continue;
            }
            ++i;
        }
        if (!(waits[0].revents & POLLIN)) continue;
        const int client = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        const int scheduler = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, QFile::encodeName(socketPath_).constData(), sizeof address.sun_path - 1);
        if (client < 0 || ::connect(scheduler, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
            ::close(client);
            ::close(scheduler);
            continue;
        }
        links_.push_back({client, scheduler});
    }
}

}  // namespace kestrix
