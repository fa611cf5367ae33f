#pragma once
// A network label printer's raw port: one TCP connection per job. Bytes count
// as taken once the printer has acknowledged them, not when the system has
// buffered them, so a printer that stops reading is seen as stalled and a job
// ends only when the printer has received all of it.

#include "output/PrinterTransport.h"

namespace kestrix {

class SocketPrinter : public PrinterTransport {
public:
    // Looking up the name and connecting together take at most this long.
    static constexpr int kConnectTimeoutMs = 4000;

    // `host` is a name or an address.
    SocketPrinter(const QString& host, quint16 port) : host_(host), port_(port) {}
    ~SocketPrinter() override { Close(); }

    // Connects; on failure `error` says why ("host unknown", "connection refused", ...).
    bool Open(QString* error) override;
    // What the printer has acknowledged of `data` within `waitMs`.
    qint64 Write(QByteArrayView data, int waitMs, QString* error) override;
    void Close() override;

private:
    bool Fail(QString* error, const QString& why);

    QString host_;
    quint16 port_;
    int fd_ = -1;
    // The first bytes of the data Transfer is given that are with the system
    // already, not yet acknowledged.
    qint64 inFlight_ = 0;
};

}  // namespace kestrix
