#pragma once
// A TCP listener on 127.0.0.1 in front of the test cupsd's socket, for the
// faults of a scheduler on the network. Every connection is passed on both
// ways until it has carried `afterBytes` bytes towards the scheduler; then,
// by the fault, it is reset, or goes silent (it takes and gives nothing more,
// and stays open) until the proxy ends. Other connections are not touched.

#include <QString>
#include <atomic>
#include <thread>
#include <vector>

namespace kestrix {

class SchedulerProxy {
public:
    enum class Fault { Reset, Stall };

    SchedulerProxy(const QString& socketPath, Fault fault, qint64 afterBytes);
    ~SchedulerProxy();
    SchedulerProxy(const SchedulerProxy&) = delete;
    SchedulerProxy& operator=(const SchedulerProxy&) = delete;

    // "127.0.0.1:PORT", for CUPS_SERVER.
    QString Server() const { return server_; }

private:
    struct Link {
        int client;
        int scheduler;
        qint64 up = 0;
        bool silent = false;
    };
    void Serve();
    // Moves what one side sent; false when the link is to be closed.
    bool Pass(Link& link, bool fromClient);

    QString socketPath_;
    Fault fault_;
    qint64 afterBytes_;
    int listener_ = -1;
    QString server_;
    std::vector<Link> links_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

}  // namespace kestrix
