#pragma once
// A network label printer's raw port: one TCP connection per job. Bytes count
// as taken once the printer has acknowledged them, not when the system has
// buffered them, so a printer that stops reading is seen as stalled and a job
// ends only when the printer has received all of it.

#include <QByteArrayView>
#include <QString>

namespace kestrix {

class SocketPrinter {
public:
    // Looking up the name and connecting together take at most this long.
    static constexpr int kConnectTimeoutMs = 4000;

    SocketPrinter() = default;
    SocketPrinter(const SocketPrinter&) = delete;
    SocketPrinter& operator=(const SocketPrinter&) = delete;
    ~SocketPrinter() { Close(); }

    // Connects to `host` (a name or an address) at `port`; on failure `error`
    // says why ("host unknown", "connection refused", ...).
    bool Open(const QString& host, quint16 port, QString* error);
    // One try, a StallWatch::Step: how much of `data` the printer has
    // acknowledged within `waitMs` (0 when nothing), or -1 when the connection failed.
    qint64 Transfer(QByteArrayView data, int waitMs, QString* error);
    void Close();

private:
    bool Fail(QString* error, const QString& why);

    int fd_ = -1;
    QString name_;  // host:port, for messages
    // The first bytes of the data Transfer is given that are with the system
    // already, not yet acknowledged.
    qint64 inFlight_ = 0;
};

}  // namespace kestrix
